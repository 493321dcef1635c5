// GravaPlanCota given hostile or malformed item change packets: each is refused with a text
// that says what is wrong, and nothing of the save is written.

#include "ItemTestSupport.h"

#include "DbTestSupport.h"

#include <gtest/gtest.h>

using namespace itemtest;
using namespace savetest;

namespace {

const QString kBad = QStringLiteral("O pacote de alterações dos itens da cotação é inválido: %1");

class ItemSaveHostileTest : public ItemSaveFixture
{
protected:
    void SetUp() override
    {
        ItemSaveFixture::SetUp();
        token = login(kAna);
        rice = {QStringLiteral("001"), dbtest::supplier(1), QStringLiteral("0000000003"),
                QStringLiteral("00002")};
        before = snapshot();
    }
    static host::FieldDefs worksheetFields()
    {
        return {host::FieldDef::text(QStringLiteral("COCREGIAO"), 35),
                host::FieldDef::text(QStringLiteral("COCFORNECED"), 63),
                host::FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                host::FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)};
    }
    // A packet of one price update of the item, its new values given.
    static host::Delta update(const QVariantList& oldValues, const QVariantList& newValues)
    {
        host::Delta delta;
        delta.fields = worksheetFields();
        delta.changes.push_back({host::Change::Op::Update, oldValues, newValues});
        return delta;
    }
    QString send(const host::Delta& delta)
    {
        return call(rpctest::kPlan, QStringLiteral("GravaPlanCota"),
                    saveArgs({}, kAnaQuotation, kAna, QVariant::fromValue(delta)), token)
            .toString();
    }
    double storedRice() { return storedPrice(db(), kAnaQuotation, rice).value_or(-1); }

    QString token;
    Item rice;
    QStringList before;
};

TEST_F(ItemSaveHostileTest, MalformedPacketsAreRefused)
{
    const double price = storedRice();
    const QVariantList old = itemValues(rice, price);

    host::Delta extraField = update(old + QVariantList{1.0}, old + QVariantList{2.0});
    extraField.fields.append(
        host::FieldDef::of(QStringLiteral("VRPRECECOITM"), host::FieldType::Float));
    EXPECT_EQ(send(extraField),
              kBad.arg("o campo VRPRECECOITM não pertence à tabela de itens da planilha."));

    host::Delta textPrice = update(old, old);
    textPrice.fields[3] = host::FieldDef::text(QStringLiteral("CONTA"), 20);
    textPrice.changes[0].oldValues[3] = textPrice.changes[0].newValues[3] = QStringLiteral("1");
    EXPECT_EQ(send(textPrice), kBad.arg("o campo CONTA deve ser número."));

    QVariantList malformed = itemValues(rice, 5);
    malformed[2] = QStringLiteral("ARROZ¤¤0000000003¤¤'; DELETE FROM ITEMCOLE; --");
    EXPECT_TRUE(
        send(update(old, malformed)).startsWith(kBad.arg("valor malformado no campo COCPRODUTO")));
    for (const double wrong : {-0.01, 1e10, 1e300}) {
        EXPECT_TRUE(send(update(old, itemValues(rice, wrong)))
                        .startsWith(kBad.arg("preço unitário inválido")))
            << wrong;
    }
    QVariantList unpriced = itemValues(rice, 0);
    unpriced[3] = QVariant();
    EXPECT_EQ(send(update(old, unpriced)), kBad.arg("item sem preço unitário."));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(storedRice(), price);
}

TEST_F(ItemSaveHostileTest, NumbersJsonCannotHoldAreBadRequests)
{
    const QString body = QStringLiteral(
        R"({"args":[null,{"$delta":{"fields":[{"name":"COCREGIAO","type":"string","size":35},)"
        R"({"name":"COCFORNECED","type":"string","size":63},)"
        R"({"name":"COCPRODUTO","type":"string","size":91},{"name":"CONTA","type":"float"}],)"
        R"("changes":[{"op":"insert","new":["001¤¤X","1¤¤X","X¤¤0000000003¥¥00002¤¤X",%1]}]}},)"
        R"("0001","0000000003",false,null,false,false,false,false,"0001","ANA.CARVALHO"]})");
    const QString path = QStringLiteral("/rpc/%1/GravaPlanCota").arg(rpctest::kPlan);
    for (const char* number : {"1e400", "NaN", "-Infinity"})
        EXPECT_EQ(post(path, body.arg(QLatin1String(number)).toUtf8(), token).status, 400)
            << number;
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ItemSaveHostileTest, ItemsOfAnotherQuotationOrOfNoRegisterAreRefused)
{
    // Supplier 30 quotes in the past quotation only: its item is no item of this one.
    const Item foreign{QStringLiteral("001"), dbtest::supplier(30), QStringLiteral("0000000003"),
                       QStringLiteral("00002")};
    const double foreignPrice =
        storedPrice(db(), QStringLiteral("0000000001"), foreign).value_or(-1);
    ASSERT_GT(foreignPrice, 0);
    EXPECT_TRUE(send(update(itemValues(foreign, foreignPrice), itemValues(foreign, 1)))
                    .endsWith(QStringLiteral("(o item não existe mais na cotação).")));
    EXPECT_EQ(storedPrice(db(), QStringLiteral("0000000001"), foreign), foreignPrice);

    const auto insert = [](const Item& item) {
        host::Delta delta;
        delta.fields = worksheetFields();
        delta.changes.push_back({host::Change::Op::Insert, {}, itemValues(item, 3)});
        return delta;
    };
    Item unknown = rice;
    unknown.region = QStringLiteral("999");
    EXPECT_TRUE(send(insert(unknown)).startsWith(QStringLiteral("Região não cadastrada:")));
    unknown = rice;
    unknown.brand = QStringLiteral("99999");
    EXPECT_TRUE(send(insert(unknown)).startsWith(QStringLiteral("Marca não cadastrada:")));
    unknown = rice;
    unknown.supplier = dbtest::supplier(999);
    EXPECT_TRUE(send(insert(unknown)).startsWith(QStringLiteral("Fornecedor não cadastrado:")));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ItemSaveHostileTest, AMillionChangesAreRefusedBeforeAnyIsApplied)
{
    // The smallest values that still read as an item, each change the same deletion.
    host::Delta delta;
    delta.fields = worksheetFields();
    const QVariantList item = {QStringLiteral("001¤¤"), QStringLiteral("1¤¤"),
                               QStringLiteral("¤¤0000000003¥¥00002¤¤"), 1.0};
    delta.changes.assign(1000000, host::Change{host::Change::Op::Delete, item, {}});
    EXPECT_EQ(send(delta), kBad.arg("mais de 500000 alterações numa só gravação."));
    EXPECT_EQ(snapshot(), before);
}

} // namespace
