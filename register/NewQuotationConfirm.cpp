// Confirming the new-quotation entry: the server generates the quotation and its items;
// a refusal shows why (and the details of the server's search on request), a success
// opens the worksheet on the new quotation.

#include "NewQuotationPage.h"
#include "TfrmErrInsCota.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/ValidityGroup.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/records/Codes.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/ProductLookup.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/MaskEdit.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SpinEdit.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QScopeGuard>

namespace module {

namespace {

// The statuses that begin the server's answer to the inclusion.
constexpr QChar kNothingIncluded = QLatin1Char('2');
constexpr QChar kRefused = QLatin1Char('3');

QVariant dateArgument(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

} // namespace

std::pair<QString, QString> NewQuotationPage::productRange() const
{
    const ProductRange range = module::productRange(host::bareTreeCode(medCdProdIni->Text()),
                                                    host::bareTreeCode(medCdProdFin->Text()));
    return {range.initial, range.upperBound};
}

void NewQuotationPage::Confirmar_InclusaoCotacao()
{
    Validacao();
    const auto [firstProduct, lastProduct] = productRange();
    const QString buyer = medCdComprador->Text();
    const QDate from = grbValidade->depDtInicial->GetDate();
    const QDate to = grbValidade->depDtFinal->GetDate();
    QString answer;
    {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Inc_Cotacao")));
        answer = host::CheckResultServ(
                     m_form.netPlanCotaPrec.AppServer().call(
                         QStringLiteral("IncluirCotacao"),
                         {Cli_Sup01700::stCdCentCmp, host::Halvore::instance().FiliProc(), buyer,
                          dateArgument(depColeta->GetDate()),
                          normaliseWeek(grbValidade->speInicial->value()),
                          normaliseWeek(grbValidade->speFinal->value()), dateArgument(from),
                          dateArgument(to), firstProduct, lastProduct, stRegioes,
                          stFornecedores, stMarcas, stVerificacoes, rbtProdTodos->isChecked(),
                          chkCarrega->isChecked(), chkCargObs->isChecked(),
                          QString::fromLatin1(chkDisMontLis->isChecked() ? "S" : "N"),
                          host::Halvore::instance().Operador()}),
                     false)
                     .toString();
    }
    const QChar status = answer.isEmpty() ? QChar() : answer.at(0);
    if (status == kNothingIncluded) {
        // The entry stays as it is, for the buyer to widen what he asked.
        CriaErroInclusao(answer.mid(1), [this] { return detailsOfFailure(); }, &m_form);
        m_form.update();
        return;
    }
    if (status == kRefused)
        host::MensErro(answer.mid(1));
    showNewQuotation(answer.mid(1), buyer, from, to);
}

QString NewQuotationPage::detailsOfFailure()
{
    // The same products as the inclusion asked; "T" (every product) when none was given.
    const auto [firstProduct, lastProduct] = productRange();
    host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Get_Detalhes")));
    return host::CheckResultServ(
               m_form.netPlanCotaPrec.AppServer().call(
                   QStringLiteral("GetDetalhes"),
                   {Cli_Sup01700::stCdCentCmp, medCdComprador->Text(), firstProduct,
                    lastProduct,
                    QString::fromLatin1(firstProduct.isEmpty() && lastProduct.isEmpty() ? "T"
                                                                                         : ""),
                    dateArgument(grbValidade->depDtInicial->GetDate()),
                    dateArgument(grbValidade->depDtFinal->GetDate()), stRegioes, stTRegiao,
                    stFornecedores, stTForn, dateArgument(depColeta->GetDate()), stMarcas,
                    rbtProdComprar->isChecked(), chkCarrega->isChecked(),
                    grbMarca->todos->isChecked(), host::Halvore::instance().FiliProc()}),
               false)
        .toString();
}

void NewQuotationPage::showNewQuotation(const QString& number, const QString& buyer,
                                        const QDate& from, const QDate& to)
{
    TfrmPlanCotaPrec& form = m_form;
    Cancelar_InclusaoCotacao();
    form.setUpdatesEnabled(false);
    const auto unlock = qScopeGuard([&form] { form.setUpdatesEnabled(true); });
    // The buyer's quotations of the period, with every supplier and region.
    form.AtualizaCotacao(singleChosenCode(buyer), QStringLiteral(" "),
                         QString::fromLatin1(AllMarker), QString::fromLatin1(AllMarker),
                         QStringLiteral(" "), from, to);
    // The list opens on the new quotation when the server named it.
    const QString newNumber = number.trimmed().isEmpty() ? QString()
                                                           : normaliseQuotationNumber(number.trimmed());
    if (!newNumber.isEmpty())
        form.cdsColetapr.Locate(QStringLiteral("NRCOLEPRECO"), newNumber);
    form.pgcPadrao->SetActivePage(form.tshPadrao->TabVisible() ? form.tshPadrao
                                                               : form.tshProdForn);
    form.pgcPadraoChange();
}

} // namespace module
