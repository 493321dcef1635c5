#include "support/ModuleFixture.h"
#include "support/QtPrinters.h"
#include "support/Widgets.h"

#include "host/core/Database.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SpinEdit.h"
#include "module/entry/Sup01700Entry.h"
#include "register/Cli_Sup01701.h"
#include "register/FiltroCotacao.h"
#include "register/TfrmFiltroCotacao.h"
#include "shell/TfrmPlanCotaPrec.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>

using module::TfrmFiltroCotacao;
using testsupport::click;
using testsupport::findWidget;
using testsupport::typeInto;

namespace {

const QString kScreen = QStringLiteral("SUP01701");

// The demo centre's filter: the main window is open and the filter dialog is driven by a
// script, as the buyer would work it.
class FilterDialog : public moduletest::ModuleFixture
{
protected:
    void TearDown() override
    {
        module::DestroiFiltroCotacao();
        ModuleFixture::TearDown();
    }

    // The main window with its first filter closed unconfirmed, records cleared.
    void openWindow(const QString& operatorCode, const QString& branch = QStringLiteral("0001"))
    {
        openMainWindow(operatorCode, branch, false);
        ASSERT_NE(mainForm(), nullptr);
        ui().clearRecords();
    }

    // Shows the filter once, running `script` on it.
    void filter(std::function<void(TfrmFiltroCotacao&)> script)
    {
        ui().onModal(kScreen, [script](QDialog& dialog) {
            script(static_cast<TfrmFiltroCotacao&>(dialog));
        });
        module::CriaFiltroCotacao();
    }

    // Quotation numbers of the main window's list, as loaded.
    QStringList listedQuotations() const
    {
        QStringList numbers;
        host::DataSet& list = mainForm()->cdsColetapr;
        for (list.First(); !list.Eof(); list.Next())
            numbers << list.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString();
        return numbers;
    }

    QStringList column(const QString& sql)
    {
        QSqlQuery query(db().sql());
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        QStringList values;
        while (query.next())
            values << query.value(0).toString();
        return values;
    }
};

void typeWeek(QWidget& root, const QString& name, const QString& week)
{
    auto* spin = findWidget<host::TWeekSpinEdit>(root, name);
    ASSERT_NE(spin, nullptr);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, week);
    QCoreApplication::processEvents();
}

void confirm(QDialog& dialog)
{
    click(dialog, QStringLiteral("sbtConfirma"));
}

} // namespace

