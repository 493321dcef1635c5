#pragma once

// Which suppliers a buyer is offered in the supplier searches: active ones whose
// qualification does not keep them out at a reference date (the collection date).

#include <QString>

namespace module {

// Parameter of the qualification expiry rule (PARASUPRI.IDULTIDTVALQ): "D" = valid up to
// the day of DTVALQUALIF, "M" = valid up to the last day of that month.
inline constexpr const char* QualificationRuleParameter = "P_IDULTIDTVALQ";
// Reference-date parameter of the supplier searches.
inline constexpr const char* SearchReferenceDateParameter = "P_DTCOL";

// SQL condition (for a WHERE clause, parenthesised) true for a supplier row that may be
// offered: FORNECEDOR.IDSITUCADA = 'A' and no qualification row (QUALIFICACAO through
// FORNECEDOR.CDQUALIF) such that the supplier is not automatic (IDFORNAUTO = 'N') and either
// the qualification's IDPERCOTCMP is '2' or the qualification is out of date at the
// reference date: with rule 'D' when the date is after FORNECEDOR.DTVALQUALIF, with 'M' when
// it is after the last day of that month (LAST_DAY).
//
// Named parameters: `:P_IDULTIDTVALQ` and `:<referenceDateParameter>` (without the colon,
// "P_DTCOL" by default). Dates are ISO text ("yyyy-MM-dd"), so bind the reference date as a
// QDate or as ISO text and the comparisons are text comparisons. `supplierTable` is the name
// or alias under which the query reads FORNECEDOR.
// A supplier whose CDQUALIF is null or names no QUALIFICACAO row is offered; so is one
// whose DTVALQUALIF is null, or when the reference date or the rule is null or unknown
// (nothing proves the qualification out of date).
QString supplierOfferedCondition(
    const QString& referenceDateParameter = QString::fromLatin1(SearchReferenceDateParameter),
    const QString& supplierTable = QStringLiteral("FORNECEDOR"));

} // namespace module
