// ValidaDados: the seven register checks of the priced items of a worksheet, each raised by
// the rule it names and by no other, and the packets it refuses.

#include "ItemTestSupport.h"

#include "DbTestSupport.h"

#include <gtest/gtest.h>

using namespace itemtest;

namespace {

class ValidaDadosTest : public rpctest::RpcFixture
{
protected:
    QString product(const char* tree) { return dbtest::productOf(db(), QString::fromLatin1(tree)); }
    Item item(const char* region, int supplier, const char* tree, const char* brand)
    {
        return {QString::fromLatin1(region), dbtest::supplier(supplier), product(tree),
                QString::fromLatin1(brand)};
    }
    static host::Packet worksheet(const QList<std::pair<Item, double>>& items)
    {
        host::Packet packet(
            host::FieldDefs{host::FieldDef::text(QStringLiteral("COCREGIAO"), 35),
                            host::FieldDef::text(QStringLiteral("COCFORNECED"), 63),
                            host::FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                            host::FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)});
        for (const auto& [item, price] : items)
            packet.appendRow(itemValues(item, price));
        return packet;
    }
    QVariant validate(const QVariant& packet, const QString& centre = QStringLiteral("0001"),
                      const QString& date = QStringLiteral("2025-03-05"))
    {
        return call(rpctest::kPlan, QStringLiteral("ValidaDados"),
                    {packet, QStringLiteral("0001"), centre, date}, login());
    }
    // "region|supplier|product|brand|flags" of each row of the answer.
    static QStringList errorRows(const QVariant& answer)
    {
        const host::Packet packet = answer.value<host::Packet>();
        QStringList rows;
        for (qsizetype r = 0; r < packet.rowCount(); ++r) {
            QStringList values;
            for (int f = 0; f < packet.fieldCount(); ++f)
                values << packet.value(r, f).toString();
            rows << values.join(u'|');
        }
        rows.sort();
        return rows;
    }
    static QString row(const Item& item, const char* flags)
    {
        return QStringList{item.region, item.supplier, item.product, item.brand,
                           QString::fromLatin1(flags)}
            .join(u'|');
    }
};

TEST_F(ValidaDadosTest, EachFlagIsRaisedByItsOwnRuleOnly)
{
    // Supplier 1 supplies group 01 (a tree node) and is approved for the white rice, whose
    // brand 00002 is approved: this item breaks no rule.
    const Item clean = item("001", 1, "0101001", "00002");
    const Item lapsedBrand = item("001", 1, "0101001", "00003"); // approval of the brand lapsed
    const Item refusedSupplier =
        item("001", 1, "0103001", "00005");                    // supplier 1 refused for coffee
    const Item unserved = item("004", 13, "0301001", "00001"); // supplier 13 keeps out of 004
    const Item regionalBranch = item("003", 14, "0301001", "00001"); // Rio buys produce locally
    const Item centre = item("002", 1, "0102004", "00014");          // the centre buys no olive oil
    const Item notSupplied = item("001", 6, "0101001", "00002");  // supplier 6 supplies coffee only
    const Item unregistered = item("001", 1, "0101001", "00004"); // brand 00004 of no product
    const Item unpriced = item("001", 6, "0101001", "00003");     // errors, but no price yet
    db().exec(QStringLiteral("UPDATE PARASUPRI SET CDMARCA = NULL WHERE CDFILIAL = '0001'"));

    const QVariant packet = QVariant::fromValue(worksheet({{clean, 10},
                                                           {lapsedBrand, 10},
                                                           {lapsedBrand, 10},
                                                           {refusedSupplier, 10},
                                                           {unserved, 3},
                                                           {regionalBranch, 3},
                                                           {centre, 30},
                                                           {notSupplied, 20},
                                                           {unregistered, 10},
                                                           {unpriced, 0}}));
    const QStringList expected = {row(lapsedBrand, "SNNNNNN"), row(refusedSupplier, "NSNNNNN"),
                                  row(unserved, "NNSNNNN"),    row(regionalBranch, "NNNSNNN"),
                                  row(centre, "NNNNSNN"),      row(notSupplied, "NNNNNSN"),
                                  row(unregistered, "NNNNNNS")};
    QStringList sorted = expected;
    sorted.sort();
    EXPECT_EQ(errorRows(validate(packet)), sorted) << "the repeated item is reported once";

    // A registration on a tree node covers the products below it.
    dbtest::rows(db(),
                 QStringLiteral("INSERT INTO MARCPROD (CDPRODUTO, CDMARCA) VALUES (?, '00004')"),
                 {product("01")});
    sorted.removeAll(row(unregistered, "NNNNNNS"));
    EXPECT_EQ(errorRows(validate(packet)), sorted);

    // With a default brand the brand registration is not checked at all.
    db().exec(QStringLiteral("DELETE FROM MARCPROD WHERE CDMARCA = '00004'"));
    db().exec(QStringLiteral("UPDATE PARASUPRI SET CDMARCA = '00001' WHERE CDFILIAL = '0001'"));
    EXPECT_EQ(errorRows(validate(packet)), sorted);

    // A centre that does not accept brands without qualification flags such pairs too.
    db().exec(QStringLiteral("UPDATE PARASUPRI SET IDMARSEMQUA = 'S' WHERE CDFILIAL = '0001'"));
    const Item withoutQualification = item("001", 1, "0101002", "00002");
    EXPECT_EQ(errorRows(validate(
                  QVariant::fromValue(worksheet({{clean, 10}, {withoutQualification, 10}})))),
              QStringList{row(withoutQualification, "SNNNNNN")});
}

TEST_F(ValidaDadosTest, MalformedPacketsAndArgumentsAreRefusedWithTheirReason)
{
    const QString bad = QStringLiteral("A tabela de itens enviada para validação é inválida: %1");
    const Item clean = item("001", 1, "0101001", "00002");

    host::Packet extra(host::FieldDefs{host::FieldDef::text(QStringLiteral("CDFILIAL"), 4)});
    EXPECT_EQ(validate(QVariant::fromValue(extra)).toString(),
              bad.arg("o campo CDFILIAL não pertence à tabela de itens da planilha."));

    host::Packet malformed = worksheet({{clean, 10}});
    malformed.appendRow(
        {QStringLiteral("01"), itemValues(clean, 1)[1], itemValues(clean, 1)[2], 1.0});
    EXPECT_EQ(validate(QVariant::fromValue(malformed)).toString(),
              bad.arg("valor malformado no campo COCREGIAO: \"01\"."));

    EXPECT_TRUE(validate(QVariant::fromValue(worksheet({{clean, -1}})))
                    .toString()
                    .startsWith(bad.arg("preço unitário inválido (-1)")));
    EXPECT_EQ(validate(QVariant::fromValue(worksheet({{clean, 1}})), QStringLiteral("0001"),
                       QStringLiteral("ontem"))
                  .toString(),
              QStringLiteral("Data da cotação inválida: \"ontem\"."));
    // The date as the operator's locale writes it is read too.
    EXPECT_TRUE(errorRows(validate(QVariant::fromValue(worksheet({{clean, 1}})),
                                   QStringLiteral("0001"), QStringLiteral("05/03/2025")))
                    .isEmpty());
}

} // namespace
