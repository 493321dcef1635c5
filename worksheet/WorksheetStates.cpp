// The worksheet as a page of the main window: which commands it offers, from its pending
// changes, the operator's role and the counters, and the record commands it answers.

#include "Worksheet.h"

#include "shell/TfrmPlanCotaPrec.h"

#include "host/ui/Halvore.h"

#include <QAction>

namespace module {

namespace {

const QString kLocateScreen = QStringLiteral("SUP01717");

} // namespace

void Worksheet::commandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    const bool changed = pending();
    const bool browsing = cdsAltCotacao.State() == host::DataSetState::Browse;
    const bool listBrowsing = form.cdsColetapr.State() == host::DataSetState::Browse;
    const bool buyer = form.isCurrentBuyer();
    bool severalOfAKind = false;
    if (form.cdsCount.Active() && !form.cdsCount.IsEmpty())
        for (const char* counter : {"NRFORN", "NRPROD", "NRMARCA", "NRREGIAO"})
            severalOfAKind |= form.cdsCount.FieldByName(QString::fromLatin1(counter)).AsFloat() > 1;

    form.Confirmar->setEnabled(changed);
    form.Cancelar->setEnabled(changed);
    // The maintenance menus behind these commands come with their dialogs.
    form.Incluir->setEnabled(browsing && buyer && bool(OnInclude));
    form.Alterar->setEnabled(browsing && buyer && bool(OnChange));
    form.Excluir->setEnabled(browsing && buyer && severalOfAKind && bool(OnRemove));
    form.Procurar->setEnabled(bool(host::Halvore::instance().screenLoader(kLocateScreen)));
    form.Verificar->setEnabled(false);
    form.mnuFiltro->setEnabled(false);
    form.mnuCadAut->setEnabled(false);
    form.enableCommand(form.mnuCopiarCota, listBrowsing && !changed);
    form.enableCommand(form.mnuExclPrZero, listBrowsing && !changed);
    form.enableCommand(form.mnuHistorico, true);
    form.enableCommand(form.mnuReajustPr, !changed);
    form.showNavigator(false, false);
}

void Worksheet::extraCommandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    const bool changed = pending();
    // Negotiation and the tools end with the worksheet read again: they wait until the
    // prices typed are saved or cancelled. The observation is the selected cell's.
    if (changed)
        form.mnuSimulacao->setEnabled(false);
    for (QAction* tool : {form.mnuAutoMelhor, form.mnuQtComprar, form.mnuReajustPr})
        form.enableCommand(tool, !changed);
    form.enableCommand(form.mnuObs, true);
}

void Worksheet::include()
{
    if (OnInclude)
        OnInclude();
}

void Worksheet::change()
{
    if (OnChange)
        OnChange();
}

void Worksheet::remove()
{
    if (OnRemove)
        OnRemove();
}

void Worksheet::search()
{
    host::Halvore::instance().LoadBPL(
        kLocateScreen, {QStringLiteral("P"), QVariant::fromValue<QObject*>(degCotacao), -1, true});
}

} // namespace module
