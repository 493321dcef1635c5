#include "SupplierDisplay.h"

#include "host/core/DataSet.h"
#include "host/core/Messages.h"

#include "host/core/consiste/Consiste.h"

namespace module {
namespace {

struct TypeKeys
{
    const char* type;
    const char* listKey;
    const char* searchKey;
};

constexpr TypeKeys kTypeKeys[] = {
    {"J", "CGC", "CGC_Pesq"},
    {"F", "CPF", "CPF_Pesq"},
    {"I", "JURIDICA", "JUR_Pesq"},
    {"O", "OUTROS", "OUTROS_Pesq"},
};

const TypeKeys* findType(const QString& type)
{
    const QString code = type.trimmed();
    for (const TypeKeys& keys : kTypeKeys)
        if (code == QLatin1String(keys.type))
            return &keys;
    return nullptr;
}

} // namespace

QString personTypeMessageKey(const QString& type)
{
    const TypeKeys* keys = findType(type);
    return keys ? QString::fromLatin1(keys->listKey) : QString();
}

QString personTypeSearchMessageKey(const QString& type)
{
    const TypeKeys* keys = findType(type);
    return keys ? QString::fromLatin1(keys->searchKey) : QString();
}

QString supplierDocumentText(const QString& type, const QString& digits)
{
    return host::FormatMaskText(host::PictPess(type), digits.trimmed());
}

QString supplierKindMessageKey(const QString& kind)
{
    return kind.trimmed() == QLatin1String("A") ? QStringLiteral("Display_TipFornA")
                                                : QStringLiteral("Display_TipFornN");
}

void bindSupplierDisplay(host::DataSet& suppliers, const host::Messages& texts)
{
    if (host::Field* type = suppliers.FindField(QStringLiteral("IDTPIJURFORN")))
        type->OnGetText = [&texts](const host::Field& field, QString& text, bool) {
            const QString key = personTypeMessageKey(field.AsString());
            text = key.isEmpty() ? QString() : texts.Msg(key);
        };
    if (host::Field* document = suppliers.FindField(QStringLiteral("NRINSJURFORN")))
        document->OnGetText = [](const host::Field& field, QString& text, bool) {
            const host::Field* type = field.dataSet().FindField(QStringLiteral("IDTPIJURFORN"));
            text = supplierDocumentText(type ? type->AsString() : QString(), field.AsString());
        };
    if (host::Field* kind = suppliers.FindField(QStringLiteral("IDTIPOFORN")))
        kind->OnGetText = [&texts](const host::Field& field, QString& text, bool) {
            text = texts.Msg(supplierKindMessageKey(field.AsString()));
        };
}

} // namespace module
