#include "TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"

#include "host/core/Exceptions.h"
#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopeGuard>
#include <QToolBar>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01700");
// The window's place is kept per operator among the saved options.
const QString kWindowOptions = QStringLiteral("SUP01700.Janela");
const QString kGeometryOption = QStringLiteral("Geometria");

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

    // A new window starts with no cell of a former one selected.
    Cli_Sup01700::ResetSelection();
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
    // What was selected in this window means nothing to the next one.
    Cli_Sup01700::ResetSelection();
}

void TfrmPlanCotaPrec::installPage(host::TTabSheet* page, std::unique_ptr<PageHandler> handler)
{
    m_pageHandlers.insert(page, handler.get());
    m_pages.push_back(std::move(handler));
}

PageHandler* TfrmPlanCotaPrec::pageHandler(host::TTabSheet* page) const
{
    return m_pageHandlers.value(page, nullptr);
}

PageHandler* TfrmPlanCotaPrec::activeHandler() const
{
    return pageHandler(pgcPadrao->ActivePage());
}

void TfrmPlanCotaPrec::addCloseStep(std::function<void()> step)
{
    m_closeSteps.push_back(std::move(step));
}

void TfrmPlanCotaPrec::addStateStep(std::function<void()> step)
{
    m_stateSteps.push_back(std::move(step));
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
    BarraFerramenta();
}

void TfrmPlanCotaPrec::FormActivate()
{
    for (const std::unique_ptr<PageHandler>& page : m_pages)
        page->windowActivated();
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
    const bool firstShow = !m_placed;
    if (firstShow)
        placeWindow();
    show();
    raise();
    activateWindow();
    if (screenHeight() == 480)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    else if (!firstShow)
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

void TfrmPlanCotaPrec::placeWindow()
{
    m_placed = true;
    // Where the operator left the window last time.
    const host::OptionList saved = host::Halvore::instance().optionStore().load(
        kWindowOptions, host::Halvore::instance().Operador());
    const QByteArray geometry =
        QByteArray::fromBase64(saved.value(kGeometryOption).toLatin1());
    if (!geometry.isEmpty() && restoreGeometry(geometry))
        return;
    // The first time: wide enough for the product labels and twelve suppliers of the
    // worksheet, or the whole screen when it is not that wide.
    constexpr int kSupplierColumns = 12;
    constexpr int kFrame = 48; // the grid's scroll bar, the page and window borders
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = shown ? shown->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize wanted(kWorksheetLabelWidth + kSupplierColumns * kWorksheetColumnWidth + kFrame,
                       std::min(available.height(), 860));
    if (available.width() < wanted.width()) {
        // Covering the screen also where no window manager maximises.
        setGeometry(available);
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(wanted);
    move(available.center() - QPoint(wanted.width() / 2, wanted.height() / 2));
}

void TfrmPlanCotaPrec::saveWindowPlace()
{
    host::Halvore& halvore = host::Halvore::instance();
    if (halvore.Operador().isEmpty())
        return;
    host::OptionList options;
    options.setValue(kGeometryOption, QString::fromLatin1(saveGeometry().toBase64()));
    try {
        halvore.optionStore().save(kWindowOptions, halvore.Operador(), options);
    } catch (const host::Exception&) {
        // A settings file that cannot be written costs the next opening its place only.
    }
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
    saveWindowPlace();
    if (netPlanCotaPrec.Connected())
        netPlanCotaPrec.Close();
    if (netSuprimentos.Connected())
        netSuprimentos.Close();
    // The pages' kept dialogs go with the window.
    for (const std::function<void()>& step : m_closeSteps)
        step();
    Cli_Sup01700::stlCotacao.reset();
    Cli_Sup01700::stlOldCotacao.reset();
    Cli_Sup01700::boStCriado = false;
    Cli_Sup01700::frmPlanCotaPrec = nullptr;
}

} // namespace module
