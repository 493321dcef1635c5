#include "Statement.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <sqlite3.h>

namespace appserver::modules {

struct Statement::Impl
{
    virtual ~Impl() = default;
    virtual void bind(int index, const QString& text) = 0;
    virtual void bind(int index, double number) = 0;
    virtual void bindNull(int index) = 0;
    virtual int execute() = 0;
    virtual std::optional<double> readNumber() = 0;
};

struct Statement::SqliteImpl : Statement::Impl
{
    SqliteImpl(host::Database& db, const QString& sql)
        : handle(*static_cast<sqlite3**>(db.sql().driver()->handle().data()))
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr) !=
            SQLITE_OK)
            fail();
    }
    ~SqliteImpl() override { sqlite3_finalize(statement); }

    [[noreturn]] void fail()
    {
        const QString why = QString::fromUtf8(sqlite3_errmsg(handle));
        if (statement)
            sqlite3_reset(statement);
        throw host::EDatabaseError(QStringLiteral("Erro no banco de dados: %1").arg(why));
    }
    void check(int status)
    {
        if (status != SQLITE_OK)
            fail();
    }
    void bind(int index, const QString& text) override
    {
        const QByteArray utf8 = text.toUtf8();
        check(sqlite3_bind_text(statement, index + 1, utf8.constData(), int(utf8.size()),
                                SQLITE_TRANSIENT));
    }
    void bind(int index, double number) override
    {
        check(sqlite3_bind_double(statement, index + 1, number));
    }
    void bindNull(int index) override { check(sqlite3_bind_null(statement, index + 1)); }
    int execute() override
    {
        int status;
        while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        }
        if (status != SQLITE_DONE)
            fail();
        sqlite3_reset(statement);
        return sqlite3_changes(handle);
    }
    std::optional<double> readNumber() override
    {
        const int status = sqlite3_step(statement);
        if (status != SQLITE_ROW && status != SQLITE_DONE)
            fail();
        std::optional<double> value;
        if (status == SQLITE_ROW)
            value = sqlite3_column_double(statement, 0);
        sqlite3_reset(statement);
        return value;
    }

    sqlite3* handle;
    sqlite3_stmt* statement = nullptr;
};

struct Statement::DriverImpl : Statement::Impl
{
    DriverImpl(host::Database& db, const QString& sql) : query(db.sql())
    {
        if (!query.prepare(sql))
            fail();
    }
    [[noreturn]] void fail()
    {
        throw host::EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(query.lastError().text()));
    }
    void bind(int index, const QString& text) override { query.bindValue(index, text); }
    void bind(int index, double number) override { query.bindValue(index, number); }
    void bindNull(int index) override
    {
        query.bindValue(index, QVariant(QMetaType::fromType<QString>()));
    }
    int execute() override
    {
        if (!query.exec())
            fail();
        return query.numRowsAffected();
    }
    std::optional<double> readNumber() override
    {
        if (!query.exec())
            fail();
        if (!query.next())
            return std::nullopt;
        const double value = query.value(0).toDouble();
        query.finish();
        return value;
    }

    QSqlQuery query;
};

Statement::Statement(host::Database& db, const QString& sql)
{
    if (db.kind() == host::DatabaseKind::SQLite)
        d = std::make_unique<SqliteImpl>(db, sql);
    else
        d = std::make_unique<DriverImpl>(db, sql);
}

Statement::~Statement() = default;

Statement& Statement::bind(int index, const QString& text)
{
    d->bind(index, text);
    return *this;
}

Statement& Statement::bind(int index, double number)
{
    d->bind(index, number);
    return *this;
}

Statement& Statement::bindNull(int index)
{
    d->bindNull(index);
    return *this;
}

int Statement::execute()
{
    return d->execute();
}

std::optional<double> Statement::readNumber()
{
    return d->readNumber();
}

} // namespace appserver::modules
