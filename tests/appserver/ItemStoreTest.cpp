// GravaItemCole storing one row of an assignment page (prices and discounts, new items
// checked against the item rules, brand and product changes, deletes with the item's terms
// and taxes) and CargRegiao copying a price to the other regions the supplier serves; the
// calls they refuse write nothing.

#include "ItemTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/DataSet.h"
#include "host/core/Exceptions.h"
#include "host/core/WireCodec.h"

#include <gtest/gtest.h>

using itemtest::Item;
using savetest::kAna;

namespace {

const QString kPast = QStringLiteral("0000000001");    // Ana's, sent by e-mail, terms and taxes
const QString kCurrent = QStringLiteral("0000000003"); // Ana's, not sent yet ("L")
const QString kPrice = QStringLiteral("VRPRECUNIITM");
const QString kDiscount = QStringLiteral("VRPERDESITM");
const QString kBad = QStringLiteral("O pacote de alterações do item é inválido: ");
const QString kWhere = QStringLiteral(" WHERE NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? "
                                      "AND CDPRODUTO = ? AND CDMARCA = ?");

class ItemStoreTest : public savetest::SaveFixture
{
protected:
    void SetUp() override
    {
        SaveFixture::SetUp();
        ana = login(kAna);
    }
    Item item(const char* region, int supplier, const char* tree, const char* brand)
    {
        return {QString::fromLatin1(region), dbtest::supplier(supplier),
                dbtest::productOf(db(), QString::fromLatin1(tree)), QString::fromLatin1(brand)};
    }
    // The page's table loaded with `method`, the item's row given the values (a new row when
    // `insert`, deleted when `values` is empty) and posted: the change packet it sends.
    host::Delta page(const QString& number, const Item& i, const QVariantMap& values,
                     bool insert = false, const QString& method = QStringLiteral("GetProdForn"))
    {
        host::DataSet table;
        table.SetData(
            call(rpctest::kPlan, method, {savetest::kBranch, number}, ana).value<host::Packet>());
        const QVariantList codes{savetest::kBranch, number,    i.region,
                                 i.supplier,        i.product, i.brand};
        const QString key = QStringLiteral("CDFILIAL;NRCOLEPRECO;CDREGIAO;CDFORNECED;CDPRODUTO;"
                                           "CDMARCA");
        if (insert) {
            table.Append();
            for (int f = 0; f < codes.size(); ++f)
                table.FieldByName(key.section(u';', f, f)).SetValue(codes[f]);
        } else if (!table.Locate(key, codes)) {
            throw host::Exception(QStringLiteral("item not on the page"));
        } else if (values.isEmpty()) {
            table.Delete();
            return table.Delta();
        } else {
            table.Edit();
        }
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            table.FieldByName(it.key()).SetValue(it.value());
        table.Post();
        return table.Delta();
    }
    QString store(const QVariant& changes, const QString& number, const QString& token = {},
                  const QString& operatorCode = kAna)
    {
        return call(rpctest::kPlan, QStringLiteral("GravaItemCole"),
                    {changes, savetest::kBranch, number, savetest::kBranch, operatorCode},
                    token.isEmpty() ? ana : token)
            .toString();
    }
    QString store(const host::Delta& changes, const QString& number)
    {
        return store(QVariant::fromValue(changes), number);
    }
    QString copy(const Item& source, const QString& token)
    {
        return call(rpctest::kPlan, QStringLiteral("CargRegiao"),
                    {savetest::kBranch, kCurrent, source.supplier, source.region, source.product,
                     source.brand, savetest::kBranch},
                    token)
            .toString();
    }
    void run(const QString& sql, const QString& number, const Item& i)
    {
        dbtest::rows(db(), sql + kWhere, {number, i.region, i.supplier, i.product, i.brand});
    }
    // "price|discount|marker|freight|valid from|valid to" of the stored item; "" when absent.
    QString stored(const QString& number, const Item& i)
    {
        return dbtest::rows(db(),
                            QStringLiteral("SELECT VRPRECUNIITM, VRPERDESITM, IDITMCOTPREC, "
                                           "IDTIPFREITM, DTINIVALITM, DTFINVALITM FROM ITEMCOLE") +
                                kWhere,
                            {number, i.region, i.supplier, i.product, i.brand})
            .value(0);
    }
    int rowsOf(const char* table, const Item& i)
    {
        return itemtest::rowsOf(db(), QString::fromLatin1(table), kPast, i);
    }
    QString collectionType(const QString& number)
    {
        return savetest::storedRecord(db(), number).section(u'|', 8, 8);
    }
    QString ana;
};

TEST_F(ItemStoreTest, PriceDiscountAndNewItemsAreStoredAndMarked)
{
    const Item rice = item("001", 1, "0101001", "00002");
    EXPECT_EQ(store(page(kPast, rice, {{kPrice, 31.5}, {kDiscount, 3.25}}), kPast), "");
    EXPECT_TRUE(stored(kPast, rice).startsWith(QStringLiteral("31.5|3.25|S|")));
    EXPECT_EQ(collectionType(kPast), "E") << "only a quotation not sent yet turns to the worksheet";

    // In the supplier/product page's table, in the centre's default brand (which needs no
    // qualification): the discount given, the supplier's freight, the quotation's validity.
    const Item added = item("001", 1, "0101002", "00001");
    const QVariantMap values{{kPrice, 12.5}, {kDiscount, 1.5}};
    EXPECT_EQ(store(page(kCurrent, added, values, true, QStringLiteral("GetFornProd")), kCurrent),
              "");
    EXPECT_EQ(stored(kCurrent, added), "12.5|1.5|S|C|2025-03-10|2025-03-23");
    EXPECT_EQ(collectionType(kCurrent), "G");

    const QStringList before = snapshot();
    const std::pair<Item, const char*> refused[] = {
        {added, "Cotação já cadastrada."},
        {item("004", 13, "0301001", "00001"), "Fornecedor não atende a região."},
        {item("001", 6, "0101001", "00002"), "Produto não cadastrado para o fornecedor."},
        {item("001", 1, "0101001", "00003"), "Marca não qualificada ou com validade vencida."},
    };
    for (const auto& [other, refusal] : refused)
        EXPECT_EQ(store(page(kCurrent, other, values, true), kCurrent), QString::fromUtf8(refusal));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ItemStoreTest, BrandAndProductChangesAndDeletesTakeTheTermsAndTaxesAlong)
{
    const Item rebranded = item("003", 1, "0101003", "00003");
    Item moved = rebranded;
    moved.brand = QStringLiteral("00001");
    ASSERT_EQ(rowsOf("PZOPGTITMCOL", rebranded), 3);
    ASSERT_EQ(rowsOf("IMPCOLET", rebranded), 1);
    const QStringList before = snapshot();
    EXPECT_EQ(store(page(kPast, rebranded, {{QStringLiteral("CDMARCA"), "00015"}}), kPast),
              "Marca não qualificada ou com validade vencida.");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(store(page(kPast, rebranded, {{QStringLiteral("CDMARCA"), moved.brand}, {kPrice, 9}}),
                    kPast),
              "");
    EXPECT_EQ(stored(kPast, rebranded), "");
    EXPECT_TRUE(stored(kPast, moved).startsWith(QStringLiteral("9|2|S|")));
    EXPECT_EQ(rowsOf("PZOPGTITMCOL", moved), 3);
    EXPECT_EQ(rowsOf("IMPCOLET", moved), 1);

    // Another product is another item: the old one goes with its terms.
    const Item old = item("002", 1, "0101001", "00015");
    const Item now = item("002", 1, "0101002", "00015");
    ASSERT_EQ(rowsOf("PZOPGTITMCOL", old), 3);
    EXPECT_EQ(
        store(page(kPast, old, {{QStringLiteral("CDPRODUTO"), now.product}, {kPrice, 14}}), kPast),
        "");
    EXPECT_EQ(rowsOf("PZOPGTITMCOL", old), 0);
    EXPECT_EQ(stored(kPast, now), "14|2|S|C|2025-02-24|2025-03-09");
    EXPECT_EQ(rowsOf("PZOPGTITMCOL", now), 0);

    EXPECT_EQ(store(page(kPast, moved, {}), kPast), "");
    for (const char* table : {"ITEMCOLE", "PZOPGTITMCOL", "IMPCOLET"})
        EXPECT_EQ(rowsOf(table, moved), 0) << table;
}

TEST_F(ItemStoreTest, AChangeMeetingAnotherOperatorsOrWithoutRightsIsRefused)
{
    const Item rice = item("001", 1, "0101001", "00002");
    const QVariant change = QVariant::fromValue(page(kCurrent, rice, {{kPrice, 40}}));
    const QString conflict = QStringLiteral("Item alterado por outro operador: região 001, "
                                            "fornecedor 000000000000000000001, produto "
                                            "0000000003, marca 00002");
    run(QStringLiteral("UPDATE ITEMCOLE SET VRPERDESITM = 5"), kCurrent, rice);
    const QStringList before = snapshot();
    EXPECT_EQ(store(change, kCurrent), conflict + ".");
    const QString carlos = login(savetest::kCarlos);
    EXPECT_EQ(store(change, kCurrent, carlos, savetest::kCarlos),
              "Cotação pertence a outro comprador.");
    EXPECT_EQ(store(change, kCurrent, carlos, kAna),
              "O operador informado não é o operador conectado ao sistema.");
    EXPECT_EQ(snapshot(), before);
    run(QStringLiteral("DELETE FROM ITEMCOLE"), kCurrent, rice);
    EXPECT_EQ(store(change, kCurrent), conflict + " (o item não existe mais na cotação).");
}

TEST_F(ItemStoreTest, HostilePacketsAreRefused)
{
    const Item rice = item("001", 1, "0101001", "00002");
    const host::Delta priced = page(kCurrent, rice, {{kPrice, 1.25}});
    const auto with = [&](const char* field, const QVariant& value) {
        host::Delta delta = priced;
        delta.changes[0].newValues[delta.indexOf(QString::fromLatin1(field))] = value;
        return delta;
    };
    host::Delta twoRows = priced;
    twoRows.changes.push_back(priced.changes[0]);
    host::Delta worksheet = priced;
    worksheet.fields[worksheet.indexOf(QStringLiteral("CDREGIAO"))].name = "COCREGIAO";
    host::Delta textPrice = with("VRPRECUNIITM", QStringLiteral("1"));
    textPrice.fields[textPrice.indexOf(kPrice)].type = host::FieldType::String;

    const QStringList before = snapshot();
    const std::pair<host::Delta, const char*> refused[] = {
        {twoRows, "o pacote deve trazer a alteração de um só item (traz 2)."},
        {worksheet, "o campo COCREGIAO não pertence à tabela de itens da cotação."},
        {textPrice, "o campo VRPRECUNIITM deve ser número."},
        {with("VRPRECUNIITM", 1e10), "preço unitário inválido (1e+10): o preço deve ser "
                                     "um número de 0 a 9.999.999.999,99999."},
        {with("VRPERDESITM", -1.0), "desconto inválido (-1): o desconto deve ser um número de 0 "
                                    "a 100."},
        {with("CDPRODUTO", QStringLiteral("1'; DELETE FROM ITEMCOLE")),
         "valor malformado no campo CDPRODUTO: \"1'; DELETE FROM ITEMCOLE\"."},
        {with("CDMARCA", QString(100000, u'9')),
         "valor malformado no campo CDMARCA: \"999999999999999999999999999999999999999999999999"
         "999999999999...\"."},
        {with("NRCOLEPRECO", kPast), "o item não pertence à cotação 0000000003."},
    };
    for (const auto& [delta, refusal] : refused)
        EXPECT_EQ(store(delta, kCurrent), kBad + QString::fromUtf8(refusal));
    EXPECT_EQ(store(QStringLiteral("VRPRECUNIITM=0"), kCurrent),
              kBad + "esperava um pacote de alterações.");

    // A number JSON cannot carry never reaches the method.
    QByteArray body = host::wire::encode(QVariantMap{
        {QStringLiteral("args"), QVariantList{QVariant::fromValue(priced), savetest::kBranch,
                                              kCurrent, savetest::kBranch, kAna}}});
    body.replace("1.25", "NaN");
    EXPECT_EQ(post(QStringLiteral("/rpc/Sup.rdmPlanCotaPrec/GravaItemCole"), body, ana).status,
              400);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ItemStoreTest, CargRegiaoCopiesPriceAndDiscountToTheOtherServedRegions)
{
    // Supplier 17's rice is quoted in the quotation's regions 001 to 004. The supplier stops
    // serving 004 and starts serving 006, whose branch does not negotiate rice: no item may be
    // added there. The item of 003 is missing; the source has a freight of its own.
    const auto rice = [&](const char* region) { return item(region, 17, "0101001", "00002"); };
    const Item source = rice("001");
    run(QStringLiteral("UPDATE ITEMCOLE SET IDTIPFREITM = 'F'"), kCurrent, source);
    run(QStringLiteral("DELETE FROM ITEMCOLE"), kCurrent, rice("003"));
    for (const char* sql : {"INSERT INTO REFOREG VALUES (?, '004', NULL)",
                            "DELETE FROM REFOREG WHERE CDFORNECED = ? AND CDREGIAO = '006'"})
        dbtest::rows(db(), QString::fromLatin1(sql), {source.supplier});
    dbtest::rows(db(), QStringLiteral("INSERT INTO PRODFILI VALUES ('0005', ?, 'N')"),
                 {source.product});
    const QString unserved = stored(kCurrent, rice("004"));
    const Item otherBrand = item("002", 17, "0101001", "00015");
    const QString otherBrandBefore = stored(kCurrent, otherBrand);

    const QStringList before = snapshot();
    EXPECT_EQ(copy(item("001", 17, "0101001", "00003"), ana), "Item não encontrado na cotação.");
    EXPECT_EQ(copy(source, login(savetest::kCarlos)), "Cotação pertence a outro comprador.");
    EXPECT_EQ(snapshot(), before);

    ASSERT_EQ(store(page(kCurrent, source, {{kPrice, 31.5}, {kDiscount, 1.5}}), kCurrent), "");
    EXPECT_EQ(copy(source, ana), "");
    EXPECT_TRUE(stored(kCurrent, rice("002")).startsWith(QStringLiteral("31.5|1.5|S|C|")));
    EXPECT_EQ(stored(kCurrent, rice("003")), "31.5|1.5|S|F|2025-03-10|2025-03-23");
    EXPECT_EQ(stored(kCurrent, rice("004")), unserved);
    EXPECT_EQ(stored(kCurrent, rice("006")), "");
    EXPECT_EQ(stored(kCurrent, otherBrand), otherBrandBefore);
}

} // namespace
