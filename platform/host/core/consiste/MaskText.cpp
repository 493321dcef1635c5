#include "Consiste.h"

#include <QList>

namespace host {
namespace {

enum class CaseMode
{
    Keep,
    Upper,
    Lower
};

struct MaskElement
{
    QChar ch;
    bool placeholder = false;
    CaseMode caseMode = CaseMode::Keep;
};

bool isPlaceholder(QChar c)
{
    switch (c.unicode()) {
    case '9':
    case '0':
    case '#':
    case 'A':
    case 'a':
    case 'L':
    case 'l':
    case 'C':
    case 'c':
        return true;
    default:
        return false;
    }
}

// Reads the picture part of a mask (up to the first unescaped ';') into elements.
QList<MaskElement> parseMask(const QString& mask)
{
    QList<MaskElement> elements;
    CaseMode mode = CaseMode::Keep;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('\\')) {
            if (++i < mask.size())
                elements.append({mask.at(i), false, mode});
            continue;
        }
        if (c == QLatin1Char('<') && i + 1 < mask.size() && mask.at(i + 1) == QLatin1Char('>')) {
            mode = CaseMode::Keep;
            ++i;
            continue;
        }
        if (c == QLatin1Char('<')) {
            mode = CaseMode::Lower;
            continue;
        }
        if (c == QLatin1Char('>')) {
            mode = CaseMode::Upper;
            continue;
        }
        if (c == QLatin1Char('!'))
            continue;
        elements.append({c, isPlaceholder(c), mode});
    }
    return elements;
}

QChar applyCase(QChar c, CaseMode mode)
{
    switch (mode) {
    case CaseMode::Upper:
        return c.toUpper();
    case CaseMode::Lower:
        return c.toLower();
    case CaseMode::Keep:
        break;
    }
    return c;
}

} // namespace

QString FormatMaskText(const QString& mask, const QString& value)
{
    const QList<MaskElement> elements = parseMask(mask);
    if (elements.isEmpty())
        return value;

    QString out;
    out.reserve(mask.size() + value.size());
    qsizetype next = 0;
    for (const MaskElement& element : elements) {
        if (next >= value.size())
            break;
        if (element.placeholder) {
            out.append(applyCase(value.at(next++), element.caseMode));
        } else {
            // A value that already carries the literal here (a formatted value) gives it up.
            if (value.at(next) == element.ch)
                ++next;
            out.append(element.ch);
        }
    }
    out.append(value.mid(next));
    return out;
}

} // namespace host
