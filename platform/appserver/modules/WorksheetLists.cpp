#include "WorksheetLists.h"

#include "ItemValues.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSet>
#include <QStringList>

namespace appserver::modules {

namespace {

using CodeReader = QString (*)(const QString& value, const QString& listName);

QList<ListedValue> readList(const QString& text, const QString& what, int width,
                            CodeReader readCode)
{
    const QString listName = QStringLiteral("A lista de %1 é inválida").arg(what);
    QList<ListedValue> values;
    QSet<QString> seen;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || seen.contains(line))
            continue;
        if (seen.size() == kMaxListedValues)
            throw rpc::Refusal(listName +
                               QStringLiteral(": mais de %1 %2.").arg(kMaxListedValues).arg(what));
        if (line.size() > width)
            throw rpc::Refusal(listName + QStringLiteral(": valor com mais de %1 caracteres: "
                                                         "\"%2\".")
                                              .arg(QString::number(width), shownValue(line)));
        seen.insert(line);
        values.append({line, readCode(line, listName)});
    }
    return values;
}

QString storedSupplierCode(const QString& value, const QString& listName)
{
    return host::Ajusta(readSupplierCode(value, listName), module::Width::Supplier);
}

} // namespace

QList<ListedValue> readRegionList(const QString& text)
{
    return readList(text, QStringLiteral("regiões"), kRegionValueWidth, &readRegionCode);
}

QList<ListedValue> readSupplierList(const QString& text)
{
    return readList(text, QStringLiteral("fornecedores"), kSupplierValueWidth, &storedSupplierCode);
}

} // namespace appserver::modules
