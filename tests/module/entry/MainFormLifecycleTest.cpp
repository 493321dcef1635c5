#include "support/ModuleFixture.h"

#include "host/forms/TfrmPadraoGrid.h"
#include "host/widgets/PageControl.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/entry/Sup01700Entry.h"
#include "shell/TfrmPlanCotaPrec.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>

using moduletest::ModuleFixture;
using module::TfrmPlanCotaPrec;

namespace {

void closeAndRelease(TfrmPlanCotaPrec* form)
{
    QPointer<TfrmPlanCotaPrec> guard(form);
    form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the closed window is released";
}

} // namespace

TEST_F(ModuleFixture, CreatedOnceWithItsConnectionsCentreAndLists)
{
    loginAs(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0002"));
    ui().onModal(QStringLiteral("SUP01701"), [](QDialog& filter) { filter.reject(); });
    module::IniProc();
    TfrmPlanCotaPrec* form = mainForm();
    ASSERT_EQ(ui().modals().size(), 1);  // the filter opened with the window
    EXPECT_EQ(ui().modals().first().screen, QStringLiteral("SUP01701"));
    QStringList busyTexts;
    for (const auto& event : ui().busyEvents())
        if (event.shown)
            busyTexts << event.text;
    EXPECT_TRUE(busyTexts.contains(QStringLiteral("Recebendo dados para o filtro do servidor...")));
    ui().expectNoBusyShown();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Cli_Sup01700::boStCriado);
    EXPECT_TRUE(form->netPlanCotaPrec.Connected());
    EXPECT_TRUE(form->netSuprimentos.Connected());
    EXPECT_EQ(callsOf(QStringLiteral("GetBanco")), 1);
    EXPECT_EQ(form->stBanco, QStringLiteral("SQLITE"));

    // Branch 0002 buys through the purchasing centre 0001.
    EXPECT_EQ(Cli_Sup01700::stCdCentCmp, QStringLiteral("0001"));
    EXPECT_FALSE(form->edtCentCmp->text().isEmpty());
    EXPECT_TRUE(form->edtCentCmp->isReadOnly());
    ASSERT_TRUE(Cli_Sup01700::stlCotacao && Cli_Sup01700::stlOldCotacao);
    EXPECT_TRUE(form->cdsColetapr.Active());
    EXPECT_TRUE(form->cdsFornCotados.Active());
    EXPECT_TRUE(form->cdsCount.Active());
    EXPECT_EQ(form->cdsServRegiao.FieldByName(QStringLiteral("CDREGIAO")).Tag, -1);

    // Pages: the new-quotation and assignment tabs start hidden, the list page active.
    EXPECT_FALSE(form->tshIncCotacao->TabVisible());
    EXPECT_FALSE(form->mnuIncCotacao->isVisible());
    EXPECT_FALSE(form->tshProdForn->TabVisible());
    EXPECT_FALSE(form->tshFornProd->TabVisible());
    EXPECT_EQ(form->pgcPadrao->ActivePage(), form->tshCotacao);
    EXPECT_EQ(form->tshPadrao->Caption(), QStringLiteral("Produtos Cotados"));
    EXPECT_EQ(form->tshPadrao->PageIndex(), 3);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Planilha de Cotação de Preços"));

    // A second call only shows the form again: no new window, no GetBanco, no filter.
    module::CriaPlanCotaPrec();
    EXPECT_EQ(mainForm(), form);
    EXPECT_EQ(callsOf(QStringLiteral("GetBanco")), 1);
    EXPECT_EQ(ui().modals().size(), 1);
}