TEST_F(FilterDialog, ABuyerStartsWithHimselfAndTheValidityOfHisLatestQuotation)
{
    openWindow(QStringLiteral("ANA.CARVALHO"));
    filter([](TfrmFiltroCotacao& f) {
        EXPECT_EQ(f.height(), 200) << "before the purchasing parameters are loaded";
        EXPECT_TRUE(findWidget<QRadioButton>(f, QStringLiteral("rbtListaComprador"))->isChecked());
        EXPECT_TRUE(f.sbtComprador->isEnabled());
        EXPECT_TRUE(findWidget<QRadioButton>(f, QStringLiteral("rbtTodosRegiao"))->isChecked());
        EXPECT_FALSE(f.sbtRegiao->isEnabled());
        EXPECT_TRUE(findWidget<QRadioButton>(f, QStringLiteral("rbtTForn"))->isChecked());
        EXPECT_FALSE(f.sbtForn->isEnabled());
        // The taller dialog shows the worksheet choice, ticked.
        EXPECT_TRUE(f.chkPlanilha->isChecked());
        EXPECT_TRUE(f.chkPlanilha->isVisible());
        EXPECT_EQ(Cli_Sup01701::stComprador, QStringLiteral("_ANA.CARVALHO_"));
        // Her latest quotation (0000000003) is valid from 10/03/2025 to 23/03/2025.
        EXPECT_EQ(f.depDtInicial->GetDate(), QDate(2025, 3, 10));
        EXPECT_EQ(f.speInicial->Text(), QStringLiteral("11"));
        EXPECT_EQ(f.edtNmSemInicial->text(), QStringLiteral("Segunda-feira"));
        EXPECT_EQ(f.depDtFinal->GetDate(), QDate(2025, 3, 23));
        EXPECT_EQ(f.speFinal->Text(), QStringLiteral("12"));
        EXPECT_EQ(f.edtNmSemFinal->text(), QStringLiteral("Domingo"));
        confirm(f);
    });

    ASSERT_EQ(ui().modals().size(), 1);
    EXPECT_EQ(ui().modals().first().result, QDialog::Accepted);
    EXPECT_EQ(Cli_Sup01701::stTComprador, QString());
    EXPECT_EQ(Cli_Sup01701::stTPeriodo, QString());
    EXPECT_EQ(listedQuotations(), QStringList{QStringLiteral("0000000003")});
    host::DataSet& suppliers = mainForm()->cdsFornCotados;
    ASSERT_FALSE(suppliers.IsEmpty());
    for (suppliers.First(); !suppliers.Eof(); suppliers.Next())
        EXPECT_EQ(suppliers.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(),
                  QStringLiteral("0000000003"));
    ASSERT_FALSE(mainForm()->cdsParaSupri.IsEmpty());
    EXPECT_EQ(mainForm()->cdsParaSupri.FieldByName(QStringLiteral("IDVISCOTPLA")).AsString(),
              QStringLiteral("S"));
    EXPECT_TRUE(mainForm()->tshPadrao->TabVisible());
    EXPECT_TRUE(mainForm()->tshRegiao->TabVisible());
    EXPECT_FALSE(mainForm()->tshProdForn->TabVisible());
    EXPECT_FALSE(mainForm()->mnuFornProd->isVisible());

    QStringList busyTexts;
    for (const auto& event : ui().busyEvents())
        if (event.shown)
            busyTexts << event.text;
    // The first creation (with the main window) read the filter data under its own text.
    EXPECT_EQ(callsOf(QStringLiteral("GetDadosFiltro")), 1);
    EXPECT_EQ(busyTexts,
              (QStringList{QStringLiteral("Recebendo cotação de preços do servidor..."),
                           QStringLiteral("Recebendo parâmetros de compras e "
                                          "suprimentos do servidor...")}));
    ui().expectNoBusyShown();
}

TEST_F(FilterDialog, AManagerStartsWithAllBuyersAndNoPeriodListsTheWholeCentre)
{
    openWindow(QStringLiteral("FERNANDA.LUZ"));
    filter([](TfrmFiltroCotacao& f) {
        EXPECT_TRUE(f.rbtTodosComprador->isChecked());
        EXPECT_FALSE(f.sbtComprador->isEnabled());
        EXPECT_EQ(Cli_Sup01701::stTComprador, QStringLiteral("T"));
        // The centre's latest quotation (0000000006) is valid from 17/03 to 23/03/2025.
        EXPECT_EQ(f.depDtInicial->GetDate(), QDate(2025, 3, 17));
        typeInto(f, QStringLiteral("depDtInicial"), QString());
        typeInto(f, QStringLiteral("depDtFinal"), QString());
        EXPECT_TRUE(f.speInicial->IsEmpty());
        EXPECT_TRUE(f.edtNmSemFinal->text().isEmpty());
        confirm(f);
    });

    EXPECT_TRUE(ui().messages().isEmpty()) << ui().lastMessage().toStdString();
    EXPECT_EQ(Cli_Sup01701::stTPeriodo, QStringLiteral("T"));
    EXPECT_EQ(listedQuotations(),
              column(QStringLiteral("SELECT NRCOLEPRECO FROM COLETAPR WHERE CDFILIAL = '0001' "
                                    "ORDER BY NRCOLEPRECO DESC")));
    EXPECT_EQ(listedQuotations().size(), 6);
}

