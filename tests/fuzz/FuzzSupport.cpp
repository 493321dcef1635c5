#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void violated(const char* invariant, const QString& detail)
{
    std::fprintf(stderr, "\n*** invariant violated: %s\n%s\n", invariant,
                 detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

QString shown(const QString& text)
{
    constexpr qsizetype kMax = 400;
    QString out;
    for (const QChar c : text.left(kMax))
        out += c.isPrint() ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    if (text.size() > kMax)
        out += QStringLiteral("... (%1 characters)").arg(text.size());
    return QLatin1Char('"') + out + QLatin1Char('"');
}

} // namespace fuzz
