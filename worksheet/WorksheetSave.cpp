// Saving and cancelling the worksheet: the server validates every item, then stores the
// quotation record's and the items' changes in one call, retried on a lost connection
// under one request id so that it is applied once; then the zero prices are checked and the
// detail lines and regions read again. Cancel puts the worksheet back as it was loaded.

#include "Worksheet.h"

#include "DetailList.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Exceptions.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"

#include <QListWidget>
#include <QUuid>

namespace module {

namespace {

// Silent attempts before the person is asked whether to reconnect.
constexpr int kSilentRetries = 3;
// The alert's answer that reconnects and tries again.
constexpr int kRetryAnswer = 10;

bool editing(const host::DataSet& table)
{
    return table.State() == host::DataSetState::Edit || table.State() == host::DataSetState::Insert;
}

QVariant changesOf(const host::DataSet& table)
{
    return table.Active() && table.ChangeCount() > 0 ? QVariant::fromValue(table.Delta())
                                                     : QVariant();
}

} // namespace

void Worksheet::postPending()
{
    for (host::DataSet* table : {&m_form.cdsColetapr, &cdsAltCotacao})
        if (editing(*table))
            table->Post();
}

// ---- confirm ---------------------------------------------------------------------------------

void Worksheet::confirm()
{
    lsbErrosCota->hide();
    cdsErrosCota.Close();
    // An edit still open is validated and saved too.
    postPending();
    ValidaDados();
    if (!cdsErrosCota.IsEmpty()) {
        lsbErrosCota->show();
        PreencheErrosCota();
        host::Ui::current().message(host::MessageKind::Error,
                                    m_form.msgPadrao.Msg(QStringLiteral("ErroAtu")), &m_form);
        return;
    }
    const QString regions = regionList();
    GravaPlanCota();
    reloadAfterSave(regions);
}

void Worksheet::ValidaDados()
{
    host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("VdDadItm")));
    const host::Halvore& halvore = host::Halvore::instance();
    const QVariant answer = m_form.netPlanCotaPrec.AppServer().call(
        QStringLiteral("ValidaDados"),
        {QVariant::fromValue(cdsAltCotacao.Data()), halvore.FiliProc(), Cli_Sup01700::stCdCentCmp,
         m_form.currentDate().toString(Qt::ISODate)});
    cdsErrosCota.SetData(host::CheckResultServ(answer, true).value<host::Packet>());
}

QString Worksheet::regionList() const
{
    if (showsAllRegions())
        return QStringLiteral("NULL");
    const QStringList codes = DegRegistros(QStringLiteral("R"), false);
    return QLatin1Char('_') + codes.join(QLatin1Char('_')) + QLatin1Char('_');
}

void Worksheet::GravaPlanCota()
{
    TfrmPlanCotaPrec& form = m_form;
    form.boAplicaRegioes = false;
    if (form.cdsServRegiao.RecordCount() > 2 && !showsAllRegions()) {
        form.boAplicaRegioes =
            host::Ui::current().ask(host::MessageKind::Confirmation,
                                    form.msgPadrao.Msg(QStringLiteral("Aplica_Altera")),
                                    host::MessageButtons::YesNo, &form) == host::mrYes;
        form.repaint();
    }
    postPending();
    const host::Halvore& halvore = host::Halvore::instance();
    const QVariantList args = {changesOf(form.cdsColetapr), changesOf(cdsAltCotacao),
                               form.currentBranch(),        form.currentNumber(),
                               form.boAplicaRegioes,        form.currentDate(),
                               form.boExcForn,              form.boExcProd,
                               form.boAltMarca,             form.boIncRegiao,
                               halvore.FiliProc(),          halvore.Operador()};
    // Every attempt of this save carries the same id: the server applies it once.
    const QString requestId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    for (int retries = 0;;) {
        try {
            host::BusyScope busy(&form, form.msgPadrao.Msg(QStringLiteral("Grava_PlanCota")));
            const QString refusal =
                host::CheckResultServ(form.netPlanCotaPrec.AppServer().call(
                                          QStringLiteral("GravaPlanCota"), args, requestId),
                                      false)
                    .toString();
            busy.hide();
            if (!refusal.isEmpty())
                host::MensErro(refusal);
            break;
        } catch (const host::EAbort&) {
            throw;
        } catch (const host::Exception& failure) {
            if (retries < kSilentRetries) {
                ++retries;
                continue;
            }
            askToReconnect(failure.message());
        }
    }
    // Stored: none of it is pending any more, whatever the next steps meet.
    form.cdsColetapr.MergeChangeLog();
    cdsAltCotacao.MergeChangeLog();
    form.boExcForn = form.boExcProd = form.boAltMarca = form.boIncRegiao = false;
    VerificaPrecoZero();
}