TEST_F(FilterDialog, ValidationsStopTheConfirmationInOrderAndCancelSendsNothing)
{
    openWindow(QStringLiteral("ANA.CARVALHO"));
    QWidget* focusAfterPeriodCheck = nullptr;
    filter([&](TfrmFiltroCotacao& f) {
        click(f, QStringLiteral("rbtTodosComprador"));
        click(f, QStringLiteral("rbtListaComprador")); // the list was emptied by "Todos"
        click(f, QStringLiteral("rbtListaRegiao"));
        click(f, QStringLiteral("rbtLForn"));
        typeInto(f, QStringLiteral("depDtInicial"), QString());
        typeInto(f, QStringLiteral("depDtFinal"), QStringLiteral("31022025"));
        confirm(f); // an impossible final date
        typeInto(f, QStringLiteral("depDtFinal"), QStringLiteral("20032025"));
        confirm(f); // empty buyer list
        click(f, QStringLiteral("rbtTodosComprador"));
        confirm(f); // empty region list
        click(f, QStringLiteral("rbtTodosRegiao"));
        confirm(f); // empty supplier list
        click(f, QStringLiteral("rbtTForn"));
        confirm(f); // final date without an initial one
        focusAfterPeriodCheck = QApplication::focusWidget();
        typeInto(f, QStringLiteral("depDtInicial"), QStringLiteral("24032025"));
        typeInto(f, QStringLiteral("depDtFinal"), QString());
        confirm(f); // initial date without a final one
        typeInto(f, QStringLiteral("depDtFinal"), QStringLiteral("20032025"));
        confirm(f); // final before initial
        EXPECT_TRUE(f.isVisible()) << "every failure keeps the dialog open";
        EXPECT_EQ(f.depDtInicial->GetDate(), QDate(2025, 3, 24));
        click(f, QStringLiteral("sbtCancel"));
        EXPECT_EQ(focusAfterPeriodCheck, f.depDtInicial);
    });

    EXPECT_EQ(ui().messageTexts(host::MessageKind::Error),
              (QStringList{QStringLiteral("31/02/2025 não é uma data válida."),
                           QStringLiteral("Comprador deve ser informado."),
                           QStringLiteral("Região deve ser informada."),
                           QStringLiteral("Fornecedor deve ser informado."),
                           QStringLiteral("Data de validade inicial deve ser informada."),
                           QStringLiteral("Data de validade final deve ser informada."),
                           QStringLiteral("Data de validade inicial deve ser menor ou igual a "
                                          "data de validade final.")}));
    EXPECT_EQ(ui().modals().first().result, QDialog::Rejected);
    EXPECT_EQ(callsOf(QStringLiteral("GetColetaPr")), 0);
    EXPECT_EQ(callsOf(QStringLiteral("GetParaSupri")), 0);
    EXPECT_TRUE(mainForm()->cdsColetapr.IsEmpty());
}

TEST_F(FilterDialog, AWeekTypedMovesItsDateToTheWeeksEdgeWithinTheYearsWeeks)
{
    openWindow(QStringLiteral("ANA.CARVALHO"));
    filter([](TfrmFiltroCotacao& f) {
        // 2025 has no week 53: its last week, 52, runs from 22/12 to 28/12.
        typeWeek(f, QStringLiteral("speInicial"), QStringLiteral("53"));
        EXPECT_EQ(f.speInicial->Text(), QStringLiteral("52"));
        EXPECT_EQ(f.depDtInicial->GetDate(), QDate(2025, 12, 22));
        EXPECT_EQ(f.edtNmSemInicial->text(), QStringLiteral("Segunda-feira"));
        typeWeek(f, QStringLiteral("speFinal"), QStringLiteral("52"));
        EXPECT_EQ(f.depDtFinal->GetDate(), QDate(2025, 12, 28));
        // A week set by the program (not typed in the focused field) leaves the date alone.
        f.depDtFinal->setFocus();
        f.speInicial->SetValue(10);
        EXPECT_EQ(f.depDtInicial->GetDate(), QDate(2025, 12, 22));
        confirm(f);
    });
    EXPECT_EQ(ui().modals().first().result, QDialog::Accepted);
    // None of her quotations is valid at the end of 2025.
    EXPECT_TRUE(listedQuotations().isEmpty());
}

