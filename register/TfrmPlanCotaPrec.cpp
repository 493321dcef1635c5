#include "TfrmPlanCotaPrec.h"

#include "FiltroCotacao.h"
#include "PrintQuotationScreen.h"
#include "QuotationListPage.h"

#include "worksheet/Worksheet.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"

#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopeGuard>
#include <QToolBar>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01700");

host::FieldDefs quotedSupplierFields()
{
    return {supplierPersonTypeField(QStringLiteral("Tipo")),
            supplierDocumentField(QStringLiteral("Inscrição")),
            supplierLegalNameField(QStringLiteral("Razão Social")),
            supplierTradeNameField(QStringLiteral("Nome Fantasia")),
            hidden(quotationNumberField())};
}

host::FieldDefs regionFields()
{
    return {regionCodeField(QStringLiteral("Código")), regionNameField(QStringLiteral("Nome")),
            hidden(quotationNumberField())};
}

host::FieldDefs counterFields()
{
    host::FieldDefs defs;
    for (const char* name : {"NRMARCA", "NRPROD", "NRFORN", "NRREGIAO"})
        defs.append(host::FieldDef::of(QString::fromLatin1(name), host::FieldType::Float));
    return defs;
}

} // namespace

TfrmPlanCotaPrec::TfrmPlanCotaPrec(host::RemoteSession& session, QWidget* parent)
    : host::TfrmPadraoGrid(kScreen, QStringLiteral("Planilha de Cotação de Preços"), parent),
      netPlanCotaPrec(QStringLiteral("Sup.rdmPlanCotaPrec"), session),
      netSuprimentos(QStringLiteral("Sup.rdmSuprimentos"), session)
{
    createPages();
    createPageMenu();
    createCommands();
    edtCentCmp = new QLineEdit(this);
    edtCentCmp->setObjectName(QStringLiteral("edtCentCmp"));
    edtCentCmp->setReadOnly(true);
    edtCentCmp->setMaximumWidth(260);
    tlbPadrao->addWidget(edtCentCmp);
    createStatusLine();

    cdsServRegiao.SetFieldDefs(regionFields());
    cdsCount.SetFieldDefs(counterFields());
    cdsColetapr.SetFieldDefs(quotationHeaderFields());
    cdsFornCotados.SetFieldDefs(quotedSupplierFields());

    // The list page builds its grids over the tables and binds their reactions.
    m_listPage = std::make_unique<QuotationListPage>(*this);
    m_worksheet = std::make_unique<Worksheet>(*this);
    setPageHandler(tshPadrao, m_worksheet.get());
    setBaseTable(&cdsColetapr);
    cdsColetapr.AfterScroll = [this](host::DataSet&) { listScrolled(); };
    dtsColetapr.SetDataSet(&cdsColetapr);
    dtsColetapr.OnStateChange = [this](host::DataSource&) {
        host::guarded([this] { BarraFerramenta(); });
    };
    dtsColetapr.OnDataChange = [this](host::DataSource&, host::Field*) { MostraStatus(); };

    pgcPadrao->OnChanging = [this](host::TTabSheet* page, bool& allow) {
        pgcPadraoChanging(page, allow);
    };
    pgcPadrao->OnChange = [this] { pgcPadraoChange(); };
    connect(pgcPadrao, &host::TPageControl::activePageChanged, this,
            [this](host::TTabSheet*) { checkPageMenuItems(); });
}

TfrmPlanCotaPrec::~TfrmPlanCotaPrec()
{
    // The pages go after this part of the window: nothing may call back into it then.
    disconnect(pgcPadrao, nullptr, this, nullptr);
    pgcPadrao->OnChanging = nullptr;
    pgcPadrao->OnChange = nullptr;
    if (Cli_Sup01700::frmPlanCotaPrec == this) {
        Cli_Sup01700::frmPlanCotaPrec = nullptr;
        Cli_Sup01700::boStCriado = false;
    }
}

void TfrmPlanCotaPrec::createPages()
{
    auto page = [this](const QString& name, const QString& caption, int index) {
        auto* sheet = new host::TTabSheet(caption);
        sheet->setObjectName(name);
        return pgcPadrao->InsertPage(index, sheet);
    };
    tshIncCotacao = page(QStringLiteral("tshIncCotacao"), QStringLiteral("Inclusão de Cotação"), 0);
    tshCotacao = page(QStringLiteral("tshCotacao"), QStringLiteral("Cotação"), 1);
    tshRegiao = page(QStringLiteral("tshRegiao"), QStringLiteral("Região"), 2);
    tshPadrao->SetCaption(QStringLiteral("Produtos Cotados"));
    tshProdForn = page(QStringLiteral("tshProdForn"), QStringLiteral("Produto/Fornecedor"), 4);
    tshFornProd = page(QStringLiteral("tshFornProd"), QStringLiteral("Fornecedor/Produto"), 5);
}

