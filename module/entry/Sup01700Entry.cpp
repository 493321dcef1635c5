#include "Sup01700Entry.h"

#include "Cli_Sup01700.h"
#include "PlanCotaPrecPages.h"

#include "register/FiltroCotacao.h"
#include "register/QuotationListPage.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

namespace module {

void IniProc()
{
    CriaPlanCotaPrec();
}

void CriaPlanCotaPrec()
{
    host::WaitCursor hourglass;
    if (!Cli_Sup01700::boStCriado) {
        host::Halvore& halvore = host::Halvore::instance();
        if (!halvore.remoteSession())
            host::MensErro(QStringLiteral("Não há sessão com o servidor de aplicação."));
        auto* form = NovoPlanCotaPrec(*halvore.remoteSession());
        Cli_Sup01700::frmPlanCotaPrec = form;
        Cli_Sup01700::boStCriado = true;
        // The window becomes active while it is created: its creation and first
        // activation run now.
        form->create();
        form->show();
        form->activate();

        form->stBanco = host::CheckResultServ(
                            form->netPlanCotaPrec.AppServer().call(QStringLiteral("GetBanco")), false)
                            .toString();
        if (form->stBanco == QLatin1String("MSSQL")) {
            host::Ui::current().message(host::MessageKind::Information,
                                        form->msgPadrao.Msg(QStringLiteral("Erro_Sql")), form);
            form->close();
            return;
        }
        CriaFiltroCotacao();
        if (Cli_Sup01700::frmPlanCotaPrec != form)
            return;  // the window closed meanwhile
        if (form->tshCotacao->Enabled() && form->pgcPadrao->ActivePage() == form->tshCotacao)
            listPageOf(*form).dbgCotacao->setFocus();
    }
    Cli_Sup01700::frmPlanCotaPrec->showForm();
}

} // namespace module
