#include "ItemScan.h"

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

long scanQuotationItems(const QString& databaseFile, const QString& branch, const QString& number,
                        double& checksum)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databaseFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("the database could not be opened");
    }
    static const char kItems[] =
        "SELECT I.CDREGIAO, I.CDFORNECED, I.CDPRODUTO, I.CDMARCA, I.VRPRECUNIITM, "
        "I.VRPRECECOITM, I.VRPRECECOPIITM, I.QTACMPITMCOL, I.VRPERDESITM FROM ITEMCOLE I "
        "WHERE I.CDFILIAL = ? AND I.NRCOLEPRECO = ?";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kItems, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("the items statement was refused");
    }
    const QByteArray branchText = branch.toUtf8(), numberText = number.toUtf8();
    sqlite3_bind_text(statement, 1, branchText.constData(), int(branchText.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, numberText.constData(), int(numberText.size()), SQLITE_STATIC);
    long rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < 4; ++c) {
            sqlite3_column_text(statement, c);
            checksum += sqlite3_column_bytes(statement, c);
        }
        for (int c = 4; c < 9; ++c)
            checksum += sqlite3_column_double(statement, c);
        ++rows;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

} // namespace bench
