#include "TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"

#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/PageControl.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
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
    edtCentCmp = new QLineEdit(this);
    edtCentCmp->setObjectName(QStringLiteral("edtCentCmp"));
    edtCentCmp->setReadOnly(true);
    edtCentCmp->setMaximumWidth(260);
    tlbPadrao->addWidget(edtCentCmp);

    cdsServRegiao.SetFieldDefs(regionFields());
    cdsCount.SetFieldDefs(counterFields());
    cdsColetapr.SetFieldDefs(quotationHeaderFields());
    cdsFornCotados.SetFieldDefs(quotedSupplierFields());
}

TfrmPlanCotaPrec::~TfrmPlanCotaPrec()
{
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
}

void TfrmPlanCotaPrec::FormActivate()
{
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
}

void TfrmPlanCotaPrec::loadPurchasingCentre()
{
    host::Halvore& halvore = host::Halvore::instance();
    if (!halvore.database())
        host::MensErro(QStringLiteral("Não há conexão com o banco de dados."));
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
    Cli_Sup01700::stlCotacao.reset();
    Cli_Sup01700::stlOldCotacao.reset();
    Cli_Sup01700::boStCriado = false;
    Cli_Sup01700::frmPlanCotaPrec = nullptr;
}

} // namespace module
