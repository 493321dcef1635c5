#include "BoundSql.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/Query.h"

#include <QSqlError>
#include <QSqlQuery>

namespace appserver::modules {

BoundSql& BoundSql::add(const QString& fragment, const QVariantList& fragmentValues)
{
    text += fragment;
    values += fragmentValues;
    return *this;
}

BoundSql& BoundSql::add(const BoundSql& fragment)
{
    return add(fragment.text, fragment.values);
}

host::Packet runPacket(host::Database& db, const BoundSql& sql, const host::FieldDefs& hints)
{
    QSqlQuery query(db.sql());
    query.setForwardOnly(true);
    if (!query.prepare(sql.text))
        throw host::EDatabaseError(
            QStringLiteral("Erro na consulta: %1").arg(query.lastError().text()));
    for (qsizetype i = 0; i < sql.values.size(); ++i) {
        const QVariant& value = sql.values[i];
        // A QDate that is null still counts as a value for QVariant: bind NULL for it.
        const bool missingDate =
            value.metaType().id() == QMetaType::QDate && !value.toDate().isValid();
        query.bindValue(int(i), host::Query::bindable(missingDate ? QVariant() : value));
    }
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(query.lastError().text()));
    return host::Query::readAll(query, hints);
}

} // namespace appserver::modules
