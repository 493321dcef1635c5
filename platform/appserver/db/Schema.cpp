#include "Schema.h"

#include <host/core/Database.h>
#include <host/core/Exceptions.h>

#include <QFile>
#include <QSqlQuery>
#include <QVariant>

namespace appserver::db {

QString schemaScript()
{
    QFile file(QStringLiteral(":/db/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw host::EDatabaseError(
            QStringLiteral("O script do esquema do banco de dados não foi encontrado."));
    return QString::fromUtf8(file.readAll());
}

QString schemaScript(const QString& dialect)
{
    // A line "-- [sqlite]" or "-- [postgresql]" starts a part for that database only;
    // "-- [all]" ends it.
    QString result;
    QString only;
    const QStringList lines = schemaScript().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("-- [")) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString tag = trimmed.mid(4, trimmed.size() - 5);
            only = tag == QLatin1String("all") ? QString() : tag;
            continue;
        }
        if (only.isEmpty() || only == dialect)
            result += line + QLatin1Char('\n');
    }
    return result;
}

void createSchemaInTransaction(host::Database& db)
{
    db.execScript(schemaScript(db.dialect()));
}

void createSchema(host::Database& db)
{
    host::Transaction tx(db);
    createSchemaInTransaction(db);
    tx.commit();
}

void upgradeSchema(host::Database& db)
{
    if (hasSchema(db) && schemaVersion(db) < kSchemaVersion)
        createSchema(db);
}

bool hasSchema(host::Database& db)
{
    return db.sql().tables().contains(QStringLiteral("VERSAOBD"), Qt::CaseInsensitive);
}

int schemaVersion(host::Database& db)
{
    if (!hasSchema(db))
        return 0;
    QSqlQuery query(db.sql());
    if (!query.exec(QStringLiteral("SELECT MAX(NRVERSAOBD) FROM VERSAOBD")) || !query.next())
        return 0;
    return query.value(0).toInt();
}

QStringList dataTables()
{
    return {
        QStringLiteral("FILIAL"),       QStringLiteral("OPERADOR"),  QStringLiteral("COMPRADOR"),
        QStringLiteral("GERECOMP"),     QStringLiteral("REGIAO"),    QStringLiteral("QUALIFICACAO"),
        QStringLiteral("FORNECEDOR"),   QStringLiteral("REFOREG"),   QStringLiteral("PRODUTO"),
        QStringLiteral("MARCA"),        QStringLiteral("MARCPROD"),  QStringLiteral("QFOMARPROD"),
        QStringLiteral("QFOPRODFORN"),  QStringLiteral("PRODCOMP"),  QStringLiteral("PRODFORN"),
        QStringLiteral("PRODFILI"),     QStringLiteral("PARASUPRI"), QStringLiteral("PARAMGERAL"),
        QStringLiteral("SOLICOMP"),     QStringLiteral("COLETAPR"),  QStringLiteral("ITEMCOLE"),
        QStringLiteral("PZOPGTITMCOL"), QStringLiteral("IMPCOLET"),  QStringLiteral("COTNDUPLIC"),
        QStringLiteral("REQGRAVACAO"),  QStringLiteral("SESSAOAPP"), QStringLiteral("FALHALOGIN"),
    };
}

} // namespace appserver::db
