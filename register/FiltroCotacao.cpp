#include "FiltroCotacao.h"

#include "Cli_Sup01701.h"
#include "TfrmFiltroCotacao.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/Codes.h"

#include "host/ui/Ui.h"

#include <memory>

namespace Cli_Sup01701 {

QPointer<module::TfrmFiltroCotacao> frmFiltroCotacao;
QString stComprador;
QString stTComprador = QString::fromLatin1(module::AllMarker);
QString stPesqRegiao;
QString stTRegiao = QString::fromLatin1(module::AllMarker);
QString stPesqForn;
QString stTForn = QString::fromLatin1(module::AllMarker);
QString stTPeriodo = QString::fromLatin1(module::AllMarker);

void ResetCriteria()
{
    for (QString* list : {&stComprador, &stPesqRegiao, &stPesqForn})
        list->clear();
    for (QString* marker : {&stTComprador, &stTRegiao, &stTForn, &stTPeriodo})
        *marker = QString::fromLatin1(module::AllMarker);
}

} // namespace Cli_Sup01701

namespace module {

void CriaFiltroCotacao()
{
    TfrmPlanCotaPrec* mainForm = Cli_Sup01700::frmPlanCotaPrec;
    if (!mainForm)
        return;
    // A dialog left from an earlier main window is not reused.
    if (Cli_Sup01701::frmFiltroCotacao && Cli_Sup01701::frmFiltroCotacao->parent() != mainForm)
        DestroiFiltroCotacao();
    if (!Cli_Sup01701::frmFiltroCotacao) {
        auto form = std::make_unique<TfrmFiltroCotacao>(*mainForm);
        form->loadStartingFilter();
        Cli_Sup01701::frmFiltroCotacao = form.release();
    }
    TfrmFiltroCotacao& form = *Cli_Sup01701::frmFiltroCotacao;
    host::Ui::current().execModal(form, form.screenCode());
}

void RepeteFiltroCotacao()
{
    if (Cli_Sup01701::frmFiltroCotacao)
        Cli_Sup01701::frmFiltroCotacao->repeatConfirmation();
}

void DestroiFiltroCotacao()
{
    delete Cli_Sup01701::frmFiltroCotacao.data();
    Cli_Sup01701::frmFiltroCotacao.clear();
}

} // namespace module
