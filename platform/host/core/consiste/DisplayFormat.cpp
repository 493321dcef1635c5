#include "DisplayFormat.h"

#include <QList>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace host {
namespace {

// ---- Decimal rounding -------------------------------------------------------------------

struct DecimalDigits
{
    QString integer;  // no leading zeros; "" when the integer part is 0
    QString fraction; // exactly the requested number of decimals
    bool isZero() const
    {
        return integer.isEmpty() && std::all_of(fraction.cbegin(), fraction.cend(),
                                                [](QChar c) { return c == QLatin1Char('0'); });
    }
};

// Adds one unit in the last place of a digit string; returns false on a carry out.
bool incrementDigits(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return true;
        }
    }
    return false;
}

// Rounds a non-negative finite value to `decimals` places, half away from zero, working on
// its 15 significant decimal digits (all a double holds reliably).
DecimalDigits roundToDecimals(double value, int decimals)
{
    const QString scientific = QString::number(value, 'e', 14); // d.dddddddddddddde±XX
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(1) + scientific.mid(2, e - 2);
    qsizetype integerCount = scientific.mid(e + 1).toInt() + 1;
    if (integerCount < 0) {
        digits.prepend(QString(-integerCount, QLatin1Char('0')));
        integerCount = 0;
    }
    if (digits.size() < integerCount + decimals)
        digits.append(QString(integerCount + decimals - digits.size(), QLatin1Char('0')));

    const qsizetype kept = integerCount + decimals;
    const bool roundUp = digits.size() > kept && digits.at(kept) >= QLatin1Char('5');
    digits.truncate(kept);
    if (roundUp && !incrementDigits(digits)) {
        digits.prepend(QLatin1Char('1'));
        ++integerCount;
    }

    DecimalDigits result;
    result.integer = digits.left(integerCount);
    result.fraction = digits.mid(integerCount);
    qsizetype leadingZeros = 0;
    while (leadingZeros < result.integer.size() &&
           result.integer.at(leadingZeros) == QLatin1Char('0'))
        ++leadingZeros;
    result.integer.remove(0, leadingZeros);
    return result;
}

// ---- Format sections --------------------------------------------------------------------

struct Token
{
    enum Kind
    {
        Digit,
        Point,
        Literal
    } kind;
    QChar placeholder; // '0' or '#' for Digit
    QString text;      // for Literal
};

struct Section
{
    QList<Token> tokens;
    bool grouping = false;
    int integerPlaceholders = 0;
    int minIntegerDigits = 0;
    int maxDecimals = 0;
    int minDecimals = 0;
};

// Splits a format at the ';' that are not inside quotes.
QStringList splitSections(const QString& format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
            continue;
        }
        current.append(c);
    }
    sections.append(current);
    return sections;
}

Section parseSection(const QString& text)
{
    Section section;
    bool afterPoint = false;
    int integerZeroFrom = -1; // index among integer placeholders of the first '0'
    int decimalIndex = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            section.tokens.append({Token::Digit, c, {}});
            if (afterPoint) {
                ++decimalIndex;
                section.maxDecimals = decimalIndex;
                if (c == QLatin1Char('0'))
                    section.minDecimals = decimalIndex;
            } else {
                if (c == QLatin1Char('0') && integerZeroFrom < 0)
                    integerZeroFrom = section.integerPlaceholders;
                ++section.integerPlaceholders;
            }
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint)
                section.tokens.append({Token::Point, {}, {}});
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            section.grouping = true;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            section.tokens.append({Token::Literal, {}, text.mid(i + 1, stop - i - 1)});
            i = stop;
        } else {
            section.tokens.append({Token::Literal, {}, QString(c)});
        }
    }
    section.minIntegerDigits =
        integerZeroFrom < 0 ? 0 : section.integerPlaceholders - integerZeroFrom;
    return section;
}

// Writes the digits of a rounded value into the section's placeholders.
QString render(const Section& section, const DecimalDigits& number, const QLocale& locale)
{
    QString fraction = number.fraction;
    while (fraction.size() > section.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString integer = number.integer;
    if (integer.size() < section.minIntegerDigits)
        integer = integer.rightJustified(section.minIntegerDigits, QLatin1Char('0'));

    const QString groupSeparator = locale.groupSeparator();
    const qsizetype length = integer.size();
    QString out;
    qsizetype nextDigit = 0; // next integer digit to write
    auto writeIntegerDigits = [&](qsizetype upTo) {
        for (; nextDigit < upTo; ++nextDigit) {
            out.append(integer.at(nextDigit));
            const qsizetype fromRight = length - 1 - nextDigit;
            if (section.grouping && fromRight > 0 && fromRight % 3 == 0)
                out.append(groupSeparator);
        }
    };

    int integerSlot = 0;  // integer placeholders met so far
    int fractionSlot = 0; // decimal placeholders met so far
    bool afterPoint = false;
    bool digitsStarted = false;
    for (const Token& token : section.tokens) {
        switch (token.kind) {
        case Token::Digit:
            if (afterPoint) {
                if (fractionSlot < fraction.size())
                    out.append(fraction.at(fractionSlot));
                ++fractionSlot;
            } else {
                // Placeholder k from the left gets the digits up to its place from the right;
                // the first one also takes every digit beyond the placeholders.
                ++integerSlot;
                const qsizetype upTo = length - (section.integerPlaceholders - integerSlot);
                if (upTo > nextDigit)
                    digitsStarted = true;
                writeIntegerDigits(std::max(nextDigit, upTo));
            }
            break;
        case Token::Point:
            if (section.integerPlaceholders == 0) // ".00": integer digits still show
                writeIntegerDigits(length);
            afterPoint = true;
            if (!fraction.isEmpty())
                out.append(locale.decimalPoint());
            break;
        case Token::Literal:
            // Literals between integer placeholders show only once digits have started.
            if (afterPoint || digitsStarted || integerSlot == 0 ||
                integerSlot == section.integerPlaceholders)
                out.append(token.text);
            break;
        }
    }
    return out;
}

QString generalForm(double value, const QLocale& locale)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

} // namespace

QString FormatFloat(const QString& format, double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);
    if (format.isEmpty())
        return generalForm(value, locale);

    const QStringList texts = splitSections(format);
    const bool negative = value < 0;
    const bool ownNegativeSection = negative && texts.size() >= 2 && !texts.at(1).isEmpty();

    Section section = parseSection(ownNegativeSection ? texts.at(1) : texts.at(0));
    DecimalDigits number = roundToDecimals(std::fabs(value), section.maxDecimals);
    if (number.isZero()) {
        if (texts.size() >= 3 && !texts.at(2).isEmpty()) {
            section = parseSection(texts.at(2));
            number = roundToDecimals(0.0, section.maxDecimals);
        } else if (ownNegativeSection) {
            section = parseSection(texts.at(0));
            number = roundToDecimals(0.0, section.maxDecimals);
        }
        return render(section, number, locale);
    }
    const QString text = render(section, number, locale);
    return negative && !ownNegativeSection ? locale.negativeSign() + text : text;
}

} // namespace host
