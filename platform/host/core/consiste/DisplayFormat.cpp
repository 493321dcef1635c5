#include "DisplayFormat.h"

#include <QHash>
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

// A format of one section whose literals stand only before or after its digits
// ("#,##0.00000", "#0.00 %"): the common case, written with integer arithmetic.
struct SimpleFormat
{
    bool usable = false;
    QString prefix, suffix;
    bool grouping = false;
    int minIntegerDigits = 0;
    int maxDecimals = 0;
    int minDecimals = 0;
};

SimpleFormat simpleFormatOf(const QString& format)
{
    SimpleFormat simple;
    const QStringList texts = splitSections(format);
    if (texts.size() != 1)
        return simple;
    const Section section = parseSection(texts.at(0));
    int seenDigits = 0;
    const int totalDigits = section.integerPlaceholders + section.maxDecimals;
    for (const Token& token : section.tokens) {
        if (token.kind == Token::Literal) {
            if (seenDigits == 0)
                simple.prefix += token.text;
            else if (seenDigits == totalDigits)
                simple.suffix += token.text;
            else
                return simple;
        } else if (token.kind == Token::Digit) {
            ++seenDigits;
        }
    }
    if (section.integerPlaceholders == 0 || section.maxDecimals > 9)
        return simple;
    simple.usable = true;
    simple.grouping = section.grouping;
    simple.minIntegerDigits = section.minIntegerDigits;
    simple.maxDecimals = section.maxDecimals;
    simple.minDecimals = section.minDecimals;
    return simple;
}

const SimpleFormat& cachedSimpleFormat(const QString& format)
{
    // Callers pass the same literal formats over and over: the last one is checked first.
    thread_local QString lastFormat;
    thread_local const SimpleFormat* last = nullptr;
    if (last && format.constData() == lastFormat.constData() && format.size() == lastFormat.size())
        return *last;
    thread_local QHash<QString, SimpleFormat> cache;
    auto it = cache.constFind(format);
    if (it == cache.constEnd())
        it = cache.insert(format, simpleFormatOf(format));
    lastFormat = format;
    last = &it.value();
    return it.value();
}

// The separators of a locale, read from the locale once.
struct Separators
{
    QString decimalPoint, group, negative;
};

const Separators& separatorsOf(const QLocale& locale)
{
    thread_local QLocale lastLocale(QLocale::C);
    thread_local Separators separators{QStringLiteral("."), QStringLiteral(","), QStringLiteral("-")};
    if (!(locale == lastLocale)) {
        lastLocale = locale;
        separators = {locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign()};
    }
    return separators;
}

// The most characters writeSimple() writes for a format and separators.
qsizetype simpleLength(const SimpleFormat& f, const Separators& separators)
{
    const qsizetype integerDigits = std::max(15, f.minIntegerDigits);
    return separators.negative.size() + f.prefix.size() +
           integerDigits * (1 + separators.group.size()) + separators.decimalPoint.size() +
           f.maxDecimals + f.suffix.size();
}

// Writes `value` in a simple format at `out`, which has room for simpleLength() characters;
// returns the end of what was written, or nullptr (nothing meaningful written) when the
// value needs the exact path: too large, or so close to a rounding tie that the double's
// last digits decide it.
char16_t* writeSimple(const SimpleFormat& f, double value, const Separators& separators,
                      char16_t* out)
{
    static const double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double scaled = std::fabs(value) * kPowers[f.maxDecimals];
    if (!(scaled < 1e15))
        return nullptr;
    const double floorPart = std::floor(scaled);
    if (std::fabs(scaled - floorPart - 0.5) < 1e-6)
        return nullptr;
    const auto units = static_cast<qint64>(scaled - floorPart >= 0.5 ? floorPart + 1 : floorPart);
    const qint64 divisor = static_cast<qint64>(kPowers[f.maxDecimals]);
    qint64 integer = units / divisor;
    qint64 fraction = units % divisor;

    char16_t fractionDigits[10];
    int decimals = f.maxDecimals;
    for (int i = decimals - 1; i >= 0; --i) {
        fractionDigits[i] = char16_t(u'0' + fraction % 10);
        fraction /= 10;
    }
    while (decimals > f.minDecimals && fractionDigits[decimals - 1] == u'0')
        --decimals;

    char16_t integerDigits[16];
    int length = 0;
    do {
        integerDigits[length++] = char16_t(u'0' + integer % 10);
        integer /= 10;
    } while (integer > 0);
    if (length == 1 && integerDigits[0] == u'0' && f.minIntegerDigits == 0)
        length = 0;

    auto put = [&out](const QString& piece) {
        out = std::copy_n(reinterpret_cast<const char16_t*>(piece.utf16()), piece.size(), out);
    };
    if (value < 0 && units > 0)
        put(separators.negative);
    put(f.prefix);
    const int shown = std::max(length, f.minIntegerDigits);
    for (int i = shown - 1; i >= 0; --i) {
        *out++ = i < length ? integerDigits[i] : u'0';
        if (f.grouping && i > 0 && i % 3 == 0)
            put(separators.group);
    }
    if (decimals > 0) {
        put(separators.decimalPoint);
        out = std::copy_n(fractionDigits, decimals, out);
    }
    put(f.suffix);
    return out;
}

// Appends `value` in a simple format to `out`; false (and `out` untouched) when the value
// needs the exact path.
bool formatSimple(const SimpleFormat& f, double value, const Separators& separators, QString& out)
{
    const qsizetype before = out.size();
    out.resize(before + simpleLength(f, separators));
    char16_t* end = writeSimple(f, value, separators, reinterpret_cast<char16_t*>(out.data()) + before);
    out.truncate(end ? end - reinterpret_cast<const char16_t*>(out.constData()) : before);
    return end != nullptr;
}

} // namespace

QString FormatFloat(const QString& format, double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);
    if (format.isEmpty())
        return generalForm(value, locale);

    const SimpleFormat& simple = cachedSimpleFormat(format);
    if (simple.usable) {
        QString out;
        if (formatSimple(simple, value, separatorsOf(locale), out))
            return out;
    }

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

struct FloatFormat::Compiled
{
    QString format;
    QLocale locale;
    SimpleFormat simple;
    Separators separators;
    qsizetype length = 0;
};

FloatFormat::FloatFormat(const QString& format, const QLocale& locale)
    : d(std::make_shared<Compiled>(Compiled{format, locale, simpleFormatOf(format),
                                            {locale.decimalPoint(), locale.groupSeparator(),
                                             locale.negativeSign()}}))
{
    // The digits are written into a buffer of fixed size: longer separators take the
    // general path.
    d->length = simpleLength(d->simple, d->separators);
}

qsizetype FloatFormat::fastLength() const
{
    return d->length;
}

char16_t* FloatFormat::writeFast(char16_t* out, double value) const
{
    if (!d->simple.usable || !std::isfinite(value))
        return nullptr;
    return writeSimple(d->simple, value, d->separators, out);
}

void FloatFormat::appendTo(QString& out, double value) const
{
    if (d->simple.usable && std::isfinite(value) && formatSimple(d->simple, value, d->separators, out))
        return;
    out += FormatFloat(d->format, value, d->locale);
}

QString FloatFormat::operator()(double value) const
{
    QString text;
    appendTo(text, value);
    return text;
}

} // namespace host
