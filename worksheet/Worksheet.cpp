// The price worksheet page: its tables and pivot, building it for the current quotation
// and region, and loading the items and detail lines from the server.

#include "Worksheet.h"

#include "DetailList.h"
#include "HistoryPanel.h"
#include "TfrmPrecoUnit.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Exceptions.h"
#include "host/net/CheckResultServ.h"
#include "host/net/NetTexts.h"
#include "host/ui/Guard.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SystemColors.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace module {

namespace {

const QString kRegionField = QStringLiteral("CDREGIAO");
const QString kNumberField = QStringLiteral("NRCOLEPRECO");
const QString kAllRegions = QStringLiteral("XXX");
const QString kIndex = QStringLiteral("IndCube");

host::FieldDefs itemFields()
{
    return {host::FieldDef::text(QStringLiteral("COCREGIAO"), 35),
            host::FieldDef::text(QStringLiteral("COCFORNECED"), 63),
            host::FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
            host::FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)};
}

host::FieldDefs errorFields()
{
    return {host::FieldDef::text(QStringLiteral("CDREGIAO"), 3),
            host::FieldDef::text(QStringLiteral("CDFORNECED"), 21),
            host::FieldDef::text(QStringLiteral("CDPRODUTO"), 10),
            host::FieldDef::text(QStringLiteral("CDMARCA"), 5),
            host::FieldDef::text(QStringLiteral("IDERRO"), 7)};
}

// The items' answer of the server: the detail lines' text and the item packet. A text
// alone is the server's error; anything else is reported as what came instead.
QVariantList detailsAndItems(const QVariant& answer)
{
    const QVariantList parts = host::CheckResultServ(answer, true).toList();
    if (parts.size() != 2 || parts[0].metaType().id() != QMetaType::QString)
        throw host::ERemote(host::net::netText(QStringLiteral("Res_SemPacote"))
                                .arg(host::net::netText(QStringLiteral("Tipo_Pacote"))));
    return parts;
}

// The fixed-pitch font of the product labels, small enough for a padded product name and
// a brand name to fit the label column.
QFont labelFontFor(QFont font, int columnWidth)
{
    constexpr int kLabelCharacters = 52;
    const QString sample(kLabelCharacters, QLatin1Char('M'));
    qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    while (size > 6.0 && QFontMetricsF(font).horizontalAdvance(sample) > columnWidth - 4) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    return font;
}

} // namespace

Worksheet::Worksheet(TfrmPlanCotaPrec& form) : m_form(form)
{
    cdsAltCotacao.SetFieldDefs(itemFields());
    cdsErrosCota.SetFieldDefs(errorFields());
    cdsAltCotacao.AfterInsert = [this](host::DataSet&) { cdsAltCotacaoAfterInsert(); };
    cdsAltCotacao.AfterEdit = [this](host::DataSet&) { cdsAltCotacaoAfterEdit(); };
    cdsAltCotacao.AfterPost = [this](host::DataSet&) { cdsAltCotacaoAfterPost(); };
    cdsAltCotacao.BeforeDelete = [this](host::DataSet&) { cdsAltCotacaoBeforeDelete(); };

    decCotacao.AddDimension(QStringLiteral("COCREGIAO"), QStringLiteral("Região"));
    decCotacao.AddDimension(QStringLiteral("COCFORNECED"), QStringLiteral("Fornecedor"));
    decCotacao.AddDimension(QStringLiteral("COCPRODUTO"), QStringLiteral("Produto"));
    // The cells count the items (a count of CONTA): the prices themselves are read from
    // the detail lines, so a price typed leaves the pivot as it is.
    // Regions and their suppliers across, products and brands down.
    decCotacao.SetPivot({2}, {0, 1});
    decCotacao.SetSparseRows(true);
    decCotacao.SetSparseCols(true);

    createControls();
    // The kept price dialog goes with the window.
    m_form.addCloseStep([] { DestroiPrecoUnit(); });
    m_form.setCommandHandler(m_form.mnuHistorico, [this] { sbtHistoricoClick(); });
    showHistoryState();
}

Worksheet::~Worksheet()
{
    // The grid outlives this page's logic by a moment (it goes with the window's widgets).
    degCotacao->OnDecisionDrawCell = nullptr;
    degCotacao->OnKeyDown = nullptr;
    degCotacao->OnKeyUp = nullptr;
    degCotacao->OnTopLeftChanged = nullptr;
    degCotacao->OnDblClick = nullptr;
    degCotacao->OnKeyPress = nullptr;
    degCotacao->SetDecisionCube(nullptr);
}

