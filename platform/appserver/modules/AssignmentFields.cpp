#include "AssignmentFields.h"

#include "host/core/Exceptions.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {
namespace {

using host::FieldDef;
using module::hidden;

// The item field of that name, as every table of the worksheet screen defines it.
FieldDef itemField(const char* name)
{
    const QString wanted = QString::fromLatin1(name);
    for (const FieldDef& field : module::quotationItemFields())
        if (field.name == wanted)
            return field;
    throw host::EDatabaseError(QStringLiteral("Campo de item %1 desconhecido.").arg(wanted));
}

// Shown in the grid but never typed into: names looked up from the registers and the
// values the server computes.
FieldDef shownOnly(FieldDef field)
{
    field.readOnly = true;
    return field;
}

// Product tree code: the client applies the operator's product code picture itself.
FieldDef productTreeCode(const QString& label = QString())
{
    return module::productTreeCodeField(QString(), label);
}

} // namespace

host::FieldDefs regionSupplierPairFields()
{
    return {
        hidden(module::regionCodeField()),
        module::regionNameField(QStringLiteral("Região")),
        hidden(module::supplierCodeField()),
        module::supplierTradeNameField(QStringLiteral("Fornecedor")),
        module::quotationNumberField(),
    };
}

host::FieldDefs productSupplierItemFields()
{
    return {
        hidden(module::branchCodeField()),
        hidden(module::quotationNumberField()),
        hidden(module::regionCodeField()),
        hidden(module::supplierCodeField()),
        module::productCodeField(QStringLiteral("Produto")),
        shownOnly(module::productNameField(QStringLiteral("Nome do Produto"))),
        module::brandCodeField(QStringLiteral("Marca")),
        shownOnly(module::brandNameField(QStringLiteral("Nome da Marca"))),
        module::unitPriceField(),
        shownOnly(module::economicPriceField()),
        shownOnly(module::quantityToBuyField()),
        module::discountField(),
        itemField("DTINIVALITM"),
        itemField("DTFINVALITM"),
        hidden(module::itemMarkerField()),
        itemField("IDTIPFREITM"),
        productTreeCode(),
    };
}

host::FieldDefs productBrandPairFields()
{
    return {
        hidden(module::productCodeField(QStringLiteral("Produto"))),
        productTreeCode(QStringLiteral("Produto")),
        module::productNameField(QStringLiteral("Nome do Produto")),
        module::brandCodeField(QStringLiteral("Marca")),
        module::brandNameField(QStringLiteral("Nome da Marca")),
    };
}

host::FieldDefs supplierProductItemFields()
{
    // On this page the economic price is also given an edit format, like the unit price.
    FieldDef economicPrice = shownOnly(module::economicPriceField());
    economicPrice.editFormat = QString::fromLatin1(module::ItemFormat::PriceEdit);
    return {
        hidden(module::branchCodeField()),
        hidden(module::quotationNumberField()),
        hidden(module::productCodeField()),
        hidden(module::brandCodeField()),
        module::regionCodeField(QStringLiteral("Região")),
        shownOnly(module::regionNameField(QStringLiteral("Nome da Região"))),
        hidden(module::supplierCodeField()),
        hidden(module::supplierPersonTypeField()),
        module::supplierDocumentField(QStringLiteral("Inscrição")),
        shownOnly(module::supplierTradeNameField(QStringLiteral("Fornecedor"))),
        itemField("DTINIVALITM"),
        itemField("DTFINVALITM"),
        module::unitPriceField(),
        economicPrice,
        shownOnly(module::quantityToBuyField()),
        module::discountField(),
        hidden(module::itemMarkerField()),
        itemField("IDTIPFREITM"),
    };
}

} // namespace appserver::modules
