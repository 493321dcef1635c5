#include "QuotationRecords.h"

#include "host/core/consiste/Consiste.h"

namespace module {
namespace {

using host::FieldDef;
using host::FieldType;

FieldDef textField(const char* name, int size, const QString& label)
{
    return FieldDef::text(QString::fromLatin1(name), size, label);
}

FieldDef hiddenText(const char* name, int size)
{
    return hidden(textField(name, size, QString()));
}

FieldDef hiddenDate(const char* name)
{
    return hidden(FieldDef::of(QString::fromLatin1(name), FieldType::Date));
}

FieldDef withMask(FieldDef field, const QString& mask)
{
    field.editMask = mask;
    return field;
}

FieldDef floatField(const char* name, const QString& label, const char* displayFormat,
                    const char* editFormat)
{
    FieldDef field = FieldDef::of(QString::fromLatin1(name), FieldType::Float, label);
    field.displayFormat = QString::fromLatin1(displayFormat);
    field.editFormat = QString::fromLatin1(editFormat);
    return field;
}

FieldDef calculatedText(const char* name, const QString& label)
{
    FieldDef field = textField(name, Width::CalculatedText, label);
    field.calculated = true;
    field.readOnly = true;
    return field;
}

QString joinRange(const QString& first, const QString& last, const QString& connector)
{
    if (first.isEmpty() && last.isEmpty())
        return QString();
    return first + QLatin1Char(' ') + connector.trimmed() + QLatin1Char(' ') + last;
}

} // namespace

QString regionEditMask()
{
    return QStringLiteral("999;0; ");
}

QString brandEditMask()
{
    return QStringLiteral("99999;0; ");
}

FieldDef branchCodeField(const QString& label)
{
    return textField("CDFILIAL", Width::Branch, label);
}

FieldDef branchNameField(const QString& label)
{
    return textField("NMFILIAL", Width::BranchName, label);
}

FieldDef quotationNumberField(const QString& label)
{
    return textField("NRCOLEPRECO", Width::QuotationNumber, label);
}

FieldDef operatorCodeField(const QString& label)
{
    return textField("CDOPERADOR", Width::Operator, label);
}

FieldDef operatorNameField(const QString& label)
{
    return textField("NMOPERADOR", Width::OperatorName, label);
}

FieldDef regionCodeField(const QString& label)
{
    return withMask(textField("CDREGIAO", Width::Region, label), regionEditMask());
}

FieldDef regionNameField(const QString& label)
{
    return textField("NMREGIAO", Width::RegionName, label);
}

FieldDef supplierCodeField(const QString& label)
{
    return textField("CDFORNECED", Width::Supplier, label);
}

FieldDef supplierLegalNameField(const QString& label)
{
    return textField("NMRAZSOCFORN", Width::SupplierName, label);
}

FieldDef supplierTradeNameField(const QString& label)
{
    return textField("NMFANTFORN", Width::SupplierName, label);
}

FieldDef supplierPersonTypeField(const QString& label)
{
    return textField("IDTPIJURFORN", Width::Flag, label);
}

FieldDef supplierDocumentField(const QString& label)
{
    return textField("NRINSJURFORN", Width::SupplierDocument, label);
}

FieldDef supplierKindField(const QString& label)
{
    return textField("IDTIPOFORN", Width::Flag, label);
}

FieldDef supplierStatusField(const QString& label)
{
    return textField("IDSITUCADA", Width::Flag, label);
}

FieldDef productCodeField(const QString& label)
{
    return textField("CDPRODUTO", Width::Product, label);
}

FieldDef productTreeCodeField(const QString& productPicture, const QString& label)
{
    return withMask(textField("CDARVPROD", Width::ProductTreeCode, label), productPicture);
}

FieldDef productNameField(const QString& label)
{
    return textField("NMPRODUTO", Width::ProductName, label);
}

FieldDef brandCodeField(const QString& label)
{
    return withMask(textField("CDMARCA", Width::Brand, label), brandEditMask());
}

FieldDef brandNameField(const QString& label)
{
    return textField("NMMARCA", Width::BrandName, label);
}

FieldDef hidden(FieldDef field)
{
    field.visible = false;
    return field;
}

host::FieldDefs supplierChoiceFields()
{
    return {
        FieldDef::text(QStringLiteral("IDMARCADO"), Width::Flag),
        hidden(supplierCodeField()),
        hidden(supplierPersonTypeField(QStringLiteral("Tipo"))),
        supplierDocumentField(QStringLiteral("Inscrição")),
        supplierTradeNameField(QStringLiteral("Nome Fantasia")),
        supplierLegalNameField(QStringLiteral("Razão Social")),
    };
}

host::FieldDefs quotationHeaderFields()
{
    return {
        hidden(branchCodeField()),
        quotationNumberField(QStringLiteral("Número")),
        FieldDef::of(QStringLiteral("DTCOLEPREC"), FieldType::Date, QStringLiteral("Data")),
        hiddenText("NRSEMAINIC", Width::Week),
        hiddenText("NRSEMAFINAL", Width::Week),
        hiddenDate("DTINIVALCOL"),
        hiddenDate("DTFINVALCOL"),
        operatorCodeField(QStringLiteral("Comprador")),
        operatorNameField(QStringLiteral("Comprador")),
        hidden(calculatedText("Semana", QString())),
        calculatedText("Data", QStringLiteral("Validade (Data)")),
        textField("IDTIPCOLREG", Width::Flag, QStringLiteral(" ")),
        textField("IDDISMONTLIS", Width::Flag, QStringLiteral("Lista")),
    };
}

QString weekRangeText(const QString& firstWeek, const QString& lastWeek, const QString& connector)
{
    return joinRange(firstWeek.trimmed(), lastWeek.trimmed(), connector);
}

QString validityRangeText(const QDate& first, const QDate& last, const QString& connector)
{
    const QLocale locale = host::operatorLocale();
    const auto shortDate = [&locale](const QDate& date) {
        return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : QString();
    };
    return joinRange(shortDate(first), shortDate(last), connector);
}

QStringList quotationItemKeyNames()
{
    return {QStringLiteral("CDFILIAL"),   QStringLiteral("NRCOLEPRECO"), QStringLiteral("CDREGIAO"),
            QStringLiteral("CDFORNECED"), QStringLiteral("CDPRODUTO"),   QStringLiteral("CDMARCA")};
}

FieldDef unitPriceField()
{
    return floatField("VRPRECUNIITM", QStringLiteral("Preço Unitário"), ItemFormat::PriceDisplay,
                      ItemFormat::PriceEdit);
}

FieldDef economicPriceField()
{
    // Only a display format is given: the economic price is shown, not typed.
    return floatField("VRPRECECOITM", QStringLiteral("Preço Econômico"), ItemFormat::PriceDisplay,
                      "");
}

FieldDef quantityToBuyField()
{
    return floatField("QTACMPITMCOL", QStringLiteral("Quantidade"), ItemFormat::QuantityDisplay,
                      ItemFormat::QuantityEdit);
}

FieldDef discountField()
{
    return floatField("VRPERDESITM", QStringLiteral("Desconto"), ItemFormat::DiscountDisplay,
                      ItemFormat::DiscountEdit);
}

FieldDef itemMarkerField()
{
    return textField("IDITMCOTPREC", Width::Flag, QStringLiteral(" "));
}

FieldDef itemObservationField()
{
    FieldDef field = FieldDef::of(QStringLiteral("DSOBSITMCOL"), FieldType::Memo);
    field.size = Width::Observation;
    return field;
}

host::FieldDefs quotationItemFields()
{
    return {
        branchCodeField(),         quotationNumberField(),
        regionCodeField(),         supplierCodeField(),
        productCodeField(),        brandCodeField(),
        unitPriceField(),          economicPriceField(),
        quantityToBuyField(),      discountField(),
        hiddenDate("DTINIVALITM"), hiddenDate("DTFINVALITM"),
        itemMarkerField(),         hiddenText("IDTIPFREITM", Width::Flag),
        itemObservationField(),
    };
}

} // namespace module