void Worksheet::createControls()
{
    host::TTabSheet* page = m_form.tshPadrao;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    degCotacao = new host::TNewDecisionGrid(page);
    degCotacao->setObjectName(QStringLiteral("degCotacao"));
    degCotacao->SetDecisionCube(&decCotacao);
    degCotacao->SetGridLines(true);
    degCotacao->SetDefaultColWidth(TfrmPlanCotaPrec::kWorksheetColumnWidth);
    degCotacao->SetFixedColWidth(TfrmPlanCotaPrec::kWorksheetLabelWidth);
    degCotacao->SetDefaultRowHeight(17);
    degCotacao->CaptionColor = host::clActiveCaption();
    degCotacao->DataColor = host::clInfoBk();
    degCotacao->LabelColor = host::clBtnFace();
    degCotacao->LabelSumColor = host::clInactiveCaption();
    degCotacao->LabelFont = labelFontFor(degCotacao->LabelFont, TfrmPlanCotaPrec::kWorksheetLabelWidth);
    degCotacao->Invalidate();
    degCotacao->OnKeyDown = [this](QKeyEvent& event) { return degCotacaoKeyDown(event); };
    degCotacao->OnKeyUp = [this](QKeyEvent& event) { degCotacaoKeyUp(event); };
    degCotacao->OnTopLeftChanged = [this] { degCotacaoTopLeftChanged(); };
    degCotacao->OnDblClick = [this] { degCotacaoDblClick(); };
    degCotacao->OnKeyPress = [this](QKeyEvent& event) { degCotacaoKeyPress(event); };
    layout->addWidget(degCotacao, 1);

    panHistorico = new HistoryPanel(m_form.msgPadrao, page);
    panHistorico->hide();
    layout->addWidget(panHistorico);

    auto* below = new QHBoxLayout;
    below->setSpacing(4);
    createDetailPanel(page);
    below->addWidget(panDados, 1);
    lsbErrosCota = new QListWidget(page);
    lsbErrosCota->setObjectName(QStringLiteral("lsbErrosCota"));
    lsbErrosCota->setMaximumHeight(panDados->sizeHint().height());
    lsbErrosCota->setMinimumWidth(320);
    lsbErrosCota->hide();
    below->addWidget(lsbErrosCota);
    layout->addLayout(below);
}

// ---- building and loading -------------------------------------------------------------------

void Worksheet::MontaDecisionCube()
{
    try {
        m_form.setUpdatesEnabled(true);
        const host::DataSet& regions = m_form.cdsServRegiao;
        if (!regions.Active() || regions.IsEmpty() ||
            regions.FieldByName(kNumberField).AsString() != m_form.currentNumber())
            m_form.CarregaRegioes();
        stCdProdAnterior.clear();
        PreencheAltCotacao(false);
        m_form.pgcPadrao->SetActivePage(m_form.tshPadrao);
        if (panHistorico->isVisible()) {
            QCoreApplication::processEvents();
            Historico();
            m_form.repaint();
        }
    } catch (...) {
        // The list page comes back with its own command states.
        m_form.showListPage();
        throw;
    }
}

void Worksheet::PreencheAltCotacao(bool force)
{
    host::DataSet& regions = m_form.cdsServRegiao;
    const QString regionCode = regions.Active() && !regions.IsEmpty()
                                   ? regions.FieldByName(kRegionField).AsString()
                                   : QString();
    // All regions travel as "NULL".
    const QString region =
        regionCode.isEmpty() || regionCode == kAllRegions ? QStringLiteral("NULL") : regionCode;
    // The quotation is its branch and its whole number, as text: numbers are not integers.
    const QString quotation = m_form.currentBranch() + m_form.currentNumber();

    if (force || !m_loaded || m_loadedQuotation != quotation || m_loadedRegion != region) {
        // Asked before the items are read: a change made after this answer and before the
        // read gives a newer copy under an older version, which only costs a read later.
        const QString version = serverVersion();
        if (keepsCopy(quotation, region, version)) {
            m_loaded = true;
            recount();
            return;
        }
        if (m_form.cdsCount.Active())
            m_form.cdsCount.EmptyDataSet();
        Cli_Sup01700::stlCotacao->clear();
        m_loadedQuotation = quotation;
        m_loadedRegion = region;
        m_loadedVersion.clear();
        m_loaded = true;
        try {
            loadItems(region);
        } catch (...) {
            // Nothing counts as loaded: the next load of this quotation and region asks the
            // server again instead of showing what is left here.
            m_loaded = false;
            throw;
        }
        m_loadedVersion = version;
    }
    recount();
}

QString Worksheet::serverVersion()
{
    try {
        const QString version =
            m_form.netPlanCotaPrec.AppServer()
                .call(QStringLiteral("GetVersaoItens"), {m_form.currentBranch(), m_form.currentNumber()})
                .toString();
        // "items.names"; any other answer (a refusal's text) tells nothing.
        static const QRegularExpression kVersion(QStringLiteral("^\\d+\\.\\d+$"));
        return kVersion.match(version).hasMatch() ? version : QString();
    } catch (const host::EConnectionLost&) {
        throw;
    } catch (const host::Exception&) {
        // A server that cannot tell: the items are read.
        return QString();
    }
}

