// GravaPlanCota storing the worksheet's item changes: inserts, prices, deletes and brand
// changes with the terms and taxes that belong to the item, the copy to the other regions,
// who may change which items, and saves that meet another operator's change or repeat
// themselves.

#include "ItemTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/WireCodec.h"

#include <gtest/gtest.h>

using namespace itemtest;
using namespace savetest;

namespace {

const QString kPastQuotation = QStringLiteral("0000000001"); // Ana's, with terms and taxes

class ItemSaveTest : public ItemSaveFixture
{
protected:
    Item item(const char* region, int supplier, const char* tree, const char* brand)
    {
        return {QString::fromLatin1(region), dbtest::supplier(supplier),
                dbtest::productOf(db(), QString::fromLatin1(tree)), QString::fromLatin1(brand)};
    }
    double price(const QString& number, const Item& i)
    {
        return storedPrice(db(), number, i).value_or(-1);
    }
    int itemCount(const QString& number)
    {
        return dbtest::scalar(db(),
                              QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE "
                                             "NRCOLEPRECO = ?"),
                              {number})
            .toInt();
    }
    void store(const QString& number, const Item& i, double price)
    {
        dbtest::rows(db(),
                     QStringLiteral("INSERT INTO ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, "
                                    "CDFORNECED, CDPRODUTO, CDMARCA, VRPRECUNIITM) VALUES "
                                    "('0001', ?, ?, ?, ?, ?, ?)"),
                     {number, i.region, i.supplier, i.product, i.brand, price});
    }
    // Lets each product be priced by the buyer who negotiates it, and Carlos negotiate rice
    // and beans (tree node 0101).
    void pricingByProduct()
    {
        db().exec(QStringLiteral("UPDATE PARASUPRI SET IDUMPRODCMP = 'S' WHERE CDFILIAL = '0001'"));
        dbtest::rows(db(),
                     QStringLiteral("INSERT INTO PRODCOMP (CDOPERADOR, CDPRODUTO) VALUES (?, ?)"),
                     {kCarlos, dbtest::productOf(db(), QStringLiteral("0101"))});
    }
};

TEST_F(ItemSaveTest, InsertsPricesDeletesAndChangesBrandsWithTermsAndTaxesFollowing)
{
    const QString ana = login(kAna);
    const Item priced = item("001", 1, "0101001", "00002");
    const Item removed = item("002", 1, "0101001", "00015");
    const Item added = item("001", 1, "0101002", "00002");
    const Item rebranded = item("003", 1, "0101003", "00003");
    const Item newBrand = item("003", 1, "0101003", "00015");
    ASSERT_EQ(rowsOf(db(), QStringLiteral("PZOPGTITMCOL"), kPastQuotation, removed), 3);
    ASSERT_EQ(rowsOf(db(), QStringLiteral("IMPCOLET"), kPastQuotation, rebranded), 1);
    const double rebrandedPrice = price(kPastQuotation, rebranded);
    const int before = itemCount(kPastQuotation);

    ItemTable items = load(ana, kPastQuotation);
    items.setPrice(priced, 31.5);
    items.remove(removed);
    items.insert(added, 12.5);
    items.changeBrand(rebranded, QStringLiteral("00015"));
    EXPECT_EQ(saveItems(ana, kAna, kPastQuotation, items), "");

    EXPECT_EQ(price(kPastQuotation, priced), 31.5);
    EXPECT_FALSE(storedPrice(db(), kPastQuotation, removed));
    EXPECT_EQ(rowsOf(db(), QStringLiteral("PZOPGTITMCOL"), kPastQuotation, removed), 0);
    EXPECT_EQ(rowsOf(db(), QStringLiteral("IMPCOLET"), kPastQuotation, removed), 0);
    // Supplier 1 grants 2 % on every item and pays the freight (CIF); the quotation is
    // valid from 24 February to 9 March.
    EXPECT_EQ(
        dbtest::rows(db(),
                     QStringLiteral("SELECT VRPRECUNIITM, VRPERDESITM, IDTIPFREITM, "
                                    "DTINIVALITM, DTFINVALITM FROM ITEMCOLE WHERE "
                                    "NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? "
                                    "AND CDPRODUTO = ? AND CDMARCA = ?"),
                     {kPastQuotation, added.region, added.supplier, added.product, added.brand}),
        QStringList{"12.5|2|C|2025-02-24|2025-03-09"});
    EXPECT_FALSE(storedPrice(db(), kPastQuotation, rebranded));
    EXPECT_EQ(price(kPastQuotation, newBrand), rebrandedPrice);
    EXPECT_EQ(rowsOf(db(), QStringLiteral("PZOPGTITMCOL"), kPastQuotation, newBrand), 3);
    EXPECT_EQ(rowsOf(db(), QStringLiteral("IMPCOLET"), kPastQuotation, newBrand), 1);
    EXPECT_EQ(itemCount(kPastQuotation), before);
}

