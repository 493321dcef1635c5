#include "ItemValues.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"

#include <QStringList>
#include <cmath>

namespace appserver::modules {

namespace {

using module::kBrandSeparator;
using module::kCodeSeparator;

const QString kRegionField = QStringLiteral("COCREGIAO");
const QString kSupplierField = QStringLiteral("COCFORNECED");
const QString kProductField = QStringLiteral("COCPRODUTO");
const QString kPriceField = QStringLiteral("CONTA");

[[noreturn]] void refuse(const QString& packetName, const QString& reason)
{
    throw rpc::Refusal(packetName + QStringLiteral(": ") + reason);
}

// A code may hold neither separator nor control characters.
bool plainCode(QStringView code)
{
    for (const QChar c : code)
        if (!c.isPrint() || c == kCodeSeparator[0] || c == kBrandSeparator[0])
            return false;
    return !code.trimmed().isEmpty();
}

[[noreturn]] void refuseValue(const QString& packetName, const QString& field, const QString& value)
{
    refuse(packetName,
           QStringLiteral("valor malformado no campo %1: \"%2\".").arg(field, shownValue(value)));
}

} // namespace

QString shownValue(const QString& value)
{
    QString text = value.left(60);
    for (QChar& c : text)
        if (!c.isPrint())
            c = QLatin1Char('?');
    return value.size() > 60 ? text + QStringLiteral("...") : text;
}

size_t qHash(const ItemKey& key, size_t seed) noexcept
{
    return qHashMulti(seed, key.region, key.supplier, key.product, key.brand);
}

ItemLayout itemLayout(const host::FieldDefs& fields, const QString& packetName)
{
    ItemLayout layout;
    for (int i = 0; i < fields.size(); ++i) {
        const host::FieldDef& field = fields[i];
        const QString name = field.name.toUpper();
        int* slot = name == kRegionField     ? &layout.region
                    : name == kSupplierField ? &layout.supplier
                    : name == kProductField  ? &layout.product
                    : name == kPriceField    ? &layout.price
                                             : nullptr;
        if (!slot)
            refuse(packetName, QStringLiteral("o campo %1 não pertence à tabela de itens da "
                                              "planilha.")
                                   .arg(shownValue(field.name)));
        const bool numeric = name == kPriceField;
        const bool fits =
            numeric ? field.type == host::FieldType::Float || field.type == host::FieldType::Integer
                    : field.type == host::FieldType::String;
        if (!fits)
            refuse(packetName,
                   QStringLiteral("o campo %1 deve ser %2.")
                       .arg(name, numeric ? QStringLiteral("número") : QStringLiteral("texto")));
        *slot = i;
    }
    const std::pair<int, const QString*> required[] = {{layout.region, &kRegionField},
                                                       {layout.supplier, &kSupplierField},
                                                       {layout.product, &kProductField},
                                                       {layout.price, &kPriceField}};
    for (const auto& [at, name] : required)
        if (at < 0)
            refuse(packetName, QStringLiteral("falta o campo %1.").arg(*name));
    return layout;
}

QString readRegionCode(const QString& value, const QString& packetName)
{
    const int width = module::Width::Region;
    if (value.size() < width + kCodeSeparator.size() ||
        QStringView(value).mid(width, kCodeSeparator.size()) != kCodeSeparator ||
        !plainCode(QStringView(value).left(width)))
        refuseValue(packetName, kRegionField, value);
    return value.left(width);
}

QString readItemText(const QVariant& value, const QString& field, const QString& packetName)
{
    if (value.metaType().id() != QMetaType::QString)
        refuse(packetName, QStringLiteral("o campo %1 de um item está vazio.").arg(field));
    return value.toString();
}

QString readSupplierCode(const QString& supplier, const QString& packetName)
{
    const qsizetype end = supplier.indexOf(kCodeSeparator);
    if (end <= 0 || end > module::Width::Supplier || !plainCode(QStringView(supplier).left(end)))
        refuseValue(packetName, kSupplierField, supplier);
    return supplier.left(end);
}

QPair<QString, QString> readProductAndBrand(const QString& product, const QString& packetName)
{
    // name ¤¤ product code (10) ¥¥ brand code (5) ¤¤ brand name
    const qsizetype codeAt = product.indexOf(kCodeSeparator) + kCodeSeparator.size();
    const int productWidth = module::Width::Product;
    const int brandWidth = module::Width::Brand;
    const qsizetype brandAt = codeAt + productWidth + kBrandSeparator.size();
    const qsizetype nameAt = brandAt + brandWidth + kCodeSeparator.size();
    const QStringView view(product);
    if (codeAt < kCodeSeparator.size() || product.size() < nameAt ||
        view.mid(codeAt + productWidth, kBrandSeparator.size()) != kBrandSeparator ||
        view.mid(brandAt + brandWidth, kCodeSeparator.size()) != kCodeSeparator ||
        !plainCode(view.mid(codeAt, productWidth)) || !plainCode(view.mid(brandAt, brandWidth)))
        refuseValue(packetName, kProductField, product);
    return {product.mid(codeAt, productWidth), product.mid(brandAt, brandWidth)};
}

ItemKey readItemKey(const QVariant& regionValue, const QVariant& supplierValue,
                    const QVariant& productValue, const QString& packetName)
{
    ItemKey key;
    key.region = readRegionCode(readItemText(regionValue, kRegionField, packetName), packetName);
    key.supplier = host::Ajusta(
        readSupplierCode(readItemText(supplierValue, kSupplierField, packetName), packetName),
        module::Width::Supplier);
    const auto [product, brand] =
        readProductAndBrand(readItemText(productValue, kProductField, packetName), packetName);
    key.product = product;
    key.brand = brand;
    return key;
}

double readItemPrice(const QVariant& price, bool required, const QString& packetName)
{
    if (!price.isValid() || price.isNull()) {
        if (required)
            refuse(packetName, QStringLiteral("item sem preço unitário."));
        return 0;
    }
    bool ok = false;
    const double value = price.toDouble(&ok);
    const int type = price.metaType().id();
    const bool number = type == QMetaType::Double || type == QMetaType::LongLong ||
                        type == QMetaType::Int || type == QMetaType::Float;
    if (!number || !ok || !std::isfinite(value) || value < 0 || value > kMaxUnitPrice)
        refuse(packetName, QStringLiteral("preço unitário inválido (%1): o preço deve ser um "
                                          "número de 0 a 9.999.999.999,99999.")
                               .arg(shownValue(price.toString())));
    return value;
}

QString describeItemKey(const ItemKey& key)
{
    return QStringLiteral("região %1, fornecedor %2, produto %3, marca %4")
        .arg(key.region, key.supplier.trimmed(), key.product, key.brand);
}

bool samePrice(double a, double b)
{
    // Both are at most about 10^15 hundred-thousandths: exact in a double.
    return std::llround(a * 1e5) == std::llround(b * 1e5);
}

QString describeItem(const QString& regionValue, const QString& supplierValue,
                     const QString& productValue)
{
    const auto part = [](const QString& code, const QString& name) {
        return name.trimmed().isEmpty() ? code.trimmed()
                                        : code.trimmed() + QStringLiteral(" - ") + name.trimmed();
    };
    return QStringLiteral("região %1, fornecedor %2, produto %3, marca %4")
        .arg(part(module::regionCodeOf(regionValue), module::regionNameOf(regionValue)),
             part(module::supplierCodeOf(supplierValue), module::supplierNameOf(supplierValue)),
             part(module::productCodeOf(productValue), module::productNameOf(productValue)),
             part(module::brandCodeOf(productValue), module::brandNameOf(productValue)));
}

} // namespace appserver::modules