TEST_F(FilterDialog, RefreshRepeatsTheLastConfirmedFilterWithoutShowingTheDialog)
{
    openWindow(QStringLiteral("ANA.CARVALHO"));
    filter([](TfrmFiltroCotacao& f) { confirm(f); });
    ASSERT_EQ(listedQuotations(), QStringList{QStringLiteral("0000000003")});

    // Her first quotation's validity is stretched into the period by someone else.
    QSqlQuery stretch(db().sql());
    ASSERT_TRUE(stretch.exec(QStringLiteral("UPDATE COLETAPR SET DTFINVALCOL = '2025-03-12' "
                                            "WHERE NRCOLEPRECO = '0000000001'")));
    // Changes made in the dialog and then cancelled do not count.
    filter([](TfrmFiltroCotacao& f) {
        click(f, QStringLiteral("rbtTodosComprador"));
        click(f, QStringLiteral("sbtCancel"));
    });

    module::RepeteFiltroCotacao();
    EXPECT_EQ(ui().modals().size(), 2) << "the refresh shows no dialog";
    EXPECT_EQ(callsOf(QStringLiteral("GetColetaPr")), 2);
    EXPECT_EQ(listedQuotations(),
              (QStringList{QStringLiteral("0000000003"), QStringLiteral("0000000001")}));
    EXPECT_EQ(Cli_Sup01701::stComprador, QStringLiteral("_ANA.CARVALHO_"));
    EXPECT_FALSE(Cli_Sup01701::frmFiltroCotacao->isVisible());
}

