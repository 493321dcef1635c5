// The quotation list as a page of the main window: what it shows when it becomes the
// page, the commands it offers (by the list's state and the operator's role), the filter
// and the refresh.

#include "QuotationListPage.h"

#include "FiltroCotacao.h"

#include "shell/TfrmPlanCotaPrec.h"

#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

#include <QAction>

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

} // namespace

void QuotationListPage::activated()
{
    FiltraFornecedores();
}

void QuotationListPage::focus()
{
    dbgCotacao->setFocus();
}

void QuotationListPage::quotationScrolled()
{
    FiltraFornecedores();
}

void QuotationListPage::commandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    const bool listBrowsing = browsing(m_list);
    const bool filled = listBrowsing && !m_list.IsEmpty();
    const bool pending = editing(m_list) || (m_list.Active() && m_list.ChangeCount() > 0);
    const bool managed = managesCurrentBuyer();
    const bool buyer = form.isCurrentBuyer();

    form.Confirmar->setEnabled(pending);
    form.Cancelar->setEnabled(pending);
    form.Incluir->setEnabled(listBrowsing && bool(onOpenNewQuotation));
    form.Alterar->setEnabled(filled && managed);
    form.Excluir->setEnabled(filled && (buyer || managed));
    form.Procurar->setEnabled(filled);
    form.Verificar->setEnabled(filled);

    form.setPageEnabled(form.tshPadrao, filled);
    form.enableCommand(form.mnuCopiarCota, listBrowsing);
    form.enableCommand(form.mnuExclPrZero, filled);
    for (QAction* tool : {form.mnuCadAut, form.mnuHistorico, form.mnuReajustPr})
        tool->setEnabled(false);

    allowBuyerEditing(managed);
    form.showNavigator(true, listBrowsing);
}

void QuotationListPage::include()
{
    if (!onOpenNewQuotation)
        return;
    // An empty list has disabled its own page: the entry returns to it afterwards.
    if (m_list.IsEmpty() && !m_form.tshCotacao->Enabled())
        m_form.setPageEnabled(m_form.tshCotacao, true);
    onOpenNewQuotation();
}

void QuotationListPage::search()
{
    m_form.ProcuraNaLista();
}

void QuotationListPage::refresh()
{
    // The filter as last confirmed, without showing its dialog.
    RepeteFiltroCotacao();
}

void QuotationListPage::FiltraCotacao()
{
    CriaFiltroCotacao();
    m_form.update();
    const bool filled = m_list.Active() && !m_list.IsEmpty();
    m_form.setPageEnabled(m_form.tshPadrao, filled);
    m_form.mnuPadrao->setEnabled(filled);
    m_form.BarraFerramenta();
}

} // namespace module
