// The new-quotation entry: opening it, the order of its checks, the buyer's password, and
// what follows the server's answer (nothing included, refused, included).

#include "ListTestSupport.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/ValidityGroup.h"
#include "register/NewQuotationPage.h"
#include "register/TfrmErrInsCota.h"

#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/MaskEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace listtest;

namespace {

class NewQuotationFixture : public ListFixture
{
protected:
    module::NewQuotationPage& openEntryAs(const QString& operatorCode)
    {
        module::TfrmPlanCotaPrec& window = openAs(operatorCode);
        window.Incluir->trigger();
        auto* entry = dynamic_cast<module::NewQuotationPage*>(
            window.pageHandler(window.tshIncCotacao));
        EXPECT_NE(entry, nullptr);
        return *entry;
    }
    // Types a code into a field and leaves it, as a person would.
    void typeAndLeave(host::TMaskEdit* field, const QString& text, QWidget* next)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        next->setFocus();
    }
    int itemsOf(const QString& number)
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ?"),
                     {number});
    }
};

} // namespace

TEST_F(NewQuotationFixture, OpeningFillsTheOperatorAndTheBuyersPasswordIsAskedOncePerBuyer)
{
    module::NewQuotationPage& entry = openEntryAs(kAna);
    module::TfrmPlanCotaPrec& window = form();
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshIncCotacao);
    EXPECT_EQ(entry.medCdComprador->Text().trimmed(), kAna);
    EXPECT_EQ(entry.edtNmComprador->text(), QStringLiteral("Ana Paula Carvalho"));
    EXPECT_EQ(entry.depColeta->GetDate(), QDate::currentDate());
    EXPECT_TRUE(entry.chkDisMontLis->isChecked());
    for (host::TTabSheet* page : {window.tshCotacao, window.tshRegiao, window.tshPadrao})
        EXPECT_FALSE(page->Enabled());
    EXPECT_TRUE(window.Confirmar->isEnabled());
    EXPECT_FALSE(window.Incluir->isEnabled());
    EXPECT_FALSE(window.mnuFiltro->isEnabled());

    // Leaving the buyer asks the password; leaving it again does not.
    ui().confirmPassword(true);
    typeAndLeave(entry.medCdComprador, QString(), entry.depColeta);
    entry.medCdComprador->setFocus();
    entry.depColeta->setFocus();
    ASSERT_EQ(ui().passwords().size(), 1);
    EXPECT_EQ(ui().passwords().first().title, QStringLiteral("Confere Senha"));
    EXPECT_EQ(ui().passwords().first().label, QStringLiteral("Comprador"));
    EXPECT_TRUE(entry.boSenhaConfirmada);

    // Another buyer typed: the name goes, his password is asked; refused, the buyer keeps
    // the focus and nothing is confirmed.
    ui().confirmPassword(false);
    typeAndLeave(entry.medCdComprador, kCarlos, entry.depColeta);
    ASSERT_EQ(ui().passwords().size(), 2);
    EXPECT_EQ(ui().passwords().last().operatorCode.trimmed(), kCarlos);
    EXPECT_EQ(entry.edtNmComprador->text(), QStringLiteral("Carlos Eduardo Nunes"));
    EXPECT_FALSE(entry.boSenhaConfirmada);
    EXPECT_EQ(QApplication::focusWidget(), entry.medCdComprador);

    // An unknown buyer fails before any password.
    typeAndLeave(entry.medCdComprador, QStringLiteral("NINGUEM"), entry.depColeta);
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Comprador não cadastrado."));
    EXPECT_EQ(ui().passwords().size(), 2);
}

