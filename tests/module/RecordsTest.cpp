// Quotation records, identity fields, codes and supplier display.

#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"
#include "module/records/WorksheetValues.h"

#include "host/core/consiste/Consiste.h"
#include "host/core/consiste/DisplayFormat.h"

#include <gtest/gtest.h>

using namespace module;
using host::FieldDef;
using host::FieldType;

namespace {

const FieldDef& fieldNamed(const host::FieldDefs& fields, const char* name)
{
    for (const FieldDef& field : fields)
        if (field.name == QLatin1String(name))
            return field;
    throw std::runtime_error(std::string("no field ") + name);
}

QStringList namesOf(const host::FieldDefs& fields)
{
    QStringList names;
    for (const FieldDef& field : fields)
        names.append(field.name);
    return names;
}

// ---- Quotation header -----------------------------------------------------------------

TEST(QuotationHeader, FieldsInListOrder)
{
    EXPECT_EQ(namesOf(quotationHeaderFields()),
              QStringList({"CDFILIAL", "NRCOLEPRECO", "DTCOLEPREC", "NRSEMAINIC", "NRSEMAFINAL",
                           "DTINIVALCOL", "DTFINVALCOL", "CDOPERADOR", "NMOPERADOR", "Semana",
                           "Data", "IDTIPCOLREG", "IDDISMONTLIS"}));
}

TEST(QuotationHeader, TypesWidthsLabelsAndVisibility)
{
    const host::FieldDefs fields = quotationHeaderFields();
    struct Expected
    {
        const char* name;
        FieldType type;
        int size;
        const char* label;
        bool visible;
        bool calculated;
    };
    const Expected expected[] = {
        {"CDFILIAL", FieldType::String, 4, "", false, false},
        {"NRCOLEPRECO", FieldType::String, 10, "Número", true, false},
        {"DTCOLEPREC", FieldType::Date, 0, "Data", true, false},
        {"NRSEMAINIC", FieldType::String, 2, "", false, false},
        {"NRSEMAFINAL", FieldType::String, 2, "", false, false},
        {"DTINIVALCOL", FieldType::Date, 0, "", false, false},
        {"DTFINVALCOL", FieldType::Date, 0, "", false, false},
        {"CDOPERADOR", FieldType::String, 12, "Comprador", true, false},
        {"NMOPERADOR", FieldType::String, 40, "Comprador", true, false},
        {"Semana", FieldType::String, 70, "", false, true},
        {"Data", FieldType::String, 70, "Validade (Data)", true, true},
        {"IDTIPCOLREG", FieldType::String, 1, " ", true, false},
        {"IDDISMONTLIS", FieldType::String, 1, "Lista", true, false},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const FieldDef& field = fieldNamed(fields, e.name);
        EXPECT_EQ(field.type, e.type);
        EXPECT_EQ(field.size, e.size);
        EXPECT_EQ(field.label, QString::fromUtf8(e.label));
        EXPECT_EQ(field.visible, e.visible);
        EXPECT_EQ(field.calculated, e.calculated);
    }
}

TEST(QuotationHeader, WeekRangeJoinsTheTwoWeeks)
{
    EXPECT_EQ(weekRangeText(QStringLiteral("05"), QStringLiteral("07"), QStringLiteral("a")),
              QStringLiteral("05 a 07"));
    // The connector's own blanks do not double up.
    EXPECT_EQ(weekRangeText(QStringLiteral("05"), QStringLiteral("07"), QStringLiteral(" a ")),
              QStringLiteral("05 a 07"));
    EXPECT_EQ(weekRangeText(QString(), QString(), QStringLiteral("a")), QString());
}

TEST(QuotationHeader, ValidityRangeInShortDateFormat)
{
    EXPECT_EQ(validityRangeText(QDate(2025, 3, 1), QDate(2025, 3, 15), QStringLiteral("a")),
              QStringLiteral("01/03/2025 a 15/03/2025"));
    EXPECT_EQ(validityRangeText(QDate(), QDate(), QStringLiteral("a")), QString());
}

// ---- Quotation item ---------------------------------------------------------------------

TEST(QuotationItem, KeyComesFirstInKeyOrder)
{
    const QStringList key = quotationItemKeyNames();
    EXPECT_EQ(key, QStringList({"CDFILIAL", "NRCOLEPRECO", "CDREGIAO", "CDFORNECED", "CDPRODUTO",
                                "CDMARCA"}));
    EXPECT_EQ(namesOf(quotationItemFields()).mid(0, key.size()), key);

    const host::FieldDefs fields = quotationItemFields();
    EXPECT_EQ(fieldNamed(fields, "CDFILIAL").size, 4);
    EXPECT_EQ(fieldNamed(fields, "NRCOLEPRECO").size, 10);
    EXPECT_EQ(fieldNamed(fields, "CDREGIAO").size, 3);
    EXPECT_EQ(fieldNamed(fields, "CDFORNECED").size, 21);
    EXPECT_EQ(fieldNamed(fields, "CDPRODUTO").size, 10);
    EXPECT_EQ(fieldNamed(fields, "CDMARCA").size, 5);
}

TEST(QuotationItem, ValueLabelsAndFormats)
{
    const host::FieldDefs fields = quotationItemFields();
    struct Expected
    {
        const char* name;
        const char* label;
        const char* display;
        const char* edit;
    };
    const Expected expected[] = {
        {"VRPRECUNIITM", "Preço Unitário", "####,##0.00000", "#0.00000"},
        {"VRPRECECOITM", "Preço Econômico", "####,##0.00000", ""},
        {"QTACMPITMCOL", "Quantidade", "#0.000", "#0.000"},
        {"VRPERDESITM", "Desconto", "#0.00 %", "#0.00"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const FieldDef& field = fieldNamed(fields, e.name);
        EXPECT_EQ(field.type, FieldType::Float);
        EXPECT_EQ(field.label, QString::fromUtf8(e.label));
        EXPECT_EQ(field.displayFormat, QString::fromLatin1(e.display));
        EXPECT_EQ(field.editFormat, QString::fromLatin1(e.edit));
    }
    const FieldDef& observation = fieldNamed(fields, "DSOBSITMCOL");
    EXPECT_EQ(observation.type, FieldType::Memo);
    EXPECT_EQ(observation.size, 1000);
    EXPECT_FALSE(fieldNamed(fields, "DTINIVALITM").visible);
    EXPECT_FALSE(fieldNamed(fields, "DTFINVALITM").visible);
    EXPECT_FALSE(fieldNamed(fields, "IDTIPFREITM").visible);
    EXPECT_EQ(fieldNamed(fields, "IDITMCOTPREC").label, QStringLiteral(" "));
}

TEST(QuotationItem, FormatsShowInTheOperatorsLocale)
{
    EXPECT_EQ(host::FormatFloat(unitPriceField().displayFormat, 1234.5),
              QStringLiteral("1.234,50000"));
    EXPECT_EQ(host::FormatFloat(discountField().displayFormat, 12.5), QStringLiteral("12,50 %"));
    EXPECT_EQ(host::FormatFloat(quantityToBuyField().editFormat, 2.0), QStringLiteral("2,000"));
}

TEST(Identities, WidthsAndMasks)
{
    EXPECT_EQ(regionCodeField().size, 3);
    EXPECT_EQ(regionCodeField().editMask, QStringLiteral("999;0; "));
    EXPECT_EQ(brandCodeField().size, 5);
    EXPECT_EQ(brandCodeField().editMask, QStringLiteral("99999;0; "));
    EXPECT_EQ(supplierCodeField().size, 21);
    EXPECT_EQ(operatorCodeField().size, 12);
    EXPECT_EQ(productNameField().size, 50);
    EXPECT_EQ(brandNameField().size, 20);
    EXPECT_EQ(supplierDocumentField().size, 20);
    const FieldDef tree =
        productTreeCodeField(QStringLiteral("99.99.999"), QStringLiteral("Código"));
    EXPECT_EQ(tree.name, QStringLiteral("CDARVPROD"));
    EXPECT_EQ(tree.size, 20);
    EXPECT_EQ(tree.editMask, QStringLiteral("99.99.999"));
    EXPECT_EQ(tree.label, QStringLiteral("Código"));
    EXPECT_FALSE(hidden(regionNameField()).visible);
}

// ---- Codes --------------------------------------------------------------------------------

TEST(Codes, NormalisesTypedCodesToTheirWidths)
{
    EXPECT_EQ(normaliseBrand(QStringLiteral("12")), QStringLiteral("00012"));
    EXPECT_EQ(normaliseRegion(QStringLiteral("7")), QStringLiteral("007"));
    EXPECT_EQ(normaliseBuyer(QStringLiteral("ana")), QStringLiteral("ana         "));
    EXPECT_EQ(normaliseQuotationNumber(QStringLiteral("123")), QStringLiteral("0000000123"));
    EXPECT_EQ(normaliseWeek(5), QStringLiteral("05"));
    EXPECT_EQ(normaliseWeek(53), QStringLiteral("53"));
    EXPECT_EQ(normaliseWeek(0), QString());
    EXPECT_EQ(normaliseWeek(QStringLiteral(" 7")), QStringLiteral("07"));
}

TEST(Codes, ProductRangeBounds)
{
    EXPECT_EQ(productRangeUpperBound(QStringLiteral("123")), QStringLiteral("123ZZZZZZZ"));
    EXPECT_EQ(productRangeUpperBound(QStringLiteral("0101001")), QStringLiteral("0101001ZZZ"));
    EXPECT_EQ(productRangeUpperBound(QStringLiteral("0123456789")), QStringLiteral("0123456789"));

    const ProductRange empty = productRange(QString(), QStringLiteral("  "));
    EXPECT_EQ(empty.initial, QString());
    EXPECT_EQ(empty.upperBound, QString());

    const ProductRange both = productRange(QStringLiteral("01"), QStringLiteral("123"));
    EXPECT_EQ(both.initial, QStringLiteral("01"));
    EXPECT_EQ(both.upperBound, QStringLiteral("123ZZZZZZZ"));

    // Only one end given: the other stays open.
    const ProductRange onlyFinal = productRange(QString(), QStringLiteral("02"));
    EXPECT_EQ(onlyFinal.initial, QString());
    EXPECT_EQ(onlyFinal.upperBound, QStringLiteral("02ZZZZZZZZ"));
    const ProductRange onlyInitial = productRange(QStringLiteral("02"), QString());
    EXPECT_EQ(onlyInitial.initial, QStringLiteral("02"));
    EXPECT_EQ(onlyInitial.upperBound, QStringLiteral("ZZZZZZZZZZ"));
}

TEST(ChosenCodes, WritesTheListFormat)
{
    EXPECT_EQ(joinChosenCodes({QStringLiteral("001"), QStringLiteral("004")}),
              QStringLiteral("_001_004_"));
    EXPECT_EQ(joinChosenCodes({}), QString());
    EXPECT_EQ(joinChosenCodes({QStringLiteral("001")}), QStringLiteral("_001_"));
    EXPECT_EQ(singleChosenCode(QStringLiteral("000123")), QStringLiteral("_000123_"));
    EXPECT_FALSE(joinChosenCodes({QStringLiteral("0_1")}).has_value());
    EXPECT_FALSE(joinChosenCodes({QStringLiteral("001"), QString()}).has_value());
}

TEST(ChosenCodes, RoundTrip)
{
    const QStringList codes = {QStringLiteral("001"), QStringLiteral("AB   "),
                               QStringLiteral("12345678901234567890X")};
    const std::optional<QString> list = joinChosenCodes(codes);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(parseChosenCodes(*list), codes);
    EXPECT_EQ(parseChosenCodes(QStringLiteral("_001_004_")),
              QStringList({QStringLiteral("001"), QStringLiteral("004")}));
    EXPECT_EQ(parseChosenCodes(QString()), QStringList());
}

TEST(ChosenCodes, RejectsMalformedLists)
{
    const char* malformed[] = {"_",          "__",  "001_004_", "_001_004", "001",
                               "_001__004_", "_ _", " _001_",   "_001_ ",   "_0\n1_"};
    for (const char* text : malformed)
        EXPECT_FALSE(parseChosenCodes(QString::fromLatin1(text)).has_value()) << text;
}

TEST(ChosenCodes, AllMarker)
{
    EXPECT_TRUE(isAllMarker(QStringLiteral("T")));
    EXPECT_TRUE(isAllMarker(allMarker(true)));
    EXPECT_FALSE(isAllMarker(QString()));
    EXPECT_FALSE(isAllMarker(QStringLiteral(" ")));
    EXPECT_FALSE(isAllMarker(allMarker(false)));
    EXPECT_EQ(allMarker(false), QString());
}

// ---- Supplier display ----------------------------------------------------------------------

TEST(SupplierDisplay, PersonTypeKeys)
{
    EXPECT_EQ(personTypeMessageKey(QStringLiteral("J")), QStringLiteral("CGC"));
    EXPECT_EQ(personTypeMessageKey(QStringLiteral("F")), QStringLiteral("CPF"));
    EXPECT_EQ(personTypeMessageKey(QStringLiteral("I")), QStringLiteral("JURIDICA"));
    EXPECT_EQ(personTypeMessageKey(QStringLiteral("O")), QStringLiteral("OUTROS"));
    EXPECT_EQ(personTypeMessageKey(QStringLiteral("X")), QString());
    EXPECT_EQ(personTypeMessageKey(QString()), QString());

    EXPECT_EQ(personTypeSearchMessageKey(QStringLiteral("J")), QStringLiteral("CGC_Pesq"));
    EXPECT_EQ(personTypeSearchMessageKey(QStringLiteral("F")), QStringLiteral("CPF_Pesq"));
    EXPECT_EQ(personTypeSearchMessageKey(QStringLiteral("I")), QStringLiteral("JUR_Pesq"));
    EXPECT_EQ(personTypeSearchMessageKey(QStringLiteral("O")), QStringLiteral("OUTROS_Pesq"));
    EXPECT_EQ(personTypeSearchMessageKey(QStringLiteral("X")), QString());
}

TEST(SupplierDisplay, DocumentWithTheMaskOfItsType)
{
    EXPECT_EQ(supplierDocumentText(QStringLiteral("J"), QStringLiteral("11222333000181")),
              QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(supplierDocumentText(QStringLiteral("F"), QStringLiteral("52998224725   ")),
              QStringLiteral("529.982.247-25"));
    // Type "X": whatever PictPess gives for it (no mask), so the number as stored.
    const QString stored = QStringLiteral("11222333000181");
    EXPECT_EQ(supplierDocumentText(QStringLiteral("X"), stored),
              host::FormatMaskText(host::PictPess(QStringLiteral("X")), stored));
    EXPECT_EQ(supplierDocumentText(QStringLiteral("X"), stored), stored);
    EXPECT_EQ(supplierDocumentText(QStringLiteral("I"), QStringLiteral("12345678X")),
              QStringLiteral("12345678X"));
}

TEST(SupplierDisplay, KindKeys)
{
    EXPECT_EQ(supplierKindMessageKey(QStringLiteral("A")), QStringLiteral("Display_TipFornA"));
    EXPECT_EQ(supplierKindMessageKey(QStringLiteral("N")), QStringLiteral("Display_TipFornN"));
    EXPECT_EQ(supplierKindMessageKey(QString()), QStringLiteral("Display_TipFornN"));
}

} // namespace

TEST(WorksheetValues, CompositeValuesAndDetailLinesReadBackTheirParts)
{
    using namespace module;
    const QString region = regionValue(QStringLiteral("1"), QStringLiteral("Grande São Paulo"));
    const QString supplier = supplierValue(QStringLiteral("000000000000000001234"), QStringLiteral("Atacadão D'Oeste"));
    const QString product = productValue(QStringLiteral("Açúcar refinado"), QStringLiteral("12"),
                                         QStringLiteral("7"), QStringLiteral("União"));
    EXPECT_EQ(region, QStringLiteral("001¤¤Grande São Paulo"));
    EXPECT_EQ(product, QStringLiteral("AÇÚCAR REFINADO¤¤0000000012¥¥00007¤¤União"));
    EXPECT_EQ(regionCodeOf(region), QStringLiteral("001"));
    EXPECT_EQ(supplierCodeOf(supplier), QStringLiteral("000000000000000001234"));
    EXPECT_EQ(supplierNameOf(supplier), QStringLiteral("Atacadão D'Oeste"));
    EXPECT_EQ(productNameOf(product), QStringLiteral("AÇÚCAR REFINADO"));
    EXPECT_EQ(productCodeOf(product), QStringLiteral("0000000012"));
    EXPECT_EQ(brandCodeOf(product), QStringLiteral("00007"));
    EXPECT_EQ(brandNameOf(product), QStringLiteral("União"));

    const DetailLine line = detailLine(region + supplier + product, 1234.5, 2.25, -0.5, 12, QStringLiteral("KG"),
                                       12.5, true, QStringLiteral("0101001"));
    const DetailLine back = DetailLine::parse(line.text());
    EXPECT_EQ(back.key, region + supplier + product);
    EXPECT_EQ(back.unitPrice, QStringLiteral("1.234,50000"));
    EXPECT_EQ(host::FloatMaskOut(back.unitPrice), 1234.5);
    EXPECT_EQ(back.economicPricePI, QStringLiteral("-0,50000"));
    EXPECT_EQ(back.quantity, QStringLiteral("12,000"));
    EXPECT_EQ(back.unit, QStringLiteral("KG"));
    EXPECT_EQ(back.discount, QStringLiteral("12,50 %"));
    EXPECT_EQ(back.changed, QStringLiteral("S"));
    EXPECT_EQ(back.treeCode, QStringLiteral("0101001"));
    EXPECT_TRUE(DetailLine::parse(QString()).unitPrice.isEmpty());
}