TEST_F(ModuleFixture, ClosingReleasesEverythingAndTheNextCallStartsAfresh)
{
    // A cell selected in an earlier window is no selection of a new one.
    Cli_Sup01700::stCdRegiao = QStringLiteral("001");
    Cli_Sup01700::ActiveRow = 7;
    openMainWindow(QStringLiteral("ANA.CARVALHO"));
    TfrmPlanCotaPrec* first = mainForm();
    EXPECT_TRUE(Cli_Sup01700::stCdRegiao.isEmpty());
    EXPECT_EQ(Cli_Sup01700::ActiveRow, 0);
    Cli_Sup01700::stCdProduto = QStringLiteral("0000000001");
    EXPECT_GT(first->cdsColetapr.RecordCount(), 0);  // the confirmed filter loaded the list
    ASSERT_NE(first, nullptr);
    first->Incluir->setEnabled(true);
    closeAndRelease(first);
    EXPECT_TRUE(Cli_Sup01700::stCdProduto.isEmpty());
    EXPECT_FALSE(Cli_Sup01700::boStCriado);
    EXPECT_EQ(mainForm(), nullptr);
    EXPECT_FALSE(Cli_Sup01700::stlCotacao);
    EXPECT_FALSE(Cli_Sup01700::stlOldCotacao);

    Cli_Sup01700::stCdCentCmp.clear();
    openMainWindow(QStringLiteral("ANA.CARVALHO"));
    ASSERT_NE(mainForm(), nullptr);
    EXPECT_EQ(callsOf(QStringLiteral("GetDadosFiltro")), 2);  // a new filter dialog
    EXPECT_EQ(callsOf(QStringLiteral("GetBanco")), 2);
    EXPECT_EQ(Cli_Sup01700::stCdCentCmp, QStringLiteral("0001"));  // first activation again
    EXPECT_TRUE(Cli_Sup01700::stlCotacao);
}

TEST_F(ModuleFixture, AnMssqlServerRefusesTheScreen)
{
    appserver::rpc::Method banco;
    banco.module = QStringLiteral("Sup.rdmPlanCotaPrec");
    banco.name = QStringLiteral("GetBanco");
    banco.handler = [](appserver::rpc::CallContext&) { return QVariant(QStringLiteral("MSSQL")); };
    overrideMethod(banco);
    loginAs(QStringLiteral("ANA.CARVALHO"));

    module::CriaPlanCotaPrec();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(ui().messages().size(), 1);
    EXPECT_EQ(ui().messages().first().kind, host::MessageKind::Information);
    EXPECT_EQ(ui().messages().first().text,
              QStringLiteral("Operação bloqueada! Favor utilizar a tela Planilha de Cotação de "
                             "Preços - Grid (SUP05200)."));
    EXPECT_FALSE(Cli_Sup01700::boStCriado);
    EXPECT_EQ(mainForm(), nullptr);
}

TEST_F(ModuleFixture, A480PixelScreenMaximisesTheWindow)
{
    host::TfrmPadraoGrid::setScreenHeightForTests(480);
    openMainWindow(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0001"), false);
    ASSERT_NE(mainForm(), nullptr);
    EXPECT_TRUE(mainForm()->windowState() & Qt::WindowMaximized);

    host::TfrmPadraoGrid::setScreenHeightForTests(768);
    module::CriaPlanCotaPrec();
    EXPECT_FALSE(mainForm()->windowState() & Qt::WindowMaximized);
}

TEST_F(ModuleFixture, TheWindowOpensWhereItsOperatorLeftIt)
{
    // The first time, on a screen narrower than the worksheet's twelve suppliers, the window
    // fills the screen.
    openMainWindow(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0001"), false);
    ASSERT_NE(mainForm(), nullptr);
    EXPECT_TRUE(mainForm()->windowState() & Qt::WindowMaximized);
    mainForm()->setWindowState(Qt::WindowNoState);
    mainForm()->setGeometry(40, 50, 640, 420);
    const QRect left = mainForm()->geometry();
    closeAndRelease(mainForm());

    openMainWindow(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0001"), false);
    ASSERT_NE(mainForm(), nullptr);
    EXPECT_FALSE(mainForm()->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(mainForm()->geometry(), left);
    closeAndRelease(mainForm());

    // Another operator has a place of his own.
    openMainWindow(QStringLiteral("CARLOS.NUNES"), QStringLiteral("0001"), false);
    ASSERT_NE(mainForm(), nullptr);
    EXPECT_TRUE(mainForm()->windowState() & Qt::WindowMaximized);
}
