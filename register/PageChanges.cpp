// Moving in the quotation list and changing page: what the active page loads for the
// current quotation, the warning when another buyer's quotation is opened, the list reload.

#include "TfrmPlanCotaPrec.h"

#include "QuotationListPage.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/Codes.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

#include <QAction>
#include <QLabel>

namespace module {

namespace {

const QString kNumber = QStringLiteral("NRCOLEPRECO");

// A date argument of a remote call: an empty date travels as null.
QVariant dateArgument(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

// True when the table does not hold the given quotation (closed, empty or another one).
bool holdsAnotherQuotation(const host::DataSet& table, const QString& number)
{
    if (!table.Active() || table.IsEmpty())
        return true;
    const host::Field* field = table.FindField(kNumber);
    return !field || field->AsString() != number;
}

} // namespace

// ---- the current quotation -------------------------------------------------------------------

QString TfrmPlanCotaPrec::currentBranch() const
{
    if (!cdsColetapr.Active() || cdsColetapr.IsEmpty())
        return QString();
    return cdsColetapr.FieldByName(QStringLiteral("CDFILIAL")).AsString();
}

QString TfrmPlanCotaPrec::currentNumber() const
{
    if (!cdsColetapr.Active() || cdsColetapr.IsEmpty())
        return QString();
    return cdsColetapr.FieldByName(kNumber).AsString();
}

QDate TfrmPlanCotaPrec::currentDate() const
{
    if (!cdsColetapr.Active() || cdsColetapr.IsEmpty())
        return QDate();
    return cdsColetapr.FieldByName(QStringLiteral("DTCOLEPREC")).AsDate();
}

QString TfrmPlanCotaPrec::purchasingParameter(const QString& name) const
{
    if (!cdsParaSupri.Active() || cdsParaSupri.IsEmpty())
        return QString();
    const host::Field* field = cdsParaSupri.FindField(name);
    return field ? field->AsString() : QString();
}

void TfrmPlanCotaPrec::MostraStatus()
{
    const bool filled = cdsColetapr.Active() && !cdsColetapr.IsEmpty();
    const QDate date = currentDate();
    statusPanel(0)->setText(currentNumber());
    statusPanel(1)->setText(date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy"))
                                           : QString());
    statusPanel(2)->setText(
        filled ? cdsColetapr.FieldByName(QStringLiteral("NMOPERADOR")).AsString() : QString());
}

// ---- the list reload -----------------------------------------------------------------------

void TfrmPlanCotaPrec::AtualizaCotacao(const QString& t1, const QString& t2, const QString& t3,
                                       const QString& t4, const QString& t5, const QDate& d1,
                                       const QDate& d2)
{
    host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_DadosFiltro")));
    // Centre, buyers and their marker, the period and its marker, suppliers (all), regions.
    const QVariant answer = host::CheckResultServ(
        netPlanCotaPrec.AppServer().call(QStringLiteral("GetColetaPr"),
                                         {Cli_Sup01700::stCdCentCmp, t1, t2, dateArgument(d1),
                                          dateArgument(d2), t5, QString(), t4, QString(), t3}),
        true);
    const QVariantList packets = answer.toList();
    cdsColetapr.SetData(packets.value(0).value<host::Packet>());
    cdsFornCotados.SetData(packets.value(1).value<host::Packet>());
}

// ---- moving in the list ----------------------------------------------------------------------

void TfrmPlanCotaPrec::listScrolled()
{
    BarraFerramenta();
    host::TTabSheet* page = pgcPadrao->ActivePage();
    if (page == tshCotacao)
        m_listPage->FiltraFornecedores();
    if (page == tshRegiao)
        loadRegions(false);
    // The assignment pages follow the list only while they stand in for the worksheet.
    if (!tshPadrao->TabVisible() && (page == tshProdForn || page == tshFornProd))
        loadAssignmentPage(page);
}

void TfrmPlanCotaPrec::loadRegions(bool force)
{
    const QString number = currentNumber();
    if (number.isEmpty())
        return;
    if (!force && !holdsAnotherQuotation(cdsServRegiao, number))
        return;
    // The region chosen before stays chosen when the quotation has it too.
    const QString region = cdsServRegiao.Active() && !cdsServRegiao.IsEmpty()
                               ? cdsServRegiao.FieldByName(QStringLiteral("CDREGIAO")).AsString()
                               : QString();
    {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_Regiao")));
        const QVariant packet = host::CheckResultServ(
            netPlanCotaPrec.AppServer().call(
                QStringLiteral("GetServRegiao"),
                {currentBranch(), number, msgPadrao.Msg(QStringLiteral("P_Todas"))}),
            true);
        cdsServRegiao.SetData(packet.value<host::Packet>());
    }
    if (!region.isEmpty())
        cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), region, host::LoCaseInsensitive);
}