void TfrmPlanCotaPrec::createPageMenu()
{
    QMenu* pages = menuBar()->addMenu(QStringLiteral("&Páginas"));
    pages->setObjectName(QStringLiteral("mnuPaginas"));
    auto item = [this, pages](const QString& name, const QString& caption) {
        auto* action = pages->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        return action;
    };
    mnuIncCotacao = item(QStringLiteral("mnuIncCotacao"), QStringLiteral("I&nclusão de Cotação"));
    mnuCotacao = item(QStringLiteral("mnuCotacao"), QStringLiteral("C&otação"));
    mnuPadrao = item(QStringLiteral("mnuPadrao"), QStringLiteral("&Produtos Cotados"));
    mnuProdForn = item(QStringLiteral("mnuProdForn"), QStringLiteral("Pro&duto/Fornecedor"));
    mnuFornProd = item(QStringLiteral("mnuFornProd"), QStringLiteral("&Fornecedor/Produto"));

    // Whatever a menu item did, the items end up checked by the page shown.
    auto selects = [this](QAction* action, std::function<void()> select) {
        host::connectGuarded(action, &QAction::triggered, this, [this, select](bool) {
            const auto recheck = qScopeGuard([this] { checkPageMenuItems(); });
            select();
        });
    };
    selects(mnuCotacao, [this] { selectPageFromMenu(tshCotacao); });
    selects(mnuPadrao, [this] { mnuPadraoClick(); });
    selects(mnuProdForn, [this] { selectPageFromMenu(tshProdForn); });
    selects(mnuFornProd, [this] { selectPageFromMenu(tshFornProd); });
    selects(mnuIncCotacao, [] {});
}

void TfrmPlanCotaPrec::createStatusLine()
{
    // Number, date and buyer of the current quotation, in bold.
    for (int i = 0; i < 3; ++i) {
        QLabel* panel = statusPanel(i);
        QFont bold = panel->font();
        bold.setBold(true);
        panel->setFont(bold);
        panel->setMinimumWidth(i == 2 ? 260 : 100);
    }
}

host::DBGrid* TfrmPlanCotaPrec::dbgCotacao() const
{
    return m_listPage->dbgCotacao;
}

host::DBGrid* TfrmPlanCotaPrec::dbgForns() const
{
    return m_listPage->dbgForns;
}

host::DBGrid* TfrmPlanCotaPrec::dbgRegiao() const
{
    return m_listPage->dbgRegiao;
}

void TfrmPlanCotaPrec::FormCreate()
{
    {
        // The address is the session's at this moment (Halvore's WebURL and WebPort).
        host::BusyScope busy(this, QString());
        netPlanCotaPrec.Open();
        netSuprimentos.Open();
    }
    update();

    m_firstTime = true;
    stFornNaoAtende = stFornNaoQualif = stFornInativo = QStringLiteral("N");

    tshIncCotacao->SetTabVisible(false);
    mnuIncCotacao->setVisible(tshIncCotacao->TabVisible());
    pgcPadrao->SetActivePage(tshCotacao);
    tshProdForn->SetTabVisible(false);
    tshFornProd->SetTabVisible(false);

    cdsCount.CreateDataSet();
    boExcForn = boExcProd = boAltMarca = boIncRegiao = boAplicaRegioes = false;
    cdsServRegiao.FieldByName(QStringLiteral("CDREGIAO")).Tag = -1;

    // The quotation's printed form is a screen of the system, opened by its number.
    registerPrintQuotationScreen();
    BarraFerramenta();
}

void TfrmPlanCotaPrec::FormActivate()
{
    m_worksheet->stCdProdAnterior.clear();
    if (screenHeight() == 480)
        setWindowState(windowState() | Qt::WindowMaximized);
    update();
    if (!m_firstTime)
        return;

    loadPurchasingCentre();
    Cli_Sup01700::stlCotacao = std::make_unique<QStringList>();
    Cli_Sup01700::stlOldCotacao = std::make_unique<QStringList>();
    cdsColetapr.CreateDataSet();
    cdsFornCotados.CreateDataSet();
    m_firstTime = false;
    BarraFerramenta();
}

void TfrmPlanCotaPrec::loadPurchasingCentre()
{
    host::Halvore& halvore = host::Halvore::instance();
    if (!halvore.database())
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    host::Query qryCentCmp(*halvore.database(), QStringLiteral("qryCentCmp"));
    qryCentCmp.LoadSQL(kScreen);
    qryCentCmp.SetParam(QStringLiteral("P_CDFILIAL"), halvore.FiliProc());
    qryCentCmp.Open();
    Cli_Sup01700::stCdCentCmp = qryCentCmp.FieldByName(QStringLiteral("CDFILIAL")).AsString();
    edtCentCmp->setText(qryCentCmp.FieldByName(QStringLiteral("NMFILIAL_CENTRAL")).AsString());
}

void TfrmPlanCotaPrec::showForm()
{
    update();
    show();
    raise();
    activateWindow();
    if (screenHeight() == 480)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    else
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

void TfrmPlanCotaPrec::MostraPaginasPlanilha(bool emPlanilha)
{
    tshPadrao->SetTabVisible(emPlanilha);
    tshRegiao->SetTabVisible(emPlanilha);
    tshProdForn->SetTabVisible(!emPlanilha);
    tshFornProd->SetTabVisible(!emPlanilha);
    mnuPadrao->setVisible(tshPadrao->TabVisible());
    mnuProdForn->setVisible(tshProdForn->TabVisible());
    mnuFornProd->setVisible(tshFornProd->TabVisible());
}

void TfrmPlanCotaPrec::FormClose()
{
    if (netPlanCotaPrec.Connected())
        netPlanCotaPrec.Close();
    if (netSuprimentos.Connected())
        netSuprimentos.Close();
    DestroiFiltroCotacao();
    Cli_Sup01700::stlCotacao.reset();
    Cli_Sup01700::stlOldCotacao.reset();
    Cli_Sup01700::boStCriado = false;
    Cli_Sup01700::frmPlanCotaPrec = nullptr;
}

} // namespace module
