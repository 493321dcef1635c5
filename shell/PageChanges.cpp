// Moving in the quotation list and changing page: what the active page loads for the
// current quotation, the warning when another buyer's quotation is opened, the list reload.

#include "TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/Codes.h"

#include "host/ui/Halvore.h"
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

QString TfrmPlanCotaPrec::quotationBuyer() const
{
    if (!cdsColetapr.Active() || cdsColetapr.IsEmpty())
        return QString();
    return cdsColetapr.FieldByName(QStringLiteral("CDOPERADOR")).StoredValue().toString();
}

bool TfrmPlanCotaPrec::isCurrentBuyer() const
{
    const QString buyer = normaliseBuyer(quotationBuyer());
    return !buyer.isEmpty() && buyer == normaliseBuyer(host::Halvore::instance().Operador());
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
    CarregaCotacoes(answer.toList());
}

void TfrmPlanCotaPrec::CarregaCotacoes(const QVariantList& tables)
{
    const QMetaType packet = QMetaType::fromType<host::Packet>();
    if (tables.size() != 2 || tables.at(0).metaType() != packet ||
        tables.at(1).metaType() != packet)
        throw host::ERemote(
            msgPadrao.Msg(QStringLiteral("Resp_Inv")).arg(QStringLiteral("GetColetaPr")));
    cdsColetapr.SetData(tables.at(0).value<host::Packet>());
    cdsFornCotados.SetData(tables.at(1).value<host::Packet>());
    for (const std::unique_ptr<PageHandler>& page : m_pages)
        page->quotationListReloaded();
}

// ---- moving in the list ----------------------------------------------------------------------

void TfrmPlanCotaPrec::listScrolled()
{
    BarraFerramenta();
    host::TTabSheet* page = pgcPadrao->ActivePage();
    // The assignment pages follow the list only while they stand in for the worksheet.
    if (page == tshProdForn || page == tshFornProd) {
        if (tshPadrao->TabVisible())
            return;
        loadAssignmentPage(page);
    }
    if (PageHandler* handler = activeHandler())
        handler->quotationScrolled();
}

void TfrmPlanCotaPrec::CarregaRegioes()
{
    host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_Regiao")));
    const QVariant packet = host::CheckResultServ(
        netPlanCotaPrec.AppServer().call(QStringLiteral("GetServRegiao"),
                                         {currentBranch(), currentNumber(),
                                          msgPadrao.Msg(QStringLiteral("P_Todas"))}),
        true);
    cdsServRegiao.SetData(packet.value<host::Packet>());
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
    if (currentNumber().isEmpty() || isCurrentBuyer())
        return;
    auto refuse = [this, &allow] {
        allow = false;
        pgcPadrao->SetActivePage(tshCotacao);
        if (PageHandler* list = pageHandler(tshCotacao))
            list->focus();
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
    PageHandler* handler = activeHandler();
    // The worksheet builds its pivot (and takes the focus) before the command states;
    // the other pages load what they show after them.
    if (page == tshPadrao && handler)
        handler->activated();
    BarraFerramenta();
    if (page == tshPadrao)
        return;
    if (page == tshProdForn || page == tshFornProd)
        loadAssignmentPage(page);
    if (handler)
        handler->activated();
}

void TfrmPlanCotaPrec::refreshActiveView(bool force)
{
    PageHandler* active = activeHandler();
    for (const std::unique_ptr<PageHandler>& page : m_pages)
        if (page.get() != active)
            page->itemsChanged();
    if (active)
        active->reloadItems(force);
}

void TfrmPlanCotaPrec::showListPage()
{
    pgcPadrao->SetActivePage(tshCotacao);
    pgcPadraoChange();
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
    // The worksheet is not rebuilt: it shows the current quotation, loading it only when
    // it holds another one.
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
