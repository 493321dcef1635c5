#include "EditMask.h"

namespace host {
namespace {

// Characters a QLineEdit input mask gives a meaning to; as literals they need a '\'.
bool isInputMaskSpecial(QChar c)
{
    static const QString special = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");
    return special.contains(c);
}

QString literal(QChar c)
{
    return isInputMaskSpecial(c) ? QStringLiteral("\\") + c : QString(c);
}

// Placeholder of the picture → placeholder of the input mask; null when not one.
QChar placeholderFor(QChar c)
{
    switch (c.unicode()) {
    case '0':
        return QLatin1Char('9');
    case '9':
        return QLatin1Char('0');
    case '#':
        return QLatin1Char('#');
    case 'L':
        return QLatin1Char('A');
    case 'l':
        return QLatin1Char('a');
    case 'A':
        return QLatin1Char('N');
    case 'a':
        return QLatin1Char('n');
    case 'C':
        return QLatin1Char('X');
    case 'c':
        return QLatin1Char('x');
    default:
        return QChar();
    }
}

// Index of the first ';' that is not escaped, or -1.
qsizetype fieldSeparator(const QString& mask, qsizetype from)
{
    for (qsizetype i = from; i < mask.size(); ++i) {
        if (mask.at(i) == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (mask.at(i) == QLatin1Char(';'))
            return i;
    }
    return -1;
}

} // namespace

EditMask::EditMask(const QString& mask) : m_source(mask)
{
    const qsizetype first = fieldSeparator(mask, 0);
    const QString picture = first < 0 ? mask : mask.left(first);
    if (first >= 0) {
        const qsizetype second = fieldSeparator(mask, first + 1);
        const QString save = mask.mid(first + 1, second < 0 ? -1 : second - first - 1);
        m_saveLiterals = save.trimmed() != QLatin1String("0");
        if (second >= 0 && second + 1 < mask.size())
            m_blank = mask.at(second + 1);
    }

    QString qt;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        if (c == QLatin1Char('\\')) {
            if (++i < picture.size()) {
                qt += literal(picture.at(i));
                m_positions.append(false);
            }
            continue;
        }
        if (c == QLatin1Char('<') && i + 1 < picture.size() &&
            picture.at(i + 1) == QLatin1Char('>')) {
            qt += QLatin1Char('!');
            ++i;
            continue;
        }
        if (c == QLatin1Char('<') || c == QLatin1Char('>')) {
            qt += c;
            continue;
        }
        if (c == QLatin1Char('!'))
            continue;
        if (c == QLatin1Char('_')) {
            qt += QLatin1Char(' ');
            m_positions.append(false);
            continue;
        }
        const QChar placeholder = placeholderFor(c);
        if (!placeholder.isNull()) {
            qt += placeholder;
            m_positions.append(true);
        } else {
            qt += literal(c);
            m_positions.append(false);
        }
    }
    if (!m_positions.isEmpty())
        m_inputMask = qt + QLatin1Char(';') + m_blank;
}

QString EditMask::valueOf(const QString& displayText) const
{
    if (isEmpty())
        return displayText;
    const qsizetype n = std::min<qsizetype>(displayText.size(), m_positions.size());
    qsizetype lastTyped = -1;
    for (qsizetype i = 0; i < n; ++i)
        if (m_positions[i] && displayText.at(i) != m_blank)
            lastTyped = i;

    QString value;
    for (qsizetype i = 0; i <= lastTyped; ++i) {
        const QChar c = displayText.at(i);
        if (!m_positions[i]) {
            if (m_saveLiterals)
                value += c;
        } else if (c != m_blank) {
            value += c;
        } else if (m_saveLiterals) {
            value += QLatin1Char(' ');
        }
    }
    return value;
}

} // namespace host
