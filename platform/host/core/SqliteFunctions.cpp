#include "SqliteFunctions.h"

#include <QDate>
#include <QString>
#include <sqlite3.h>

namespace host::Internal {
namespace {

bool isBlank(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return true;
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return false;
    const unsigned char* text = sqlite3_value_text(v);
    for (; text && *text; ++text)
        if (*text != ' ')
            return false;
    return true;
}

void nvlstr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_value(ctx, isBlank(argv[0]) ? argv[1] : argv[0]);
}

void lastDay(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    // Dates are stored as ISO text; a date-time keeps only its date part.
    const QDate date = QDate::fromString(QString::fromLatin1(raw).left(10), Qt::ISODate);
    if (!date.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    const QDate last(date.year(), date.month(), date.daysInMonth());
    const QByteArray iso = last.toString(Qt::ISODate).toLatin1();
    sqlite3_result_text(ctx, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

} // namespace

bool registerSqliteFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "NVLSTR", 2, flags, nullptr, nvlstr, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "LAST_DAY", 1, flags, nullptr, lastDay, nullptr,
                                   nullptr) == SQLITE_OK;
}

} // namespace host::Internal