TEST_F(FilterDialog, SavedListsComeBackAndQuotedSuppliersAreReadOnce)
{
    const QStringList quoted = column(QStringLiteral(
        "SELECT DISTINCT CDFORNECED FROM ITEMCOLE WHERE CDFILIAL = '0001' ORDER BY CDFORNECED"));
    ASSERT_GE(quoted.size(), 2);
    // Carlos's quotation 0000000002 gets the first supplier in region 004 only; other
    // suppliers quote it in 001. The chosen suppliers and the chosen regions are two
    // conditions, each met by another item: it is listed.
    for (const char* sql :
         {"CREATE TEMP TABLE SUPPLIER_ITEM AS SELECT * FROM ITEMCOLE WHERE CDFILIAL = '0001' AND "
          "NRCOLEPRECO = '0000000002' AND CDREGIAO = '004' LIMIT 1",
          "UPDATE SUPPLIER_ITEM SET CDFORNECED = '%1'",
          "INSERT INTO ITEMCOLE SELECT * FROM SUPPLIER_ITEM", "DROP TABLE SUPPLIER_ITEM"})
        db().exec(QString::fromLatin1(sql).arg(quoted.at(0)));
    ASSERT_EQ(column(QStringLiteral("SELECT DISTINCT CDREGIAO FROM ITEMCOLE WHERE NRCOLEPRECO = "
                                    "'0000000002' AND CDFORNECED = '%1'")
                         .arg(quoted.at(0))),
              QStringList{QStringLiteral("004")});
    openWindow(QStringLiteral("ANA.CARVALHO"));
    const QString suppliers = QLatin1Char('_') + quoted.at(0) + QLatin1Char('_');
    const QString buyers = QStringLiteral("_ANA.CARVALHO_CARLOS.NUNES_");

    filter([&](TfrmFiltroCotacao& f) {
        ui().answerList(buyers);
        click(f, QStringLiteral("sbtComprador"));
        click(f, QStringLiteral("rbtListaRegiao"));
        ui().answerList(QStringLiteral("_001_003_"));
        f.rbtListaRegiao->setFocus();
        QTest::keyClick(f.rbtListaRegiao, Qt::Key_F9);
        click(f, QStringLiteral("rbtLForn"));
        ui().answerList(suppliers);
        click(f, QStringLiteral("sbtForn"));
        // Suppliers are shown with their person type and formatted document.
        ASSERT_TRUE(f.cdsPesqForn.Locate(QStringLiteral("IDTPIJURFORN"), QStringLiteral("J")));
        EXPECT_EQ(f.cdsPesqForn.FieldByName(QStringLiteral("IDTPIJURFORN")).DisplayText(),
                  QStringLiteral("Jurídica"));
        EXPECT_EQ(f.cdsPesqForn.FieldByName(QStringLiteral("NRINSJURFORN")).DisplayText().size(),
                  18);
        click(f, QStringLiteral("btfSaveOpc"));

        // Other choices, then the saved ones again.
        click(f, QStringLiteral("rbtTodosRegiao"));
        click(f, QStringLiteral("rbtListaRegiao"));
        ui().answerList(QLatin1Char('_') + quoted.at(1) + QLatin1Char('_'));
        click(f, QStringLiteral("sbtForn"));
        ui().answerList(QString());
        click(f, QStringLiteral("sbtComprador"));
        EXPECT_TRUE(Cli_Sup01701::stPesqRegiao.isEmpty());
        click(f, QStringLiteral("btfLoadOpc"));
        EXPECT_TRUE(f.rbtListaRegiao->isChecked()) << "loading keeps the options";
        confirm(f);
    });

    EXPECT_EQ(Cli_Sup01701::stComprador, buyers);
    EXPECT_EQ(Cli_Sup01701::stPesqRegiao, QStringLiteral("_001_003_"));
    EXPECT_EQ(Cli_Sup01701::stPesqForn, suppliers);
    EXPECT_EQ(callsOf(QStringLiteral("GetPesqForn")), 1);
    ASSERT_EQ(ui().searches().size(), 5);
    EXPECT_EQ(ui().searches().at(0).title, QStringLiteral("Comprador"));
    EXPECT_EQ(ui().searches().at(1).title, QStringLiteral("Região"));
    EXPECT_EQ(ui().searches().at(2).title,
              QStringLiteral("Fornecedor Cotado|Não há fornecedor cotado."));
    EXPECT_EQ(ui().searches().at(3).chosen, suppliers) << "earlier choices come marked";
    EXPECT_EQ(ui().modals().first().result, QDialog::Accepted);

    // What the list received: her and Carlos's quotations valid in the period that quote
    // the supplier and quote in 001 or 003.
    EXPECT_EQ(
        listedQuotations(),
        column(QStringLiteral("SELECT C.NRCOLEPRECO FROM COLETAPR C WHERE C.CDFILIAL = '0001' AND "
                              "C.CDOPERADOR IN ('ANA.CARVALHO', 'CARLOS.NUNES') AND "
                              "C.DTINIVALCOL <= '2025-03-23' AND C.DTFINVALCOL >= '2025-03-10' AND "
                              "EXISTS (SELECT 1 FROM ITEMCOLE I WHERE I.CDFILIAL = C.CDFILIAL AND "
                              "I.NRCOLEPRECO = C.NRCOLEPRECO AND I.CDFORNECED = '%1') AND "
                              "EXISTS (SELECT 1 FROM ITEMCOLE I WHERE I.CDFILIAL = C.CDFILIAL AND "
                              "I.NRCOLEPRECO = C.NRCOLEPRECO AND I.CDREGIAO IN ('001', '003')) "
                              "ORDER BY C.NRCOLEPRECO DESC")
                   .arg(quoted.at(0))));
    EXPECT_EQ(listedQuotations(),
              (QStringList{QStringLiteral("0000000003"), QStringLiteral("0000000002")}));
}

TEST_F(FilterDialog, ACentreThatHidesTheWorksheetChoiceGetsTheShortDialog)
{
    openWindow(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0005"));
    // Every row fits either height: the "Em Planilha" row is the 23 pixels between them.
    filter([](TfrmFiltroCotacao& f) {
        EXPECT_EQ(f.height(), 200);
        EXPECT_TRUE(f.chkPlanilha->isVisible());
        EXPECT_LE(f.minimumSizeHint().height(), 200);
        f.chkPlanilha->setChecked(false);
        confirm(f);
    });
    filter([](TfrmFiltroCotacao& f) {
        EXPECT_EQ(f.height(), 177);
        EXPECT_FALSE(f.chkPlanilha->isVisible());
        EXPECT_TRUE(f.chkPlanilha->isChecked()) << "the short dialog always works on the worksheet";
        EXPECT_LE(f.minimumSizeHint().height(), 177);
        EXPECT_GE(f.depDtFinal->height(), f.depDtFinal->minimumSizeHint().height());
        click(f, QStringLiteral("sbtCancel"));
    });
    EXPECT_EQ(callsOf(QStringLiteral("GetDadosFiltro")), 1) << "created once";
}

