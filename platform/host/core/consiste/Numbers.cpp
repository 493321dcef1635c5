#include "Consiste.h"

#include <algorithm>

namespace host {
namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype countDigits(QStringView text)
{
    qsizetype n = 0;
    for (const QChar c : text)
        if (isAsciiDigit(c))
            ++n;
    return n;
}

} // namespace

double FloatMaskOut(const QString& text, const QLocale& locale)
{
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace() && c != QLatin1Char('%'))
            plain.append(c);
    plain.remove(locale.groupSeparator());
    plain.remove(locale.percent());
    plain.replace(locale.decimalPoint(), QLatin1String("."));
    plain.replace(locale.negativeSign(), QLatin1String("-"));
    if (plain.isEmpty())
        return 0.0;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? value : 0.0;
}

bool MaxNumber(const QString& text, int integerDigits, int decimalDigits, QChar typed, int caretPos,
               int selectionLength, const QLocale& locale)
{
    const QString decimalPoint = locale.decimalPoint();
    const bool isDecimalPoint = QString(typed) == decimalPoint;
    if (!isAsciiDigit(typed) && !isDecimalPoint)
        return true; // control keys and other characters are the edit's own business

    const qsizetype caret = std::clamp<qsizetype>(caretPos, 0, text.size());
    const qsizetype selected = std::clamp<qsizetype>(selectionLength, 0, text.size() - caret);
    QString result = text;
    result.replace(caret, selected, QString(typed));

    const qsizetype separator = result.indexOf(decimalPoint);
    const QStringView whole(result);
    const QStringView integerPart = separator < 0 ? whole : whole.left(separator);
    const QStringView decimalPart =
        separator < 0 ? QStringView() : whole.mid(separator + decimalPoint.size());

    if (isDecimalPoint) {
        if (decimalDigits <= 0 || result.count(decimalPoint) > 1)
            return false;
        return countDigits(decimalPart) <= decimalDigits;
    }
    const bool inIntegerPart = separator < 0 || caret < separator;
    return inIntegerPart ? countDigits(integerPart) <= integerDigits
                         : countDigits(decimalPart) <= decimalDigits;
}

} // namespace host
