// BarraFerramenta: which commands, menu items and pages of the main window are available,
// from the active page, the quotation list, the pending changes and the operator's role.

#include "TfrmPlanCotaPrec.h"

#include "host/widgets/PageControl.h"

#include <QAction>
#include <QToolBar>

namespace module {

void TfrmPlanCotaPrec::showNavigator(bool visible, bool enabled)
{
    // The navigator bar sits in the tool bar: it is shown and hidden through its action there.
    for (QAction* action : tlbPadrao->actions())
        if (tlbPadrao->widgetForAction(action) == navPadrao)
            action->setVisible(visible);
    navPadrao->setEnabled(enabled);
    for (QAction* move : {Primeiro1, Anterior1, Proximo1, Ultimo1})
        move->setEnabled(visible && enabled);
}

void TfrmPlanCotaPrec::setPageEnabled(host::TTabSheet* page, bool enabled)
{
    // The tab bar moves off a tab that gets disabled; the window keeps showing its page.
    host::TTabSheet* shown = pgcPadrao->ActivePage();
    page->SetEnabled(enabled);
    if (shown && pgcPadrao->ActivePage() != shown)
        pgcPadrao->SetActivePage(shown);
}

void TfrmPlanCotaPrec::enableCommand(QAction* command, bool enabled)
{
    // A command whose work has not been brought in yet stays disabled.
    command->setEnabled(enabled && hasCommandHandler(command));
}

void TfrmPlanCotaPrec::BarraFerramenta()
{
    PageHandler* handler = activeHandler();
    if (handler) {
        handler->commandStates();
    } else {
        // A page whose logic is not there offers no record command.
        for (QAction* command :
             {Incluir, Alterar, Excluir, Confirmar, Cancelar, Procurar, Verificar})
            command->setEnabled(false);
        for (QAction* tool : {mnuCadAut, mnuCopiarCota, mnuExclPrZero, mnuHistorico})
            tool->setEnabled(false);
        showNavigator(false, false);
    }
    everyPageStates();
    if (handler)
        handler->extraCommandStates();
    for (const std::function<void()>& step : m_stateSteps)
        step();
}

void TfrmPlanCotaPrec::everyPageStates()
{
    host::TTabSheet* page = pgcPadrao->ActivePage();
    const bool filled = cdsColetapr.Active() && !cdsColetapr.IsEmpty();
    const PageHandler* worksheet = pageHandler(tshPadrao);
    const bool worksheetPending = worksheet && worksheet->pending();

    // The list and the regions wait while the worksheet has changes not saved.
    setPageEnabled(tshCotacao, filled && !worksheetPending);
    setPageEnabled(tshRegiao, filled && !worksheetPending);
    for (host::TTabSheet* itemsPage : {tshPadrao, tshProdForn, tshFornProd})
        setPageEnabled(itemsPage, filled);
    mnuCotacao->setEnabled(tshCotacao->Enabled());
    mnuPadrao->setEnabled(tshPadrao->Enabled());
    mnuProdForn->setEnabled(tshProdForn->Enabled());
    mnuFornProd->setEnabled(tshFornProd->Enabled());

    enableCommand(mnuSimulacao, page == tshPadrao);
    for (QAction* tool : {mnuAutoMelhor, mnuReajustPr, mnuQtComprar, mnuObs})
        tool->setEnabled(false);
    enableCommand(mnuPlanilha, page != tshCotacao && page != tshRegiao);
    enableCommand(mnuFiltro, page == tshCotacao);
    // The printed quotation is there on every page while there is a quotation.
    Imprimir->setEnabled(filled);
}

} // namespace module
