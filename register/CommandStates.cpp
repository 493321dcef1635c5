// BarraFerramenta: which commands, menu items and pages of the main window are available,
// from the active page, the quotation list, the pending changes and the operator's role.

#include "TfrmPlanCotaPrec.h"

#include "QuotationListPage.h"

#include "host/widgets/PageControl.h"

#include <QAction>
#include <QToolBar>

namespace module {

namespace {

bool browsing(const host::DataSet& table)
{
    return table.State() == host::DataSetState::Browse;
}

bool editing(const host::DataSet& table)
{
    return table.State() == host::DataSetState::Edit || table.State() == host::DataSetState::Insert;
}

// The navigator bar sits in the tool bar: it is shown and hidden through its action there.
void showNavigator(host::TfrmPadraoGrid& form, bool visible, bool enabled)
{
    for (QAction* action : form.tlbPadrao->actions())
        if (form.tlbPadrao->widgetForAction(action) == form.navPadrao)
            action->setVisible(visible);
    form.navPadrao->setEnabled(enabled);
    for (QAction* move : {form.Primeiro1, form.Anterior1, form.Proximo1, form.Ultimo1})
        move->setEnabled(visible && enabled);
}

} // namespace

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
    host::TTabSheet* page = pgcPadrao->ActivePage();
    PageHandler* handler = activeHandler();
    if (page == tshCotacao) {
        listPageStates();
    } else if (page == tshRegiao) {
        regionPageStates();
    } else if (handler) {
        handler->commandStates();
    } else {
        // A page whose logic is not there offers no record command.
        for (QAction* command :
             {Incluir, Alterar, Excluir, Confirmar, Cancelar, Procurar, Verificar})
            command->setEnabled(false);
        for (QAction* tool : {mnuCadAut, mnuCopiarCota, mnuExclPrZero, mnuHistorico})
            tool->setEnabled(false);
        showNavigator(*this, false, false);
    }
    everyPageStates();
    if (handler && page != tshCotacao && page != tshRegiao)
        handler->extraCommandStates();
}

void TfrmPlanCotaPrec::listPageStates()
{
    const bool listBrowsing = browsing(cdsColetapr);
    const bool filled = listBrowsing && !cdsColetapr.IsEmpty();
    const bool pending =
        editing(cdsColetapr) || (cdsColetapr.Active() && cdsColetapr.ChangeCount() > 0);
    const bool managed = m_listPage->managesCurrentBuyer();
    const bool buyer = m_listPage->isCurrentBuyer();

    Confirmar->setEnabled(pending);
    Cancelar->setEnabled(pending);
    Incluir->setEnabled(listBrowsing && bool(onOpenNewQuotation));
    Alterar->setEnabled(filled && managed);
    Excluir->setEnabled(filled && (buyer || managed));
    Procurar->setEnabled(filled);
    Verificar->setEnabled(filled);

    setPageEnabled(tshPadrao, filled);
    enableCommand(mnuCopiarCota, listBrowsing);
    enableCommand(mnuExclPrZero, filled);
    for (QAction* tool : {mnuCadAut, mnuHistorico, mnuReajustPr})
        tool->setEnabled(false);

    m_listPage->allowBuyerEditing(managed);
    showNavigator(*this, true, listBrowsing);
}

void TfrmPlanCotaPrec::regionPageStates()
{
    for (QAction* command : {Confirmar, Cancelar, Incluir, Alterar, Excluir})
        command->setEnabled(false);
    Procurar->setEnabled(true);
    Verificar->setEnabled(true);
    for (QAction* tool : {mnuCadAut, mnuSimulacao, mnuPlanilha, mnuReajustPr, mnuQtComprar, mnuObs,
                          mnuCopiarCota, mnuExclPrZero, mnuHistorico})
        tool->setEnabled(false);
    for (auto [item, page] : {std::pair{mnuCotacao, tshCotacao}, std::pair{mnuPadrao, tshPadrao},
                              std::pair{mnuFornProd, tshFornProd}}) {
        item->setEnabled(true);
        setPageEnabled(page, true);
    }
    showNavigator(*this, true, browsing(cdsServRegiao));
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
