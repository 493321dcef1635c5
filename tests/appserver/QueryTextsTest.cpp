// Every query text of every screen, in the variant for the database at hand, is accepted by
// that database: its tables, columns and functions exist there and its parameters can be
// typed. The screens read reference data straight from the shared database, so a text that
// only SQLite understands would fail a site on PostgreSQL the first time it is opened.

#include "DbTestSupport.h"

#include <appserver/db/Seed.h>
#include <host/core/Query.h>
#include <host/core/SqlTexts.h>

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QStringList screens()
{
    QStringList result;
    for (const QString& file : QDir(QStringLiteral(":/forms")).entryList({QStringLiteral("*.sql")}))
        result << file.chopped(4);
    return result;
}

} // namespace

TEST(QueryTexts, EveryScreenQueryIsAcceptedByTheDatabase)
{
    dbtest::TempDatabase temp;
    host::Database& db = temp.db();
    appserver::db::seedDemo(db, dbtest::referenceDay());
    const QStringList all = screens();
    ASSERT_GE(all.size(), 10);
    int checked = 0;
    for (const QString& screen : all) {
        const host::SqlTexts& texts = host::SqlTexts::forScreen(screen);
        for (const QString& name : texts.names()) {
            const host::ParsedSql parsed = host::ParsedSql::parse(texts.text(name, db.dialect()));
            QSqlQuery query(db.sql());
            EXPECT_TRUE(query.prepare(parsed.sql))
                << screen.toStdString() << " " << name.toStdString() << ": "
                << query.lastError().text().toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);
}
