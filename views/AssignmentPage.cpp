// The behaviour both assignment pages share: the pair and item grids, storing each posted
// or deleted row, the other regions, the record commands, the command states and keys.

#include "AssignmentPage.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/DataSet.h"
#include "host/core/Query.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/KeyClaim.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SystemColors.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopeGuard>
#include <QSplitter>
#include <QVBoxLayout>

namespace module {

namespace {

const QString kMarker = QStringLiteral("IDITMCOTPREC");
const QString kPrice = QStringLiteral("VRPRECUNIITM");
const QString kDiscount = QStringLiteral("VRPERDESITM");

bool is(const QKeyEvent& key, int code, Qt::KeyboardModifiers modifiers)
{
    return key.key() == code && (key.modifiers() & ~Qt::KeypadModifier) == modifiers;
}

// A key that would type a character into the cell.
bool typesText(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool erases(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Delete || key.key() == Qt::Key_Backspace;
}

// The picture of an item changed while the window is open: a check mark.
void drawChangedMark(QPainter& painter, const QRect& cell)
{
    const int side = qMin(cell.height(), cell.width()) - 4;
    const QRectF box(cell.center().x() - side / 2.0, cell.center().y() - side / 2.0, side, side);
    QPainterPath mark;
    mark.moveTo(box.left() + side * 0.15, box.top() + side * 0.55);
    mark.lineTo(box.left() + side * 0.42, box.top() + side * 0.8);
    mark.lineTo(box.left() + side * 0.88, box.top() + side * 0.2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
    painter.restore();
}

} // namespace

AssignmentPage::AssignmentPage(TfrmPlanCotaPrec& form, AssignmentLayout layout)
    : m_form(form), m_layout(std::move(layout)), m_pairs(*m_layout.pairs),
      m_items(*m_layout.items)
{
    createGrids();
    bindEvents();
}

AssignmentPage::~AssignmentPage()
{
    for (host::DataSet* table : {&m_pairs, &m_items})
        for (host::DataSet::Event* event :
             {&table->AfterScroll, &table->BeforeInsert, &table->AfterInsert, &table->BeforeEdit,
              &table->AfterEdit, &table->BeforePost, &table->AfterPost, &table->AfterCancel,
              &table->BeforeDelete, &table->AfterDelete})
            *event = nullptr;
}

void AssignmentPage::createGrids()
{
    auto* layout = new QVBoxLayout(m_layout.sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    splitter = new QSplitter(Qt::Vertical, m_layout.sheet);
    layout->addWidget(splitter);

    pairGrid = new host::DBGrid(splitter);
    pairGrid->setObjectName(m_layout.pairGridName);
    pairGrid->SetReadOnly(true);
    pairGrid->SetRowSelect(true);
    pairGrid->SetColor(host::clInfoBk());
    pairGrid->SetColumns(m_layout.pairColumns);
    pairGrid->SetDataSet(&m_pairs);

    itemGrid = new host::DBGrid(splitter);
    itemGrid->setObjectName(m_layout.itemGridName);
    itemGrid->SetColor(host::clInfoBk());
    itemGrid->SetColumns(m_layout.itemColumns);
    itemGrid->SetDataSet(&m_items);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    pairGrid->OnKeyDown = [this](QKeyEvent& key) { return pairKey(key); };
    itemGrid->OnKeyDown = [this](QKeyEvent& key) { return itemKey(key); };
    // Ctrl+PageUp/PageDown and Ctrl+Delete are also the window's record keys.
    host::ClaimKeys(pairGrid, {Qt::ControlModifier | Qt::Key_PageDown,
                               Qt::ControlModifier | Qt::Key_Delete});
    host::ClaimKeys(itemGrid, {Qt::ControlModifier | Qt::Key_PageUp,
                               Qt::ControlModifier | Qt::Key_Delete});
    itemGrid->OnColExit = [this](host::Field& field) { columnLeft(field); };
    itemGrid->OnColEnter = [this](host::Field& field) { columnEntered(field); };
    itemGrid->OnEditButtonClick = [this](host::Field& field) { searchColumn(field); };
    itemGrid->OnDrawColumnCell = [](QPainter& painter, const QRect& rect, int, host::Field& field,
                                    int) {
        if (field.FieldName() == kMarker && field.AsString() == QLatin1String("S"))
            drawChangedMark(painter, rect);
    };
}

void AssignmentPage::bindEvents()
{
    m_pairs.AfterScroll = [this](host::DataSet&) { pairScrolled(); };
    m_items.AfterScroll = [this](host::DataSet& items) {
        if (items.State() == host::DataSetState::Browse)
            itemGlobals(items.IsEmpty());
    };
    // Changing the pair's rows needs the operator's rights and a pair nothing blocks.
    m_items.BeforeInsert = [this](host::DataSet&) { vd_BloqAlter(m_form, blocks); };
    m_items.BeforeEdit = [this](host::DataSet&) { vd_BloqAlter(m_form, blocks); };
    m_items.BeforeDelete = [this](host::DataSet&) { vd_OperSistema(m_form); };
    m_items.AfterInsert = [this](host::DataSet&) {
        newItemDefaults();
        m_form.BarraFerramenta();
    };
    m_items.AfterEdit = [this](host::DataSet&) { m_form.BarraFerramenta(); };
    m_items.BeforePost = [this](host::DataSet&) { beforePost(); };
    m_items.AfterPost = [this](host::DataSet&) { afterPost(); };
    m_items.AfterCancel = [this](host::DataSet&) { m_form.BarraFerramenta(); };
    m_items.AfterDelete = [this](host::DataSet&) { afterDelete(); };
}

void AssignmentPage::prepareItemFields()
{
    m_items.FieldByName(kMarker).OnGetText = [](const host::Field&, QString& text, bool) {
        text.clear();
    };
    for (const QString& name : m_layout.readOnlyColumns)
        itemGrid->SetColumnReadOnly(name, true);
}

// ---- the pair and its items ------------------------------------------------------------------

void AssignmentPage::pairScrolled()
{
    // The pairs are loaded before the items: the items follow once both are there.
    if (!m_items.Active() || !m_pairs.Active())
        return;
    QWidget* window = &m_form;
    window->setUpdatesEnabled(false);
    const auto resume = qScopeGuard([window] { window->setUpdatesEnabled(true); });
    if (m_pairs.IsEmpty()) {
        m_items.SetFilter(QStringLiteral("[CDPRODUTO] = ''"));
        m_items.SetFiltered(true);
        blocks.flags = QStringLiteral("SSS");
    } else {
        m_items.SetFilter(pairFilter());
        m_items.SetFiltered(true);
        pairGlobals();
        blocks = pairBlocks();
    }
    m_items.First();
    // An empty pair leaves no item selected: the tools never act on another pair's item.
    itemGlobals(m_items.IsEmpty());
    m_form.BarraFerramenta();
}

void AssignmentPage::activated()
{
    if (!m_items.Active() || !m_pairs.Active())
        return;
    prepareItemFields();
    pairScrolled();
    pairGrid->setFocus();
}

void AssignmentPage::focus()
{
    pairGrid->setFocus();
}

void AssignmentPage::quotationScrolled()
{
    activated();
}

QVariantList AssignmentPage::itemKey() const
{
    QVariantList key;
    if (m_items.IsEmpty())
        return key;
    for (const QString& field : m_layout.itemKeyFields.split(QLatin1Char(';')))
        key.append(m_items.FieldByName(field.trimmed()).AsString());
    return key;
}

void AssignmentPage::reloadItems(bool force)
{
    (void)force;
    if (!m_items.Active() || m_form.currentNumber().isEmpty())
        return;
    const QVariantList key = itemKey();
    {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Get_Cotacao")));
        const QVariant packet = host::CheckResultServ(
            m_form.netPlanCotaPrec.AppServer().call(
                m_layout.loadMethod, {m_form.currentBranch(), m_form.currentNumber()}),
            true);
        m_items.SetData(packet.value<host::Packet>());
    }
    prepareItemFields();
    m_items.SetFilter(pairFilter());
    m_items.SetFiltered(true);
    if (key.isEmpty() || !m_items.Locate(m_layout.itemKeyFields, key.size() == 1 ? key.first() : QVariant(key)))
        m_items.First();
    itemGlobals(m_items.IsEmpty());
    m_form.BarraFerramenta();
}

bool AssignmentPage::selectCurrentItem()
{
    if (!m_items.Active() || m_items.IsEmpty() || m_pairs.IsEmpty())
        return false;
    pairGlobals();
    itemGlobals(false);
    return true;
}

QString AssignmentPage::quoted(const QString& value)
{
    return QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

bool AssignmentPage::itemsEditing() const
{
    return m_items.State() == host::DataSetState::Edit ||
           m_items.State() == host::DataSetState::Insert;
}

bool AssignmentPage::itemsInserting() const
{
    return m_items.State() == host::DataSetState::Insert;
}

bool AssignmentPage::pending() const
{
    return itemsEditing();
}

bool AssignmentPage::changed(const QString& field) const
{
    const host::Field& f = m_items.FieldByName(field);
    return f.StoredValue() != f.Value();
}

void AssignmentPage::editForChoice()
{
    if (m_items.State() == host::DataSetState::Browse)
        m_items.Edit();
}

// ---- posting and deleting ----------------------------------------------------------------------

void AssignmentPage::beforePost()
{
    if (itemsInserting()) {
        m_items.FieldByName(QStringLiteral("CDFILIAL")).SetAsString(Cli_Sup01700::stCdCentCmp);
        m_items.FieldByName(QStringLiteral("NRCOLEPRECO")).SetAsString(m_form.currentNumber());
        const host::DataSet& quotation = m_form.cdsColetapr;
        m_items.FieldByName(QStringLiteral("DTINIVALITM"))
            .SetValue(quotation.FieldByName(QStringLiteral("DTINIVALCOL")).Value());
        m_items.FieldByName(QStringLiteral("DTFINVALITM"))
            .SetValue(quotation.FieldByName(QStringLiteral("DTFINVALCOL")).Value());
        newItemKey();
    }
    checkItem();
    m_offerRegions = itemsInserting() || changed(kPrice) || changed(kDiscount);
    m_items.FieldByName(kMarker).SetAsString(QStringLiteral("S"));
}

void AssignmentPage::storeChange(bool stores)
{
    QString refusal;
    {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Grava_Item")));
        const host::Halvore& halvore = host::Halvore::instance();
        refusal = host::CheckResultServ(
                      m_form.netPlanCotaPrec.AppServer().call(
                          QStringLiteral("GravaItemCole"),
                          {QVariant::fromValue(m_items.Delta()), m_form.currentBranch(),
                           m_form.currentNumber(), halvore.FiliProc(), halvore.Operador()}),
                      false)
                      .toString();
    }
    if (refusal.isEmpty()) {
        m_items.MergeChangeLog();
        if (stores)
            markQuotationWorked();
        return;
    }
    // The row goes back to what is stored.
    m_items.CancelUpdates();
    m_offerRegions = false;
    m_form.BarraFerramenta();
    host::MensErro(refusal);
}

void AssignmentPage::afterPost()
{
    try {
        storeChange(true);
    } catch (...) {
        if (m_items.ChangeCount() > 0)
            m_items.CancelUpdates();
        m_form.BarraFerramenta();
        throw;
    }
    if (!m_offerRegions) {
        m_form.BarraFerramenta();
        return;
    }
    m_offerRegions = false;
    AtualizaRegioes();
    // Every page reads the items again; this one stays on the item just posted.
    m_form.refreshActiveView(true);
}

void AssignmentPage::afterDelete()
{
    try {
        storeChange(false);
    } catch (...) {
        m_form.BarraFerramenta();
        throw;
    }
    itemGlobals(m_items.IsEmpty());
    m_form.refreshActiveView(true);
}

int AssignmentPage::regionCount() const
{
    const auto regions = openFormQuery(QStringLiteral("qryRegCotacao"),
                                       {{QStringLiteral("P_CDFILIAL"), m_form.currentBranch()},
                                        {QStringLiteral("P_NRCOLEPRECO"), m_form.currentNumber()}});
    return int(regions->FieldByName(QStringLiteral("NRREGIAO")).AsInteger());
}

void AssignmentPage::AtualizaRegioes()
{
    if (regionCount() <= 1)
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Atu_Reg")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;
    m_form.repaint();
    const auto repaint = qScopeGuard([this] { m_form.repaint(); });
    using namespace Cli_Sup01700;
    QString refusal;
    {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Get_CargAcomp")));
        refusal = host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(
                                            QStringLiteral("CargRegiao"),
                                            {stCdCentCmp, m_form.currentNumber(), stCdForneced,
                                             stCdRegiao, stCdProduto, stCdMarca,
                                             host::Halvore::instance().FiliProc()}),
                                        false)
                      .toString();
    }
    if (!refusal.isEmpty())
        host::MensErro(refusal);
}

void AssignmentPage::markQuotationWorked()
{
    // The server marked the quotation as worked on with the item; the list shows it so.
    host::DataSet& quotation = m_form.cdsColetapr;
    host::Field& type = quotation.FieldByName(QStringLiteral("IDTIPCOLREG"));
    const QString current = type.AsString().trimmed();
    if (!current.isEmpty() && current != QLatin1String("L"))
        return;
    const bool clean = quotation.ChangeCount() == 0;
    quotation.Edit();
    type.SetAsString(QStringLiteral("G"));
    quotation.Post();
    if (clean)
        quotation.MergeChangeLog();
}

// ---- record commands ---------------------------------------------------------------------------

void AssignmentPage::include()
{
    if (m_items.State() != host::DataSetState::Browse)
        return;
    m_items.Insert();
    itemGrid->setFocus();
}

void AssignmentPage::change()
{
    if (m_items.State() != host::DataSetState::Browse || m_items.IsEmpty())
        return;
    m_items.Edit();
    itemGrid->setFocus();
}

void AssignmentPage::remove()
{
    if (m_items.State() != host::DataSetState::Browse || m_items.IsEmpty())
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Excl")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;
    itemGrid->setFocus();
    m_items.Delete();
    m_form.BarraFerramenta();
}

void AssignmentPage::confirm()
{
    if (!itemsEditing())
        return;
    itemGrid->RefreshGrid();
    if (itemsEditing())
        m_items.Post();
}

void AssignmentPage::cancel()
{
    if (!itemsEditing())
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Canc")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;
    m_items.Cancel();
}

void AssignmentPage::search()
{
    if (!m_items.Active())
        return;
    itemGrid->setFocus();
    QStringList columns;
    for (const host::DBGrid::Column& column : m_layout.itemColumns)
        if (host::Field* field = m_items.FindField(column.fieldName);
            field && field->Visible() && column.fieldName != kMarker)
            columns.append(column.fieldName);
    host::Ui::current().Procura(m_items, columns, &m_form);
}

// ---- command states ------------------------------------------------------------------------------

void AssignmentPage::commandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    const bool editing = itemsEditing();
    const bool browse = !editing;
    const bool hasItems = m_items.Active() && !m_items.IsEmpty();
    const bool mayInsert = browse && m_pairs.Active() && !m_pairs.IsEmpty() && !blocks.any();
    form.Confirmar->setEnabled(editing);
    form.Cancelar->setEnabled(editing);
    form.Incluir->setEnabled(mayInsert);
    form.Alterar->setEnabled(mayInsert && hasItems);
    form.Excluir->setEnabled(mayInsert && hasItems);
    form.Procurar->setEnabled(browse && hasItems);
    form.Verificar->setEnabled(false);
    form.showNavigator(true, browse);
    itemStateChanged();
}

void AssignmentPage::extraCommandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    const bool browse = !itemsEditing();
    const bool hasItems = m_items.Active() && !m_items.IsEmpty();
    const bool mayInsert = browse && m_pairs.Active() && !m_pairs.IsEmpty() && !blocks.any();
    const bool tools = m_layout.toolsNeedItems ? mayInsert && hasItems : browse;
    for (QAction* tool : {form.mnuSimulacao, form.mnuPlanilha, form.mnuReajustPr,
                          form.mnuQtComprar, form.mnuObs})
        form.enableCommand(tool, tools);
    form.enableCommand(form.mnuCadAut, m_layout.toolsNeedItems ? mayInsert : browse);
    form.enableCommand(form.mnuCopiarCota, browse);
    form.mnuHistorico->setEnabled(false);
    pairGrid->setEnabled(browse);
    // While an item is typed here the other pages wait.
    if (!browse) {
        for (host::TTabSheet* page : {form.tshCotacao, form.tshPadrao, m_layout.otherPage})
            form.setPageEnabled(page, false);
        for (QAction* menu : {form.mnuCotacao, form.mnuPadrao, m_layout.otherPageMenu})
            menu->setEnabled(false);
    }
}

// ---- keys ---------------------------------------------------------------------------------------

bool AssignmentPage::pairKey(QKeyEvent& key)
{
    if (is(key, Qt::Key_PageDown, Qt::ControlModifier)) {
        if (itemGrid->isEnabled())
            itemGrid->setFocus();
        return true;
    }
    return is(key, Qt::Key_Delete, Qt::ControlModifier);
}

bool AssignmentPage::itemKey(QKeyEvent& key)
{
    if (is(key, Qt::Key_PageUp, Qt::ControlModifier)) {
        if (pairGrid->isEnabled())
            pairGrid->setFocus();
        return true;
    }
    if (is(key, Qt::Key_Delete, Qt::ControlModifier))
        return true;
    const host::Field* field = itemGrid->SelectedField();
    const QString column = field ? field->FieldName() : QString();
    // Enter on the price posts the row and goes to the next.
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && column == kPrice &&
        itemsEditing()) {
        itemGrid->RefreshGrid();
        if (itemsEditing())
            m_items.Post();
        m_items.Next();
        return true;
    }
    if (typesText(key)) {
        const QChar typed = key.text().at(0);
        // No signs and no exponents in any column.
        if (typed == QLatin1Char('+') || typed == QLatin1Char('-') || typed == QLatin1Char('e') ||
            typed == QLatin1Char('E'))
            return true;
    }
    if (typesText(key) || erases(key)) {
        if (m_layout.readOnlyColumns.contains(column))
            return true;
        // The key of an existing item is not typed over.
        if (m_layout.insertOnlyColumns.contains(column) && !itemsInserting())
            return true;
    }
    return false;
}

} // namespace module
