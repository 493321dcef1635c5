// Saving the quotation records' own changes (a buyer handed over, the "Lista" flag, the
// collection type marked by negotiation): the list's change log through GravaPlanCota,
// without items.

#include "TfrmPlanCotaPrec.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

namespace module {

void TfrmPlanCotaPrec::GravaCotacao()
{
    host::DataSet& list = cdsColetapr;
    const QVariant delta = list.ChangeCount() > 0 ? QVariant::fromValue(list.Delta()) : QVariant();
    host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Grava_PlanCota")));
    const host::Halvore& halvore = host::Halvore::instance();
    const QVariant answer = netPlanCotaPrec.AppServer().call(
        QStringLiteral("GravaPlanCota"),
        {delta, QVariant(), currentBranch(), currentNumber(), boAplicaRegioes, currentDate(),
         boExcForn, boExcProd, boAltMarca, boIncRegiao, halvore.FiliProc(), halvore.Operador()});
    busy.hide();
    const QString refusal = host::CheckResultServ(answer, false).toString();
    if (!refusal.isEmpty()) {
        // Refused whole: the list shows the quotation as it is stored.
        list.CancelUpdates();
        BarraFerramenta();
        host::MensErro(refusal);
    }
    list.MergeChangeLog();
}

} // namespace module
