#include "WorksheetItems.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <sqlite3.h>

namespace appserver::modules {

namespace {

std::string_view columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(statement, column)))
                : std::string_view();
}

void bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    const QByteArray text = value.toString().toUtf8();
    sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

void readWithSqlite(host::Database& db, const BoundSql& sql,
                    const std::function<void(const WorksheetItemRow&)>& row)
{
    sqlite3* handle = *static_cast<sqlite3**>(db.sql().driver()->handle().data());
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.text.toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw host::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
    struct Finalizer
    {
        sqlite3_stmt* s;
        ~Finalizer() { sqlite3_finalize(s); }
    } finalizer{statement};
    for (int i = 0; i < sql.values.size(); ++i)
        bindValue(statement, i + 1, sql.values[i]);
    WorksheetItemRow item;
    int status;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        item.region = columnText(statement, 0);
        item.supplier = columnText(statement, 1);
        item.product = columnText(statement, 2);
        item.brand = columnText(statement, 3);
        item.unitPrice = sqlite3_column_double(statement, 4);
        item.economicPrice = sqlite3_column_double(statement, 5);
        item.economicPricePI = sqlite3_column_double(statement, 6);
        item.quantity = sqlite3_column_double(statement, 7);
        item.discount = sqlite3_column_double(statement, 8);
        row(item);
    }
    if (status != SQLITE_DONE)
        throw host::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
}

void readWithDriver(host::Database& db, const BoundSql& sql,
                    const std::function<void(const WorksheetItemRow&)>& row)
{
    QSqlQuery query(db.sql());
    query.setForwardOnly(true);
    if (!query.prepare(sql.text))
        throw host::EDatabaseError(query.lastError().text());
    for (int i = 0; i < sql.values.size(); ++i)
        query.bindValue(i, sql.values[i]);
    if (!query.exec())
        throw host::EDatabaseError(query.lastError().text());
    WorksheetItemRow item;
    QByteArray codes[4];
    while (query.next()) {
        for (int c = 0; c < 4; ++c)
            codes[c] = query.value(c).toString().toUtf8();
        item.region = std::string_view(codes[0].constData(), size_t(codes[0].size()));
        item.supplier = std::string_view(codes[1].constData(), size_t(codes[1].size()));
        item.product = std::string_view(codes[2].constData(), size_t(codes[2].size()));
        item.brand = std::string_view(codes[3].constData(), size_t(codes[3].size()));
        item.unitPrice = query.value(4).toDouble();
        item.economicPrice = query.value(5).toDouble();
        item.economicPricePI = query.value(6).toDouble();
        item.quantity = query.value(7).toDouble();
        item.discount = query.value(8).toDouble();
        row(item);
    }
}

} // namespace

void forEachWorksheetItem(host::Database& db, const BoundSql& sql,
                          const std::function<void(const WorksheetItemRow&)>& row)
{
    try {
        if (db.kind() == host::DatabaseKind::SQLite)
            readWithSqlite(db, sql, row);
        else
            readWithDriver(db, sql, row);
    } catch (const host::EDatabaseError& e) {
        throw host::EDatabaseError(
            QStringLiteral("Erro ao ler os itens da cotação: %1").arg(e.message()));
    }
}

} // namespace appserver::modules
