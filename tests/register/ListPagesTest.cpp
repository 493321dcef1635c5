// The command states of the list and region pages, changing page (with the warning about
// another buyer's quotation), the region page following the list, and printing.

#include "ListTestSupport.h"

#include "support/QtPrinters.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QToolButton>

using namespace listtest;

namespace {

struct RoleCase
{
    QString operatorCode;
    bool mayChange;
    bool mayDelete;
};

void closeWindow(module::TfrmPlanCotaPrec& window)
{
    window.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST_F(ListFixture, ListCommandsFollowTheOperatorsRoleOverTheQuotation)
{
    // Ana's own quotation, seen by Ana, by her manager and by another buyer.
    const RoleCase cases[] = {{kAna, false, true}, {kManager, true, true}, {kCarlos, false, false}};
    for (const RoleCase& role : cases) {
        SCOPED_TRACE(role.operatorCode.toStdString());
        module::TfrmPlanCotaPrec& window = openAs(role.operatorCode);
        goTo(kAnaQuotation);
        host::DBGrid& grid = *module::listPageOf(window).dbgCotacao;
        EXPECT_EQ(window.Alterar->isEnabled(), role.mayChange);
        EXPECT_EQ(window.Excluir->isEnabled(), role.mayDelete);
        EXPECT_EQ(window.sbtExcluir->isEnabled(), role.mayDelete);
        EXPECT_EQ(grid.ColumnReadOnlyAt(grid.IndiceCol("CDOPERADOR")), !role.mayChange);
        EXPECT_FALSE(grid.ColumnButtonAt(grid.IndiceCol("CDOPERADOR")));
        EXPECT_TRUE(window.Procurar->isEnabled());
        EXPECT_TRUE(window.Verificar->isEnabled());
        EXPECT_TRUE(window.Imprimir->isEnabled());
        EXPECT_FALSE(window.Confirmar->isEnabled());
        EXPECT_FALSE(window.Cancelar->isEnabled());
        EXPECT_TRUE(window.mnuFiltro->isEnabled());
        EXPECT_TRUE(window.sbtFiltro->isEnabled());
        EXPECT_TRUE(window.tshPadrao->Enabled());
        EXPECT_TRUE(window.mnuPadrao->isEnabled());
        EXPECT_TRUE(window.Primeiro1->isEnabled());
        for (QAction* tool : {window.mnuSimulacao, window.mnuCadAut, window.mnuHistorico,
                              window.mnuReajustPr, window.mnuPlanilha, window.mnuObs})
            EXPECT_FALSE(tool->isEnabled()) << tool->objectName().toStdString();
        closeWindow(window);
    }
}

TEST_F(ListFixture, AnEmptyListDisablesItsPageUntilANewQuotationIsEntered)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    window.AtualizaCotacao(QStringLiteral("_NINGUEM_"), QStringLiteral(" "), QStringLiteral("T"),
                           QStringLiteral("T"), QStringLiteral("T"), QDate(), QDate());
    ASSERT_TRUE(list().IsEmpty());
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshCotacao);
    EXPECT_FALSE(window.tshCotacao->Enabled());
    EXPECT_FALSE(window.tshPadrao->Enabled());
    EXPECT_FALSE(window.Excluir->isEnabled());
    EXPECT_FALSE(window.Procurar->isEnabled());
    EXPECT_FALSE(window.Imprimir->isEnabled());
    EXPECT_TRUE(window.mnuFiltro->isEnabled());
    EXPECT_EQ(window.cdsFornCotados.RecordCount(), 0);
    EXPECT_TRUE(window.statusPanel(0)->text().isEmpty());

    // Include opens the new-quotation entry; cancelling it comes back to the list page.
    ASSERT_TRUE(window.Incluir->isEnabled());
    window.Incluir->trigger();
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshIncCotacao);
    ui().answerYes();
    window.Cancelar->trigger();
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshCotacao);
    EXPECT_FALSE(window.tshIncCotacao->TabVisible());
    EXPECT_TRUE(window.Incluir->isEnabled());
}

TEST_F(ListFixture, LeavingAnotherBuyersQuotationAsksFirstWhenProductsBelongToBuyers)
{
    module::TfrmPlanCotaPrec& window = openAs(kCarlos);
    setPurchasingParameter(QStringLiteral("IDUMPRODCMP"), QStringLiteral("S"));
    goTo(kAnaQuotation);

    ui().answerNo();
    EXPECT_FALSE(window.pgcPadrao->SelectPage(window.tshRegiao));
    ASSERT_EQ(ui().questions().size(), 1);
    EXPECT_EQ(ui().questions().first().text,
              "Esta cotação pertence a outro comprador. Poderá ser consultada somente para "
              "atualização de preços de produtos que passaram a ser negociados pelo comprador. "
              "Deseja continuar?");
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshCotacao);
    EXPECT_TRUE(window.mnuCotacao->isChecked());
    EXPECT_EQ(callsOf(QStringLiteral("GetServRegiao")), 0);

    // Also from the page menu, and for any page.
    ui().answerNo();
    window.mnuPadrao->trigger();
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshCotacao);
    EXPECT_FALSE(window.mnuPadrao->isChecked());

    ui().answerYes();
    EXPECT_TRUE(window.pgcPadrao->SelectPage(window.tshRegiao));
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshRegiao);
    EXPECT_EQ(callsOf(QStringLiteral("GetServRegiao")), 1);

    // His own quotation: no question.
    window.mnuCotacao->trigger();
    goTo(kCarlosQuotation);
    EXPECT_TRUE(window.pgcPadrao->SelectPage(window.tshRegiao));
    EXPECT_EQ(ui().questions().size(), 3);
}

