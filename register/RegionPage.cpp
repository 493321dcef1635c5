#include "RegionPage.h"

#include "shell/TfrmPlanCotaPrec.h"

#include "host/ui/Ui.h"
#include "host/widgets/KeyClaim.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

#include <QAction>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace module {

namespace {

const QString kRegion = QStringLiteral("CDREGIAO");
const QString kAllRegions = QStringLiteral("XXX");

} // namespace

RegionPage::RegionPage(TfrmPlanCotaPrec& form, host::DBGrid* suppliersGrid)
    : m_form(form), m_suppliersGrid(suppliersGrid)
{
    auto* layout = new QVBoxLayout(m_form.tshRegiao);
    layout->setContentsMargins(0, 0, 0, 0);
    dbgRegiao = new host::DBGrid(m_form.tshRegiao);
    dbgRegiao->setObjectName(QStringLiteral("dbgRegiao"));
    dbgRegiao->SetReadOnly(true);
    dbgRegiao->SetColumns({host::DBGrid::Column{kRegion},
                           host::DBGrid::Column{QStringLiteral("NMREGIAO")}});
    dbgRegiao->SetDataSet(&m_form.cdsServRegiao);
    layout->addWidget(dbgRegiao);
    dbgRegiao->OnKeyDown = [this](QKeyEvent& key) { return regionKey(key); };
    host::ClaimKeys(dbgRegiao, {Qt::ControlModifier | Qt::Key_PageDown});

    // The all-regions row shows no code.
    m_form.cdsServRegiao.FieldByName(kRegion).OnGetText =
        [](const host::Field& field, QString& text, bool displayText) {
            if (displayText && field.AsString() == kAllRegions)
                text.clear();
        };
}

void RegionPage::CarregaRegioes(bool force)
{
    host::DataSet& regions = m_form.cdsServRegiao;
    const QString number = m_form.currentNumber();
    if (number.isEmpty())
        return;
    const bool holdsIt = regions.Active() && !regions.IsEmpty() &&
                         regions.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString() == number;
    if (!force && holdsIt)
        return;
    const QString region =
        regions.Active() && !regions.IsEmpty() ? regions.FieldByName(kRegion).AsString() : QString();
    m_form.CarregaRegioes();
    if (!region.isEmpty())
        regions.Locate(kRegion, region, host::LoCaseInsensitive);
}

void RegionPage::activated()
{
    CarregaRegioes(false);
}

void RegionPage::focus()
{
    dbgRegiao->setFocus();
}

void RegionPage::quotationScrolled()
{
    CarregaRegioes(false);
}

void RegionPage::commandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    for (QAction* command : {form.Confirmar, form.Cancelar, form.Incluir, form.Alterar, form.Excluir})
        command->setEnabled(false);
    form.Procurar->setEnabled(true);
    form.Verificar->setEnabled(true);
    for (QAction* tool : {form.mnuCadAut, form.mnuSimulacao, form.mnuPlanilha, form.mnuReajustPr,
                          form.mnuQtComprar, form.mnuObs, form.mnuCopiarCota, form.mnuExclPrZero,
                          form.mnuHistorico})
        tool->setEnabled(false);
    for (auto [item, page] : {std::pair{form.mnuCotacao, form.tshCotacao},
                              std::pair{form.mnuPadrao, form.tshPadrao},
                              std::pair{form.mnuFornProd, form.tshFornProd}}) {
        item->setEnabled(true);
        form.setPageEnabled(page, true);
    }
    form.showNavigator(true, form.cdsServRegiao.State() == host::DataSetState::Browse);
}

void RegionPage::search()
{
    if (m_form.cdsServRegiao.Active() && !m_form.cdsServRegiao.IsEmpty())
        host::Ui::current().Procura(m_form.cdsServRegiao, {}, &m_form);
}

void RegionPage::refresh()
{
    const host::DataSetState state = m_form.cdsServRegiao.State();
    if (state == host::DataSetState::Browse || state == host::DataSetState::Inactive)
        CarregaRegioes(true);
}

bool RegionPage::regionKey(QKeyEvent& key)
{
    if (key.key() == Qt::Key_PageDown &&
        (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        m_suppliersGrid->setFocus();
        return true;
    }
    return false;
}

} // namespace module
