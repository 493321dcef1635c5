// The quotation filter's work with the server: the filter it starts from and its
// confirmation, which loads the main window's quotation list.

#include "Cli_Sup01701.h"
#include "TfrmFiltroCotacao.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/controls/ChoiceGroup.h"
#include "module/controls/ValidityGroup.h"
#include "module/records/Codes.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/DateEditPlus.h"

#include <QCheckBox>
#include <QRadioButton>

namespace module {

namespace {

// A date argument of the server: null for an empty date field.
QVariant dateArgument(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

host::Packet packetOf(const QVariant& value)
{
    return value.value<host::Packet>();
}

} // namespace

void TfrmFiltroCotacao::loadStartingFilter()
{
    host::Halvore& halvore = host::Halvore::instance();
    {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_DadosFiltro")));
        const QVariant answer = m_main.netPlanCotaPrec.AppServer().call(
            QStringLiteral("GetDadosFiltro"), {Cli_Sup01700::stCdCentCmp, halvore.Operador()});
        cdsDadosFiltro.SetData(packetOf(host::CheckResultServ(answer, true)));
    }
    if (!cdsDadosFiltro.IsEmpty()) {
        cdsDadosFiltro.First();
        m_remembered.from = cdsDadosFiltro.FieldByName(QStringLiteral("DTINIVALCOL")).AsDate();
        m_remembered.to = cdsDadosFiltro.FieldByName(QStringLiteral("DTFINVALCOL")).AsDate();
    }

    // A buyer starts with his own quotations; anyone else with every buyer's.
    const QString buyer = normaliseBuyer(halvore.Operador());
    qryComprador->SetParam(QStringLiteral("P_CDOPERADOR"), buyer);
    qryComprador->SetParam(QStringLiteral("P_TOPERADOR"), QString());
    qryComprador->Open();
    m_remembered.buyerList = !qryComprador->IsEmpty();
    m_remembered.buyers = m_remembered.buyerList ? singleChosenCode(buyer) : QString();
    if (m_remembered.buyerList)
        Cli_Sup01701::stTComprador.clear();
}

void TfrmFiltroCotacao::repeatConfirmation()
{
    restoreRemembered();
    confirm();
}

void TfrmFiltroCotacao::sbtConfirmaClick()
{
    confirm();
}

void TfrmFiltroCotacao::fail(QWidget* control, const QString& key)
{
    control->setFocus();
    host::MensErro(msgPadrao.Msg(key));
    throw host::EAbort();
}

void TfrmFiltroCotacao::validate()
{
    depDtInicial->CheckValidDate();
    depDtFinal->CheckValidDate();

    const std::pair<const ChoiceGroup*, const char*> lists[] = {
        {m_buyers, "Comp_N_Inf"}, {m_regions, "Reg_N_Inf"}, {m_suppliers, "Forn_N_Inf"}};
    for (const auto& [choice, emptyKey] : lists)
        if (choice->listChosen() && host::EmptyString(choice->list()))
            fail(choice->lista, QString::fromLatin1(emptyKey));

    const QDate from = depDtInicial->GetDate();
    const QDate to = depDtFinal->GetDate();
    if (!from.isValid() && to.isValid())
        fail(depDtInicial, QStringLiteral("DtIni_N_Inf"));
    if (from.isValid() && !to.isValid())
        fail(depDtFinal, QStringLiteral("DtFin_N_Inf"));
    if (from.isValid() && to.isValid() && to < from)
        fail(depDtInicial, QStringLiteral("DtIniFin_Inv"));
}

void TfrmFiltroCotacao::confirm()
{
    validate();

    const QDate from = depDtInicial->GetDate();
    const QDate to = depDtFinal->GetDate();
    Cli_Sup01701::stTPeriodo = allMarker(!from.isValid() && !to.isValid());
    m_validity->datesChanged();

    remember();
    loadQuotations(from, to);
    loadParameters();

    accept();
    m_main.MostraPaginasPlanilha(chkPlanilha->isChecked());
}

void TfrmFiltroCotacao::loadQuotations(const QDate& from, const QDate& to)
{
    using namespace Cli_Sup01701;
    host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_FilCota")));
    const QVariant answer = m_main.netPlanCotaPrec.AppServer().call(
        QStringLiteral("GetColetaPr"),
        {Cli_Sup01700::stCdCentCmp, stComprador, stTComprador, dateArgument(from), dateArgument(to),
         stTPeriodo, stPesqForn, stTForn, stPesqRegiao, stTRegiao});
    m_main.CarregaCotacoes(host::CheckResultServ(answer, true).toList());
}

void TfrmFiltroCotacao::loadParameters()
{
    host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_Params")));
    const QVariant answer = m_main.netSuprimentos.AppServer().call(QStringLiteral("GetParaSupri"),
                                                                   {Cli_Sup01700::stCdCentCmp});
    m_main.cdsParaSupri.SetData(packetOf(host::CheckResultServ(answer, true)));
}

} // namespace module
