#include "SupplierDisplay.h"

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

} // namespace module
