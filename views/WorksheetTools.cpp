#include "WorksheetTools.h"

#include "TfrmValUltCot.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Ui.h"

#include <QAction>

namespace module {

namespace {

bool answeredYes(TfrmPlanCotaPrec& form, const char* key)
{
    return host::Ui::current().ask(host::MessageKind::Confirmation,
                                   form.msgPadrao.Msg(QString::fromLatin1(key)),
                                   host::MessageButtons::YesNo, &form) == host::mrYes;
}

} // namespace

WorksheetTools::WorksheetTools(TfrmPlanCotaPrec& form) : QObject(&form), m_form(form)
{
    form.setCommandHandler(form.mnuQtComprar, [this] { sbtQtComprarClick(); });
    form.setCommandHandler(form.mnuReajustPr, [this] { sbtReajustPrClick(); });
    form.setCommandHandler(form.mnuExclPrZero, [this] { sbtExclPrZeroClick(); });
    form.setCommandHandler(form.mnuAutoMelhor, [this] { sbtAutoMelhorClick(); });
}

void WorksheetTools::CarregarAComprar(const QString& branch, const QString& number)
{
    host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Get_CargAcomp")));
    const QString refusal = host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(
                                                      QStringLiteral("CargAcomprar"), {branch, number}),
                                                  false)
                                .toString();
    busy.hide();
    if (!refusal.isEmpty())
        host::MensErro(refusal);
}

void WorksheetTools::sbtQtComprarClick()
{
    if (m_form.currentNumber().isEmpty() || !answeredYes(m_form, "Atu_QtComprar"))
        return;
    CarregarAComprar(Cli_Sup01700::stCdCentCmp, m_form.currentNumber());
    // The quantities are the server's now: read again even where nothing else changed.
    m_form.refreshActiveView(true);
}

void WorksheetTools::sbtReajustPrClick()
{
    m_form.refreshActiveView(false);
}

void WorksheetTools::sbtExclPrZeroClick()
{
    if (m_form.currentNumber().isEmpty() || !answeredYes(m_form, "Conf_ExclPrZ"))
        return;
    host::RemoteModule server = m_form.netPlanCotaPrec.AppServer();
    {
        host::BusyScope busy(&m_form, host::Messages::shared().Msg(QStringLiteral("VdPrZero")));
        const QString answer =
            host::CheckResultServ(server.call(QStringLiteral("GetVerPrZero"),
                                              {m_form.currentBranch(), m_form.currentNumber()}),
                                  false)
                .toString();
        busy.hide();
        if (answer == QLatin1String("1"))
            host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("NExclCotSemPr")));
        if (!answer.isEmpty() && answer != QLatin1String("2"))
            host::MensErro(answer);
    }
    {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("ExcluPrZero")));
        const QString refusal =
            host::CheckResultServ(server.call(QStringLiteral("DeleteItemCole"),
                                              {Cli_Sup01700::stCdCentCmp, m_form.currentNumber()}),
                                  false)
                .toString();
        busy.hide();
        if (!refusal.isEmpty())
            host::MensErro(refusal);
    }
    m_form.refreshActiveView(true);
    m_form.BarraFerramenta();
}

void WorksheetTools::sbtAutoMelhorClick()
{
    if (m_form.currentNumber().isEmpty())
        return;
    if (CriaValUltCot(m_form))
        m_form.refreshActiveView(true);
}

} // namespace module
