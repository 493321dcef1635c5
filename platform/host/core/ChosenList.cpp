#include "ChosenList.h"

namespace host {

namespace {
const QChar kSeparator = QLatin1Char('_');
}

std::optional<QString> joinChosenList(const QStringList& codes)
{
    if (codes.isEmpty())
        return QString();
    for (const QString& code : codes)
        if (code.isEmpty() || code.contains(kSeparator))
            return std::nullopt;
    return kSeparator + codes.join(kSeparator) + kSeparator;
}

QStringList splitChosenList(const QString& list)
{
    if (list.size() < 3 || !list.startsWith(kSeparator) || !list.endsWith(kSeparator))
        return {};
    QStringList codes = list.mid(1, list.size() - 2).split(kSeparator, Qt::SkipEmptyParts);
    return codes;
}

} // namespace host
