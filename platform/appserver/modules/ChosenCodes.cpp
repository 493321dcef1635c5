#include "ChosenCodes.h"

#include "host/core/Exceptions.h"
#include "module/records/Codes.h"

#include <QSet>

namespace appserver::modules {

ChosenCodes readChosenCodes(const QString& list, const QString& marker, const QString& what,
                            CodeNormaliser normalise)
{
    ChosenCodes chosen;
    chosen.all = module::isAllMarker(marker);
    if (chosen.all)
        return chosen;

    const std::optional<QStringList> codes = module::parseChosenCodes(list);
    if (!codes)
        throw host::Exception(QStringLiteral("Lista de %1 em formato inválido.").arg(what));

    QSet<QString> seen;
    for (const QString& code : *codes) {
        const QString stored = normalise ? normalise(code) : code;
        if (seen.contains(stored))
            continue;
        if (seen.size() == kMaxChosenCodes)
            throw host::Exception(QStringLiteral("Lista de %1 com mais de %2 códigos.")
                                      .arg(what)
                                      .arg(kMaxChosenCodes));
        seen.insert(stored);
        chosen.codes.append(stored);
    }
    return chosen;
}

BoundSql inCondition(const QString& column, const ChosenCodes& codes)
{
    if (codes.all)
        return {QStringLiteral("1 = 1"), {}};
    if (codes.codes.isEmpty())
        return {QStringLiteral("1 = 0"), {}};

    QStringList placeholders(codes.codes.size(), QStringLiteral("?"));
    BoundSql condition;
    condition.add(column + QStringLiteral(" IN (") + placeholders.join(QStringLiteral(", ")) +
                  QLatin1Char(')'));
    for (const QString& code : codes.codes)
        condition.values.append(code);
    return condition;
}

} // namespace appserver::modules
