#include "Consiste.h"

namespace host {
namespace {

bool isAsciiDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

} // namespace

QString Ajusta(const QString& code, int width)
{
    const QString trimmed = code.trimmed();
    if (trimmed.isEmpty())
        return QString();
    if (trimmed.size() >= width)
        return trimmed;
    if (isAsciiDigits(trimmed))
        return trimmed.rightJustified(width, QLatin1Char('0'));
    return trimmed.leftJustified(width, QLatin1Char(' '));
}

QString Replicate(QChar c, int count)
{
    return count > 0 ? QString(count, c) : QString();
}

bool EmptyString(const QString& text)
{
    for (const QChar c : text)
        if (!c.isSpace())
            return false;
    return true;
}

} // namespace host