TEST_F(NewQuotationFixture, ConfirmingChecksTheFocusedFieldFirstThenTheChosenLists)
{
    module::NewQuotationPage& entry = openEntryAs(kAna);
    module::TfrmPlanCotaPrec& window = form();
    host::TDateEditPlus* initialDate = entry.grbValidade->depDtInicial;
    host::TDateEditPlus* finalDate = entry.grbValidade->depDtFinal;
    entry.depColeta->SetDate(QDate::currentDate().addDays(1));
    finalDate->SetDate(QDate::currentDate().addDays(-1));
    entry.medCdProdFin->SetText(QStringLiteral("01"));
    entry.medCdProdIni->SetText(QStringLiteral("02"));
    // The buyer was left once (his password confirmed) for the collection date.
    ui().confirmPassword(true);
    entry.depColeta->setFocus();

    // Each case is mended before the next, whose field is focused in turn.
    struct Case
    {
        QWidget* focused;
        QString message;
        QWidget* focusAfter;
        std::function<void()> mend;
    };
    const Case cases[] = {
        {entry.depColeta, QStringLiteral("Data da coleta deve ser menor ou igual a data atual."),
         entry.depColeta, [&] { entry.depColeta->SetDate(QDate::currentDate()); }},
        {finalDate,
         QStringLiteral("Data de validade inicial deve ser menor ou igual a data de validade "
                        "final."),
         initialDate, [&] { finalDate->SetDate(QDate::currentDate().addDays(6)); }},
        {entry.medCdProdFin,
         QStringLiteral("Produto inicial deve ser menor ou igual ao produto final."),
         entry.medCdProdFin, [&] { entry.medCdProdFin->clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        c.focused->setFocus();
        window.Confirmar->trigger();
        EXPECT_EQ(ui().lastMessage(), c.message);
        EXPECT_EQ(QApplication::focusWidget(), c.focusAfter);
        c.mend();
    }
    EXPECT_EQ(ui().passwords().size(), 1);
    EXPECT_EQ(ui().messages().size(), 3);

    // Everything right but a list of regions with nothing chosen.
    entry.grbRegiao->lista->click();
    window.Confirmar->trigger();
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Região deve ser informada."));
    EXPECT_EQ(QApplication::focusWidget(), entry.grbRegiao->lista);
    EXPECT_EQ(callsOf(QStringLiteral("IncluirCotacao")), 0);
}

TEST_F(NewQuotationFixture, NothingIncludedKeepsTheEntryAndTheDetailsComeOnce)
{
    module::NewQuotationPage& entry = openEntryAs(kAna);
    module::TfrmPlanCotaPrec& window = form();
    // Ana negotiates neither the soap nor the toothpaste.
    entry.medCdProdIni->SetText(QStringLiteral("0501001"));
    entry.medCdProdFin->SetText(QStringLiteral("0501002"));
    entry.grbVerificacoes->lista->click();
    QString details;
    bool detailsOnce = false;
    ui().confirmPassword(true).onModal(QStringLiteral("SUP01716"), [&](QDialog& dialog) {
        auto& error = static_cast<module::TfrmErrInsCota&>(dialog);
        EXPECT_EQ(error.lblErro->text(),
                  QStringLiteral("Nenhum item foi gerado para a cotação com os critérios "
                                 "informados."));
        error.btnDetalhes->click();
        details = error.memErro->toPlainText();
        detailsOnce = !error.btnDetalhes->isEnabled();
        EXPECT_EQ(error.clientArea()->height(), 218);
        EXPECT_TRUE(error.memErro->isVisible());
        error.btnOk->click();
    });
    window.Confirmar->trigger();

    EXPECT_EQ(callsOf(QStringLiteral("IncluirCotacao")), 1);
    EXPECT_TRUE(details.contains(QStringLiteral("Itens gerados: 0"))) << details.toStdString();
    EXPECT_TRUE(detailsOnce);
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshIncCotacao);
    EXPECT_EQ(entry.medCdProdIni->Text(), QStringLiteral("05.01.001"));
    EXPECT_EQ(entry.edtNmProdFin->text().isEmpty(), false);
    ui().expectNoBusyShown();
}

TEST_F(NewQuotationFixture, AnIncludedQuotationOpensOnItsItems)
{
    module::NewQuotationPage& entry = openEntryAs(kAna);
    module::TfrmPlanCotaPrec& window = form();
    entry.medCdProdIni->SetText(QStringLiteral("0101"));
    entry.medCdProdFin->SetText(QStringLiteral("0101"));
    entry.chkDisMontLis->setChecked(false);
    // Two suppliers chosen from the active and qualified ones.
    entry.grbForn->lista->click();
    const QString chosen =
        QStringLiteral("_000000000000000000001_000000000000000000013_");
    ui().answerList(chosen);
    entry.grbForn->button->click();
    EXPECT_EQ(entry.stFornecedores, chosen);
    ui().confirmPassword(true);
    window.Confirmar->trigger();

    ASSERT_TRUE(ui().messages().isEmpty()) << ui().lastMessage().toStdString();
    const QString number = window.currentNumber();
    EXPECT_EQ(quotationColumn(QStringLiteral("CDOPERADOR"), number).trimmed(), kAna);
    EXPECT_EQ(quotationColumn(QStringLiteral("IDDISMONTLIS"), number), QStringLiteral("N"));
    // Only rice and beans (the range's final code reaches every product of its group).
    EXPECT_GT(itemsOf(number), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE I JOIN PRODUTO P ON "
                                   "P.CDPRODUTO = I.CDPRODUTO WHERE I.NRCOLEPRECO = ? AND "
                                   "P.CDARVPROD NOT LIKE '0101%'"),
                    {number}),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ? AND "
                                   "CAST(CDFORNECED AS INTEGER) NOT IN (1, 13)"),
                    {number}),
              0);
    // The entry is gone and the quotation's items are shown.
    EXPECT_FALSE(window.tshIncCotacao->TabVisible());
    EXPECT_NE(window.pgcPadrao->ActivePage(), window.tshCotacao);
    EXPECT_TRUE(entry.medCdComprador->Text().isEmpty());
    ui().expectNoBusyShown();
}