TEST_F(ItemSaveTest, ApplyingToOtherRegionsPricesOnlyTheSameSupplierProductAndBrand)
{
    // Product 0000000002 holds brand code 00002 in its own code: matching codes as text
    // inside the composite values would take its other brands along.
    const Item here{QStringLiteral("001"), dbtest::supplier(1), QStringLiteral("0000000002"),
                    QStringLiteral("00002")};
    Item there = here, otherBrand = here, otherSupplier = here, unquoted = here;
    there.region = otherBrand.region = otherSupplier.region = QStringLiteral("002");
    otherBrand.brand = QStringLiteral("00015");
    otherSupplier.supplier = dbtest::supplier(2);
    unquoted.region = QStringLiteral("003");
    store(kAnaQuotation, here, 5);
    store(kAnaQuotation, there, 5);
    store(kAnaQuotation, otherBrand, 6);
    store(kAnaQuotation, otherSupplier, 7);
    const int before = itemCount(kAnaQuotation);

    const QString ana = login(kAna);
    ItemTable items = load(ana, kAnaQuotation);
    items.setPrice(here, 9);
    EXPECT_EQ(saveItems(ana, kAna, kAnaQuotation, items, true), "");
    EXPECT_EQ(price(kAnaQuotation, here), 9);
    EXPECT_EQ(price(kAnaQuotation, there), 9);
    EXPECT_EQ(price(kAnaQuotation, otherBrand), 6);
    EXPECT_EQ(price(kAnaQuotation, otherSupplier), 7);
    EXPECT_FALSE(storedPrice(db(), kAnaQuotation, unquoted)) << "no item is inserted elsewhere";
    EXPECT_EQ(itemCount(kAnaQuotation), before);
}

TEST_F(ItemSaveTest, BuyerManagerAndTheBuyerOfTheProductMayChangeItems)
{
    const Item rice = item("001", 1, "0101001", "00002");
    const Item parboiled = item("001", 1, "0101002", "00003");
    const QString carlos = login(kCarlos);
    ItemTable byCarlos = load(carlos, kAnaQuotation);
    byCarlos.setPrice(rice, 40);
    const QStringList before = snapshot();
    EXPECT_EQ(saveItems(carlos, kCarlos, kAnaQuotation, byCarlos),
              QStringLiteral("Cotação pertence a outro comprador."));
    EXPECT_EQ(snapshot(), before);

    const QString fernanda = login(kFernanda);
    ItemTable byManager = load(fernanda, kAnaQuotation);
    byManager.setPrice(rice, 41);
    byManager.remove(item("002", 1, "0101001", "00002"));
    EXPECT_EQ(saveItems(fernanda, kFernanda, kAnaQuotation, byManager), "");
    EXPECT_EQ(price(kAnaQuotation, rice), 41);

    // Where each product is priced by its buyer, Carlos prices and inserts his products and
    // marks the quotation as priced on the worksheet in the same save...
    pricingByProduct();
    QuotationList list(db());
    list.change(kAnaQuotation, {{QStringLiteral("IDTIPCOLREG"), QStringLiteral("G")}});
    ItemTable items = load(carlos, kAnaQuotation);
    items.setPrice(rice, 33);
    items.insert(parboiled, 8.75);
    EXPECT_EQ(saveItems(carlos, kCarlos, kAnaQuotation, items, false, {}, list.changes()), "");
    EXPECT_EQ(price(kAnaQuotation, rice), 33);
    EXPECT_EQ(price(kAnaQuotation, parboiled), 8.75);
    EXPECT_EQ(storedRecord(db(), kAnaQuotation).section(u'|', 8, 8), "G");

    // ...but neither another buyer's product nor a deletion.
    const QStringList priced = snapshot();
    ItemTable oil = load(carlos, kAnaQuotation);
    oil.setPrice(item("001", 1, "0102001", "00006"), 9);
    EXPECT_TRUE(saveItems(carlos, kCarlos, kAnaQuotation, oil)
                    .startsWith(QStringLiteral("Produto não é negociado pelo comprador: região "
                                               "001 - Grande São Paulo")));
    ItemTable deleting = load(carlos, kAnaQuotation);
    deleting.remove(rice);
    EXPECT_TRUE(saveItems(carlos, kCarlos, kAnaQuotation, deleting)
                    .startsWith(QStringLiteral("Somente o comprador da cotação ou o seu gerente")));
    EXPECT_EQ(snapshot(), priced);
}

