#include "Codes.h"

#include "host/core/ChosenList.h"

#include "QuotationRecords.h"
#include "host/core/consiste/Consiste.h"

namespace module {
namespace {

const QChar kSeparator = QLatin1Char('_');

} // namespace

QString normaliseBrand(const QString& code)
{
    return host::Ajusta(code, Width::Brand);
}

QString normaliseRegion(const QString& code)
{
    return host::Ajusta(code, Width::Region);
}

QString normaliseBuyer(const QString& code)
{
    return host::Ajusta(code, Width::Operator);
}

QString normaliseQuotationNumber(const QString& code)
{
    return host::Ajusta(code, Width::QuotationNumber);
}

QString normaliseWeek(int week)
{
    return week < 1 ? QString() : host::Ajusta(QString::number(week), Width::Week);
}

QString normaliseWeek(const QString& week)
{
    return host::Ajusta(week, Width::Week);
}

QString productRangeUpperBound(const QString& finalCode)
{
    const QString code = finalCode.trimmed();
    return code + host::Replicate(QLatin1Char('Z'), ProductRangeBoundLength - int(code.size()));
}

ProductRange productRange(const QString& initialCode, const QString& finalCode)
{
    const QString initial = initialCode.trimmed();
    if (initial.isEmpty() && finalCode.trimmed().isEmpty())
        return {};
    return {initial, productRangeUpperBound(finalCode)};
}

std::optional<QString> joinChosenCodes(const QStringList& codes)
{
    return host::joinChosenList(codes);
}

QString singleChosenCode(const QString& code)
{
    return kSeparator + code + kSeparator;
}

std::optional<QStringList> parseChosenCodes(const QString& list)
{
    if (list.isEmpty())
        return QStringList();
    if (list.size() < 3 || !list.startsWith(kSeparator) || !list.endsWith(kSeparator))
        return std::nullopt;
    const QStringList codes = list.mid(1, list.size() - 2).split(kSeparator);
    for (const QString& code : codes) {
        if (code.trimmed().isEmpty())
            return std::nullopt;
        for (const QChar c : code)
            if (c.category() == QChar::Other_Control)
                return std::nullopt;
    }
    return codes;
}

QString allMarker(bool all)
{
    return all ? QString::fromLatin1(AllMarker) : QString();
}

bool isAllMarker(const QString& marker)
{
    return marker.trimmed() == QLatin1String(AllMarker);
}

} // namespace module
