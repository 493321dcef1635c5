// The display formats, picture masks and edit masks the fields and edits use, on
// arbitrary formats, masks and values:
// - a number shown with a plain numeric format reads back within its rounding;
// - a picture mask applied twice changes nothing more, and keeps every character of a
//   letters-and-digits value;
// - an edit mask's value is never longer than the text it was read from;
// - the number-length guard of a number edit lets no digit past its limits.

#include "FuzzSupport.h"

#include "host/core/consiste/Consiste.h"
#include "host/core/consiste/DisplayFormat.h"
#include "host/widgets/EditMask.h"

#include <QLocale>

#include <cmath>

namespace {

const QLocale& brazil()
{
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

// Decimals a single-section format of '#', '0', '.' and ',' shows; nothing for any
// other format.
std::optional<int> plainDecimals(const QString& format)
{
    if (format.isEmpty() || format.count(QLatin1Char('.')) > 1)
        return std::nullopt;
    bool placeholder = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('#') || c == QLatin1Char('0'))
            placeholder = true;
        else if (c != QLatin1Char('.') && c != QLatin1Char(','))
            return std::nullopt;
    }
    if (!placeholder)
        return std::nullopt;
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    if (point < 0)
        return 0;
    int decimals = 0;
    for (const QChar c : format.mid(point + 1))
        if (c == QLatin1Char('#') || c == QLatin1Char('0'))
            ++decimals;
    return decimals;
}

void checkFormatFloat(const QString& format, double value)
{
    const QString shownPt = host::FormatFloat(format, value, brazil());
    host::FormatFloat(format, value, QLocale::c());
    const auto decimals = plainDecimals(format);
    if (!decimals || *decimals > 8 || !std::isfinite(value) || std::fabs(value) > 1e12)
        return;
    const double read = host::FloatMaskOut(shownPt, brazil());
    const double tolerance = 0.5001 * std::pow(10.0, -*decimals) + std::fabs(value) * 1e-12;
    fuzz::check(std::fabs(read - value) <= tolerance, "a formatted number reads back within its rounding",
                QStringLiteral("format %1, value %2, shown %3, read %4")
                    .arg(fuzz::shown(format))
                    .arg(value, 0, 'g', 17)
                    .arg(fuzz::shown(shownPt))
                    .arg(read, 0, 'g', 17));
}

bool lettersAndDigits(const QString& text)
{
    for (const QChar c : text)
        if (!c.isLetterOrNumber())
            return false;
    return true;
}

// A picture whose literals are all punctuation, so that no value character can be taken
// for one of them.
bool punctuationLiterals(const QString& mask)
{
    for (const QChar c : mask.section(QLatin1Char(';'), 0, 0))
        if (c.isLetterOrNumber() && !QStringLiteral("90#AaLlCc").contains(c))
            return false;
    return !mask.contains(QLatin1Char('\\'));
}

void checkMaskText(const QString& mask, const QString& value)
{
    const QString once = host::FormatMaskText(mask, value);
    const QString twice = host::FormatMaskText(mask, once);
    fuzz::check(once == twice, "a formatted value formats to itself",
                QStringLiteral("mask %1, value %2, once %3, twice %4")
                    .arg(fuzz::shown(mask), fuzz::shown(value), fuzz::shown(once), fuzz::shown(twice)));
    if (!lettersAndDigits(value) || !punctuationLiterals(mask))
        return;
    QString kept;
    for (const QChar c : once)
        if (c.isLetterOrNumber())
            kept += c;
    fuzz::check(kept.compare(value, Qt::CaseInsensitive) == 0 && kept.size() == value.size(),
                "a picture keeps every character of the value",
                QStringLiteral("mask %1, value %2, shown %3").arg(fuzz::shown(mask), fuzz::shown(value), fuzz::shown(once)));
}

void checkEditMask(const QString& mask, const QString& displayed)
{
    const host::EditMask editMask(mask);
    const QString value = editMask.valueOf(displayed);
    fuzz::check(value.size() <= std::max(displayed.size(), qsizetype(0)),
                "an edit mask's value is not longer than the displayed text",
                QStringLiteral("mask %1, displayed %2, value %3").arg(fuzz::shown(mask), fuzz::shown(displayed), fuzz::shown(value)));
}

qsizetype digitsIn(QStringView text)
{
    qsizetype n = 0;
    for (const QChar c : text)
        n += c >= QLatin1Char('0') && c <= QLatin1Char('9');
    return n;
}

void checkMaxNumber(const QStringList& parts)
{
    const QString text = parts.value(0);
    const int integerDigits = std::clamp(parts.value(1).toInt(), 0, 30);
    const int decimalDigits = std::clamp(parts.value(2).toInt(), 0, 30);
    const QChar typed = parts.value(3).isEmpty() ? QLatin1Char('0') : parts.value(3).at(0);
    const int caret = parts.value(4).toInt();
    const int selection = parts.value(5).toInt();
    if (typed != QLatin1Char(',') && (typed < QLatin1Char('0') || typed > QLatin1Char('9')))
        return; // other keys are not the guard's concern
    if (!host::MaxNumber(text, integerDigits, decimalDigits, typed, caret, selection, brazil()))
        return;
    const qsizetype at = std::clamp<qsizetype>(caret, 0, text.size());
    QString result = text;
    result.replace(at, std::clamp<qsizetype>(selection, 0, text.size() - at), QString(typed));
    const qsizetype point = result.indexOf(QLatin1Char(','));
    const bool inDecimals = point >= 0 && at >= point;
    const qsizetype digits = inDecimals ? digitsIn(QStringView(result).mid(point + 1))
                                        : digitsIn(point < 0 ? QStringView(result) : QStringView(result).left(point));
    if (typed == QLatin1Char(','))
        fuzz::check(decimalDigits > 0 && result.count(QLatin1Char(',')) == 1 &&
                        digitsIn(QStringView(result).mid(point + 1)) <= decimalDigits,
                    "a decimal comma goes in only where decimals fit", fuzz::shown(text));
    else
        fuzz::check(digits <= (inDecimals ? decimalDigits : integerDigits),
                    "a digit goes in only within the edit's digits", fuzz::shown(text));
}

} // namespace

// Input: a first line whose first character chooses the routine, then its arguments,
// one per line:
//   0 format, value          1 picture mask, value          2 edit mask, displayed text
//   3 text, integer digits, decimal digits, key, caret, selection length
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = fuzz::text(fuzz::bytes(data, size));
    if (input.isEmpty())
        return 0;
    const QStringList parts = input.split(QLatin1Char('\n')).mid(1);
    switch (input.at(0).unicode() % 4) {
    case 0:
        checkFormatFloat(parts.value(0), parts.value(1).toDouble());
        break;
    case 1:
        checkMaskText(parts.value(0), parts.mid(1).join(QLatin1Char('\n')));
        break;
    case 2:
        checkEditMask(parts.value(0), parts.mid(1).join(QLatin1Char('\n')));
        break;
    default:
        checkMaxNumber(parts);
        break;
    }
    return 0;
}