bool Worksheet::keepsCopy(const QString& quotation, const QString& region,
                          const QString& version) const
{
    // Only a copy read whole from the server, with nothing changed here since.
    return !version.isEmpty() && version == m_loadedVersion && quotation == m_loadedQuotation &&
           region == m_loadedRegion && cdsAltCotacao.Active() && cdsAltCotacao.ChangeCount() == 0 &&
           !cdsAltCotacao.Modified() && *Cli_Sup01700::stlCotacao == *Cli_Sup01700::stlOldCotacao;
}

bool Worksheet::holdsCurrentQuotation() const
{
    return m_loaded && cdsAltCotacao.Active() &&
           m_loadedQuotation == m_form.currentBranch() + m_form.currentNumber();
}

void Worksheet::quotationListReloaded()
{
    // The list may hold other quotations under the same numbers, or these with other
    // items: the next showing asks the server.
    m_loaded = false;
}

void Worksheet::itemsChanged()
{
    m_loaded = false;
}

void Worksheet::reloadItems(bool force)
{
    PreencheAltCotacao(force);
    stCdProdAnterior.clear();
    degCotacao->viewport()->update();
}

void Worksheet::windowActivated()
{
    stCdProdAnterior.clear();
}

void Worksheet::loadItems(const QString& region)
{
    QStringList& lines = *Cli_Sup01700::stlCotacao;
    ActiveDecision(false);
    host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Get_Cotacao")));
    try {
        const QScopedValueRollback<bool> loading(m_loading, true);
        m_treeCodeProduct.clear();
        fillItems(region, busy);
    } catch (...) {
        // The grid shows the item table as it then stands.
        try {
            if (!cdsAltCotacao.Active())
                cdsAltCotacao.CreateDataSet();
            ActiveDecision(true);
            sortDetailLines(lines);
        } catch (...) {
        }
        throw;
    }
    if (!cdsAltCotacao.HasIndex(kIndex))
        cdsAltCotacao.AddIndex(kIndex, QStringLiteral("COCFORNECED;COCREGIAO;COCPRODUTO"),
                               host::IxCaseInsensitive);
    cdsAltCotacao.SetIndexName(kIndex);
    ActiveDecision(true);
    sortDetailLines(lines);
    stCdProdAnterior.clear();
}

void Worksheet::fillItems(const QString& region, host::BusyScope& busy)
{
    QVariantList answer = detailsAndItems(m_form.netPlanCotaPrec.AppServer().call(
        QStringLiteral("GetStringList"),
        {m_form.currentBranch(), m_form.currentNumber(), region, false}));
    cdsAltCotacao.SetIndexName(QString());
    QStringList& lines = *Cli_Sup01700::stlCotacao;
    lines = answer.value(0).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    *Cli_Sup01700::stlOldCotacao = lines;
    answer[0] = QVariant(); // the whole text is no longer needed
    cdsAltCotacao.SetData(answer.value(1).value<host::Packet>());
    answer.clear();

    if (cdsAltCotacao.IsEmpty()) {
        busy.hide();
        host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("Erro_PlanCota")));
    }
    addDisplayCopy();
    busy.hide();
}

void Worksheet::recount()
{
    // Where each product has its own buyer, only the quotation's buyer recounts.
    const bool buyerPerProduct =
        m_form.purchasingParameter(QStringLiteral("IDUMPRODCMP")) == QLatin1String("S");
    if (!buyerPerProduct || m_form.isCurrentBuyer())
        ContaRegs(QStringLiteral("T"));
}

void Worksheet::ActiveDecision(bool active)
{
    if (active) {
        decCotacao.SetSparseCols(true);
        decCotacao.SetSparseRows(true);
        decCotacao.SetDataSet(&cdsAltCotacao);
        decCotacao.SetActive(true);
        degCotacao->OnDecisionDrawCell = [this](int col, int row, QString& text, QColor& background,
                                                host::TNewDecisionGrid::GridStates grid,
                                                host::TNewDecisionGrid::PivotStates pivot) {
            degCotacaoDecisionDrawCell(col, row, text, background, grid, pivot);
        };
    } else {
        degCotacao->OnDecisionDrawCell = nullptr;
        decCotacao.SetActive(false);
        decCotacao.SetDataSet(nullptr);
    }
}

// ---- the page ----------------------------------------------------------------------------

void Worksheet::activated()
{
    MontaDecisionCube();
    const auto focusGrid = qScopeGuard([this] { degCotacao->setFocus(); });
    // The worksheet opens without sum lines.
    for (int dimension = 0; dimension < 4; ++dimension)
        degCotacao->SetSubtotals(dimension, false);
    stCdProdAnterior.clear();
    degCotacao->viewport()->update();
}

void Worksheet::focus()
{
    // Shown again from its menu item: the quotation chosen in the list meanwhile is the one
    // shown, loaded only when it is not the one loaded.
    MontaDecisionCube();
    degCotacao->setFocus();
}

bool Worksheet::pending() const
{
    if (!cdsAltCotacao.Active())
        return false;
    const host::DataSetState state = cdsAltCotacao.State();
    return cdsAltCotacao.ChangeCount() > 0 || state == host::DataSetState::Edit ||
           state == host::DataSetState::Insert;
}

} // namespace module
