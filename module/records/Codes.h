#pragma once

// Codes as the module sends and compares them: fixed-width normalisation, product range
// bounds, chosen-code lists and their all-markers.

#include <QString>
#include <QStringList>
#include <optional>

namespace module {

// ---- Normalisation of typed codes (host Ajusta to the code's width) --------------------

QString normaliseBrand(const QString& code);           // width 5
QString normaliseRegion(const QString& code);          // width 3
QString normaliseBuyer(const QString& code);           // width 12
QString normaliseQuotationNumber(const QString& code); // width 10
// A week number as two-digit text: 5 -> "05", 53 -> "53"; a week below 1 gives "".
QString normaliseWeek(int week);
// A typed week ("5", " 5 ") -> "05"; an empty text stays "".
QString normaliseWeek(const QString& week);

// ---- Product range ----------------------------------------------------------------------

// Length of a product range bound: the final code is filled with "Z" up to it.
inline constexpr int ProductRangeBoundLength = 10;

// Upper bound of a product range: the final code (blanks dropped) followed by "Z" up to 10
// characters in all ("123" -> "123ZZZZZZZ"; "" -> "ZZZZZZZZZZ", i.e. no upper limit);
// a code of 10 characters or more is returned as it is.
QString productRangeUpperBound(const QString& finalCode);

struct ProductRange
{
    QString initial;    // the initial code as typed (blanks dropped); "" = from the first product
    QString upperBound; // productRangeUpperBound of the final code
};

// The pair sent for a product range: two empty strings when neither code is given,
// otherwise the initial code and the upper bound of the final code (either may be empty:
// an empty initial code stays empty, an empty final code becomes "ZZZZZZZZZZ").
ProductRange productRange(const QString& initialCode, const QString& finalCode);

// ---- Chosen-code lists ------------------------------------------------------------------

// The list of chosen codes as one string: "_" + codes joined by "_" + "_" ("_001_004_");
// "" when nothing is chosen. A single code k gives "_" + k + "_".
// Codes are written as given; a code that is empty or contains "_" cannot be written
// unambiguously and makes the function return std::nullopt.
std::optional<QString> joinChosenCodes(const QStringList& codes);

// Same, for a single code chosen by the module itself ("_" + k + "_").
QString singleChosenCode(const QString& code);

// Reads a chosen-code list back into its codes, in order. "" gives an empty list.
// Malformed text gives std::nullopt: not starting and ending with "_", an empty code
// ("__"), a code made only of blanks, or a control character.
std::optional<QStringList> parseChosenCodes(const QString& list);

// ---- All-markers --------------------------------------------------------------------------

// Marker that goes beside a chosen-code list: "T" means all codes (the list is ignored).
inline constexpr const char* AllMarker = "T";

// The marker for "all" or for "the list applies" (which is "").
QString allMarker(bool all);

// True when the marker says all codes: "T" (surrounding blanks ignored). "" or " " (or any
// other text) means that the list applies.
bool isAllMarker(const QString& marker);

} // namespace module