TEST_F(ItemSaveTest, AnItemChangedByAnotherOperatorRefusesTheWholeSave)
{
    const QString ana = login(kAna);
    const QString fernanda = login(kFernanda);
    const Item rice = item("001", 1, "0101001", "00002");
    const Item otherBrand = item("001", 1, "0101001", "00015");
    ItemTable first = load(ana, kAnaQuotation);
    ItemTable second = load(fernanda, kAnaQuotation);

    first.setPrice(rice, 11);
    ASSERT_EQ(saveItems(ana, kAna, kAnaQuotation, first), "");
    const QStringList afterFirst = snapshot();

    second.setPrice(otherBrand, 5); // would be stored, but goes with the refused save
    second.setPrice(rice, 12);
    EXPECT_EQ(saveItems(fernanda, kFernanda, kAnaQuotation, second),
              QStringLiteral("Item alterado por outro operador: região 001 - Grande São Paulo, "
                             "fornecedor 000000000000000000001 - Atacadão Paulista, produto "
                             "0000000003 - ARROZ BRANCO TIPO 1 5KG, marca 00002 - SABOR DO "
                             "CAMPO."));
    EXPECT_EQ(snapshot(), afterFirst);
}

TEST_F(ItemSaveTest, ASaveSentAgainChangesNothingMore)
{
    // The answer of a save was lost and the same changes come again, without a request id.
    const QString ana = login(kAna);
    const Item rice = item("001", 1, "0101001", "00002");
    const Item added = item("001", 1, "0101002", "00003");
    const Item removed = item("002", 1, "0101001", "00002");
    ItemTable items = load(ana, kAnaQuotation);
    items.setPrice(rice, 21);
    items.insert(added, 7);
    items.remove(removed);
    ASSERT_EQ(saveItems(ana, kAna, kAnaQuotation, items), "");
    const QStringList stored = snapshot();
    EXPECT_EQ(saveItems(ana, kAna, kAnaQuotation, items), "");
    EXPECT_EQ(snapshot(), stored);

    // An insert that meets the item stored with another price is another operator's.
    const Item fresh = item("003", 1, "0101002", "00003");
    ItemTable racing = load(ana, kAnaQuotation);
    racing.insert(fresh, 8);
    store(kAnaQuotation, fresh, 9);
    EXPECT_TRUE(saveItems(ana, kAna, kAnaQuotation, racing)
                    .startsWith(QStringLiteral("Item alterado por outro operador:")));
    EXPECT_EQ(price(kAnaQuotation, fresh), 9);
}

TEST_F(ItemSaveTest, ARepeatedRequestIdIsAnsweredWithoutApplyingTheSaveAgain)
{
    const QString ana = login(kAna);
    const QString fernanda = login(kFernanda);
    const Item rice = item("001", 1, "0101001", "00002");
    const QString id = QStringLiteral("3b9d6f2e-1c4a-4f8e-a2b7-5d6c7e8f9a01");
    ItemTable items = load(ana, kAnaQuotation);
    items.setPrice(rice, 11);
    ASSERT_EQ(saveItems(ana, kAna, kAnaQuotation, items, false, id), "");

    // The manager changes the price; then Ana's retry of her first save arrives.
    ItemTable managers = load(fernanda, kAnaQuotation);
    managers.setPrice(rice, 15);
    ASSERT_EQ(saveItems(fernanda, kFernanda, kAnaQuotation, managers), "");
    EXPECT_EQ(saveItems(ana, kAna, kAnaQuotation, items, false, id), "");
    EXPECT_EQ(price(kAnaQuotation, rice), 15);
    EXPECT_TRUE(log.last().endsWith(QStringLiteral("(repetida)"))) << log.last().toStdString();
    EXPECT_EQ(dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM REQGRAVACAO")).toInt(), 1);

    // A refused save keeps no answer: its retry is checked again.
    const QString refusedId = QStringLiteral("refused-1");
    EXPECT_TRUE(saveItems(ana, kAna, kAnaQuotation, items, false, refusedId)
                    .startsWith(QStringLiteral("Item alterado por outro operador:")));
    EXPECT_EQ(dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM REQGRAVACAO")).toInt(), 1);
}

} // namespace