void TfrmPlanCotaPrec::loadAssignmentPage(host::TTabSheet* page)
{
    const QString number = currentNumber();
    if (number.isEmpty())
        return;
    const QString branch = currentBranch();
    auto load = [&](host::DataSet& table, const QString& method) {
        const QVariant packet =
            host::CheckResultServ(netPlanCotaPrec.AppServer().call(method, {branch, number}), true);
        table.SetData(packet.value<host::Packet>());
    };
    if (page == tshProdForn && holdsAnotherQuotation(cdsRegForn, number)) {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_Cotacao")));
        load(cdsRegForn, QStringLiteral("GetRegForn"));
        load(cdsProdForn, QStringLiteral("GetProdForn"));
    } else if (page == tshFornProd && holdsAnotherQuotation(cdsFornProd, number)) {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_Cotacao")));
        load(cdsProdMarca, QStringLiteral("GetProdMarca"));
        load(cdsFornProd, QStringLiteral("GetFornProd"));
    }
}

// ---- changing page -------------------------------------------------------------------------

void TfrmPlanCotaPrec::pgcPadraoChanging(host::TTabSheet* newPage, bool& allow)
{
    // Leaving the list for another buyer's quotation, where products are tied to the buyer
    // who negotiates them: the operator may only update the prices of his own products.
    if (pgcPadrao->ActivePage() != tshCotacao || newPage == tshCotacao)
        return;
    if (!tshPadrao->TabVisible() ||
        purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S"))
        return;
    if (currentNumber().isEmpty() || m_listPage->isCurrentBuyer())
        return;
    auto refuse = [this, &allow] {
        allow = false;
        pgcPadrao->SetActivePage(tshCotacao);
        dbgCotacao()->setFocus();
    };
    int answer = host::mrNo;
    try {
        answer = host::Ui::current().ask(host::MessageKind::Confirmation,
                                         msgPadrao.Msg(QStringLiteral("Alert_Oper")),
                                         host::MessageButtons::YesNo, this);
        update();
    } catch (...) {
        refuse();
        throw;
    }
    if (answer != host::mrYes)
        refuse();
}

void TfrmPlanCotaPrec::pgcPadraoChange()
{
    checkPageMenuItems();
    host::TTabSheet* page = pgcPadrao->ActivePage();
    // The worksheet builds its pivot (and takes the focus) on its own.
    if (page == tshPadrao)
        if (PageHandler* handler = pageHandler(tshPadrao))
            handler->activated();
    BarraFerramenta();
    if (page == tshCotacao)
        m_listPage->FiltraFornecedores();
    if (page == tshRegiao)
        loadRegions(false);
    if (page == tshProdForn || page == tshFornProd) {
        loadAssignmentPage(page);
        if (PageHandler* handler = pageHandler(page))
            handler->activated();
    }
}

void TfrmPlanCotaPrec::selectPageFromMenu(host::TTabSheet* page)
{
    if (pgcPadrao->ActivePage() != page) {
        bool allow = true;
        pgcPadraoChanging(page, allow);
        if (!allow)
            return;
    }
    pgcPadrao->SetActivePage(page);
    pgcPadraoChange();
}

void TfrmPlanCotaPrec::mnuPadraoClick()
{
    if (pgcPadrao->ActivePage() != tshPadrao) {
        bool allow = true;
        pgcPadraoChanging(tshPadrao, allow);
        if (!allow)
            return;
    }
    // The worksheet is shown as it was left, not rebuilt.
    pgcPadrao->SetActivePage(tshPadrao);
    if (PageHandler* handler = pageHandler(tshPadrao))
        handler->focus();
    BarraFerramenta();
    checkPageMenuItems();
}

void TfrmPlanCotaPrec::checkPageMenuItems()
{
    host::TTabSheet* page = pgcPadrao->ActivePage();
    mnuIncCotacao->setChecked(page == tshIncCotacao);
    mnuCotacao->setChecked(page == tshCotacao);
    mnuPadrao->setChecked(page == tshPadrao);
    mnuProdForn->setChecked(page == tshProdForn);
    mnuFornProd->setChecked(page == tshFornProd);
}

} // namespace module