void Worksheet::askToReconnect(const QString& failure)
{
    const host::Messages& shared = host::Messages::shared();
    const QString text = shared.Msg(QStringLiteral("Err_Conex")) + QStringLiteral("\n\n") +
                         shared.Msg(QStringLiteral("DsErro")) + failure + QStringLiteral("\n\n") +
                         shared.Msg(QStringLiteral("Reestab_Conex"));
    const int answer = host::Ui::current().alert(
        host::MessageKind::Error, text,
        {{shared.Msg(QStringLiteral("Sim")), kRetryAnswer}, {shared.Msg(QStringLiteral("Nao")), host::mrNo}},
        &m_form);
    // Not reconnecting ends the save; every change stays pending.
    if (answer != kRetryAnswer)
        throw host::EAbort();
    host::BusyScope busy(&m_form, QString());
    m_form.netPlanCotaPrec.Close();
    m_form.netPlanCotaPrec.Open();
}

void Worksheet::VerificaPrecoZero()
{
    TfrmPlanCotaPrec& form = m_form;
    try {
        host::BusyScope busy(&form, host::Messages::shared().Msg(QStringLiteral("VdPrZero")));
        const QString answer = host::CheckResultServ(
                                   form.netPlanCotaPrec.AppServer().call(
                                       QStringLiteral("GetVerPrZero"),
                                       {form.currentBranch(), form.currentNumber()}),
                                   false)
                                   .toString();
        busy.hide();
        host::Ui& ui = host::Ui::current();
        if (answer == QLatin1String("1")) {
            ui.message(host::MessageKind::Warning, form.msgPadrao.Msg(QStringLiteral("CotSemPr")),
                       &form);
        } else if (answer == QLatin1String("2")) {
            ui.message(host::MessageKind::Warning,
                       form.msgPadrao.Msg(QStringLiteral("ExclPrZero")), &form);
            form.repaint();
        } else if (!answer.isEmpty()) {
            ui.message(host::MessageKind::Error, answer, &form);
        }
    } catch (const host::EAbort&) {
    } catch (const host::Exception& failure) {
        // The save stands; the check is only told.
        host::Ui::current().message(host::MessageKind::Error, failure.message(), &form);
    }
}

void Worksheet::reloadAfterSave(const QString& regions)
{
    TfrmPlanCotaPrec& form = m_form;
    auto told = [&form](const std::function<void()>& step) {
        try {
            step();
        } catch (const host::EAbort&) {
        } catch (const host::Exception& failure) {
            host::Ui::current().message(host::MessageKind::Error, failure.message(), &form);
        }
    };
    // The lines as stored: the changed marks go.
    told([&] {
        host::BusyScope busy(&form, form.msgPadrao.Msg(QStringLiteral("Get_Cotacao")));
        const QVariantList answer =
            host::CheckResultServ(form.netPlanCotaPrec.AppServer().call(
                                      QStringLiteral("GetStringList"),
                                      {form.currentBranch(), form.currentNumber(), regions, true}),
                                  true)
                .toList();
        const QString text = answer.value(0).toString();
        setDetailText(*Cli_Sup01700::stlCotacao, text);
        *Cli_Sup01700::stlOldCotacao = *Cli_Sup01700::stlCotacao;
    });
    // The regions again (one may have been added), the one shown kept.
    told([&] {
        const QString region = form.cdsServRegiao.Active() && !form.cdsServRegiao.IsEmpty()
                                   ? form.cdsServRegiao.FieldByName(QStringLiteral("CDREGIAO")).AsString()
                                   : QString();
        form.CarregaRegioes();
        if (!region.isEmpty())
            form.cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), region, host::LoCaseInsensitive);
    });
    stCdProdAnterior.clear();
    degCotacao->viewport()->update();
    form.BarraFerramenta();
}

// ---- cancel ----------------------------------------------------------------------------------

void Worksheet::cancel()
{
    TfrmPlanCotaPrec& form = m_form;
    host::DataSet& list = form.cdsColetapr;
    const bool listChanged = editing(list) || (list.Active() && list.ChangeCount() > 0);
    if (!pending() && !listChanged)
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                form.msgPadrao.Msg(QStringLiteral("Canc")),
                                host::MessageButtons::YesNo, &form) != host::mrYes)
        return;
    for (host::DataSet* table : {&cdsAltCotacao, &list}) {
        if (editing(*table))
            table->Cancel();
        if (table->Active() && table->ChangeCount() > 0)
            table->CancelUpdates();
    }
    *Cli_Sup01700::stlCotacao = *Cli_Sup01700::stlOldCotacao;
    sortDetailLines(*Cli_Sup01700::stlCotacao);
    form.boExcForn = form.boExcProd = form.boAltMarca = form.boIncRegiao = false;
    cdsErrosCota.Close();
    lsbErrosCota->hide();
    recount();
    stCdProdAnterior.clear();
    degCotacao->viewport()->update();
    form.BarraFerramenta();
}

} // namespace module
