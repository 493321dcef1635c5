// Deleting a quotation from the list: who may, what goes with it, and that a failure
// half-way leaves everything in place.

#include "RegisterTestSupport.h"

using namespace registertest;
using dbtest::dump;
using dbtest::rows;
using dbtest::scalar;

namespace {

const QString kFirst = QStringLiteral("0000000001");  // ANA.CARVALHO's, with terms and taxes
const QString kSecond = QStringLiteral("0000000002"); // CARLOS.NUNES's, with terms and taxes
const QStringList kQuotationTables = {"COLETAPR", "ITEMCOLE", "PZOPGTITMCOL", "IMPCOLET"};

class RegisterDeleteTest : public RegisterFixture
{
protected:
    QVariant deleteAs(const QString& session, const QString& branch, const QString& number,
                      const QString& operatorCode)
    {
        return call(rpctest::kPlan, QStringLiteral("DelColetaPr"), {branch, number, operatorCode},
                    session);
    }

    int countIn(const QString& table, const QString& number)
    {
        return scalar(db(),
                      QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CDFILIAL = '0001' AND "
                                     "NRCOLEPRECO = ?")
                          .arg(table),
                      {number})
            .toInt();
    }

    // Every row of the quotation tables that belongs to another quotation.
    QStringList othersThan(const QString& number)
    {
        QStringList result;
        for (const QString& table : kQuotationTables)
            result += rows(db(),
                           QStringLiteral("SELECT * FROM %1 WHERE NRCOLEPRECO <> ? "
                                          "ORDER BY 1, 2, 3, 4, 5, 6")
                               .arg(table),
                           {number});
        return result;
    }

    void expectWhole(const QString& number)
    {
        for (const QString& table : kQuotationTables)
            EXPECT_GT(countIn(table, number), 0) << table.toStdString();
    }

    void expectGone(const QString& number)
    {
        for (const QString& table : kQuotationTables)
            EXPECT_EQ(countIn(table, number), 0) << table.toStdString();
    }
};

const QVariant kDone = QVariant(QString());
const QVariant kNotFound = QVariant(QStringLiteral("Cotação de preços não encontrada."));
const QVariant kNotAllowed =
    QVariant(QStringLiteral("Somente o comprador da cotação ou seu gerente pode excluí-la."));
const QVariant kOtherOperator =
    QVariant(QStringLiteral("O operador informado não é o operador conectado ao sistema."));

} // namespace

TEST_F(RegisterDeleteTest, TheBuyerDeletesHisQuotationWithItsItemsTermsAndTaxes)
{
    expectWhole(kFirst);
    const QStringList others = othersThan(kFirst);

    // The number as typed is padded to the stored width.
    EXPECT_EQ(deleteAs(token, "0001", "1", "ANA.CARVALHO"), kDone);
    expectGone(kFirst);
    EXPECT_EQ(othersThan(kFirst), others) << "only that quotation goes";

    EXPECT_EQ(deleteAs(token, "0001", kFirst, "ANA.CARVALHO"), kNotFound) << "already deleted";
}

TEST_F(RegisterDeleteTest, TheManagerOfTheBuyerDeletesItToo)
{
    expectWhole(kSecond);
    const QStringList others = othersThan(kSecond);
    const QString manager = login(QStringLiteral("FERNANDA.LUZ"));
    EXPECT_EQ(deleteAs(manager, "0001", kSecond, "FERNANDA.LUZ"), kDone);
    expectGone(kSecond);
    EXPECT_EQ(othersThan(kSecond), others);
}

TEST_F(RegisterDeleteTest, AnotherBuyerAnImpersonatorAndAnUnknownQuotationAreRefused)
{
    const QStringList before = dump(db());
    const QString carlos = login(QStringLiteral("CARLOS.NUNES"));

    EXPECT_EQ(deleteAs(carlos, "0001", kFirst, "CARLOS.NUNES"), kNotAllowed);
    // The operator sent must be the session's: CARLOS cannot pass for ANA, and ANA's
    // session cannot pass for the manager.
    EXPECT_EQ(deleteAs(carlos, "0001", kFirst, "ANA.CARVALHO"), kOtherOperator);
    EXPECT_EQ(deleteAs(token, "0001", kSecond, "FERNANDA.LUZ"), kOtherOperator);

    EXPECT_EQ(deleteAs(token, "0001", "0000000099", "ANA.CARVALHO"), kNotFound);
    EXPECT_EQ(deleteAs(token, "0002", kFirst, "ANA.CARVALHO"), QVariant(otherCentreRefusal()))
        << "another branch";
    EXPECT_EQ(deleteAs(token, "0001", "", "ANA.CARVALHO"), kNotFound);

    EXPECT_EQ(dump(db()), before);
}

TEST_F(RegisterDeleteTest, AFailureInsideTheDeletionLeavesEverythingAsItWas)
{
    const QStringList before = dump(db());
    for (const QString& table : kQuotationTables) {
        SCOPED_TRACE(table.toStdString());
        dbtest::addFailingTrigger(db(), QStringLiteral("FALHA_EXCLUSAO"),
                                  QStringLiteral("BEFORE DELETE"), table, QString(),
                                  QStringLiteral("falha"));
        const QString answer = deleteAs(token, "0001", kFirst, "ANA.CARVALHO").toString();
        EXPECT_EQ(answer, QStringLiteral("Não foi possível excluir a cotação de preços: falha"));
        dbtest::dropTrigger(db(), QStringLiteral("FALHA_EXCLUSAO"), table);
        EXPECT_EQ(dump(db()), before);
    }
    // The server's connection is not left inside the failed transaction.
    EXPECT_EQ(deleteAs(token, "0001", kFirst, "ANA.CARVALHO"), kDone);
    expectGone(kFirst);
}
