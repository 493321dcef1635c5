#include "OfferedSuppliers.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "module/records/Qualification.h"

#include <QSqlQuery>
#include <QVariantList>

namespace appserver::modules {

namespace {

const QString kSupplierParameter = QStringLiteral("P_CDFORNECED");

} // namespace

OfferedSuppliers::OfferedSuppliers(host::Database& db, const QString& validityRule,
                                   const QDate& collected)
    : m_db(db), m_validityRule(validityRule), m_collected(collected.toString(Qt::ISODate)),
      m_sql(host::ParsedSql::parse(QStringLiteral("SELECT 1 FROM FORNECEDOR WHERE "
                                                  "FORNECEDOR.CDFORNECED = :") +
                                   kSupplierParameter + QStringLiteral(" AND ") +
                                   module::supplierOfferedCondition()))
{
}

OfferedSuppliers OfferedSuppliers::atCentre(host::Database& db, const QString& centre,
                                            const QDate& collected)
{
    QSqlQuery parameters =
        db.run(QStringLiteral("SELECT IDULTIDTVALQ FROM PARASUPRI WHERE CDFILIAL = ?"), {centre});
    if (!parameters.next())
        throw rpc::Refusal(
            QStringLiteral("Parâmetros de compras da central %1 não cadastrados.").arg(centre));
    return OfferedSuppliers(db, parameters.value(0).toString().trimmed(), collected);
}

bool OfferedSuppliers::offered(const QString& supplier) const
{
    QVariantList values;
    for (const QString& name : m_sql.occurrences)
        values.append(name == kSupplierParameter                                  ? supplier
                      : name == QLatin1String(module::QualificationRuleParameter) ? m_validityRule
                                                                                  : m_collected);
    return m_db.run(m_sql.sql, values).next();
}

} // namespace appserver::modules
