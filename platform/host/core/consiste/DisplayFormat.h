#pragma once

// Display formats of numeric fields ("#,##0.00000", "#0.00 %", ...), as the screens'
// columns and panels show prices, quantities and discounts.

#include "host/core/consiste/Consiste.h"

#include <QLocale>
#include <QString>
#include <memory>

namespace host {

// Formats a number with a display format, using the locale's decimal and thousands
// separators (pt_BR: FormatFloat("#,##0.00000", 1234.5) == "1.234,50000").
//
// Format characters:
//   '0'   a digit always shown (leading or trailing zero when needed);
//   '#'   a digit shown only when significant;
//   '.'   the decimal separator (the first one; shown only when decimals follow);
//   ','   anywhere in the format: group the integer digits by thousands;
//   '...' or "..."  quoted literal text; any other character is literal text as well
//         (e.g. " %" in "#0.00 %").
// The number of '0'/'#' after the point is the maximum of decimals; the last '0' after it
// sets the minimum. The value is rounded half away from zero on its decimal digits
// (1.005 with "#0.00" gives "1,01"), so binary representation does not show through.
// Integer digits beyond the placeholders are never cut: the leftmost placeholder takes them.
// Up to three sections separated by ';' format positive, negative and zero values; a
// negative value formatted with the first section gets the locale's minus sign in front;
// a value that rounds to zero never shows a minus sign.
// An empty format shows the number in the general form (up to 15 significant digits,
// the locale's decimal separator, no grouping).
QString FormatFloat(const QString& format, double value, const QLocale& locale = operatorLocale());

// A display format read once, for writing many numbers with it: the same text as
// FormatFloat(format, value, locale), appended to a text without allocating on its own.
class FloatFormat
{
public:
    explicit FloatFormat(const QString& format, const QLocale& locale = operatorLocale());

    void appendTo(QString& out, double value) const;
    QString operator()(double value) const;

    // For writers of long texts: writes the number at `out`, which has room for
    // fastLength() characters, and returns the end of what it wrote; nullptr when the value
    // needs FormatFloat's exact path (very large, or a rounding tie), and then what was
    // written at `out` means nothing.
    char16_t* writeFast(char16_t* out, double value) const;
    qsizetype fastLength() const;

private:
    struct Compiled;
    std::shared_ptr<Compiled> d;
};

} // namespace host
