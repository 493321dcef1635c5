#include "Qualification.h"

namespace module {

QString supplierOfferedCondition(const QString& referenceDateParameter,
                                 const QString& supplierTable)
{
    const QString f = supplierTable;
    const QString date = QLatin1Char(':') + referenceDateParameter;
    const QString rule = QLatin1Char(':') + QString::fromLatin1(QualificationRuleParameter);
    return QStringLiteral("(%1.IDSITUCADA = 'A' AND NOT EXISTS ("
                          "SELECT 1 FROM QUALIFICACAO QLF "
                          "WHERE QLF.CDQUALIF = %1.CDQUALIF "
                          "AND %1.IDFORNAUTO = 'N' "
                          "AND (QLF.IDPERCOTCMP = '2' "
                          "OR (%3 = 'D' AND %2 > %1.DTVALQUALIF) "
                          "OR (%3 = 'M' AND %2 > LAST_DAY(%1.DTVALQUALIF)))))")
        .arg(f, date, rule);
}

} // namespace module
