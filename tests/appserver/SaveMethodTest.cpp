// GravaPlanCota saving the quotation list: who may reassign a quotation to another buyer,
// who may change the "Lista" flag and the collection type, and what the call refuses.

#include "SaveTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/OperatorPassword.h"

#include <gtest/gtest.h>

using namespace savetest;

namespace {

const QString kNotManaged =
    QStringLiteral("Comprador não cadastrado para o gerente logado no sistema.");
const QString kOtherBuyer = QStringLiteral("Cotação pertence a outro comprador.");
const QString kForeignItemLayout =
    QStringLiteral("O pacote de alterações dos itens da cotação é inválido: o campo CDFILIAL não "
                   "pertence à tabela de itens da planilha.");

class SaveMethodTest : public SaveFixture
{
protected:
    QString buyerOf(const QString& number)
    {
        return dbtest::scalar(db(),
                              QStringLiteral("SELECT CDOPERADOR FROM COLETAPR WHERE "
                                             "NRCOLEPRECO = ?"),
                              {number})
            .toString();
    }
    QString listFlagOf(const QString& number)
    {
        return dbtest::scalar(db(),
                              QStringLiteral("SELECT IDDISMONTLIS FROM COLETAPR WHERE "
                                             "NRCOLEPRECO = ?"),
                              {number})
            .toString();
    }
    QString operatorName(const QString& code)
    {
        return dbtest::scalar(db(),
                              QStringLiteral("SELECT NMOPERADOR FROM OPERADOR WHERE "
                                             "CDOPERADOR = ?"),
                              {code})
            .toString();
    }
    // A reassignment as the list makes it: code and name of the new buyer.
    QVariant reassignment(const QString& number, const QString& buyer)
    {
        QuotationList list(db());
        list.change(number, {{QStringLiteral("CDOPERADOR"), buyer},
                             {QStringLiteral("NMOPERADOR"), operatorName(buyer)}});
        return list.changes();
    }
    QVariant listToggle(const QString& number, const QString& flag)
    {
        QuotationList list(db());
        list.change(number, {{QStringLiteral("IDDISMONTLIS"), flag}});
        return list.changes();
    }
    // A buyer the demo manager does not manage.
    QString addUnmanagedBuyer()
    {
        const QString code = QStringLiteral("PEDRO.ALVES ");
        db().exec(QStringLiteral("INSERT INTO OPERADOR (CDOPERADOR, NMOPERADOR, CDFILIAL) VALUES "
                                 "('PEDRO.ALVES ', 'Pedro Alves', '0001')"));
        db().exec(QStringLiteral("INSERT INTO COMPRADOR (CDOPERADOR) VALUES ('PEDRO.ALVES ')"));
        return code;
    }
};

TEST_F(SaveMethodTest, ManagerReassignsAQuotationToABuyerHeManages)
{
    const QString token = login(kFernanda);
    const QString before = storedRecord(db(), kAnaQuotation);
    const QStringList others = dbtest::rows(
        db(), QStringLiteral("SELECT * FROM COLETAPR WHERE NRCOLEPRECO <> ? ORDER BY 2"),
        {kAnaQuotation});

    EXPECT_EQ(save(token, reassignment(kAnaQuotation, kCarlos), kAnaQuotation, kFernanda), "");

    EXPECT_EQ(buyerOf(kAnaQuotation), kCarlos);
    QString expected = before;
    expected.replace(kAna, kCarlos);
    EXPECT_EQ(storedRecord(db(), kAnaQuotation), expected) << "only the buyer changed";
    EXPECT_EQ(dbtest::rows(
                  db(), QStringLiteral("SELECT * FROM COLETAPR WHERE NRCOLEPRECO <> ? ORDER BY 2"),
                  {kAnaQuotation}),
              others);
}

TEST_F(SaveMethodTest, ManagerCannotReassignToSomeoneHeDoesNotManage)
{
    const QString stranger = addUnmanagedBuyer();
    const QString token = login(kFernanda);
    const QStringList before = snapshot();

    EXPECT_EQ(save(token, reassignment(kAnaQuotation, stranger), kAnaQuotation, kFernanda),
              kNotManaged);
    // The manager herself is no buyer of hers.
    EXPECT_EQ(save(token, reassignment(kAnaQuotation, kFernanda), kAnaQuotation, kFernanda),
              kNotManaged);
    EXPECT_EQ(save(token, reassignment(kAnaQuotation, QString()), kAnaQuotation, kFernanda),
              QStringLiteral("Comprador deve ser informado."));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, BuyersCannotReassignQuotations)
{
    const QStringList before = snapshot();
    const QString refusal = QStringLiteral("Somente o gerente do comprador da cotação %1 pode "
                                           "transferi-la para outro comprador.")
                                .arg(kAnaQuotation);
    // Not even their own quotation, and not someone else's.
    EXPECT_EQ(save(login(kAna), reassignment(kAnaQuotation, kCarlos), kAnaQuotation, kAna),
              refusal);
    EXPECT_EQ(save(login(kCarlos), reassignment(kAnaQuotation, kCarlos), kAnaQuotation, kCarlos),
              refusal);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, ManagerOfAnotherBuyerOnlyCannotReassign)
{
    // A second manager who manages Carlos but not Ana.
    db().exec(QStringLiteral("INSERT INTO OPERADOR (CDOPERADOR, NMOPERADOR, CDFILIAL) VALUES "
                             "('GERENTE.SUL ', 'Gerente Sul', '0001')"));
    db().exec(QStringLiteral("INSERT INTO GERECOMP (CDOPERGERE, CDOPERCOMP) VALUES "
                             "('GERENTE.SUL ', 'CARLOS.NUNES')"));
    host::setOperatorPassword(db(), QStringLiteral("GERENTE.SUL "), QStringLiteral("demo"));
    const QString token = login(QStringLiteral("GERENTE.SUL"));
    const QStringList before = snapshot();

    EXPECT_EQ(save(token, reassignment(kAnaQuotation, kCarlos), kAnaQuotation,
                   QStringLiteral("GERENTE.SUL")),
              QStringLiteral("Somente o gerente do comprador da cotação %1 pode transferi-la "
                             "para outro comprador.")
                  .arg(kAnaQuotation));
    EXPECT_EQ(save(token, listToggle(kAnaQuotation, QStringLiteral("S")), kAnaQuotation,
                   QStringLiteral("GERENTE.SUL")),
              kOtherBuyer);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, BuyerAndManagerToggleTheListFlag)
{
    ASSERT_EQ(listFlagOf(kAnaQuotation), "N");
    const QString ana = login(kAna);
    EXPECT_EQ(save(ana, listToggle(kAnaQuotation, QStringLiteral("S")), kAnaQuotation, kAna), "");
    EXPECT_EQ(listFlagOf(kAnaQuotation), "S");
    EXPECT_EQ(buyerOf(kAnaQuotation), kAna);

    // From a list loaded after the save, as the screen reloads it.
    const QString fernanda = login(kFernanda);
    EXPECT_EQ(
        save(fernanda, listToggle(kAnaQuotation, QStringLiteral("N")), kAnaQuotation, kFernanda),
        "");
    EXPECT_EQ(listFlagOf(kAnaQuotation), "N");
}

TEST_F(SaveMethodTest, AnotherBuyerCannotToggleTheListFlag)
{
    const QStringList before = snapshot();
    EXPECT_EQ(save(login(kCarlos), listToggle(kAnaQuotation, QStringLiteral("S")), kAnaQuotation,
                   kCarlos),
              kOtherBuyer);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, BuyerChangesTheCollectionTypeToAKnownOne)
{
    const QString token = login(kDaniela);
    ASSERT_EQ(dbtest::scalar(db(),
                             QStringLiteral("SELECT IDTIPCOLREG IS NULL FROM COLETAPR "
                                            "WHERE NRCOLEPRECO = ?"),
                             {kDanielaQuotation})
                  .toInt(),
              1);
    QuotationList list(db());
    list.change(kDanielaQuotation, {{QStringLiteral("IDTIPCOLREG"), QStringLiteral("G")}});
    EXPECT_EQ(save(token, list.changes(), kDanielaQuotation, kDaniela), "");
    EXPECT_EQ(dbtest::scalar(db(),
                             QStringLiteral("SELECT IDTIPCOLREG FROM COLETAPR WHERE "
                                            "NRCOLEPRECO = ?"),
                             {kDanielaQuotation})
                  .toString(),
              "G");

    const QStringList before = snapshot();
    QuotationList again(db());
    again.change(kDanielaQuotation, {{QStringLiteral("IDTIPCOLREG"), QStringLiteral("X")}});
    EXPECT_EQ(
        save(token, again.changes(), kDanielaQuotation, kDaniela),
        QStringLiteral("Tipo de coleta \"X\" inválido para a cotação %1.").arg(kDanielaQuotation));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, NothingToSaveAnswersEmpty)
{
    const QString token = login(kAna);
    const QStringList before = snapshot();
    EXPECT_EQ(save(token, QVariant(), kAnaQuotation, kAna), "");
    EXPECT_EQ(save(token, QVariant::fromValue(QuotationList(db()).delta()), kAnaQuotation, kAna),
              "")
        << "a change packet without changes";
    // A row edited back to its loaded values changes nothing either.
    QuotationList list(db());
    list.change(kAnaQuotation, {{QStringLiteral("IDDISMONTLIS"), QStringLiteral("N")}});
    EXPECT_EQ(save(token, list.changes(), kAnaQuotation, kAna), "");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, OperatorOtherThanTheSessionsIsRefused)
{
    // Ana's session cannot save in her manager's name, not even a change the manager may make.
    const QString token = login(kAna);
    const QStringList before = snapshot();
    const QString refusal = QStringLiteral("O operador da gravação não é o operador conectado ao "
                                           "servidor. Entre novamente no sistema.");
    EXPECT_EQ(save(token, reassignment(kAnaQuotation, kCarlos), kAnaQuotation, kFernanda), refusal);
    EXPECT_EQ(save(token, listToggle(kAnaQuotation, QStringLiteral("S")), kAnaQuotation, QString()),
              refusal);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, ItemPacketOfAnotherTableIsRefusedWithTheRecordChanges)
{
    // The changes of a table of stored item columns, not of the worksheet's item table.
    const QString token = login(kAna);
    const QStringList before = snapshot();
    const QVariant items = itemPriceChange(db(), kAnaQuotation, 12.5);
    EXPECT_EQ(
        save(token, listToggle(kAnaQuotation, QStringLiteral("S")), kAnaQuotation, kAna, items),
        kForeignItemLayout);
    EXPECT_EQ(save(token, QVariant(), kAnaQuotation, kAna, items), kForeignItemLayout);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, QuotationsAreNeitherInsertedNorDeletedBySaving)
{
    const QString token = login(kFernanda);
    const QStringList before = snapshot();

    QuotationList deleting(db());
    deleting.remove(kAnaQuotation);
    EXPECT_EQ(save(token, deleting.changes(), kAnaQuotation, kFernanda),
              QStringLiteral("A gravação da lista não exclui cotações: uma cotação é excluída "
                             "pelo comando Excluir da lista."));

    QuotationList inserting(db());
    inserting.insert({{QStringLiteral("CDFILIAL"), kBranch},
                      {QStringLiteral("NRCOLEPRECO"), QStringLiteral("0000000099")},
                      {QStringLiteral("DTCOLEPREC"), QDate(2025, 3, 12)},
                      {QStringLiteral("CDOPERADOR"), kAna},
                      {QStringLiteral("IDDISMONTLIS"), QStringLiteral("N")}});
    EXPECT_EQ(save(token, inserting.changes(), QStringLiteral("0000000099"), kFernanda),
              QStringLiteral("A gravação da lista não inclui cotações: uma cotação nova é incluída "
                             "pela Inclusão de Cotação."));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveMethodTest, ChangesOfAnotherQuotationAreRefused)
{
    const QString token = login(kFernanda);
    const QStringList before = snapshot();
    // The list changed two quotations; the save is for the current one only.
    QuotationList list(db());
    list.change(kAnaQuotation, {{QStringLiteral("IDDISMONTLIS"), QStringLiteral("S")}});
    list.change(kDanielaQuotation, {{QStringLiteral("IDDISMONTLIS"), QStringLiteral("N")}});
    EXPECT_EQ(save(token, list.changes(), kAnaQuotation, kFernanda),
              QStringLiteral("A alteração da cotação %1 não pertence à cotação gravada (%2).")
                  .arg(kDanielaQuotation, kAnaQuotation));
    EXPECT_EQ(snapshot(), before) << "the change of the current quotation is not kept either";
}

TEST_F(SaveMethodTest, ColumnsSetAtCreationCannotChange)
{
    const QString token = login(kAna);
    const QStringList before = snapshot();
    QuotationList list(db());
    list.change(kAnaQuotation, {{QStringLiteral("IDDISMONTLIS"), QStringLiteral("S")},
                                {QStringLiteral("DTCOLEPREC"), QDate(2030, 1, 1)}});
    EXPECT_EQ(save(token, list.changes(), kAnaQuotation, kAna),
              QStringLiteral("O campo DTCOLEPREC da cotação %1 não pode ser alterado na lista de "
                             "cotações.")
                  .arg(kAnaQuotation));
    QuotationList renumbering(db());
    renumbering.change(kAnaQuotation,
                       {{QStringLiteral("NRCOLEPRECO"), QStringLiteral("0000000077")}});
    EXPECT_EQ(save(token, renumbering.changes(), kAnaQuotation, kAna),
              QStringLiteral("A filial e o número da cotação %1 não podem ser alterados.")
                  .arg(kAnaQuotation));
    EXPECT_EQ(snapshot(), before);
}

} // namespace