TEST_F(ListFixture, TheRegionPageFollowsTheListKeepingTheChosenRegion)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    goTo(kAnaQuotation);
    ASSERT_TRUE(window.pgcPadrao->SelectPage(window.tshRegiao));
    host::DataSet& regions = window.cdsServRegiao;
    EXPECT_EQ(regions.RecordCount(),
              1 + count(QStringLiteral("SELECT COUNT(DISTINCT CDREGIAO) FROM ITEMCOLE WHERE "
                                       "CDFILIAL = '0001' AND NRCOLEPRECO = ?"),
                        {kAnaQuotation}));
    // The all-regions row comes first and shows no code.
    regions.First();
    EXPECT_EQ(regions.FieldByName(QStringLiteral("CDREGIAO")).AsString(), "XXX");
    EXPECT_EQ(regions.FieldByName(QStringLiteral("CDREGIAO")).DisplayText(), "");
    EXPECT_EQ(regions.FieldByName(QStringLiteral("NMREGIAO")).AsString(),
              "Visualizar Todas Regiões");

    // The region page's commands: no record command, no worksheet tool, no filter.
    for (QAction* off :
         {window.Incluir, window.Alterar, window.Excluir, window.Confirmar, window.mnuCopiarCota,
          window.mnuExclPrZero, window.mnuPlanilha, window.mnuSimulacao, window.mnuFiltro})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_TRUE(window.Procurar->isEnabled());
    EXPECT_TRUE(window.Verificar->isEnabled());

    ASSERT_TRUE(regions.Locate(QStringLiteral("CDREGIAO"), QStringLiteral("002")));
    goTo(kCarlosQuotation); // also quoted in region 002
    EXPECT_EQ(callsOf(QStringLiteral("GetServRegiao")), 2);
    EXPECT_EQ(regions.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(), kCarlosQuotation);
    EXPECT_EQ(regions.FieldByName(QStringLiteral("CDREGIAO")).AsString(), "002");

    // Refresh reloads them; the navigation moves are the list's only.
    window.Verificar->trigger();
    EXPECT_EQ(callsOf(QStringLiteral("GetServRegiao")), 3);
    const int row = list().RecNo();
    window.Proximo1->trigger();
    EXPECT_EQ(list().RecNo(), row);
    EXPECT_EQ(ui().busyEvents().first().text,
              "Recebendo regiões da cotação de preços do servidor...");
}

TEST_F(ListFixture, TheAssignmentPagesLoadTheCurrentQuotationWhileTheyStandInForTheWorksheet)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    window.MostraPaginasPlanilha(false);
    goTo(kAnaQuotation);
    window.mnuProdForn->trigger();
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().messageTexts().join(" / ").toStdString();
    EXPECT_EQ(window.pgcPadrao->ActivePage(), window.tshProdForn);
    EXPECT_TRUE(window.mnuProdForn->isChecked());
    EXPECT_EQ(window.cdsRegForn.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(),
              kAnaQuotation);
    // The items of the first region/supplier pair show.
    EXPECT_EQ(window.cdsProdForn.RecordCount(),
              count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND "
                                   "NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ?"),
                    {kAnaQuotation, window.cdsRegForn.FieldByName(QStringLiteral("CDREGIAO")).AsString(),
                     window.cdsRegForn.FieldByName(QStringLiteral("CDFORNECED")).AsString()}));
    goTo(kSingleItem);
    EXPECT_EQ(window.cdsRegForn.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(), kSingleItem);
    EXPECT_EQ(window.cdsProdForn.RecordCount(), 1);
    EXPECT_EQ(callsOf(QStringLiteral("GetRegForn")), 2);

    window.mnuFornProd->trigger();
    EXPECT_EQ(window.cdsFornProd.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(),
              kSingleItem);
    EXPECT_EQ(window.cdsProdMarca.RecordCount(), 1);
    EXPECT_EQ(ui().busyEvents().first().text, "Recebendo cotações de preços do servidor...");
}

TEST_F(ListFixture, PrintOpensThePrintedQuotationOfTheCurrentNumberOnEveryPage)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    ui().onEveryModal(QStringLiteral("SUP07000"), [](QDialog& dialog) { dialog.reject(); });
    const QString numbers[] = {kAnaQuotation, kCarlosQuotation, kDanielaQuotation, kSingleItem,
                               QStringLiteral("0000000001")};
    host::TTabSheet* pages[] = {window.tshCotacao, window.tshRegiao, window.tshPadrao,
                                window.tshProdForn, window.tshFornProd};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(pages[i]->objectName().toStdString());
        goTo(numbers[i]);
        window.pgcPadrao->SetActivePage(pages[i]);
        window.BarraFerramenta();
        ASSERT_TRUE(window.Imprimir->isEnabled());
        window.Imprimir->trigger();
        ASSERT_EQ(ui().screens().size(), i + 1);
        EXPECT_EQ(ui().screens().last().screen, "SUP07000");
        EXPECT_EQ(ui().screens().last().values, QVariantList{numbers[i]});
    }
    EXPECT_EQ(ui().modals().size(), 5);
}
