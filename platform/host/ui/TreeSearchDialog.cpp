#include "TreeSearchDialog.h"

#include "Guard.h"
#include "Halvore.h"
#include "SearchSupport.h"

#include "host/core/consiste/Consiste.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace host::Internal {

namespace {

constexpr int kRowRole = Qt::UserRole + 1;
constexpr int kProductRole = Qt::UserRole + 2;

// The letters and digits of a code, without the picture's punctuation.
QString bareCode(const QString& text)
{
    QString bare;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            bare.append(c.toUpper());
    return bare;
}

} // namespace

TreeSearchDialog::TreeSearchDialog(const TreeSearchRequest& request, const QString& title,
                                   QWidget* parent)
    : QDialog(parent), m_source(*request.source), m_view(new QTreeView(this)),
      m_lookup(new KeyLookupEdit(m_view, this))
{
    setObjectName(QStringLiteral("dlgPesquisaArvore"));
    setWindowTitle(title);
    const QString picture = request.picture.isEmpty()
                                ? Halvore::instance().DBPict(Halvore::ProductPicture)
                                : request.picture;
    buildTree(readNodes(request), picture);

    m_view->setObjectName(QStringLiteral("trvPesquisa"));
    m_view->setModel(&m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setUniformRowHeights(true);
    m_view->header()->setStretchLastSection(true);
    m_view->setColumnWidth(
        0, m_view->fontMetrics().horizontalAdvance(picture + QStringLiteral("WWW")) + 40);
    QHBoxLayout* lookupRow = Internal::lookupRow(this, m_lookup, request.keySearch);

    QDialogButtonBox* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lookupRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(560, 460);

    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (isProduct(index))
            accept();
    });
    connect(m_lookup, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QModelIndex found = findByTyping(text);
        if (!found.isValid())
            return;
        m_view->selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        m_view->scrollTo(found);
    });

    // Start on the source's current product when there is one.
    QModelIndex start;
    for (const QPersistentModelIndex& index : std::as_const(m_order))
        if (index.data(kRowRole).toInt() == m_source.currentRow() && isProduct(index))
            start = index;
    if (!start.isValid() && !m_order.isEmpty())
        start = m_order.first();
    if (start.isValid()) {
        m_view->selectionModel()->setCurrentIndex(start, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        m_view->scrollTo(start);
    }
    if (request.keySearch)
        m_lookup->setFocus();
    else
        m_view->setFocus();
}

QList<TreeSearchDialog::Node> TreeSearchDialog::readNodes(const TreeSearchRequest& request) const
{
    const Field& treeCode = m_source.FieldByName(request.treeCodeField);
    const Field& name = m_source.FieldByName(request.nameField);
    const Field* level = m_source.FindField(request.levelField);
    QList<Node> nodes;
    nodes.reserve(m_source.RecordCount());
    for (int row = 0; row < m_source.RecordCount(); ++row) {
        const DataSet::RowPeek peek(m_source, row);
        Node node;
        node.treeCode = treeCode.AsString().trimmed();
        node.name = name.AsString().trimmed();
        node.row = row;
        node.product = !level || level->AsInteger() >= request.productLevel;
        nodes.append(node);
    }
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const Node& a, const Node& b) { return a.treeCode < b.treeCode; });
    return nodes;
}

void TreeSearchDialog::buildTree(const QList<Node>& nodes, const QString& picture)
{
    m_model.setHorizontalHeaderLabels(
        {searchText(QStringLiteral("Pesq_Codigo")), searchText(QStringLiteral("Pesq_Nome"))});
    // Sorted by code, a node's ancestors are the codes on the path still open before it.
    QList<QPair<QString, QStandardItem*>> path;
    for (const Node& node : nodes) {
        while (!path.isEmpty() &&
               !(node.treeCode.startsWith(path.last().first) && node.treeCode != path.last().first))
            path.removeLast();
        auto* code = new QStandardItem(FormatMaskText(picture, node.treeCode));
        auto* name = new QStandardItem(node.name);
        code->setData(node.row, kRowRole);
        code->setData(node.product, kProductRole);
        if (!node.product) {
            QFont bold = code->font();
            bold.setBold(true);
            code->setFont(bold);
            name->setFont(bold);
        }
        QStandardItem* parent = path.isEmpty() ? m_model.invisibleRootItem() : path.last().second;
        parent->appendRow({code, name});
        m_order.append(QPersistentModelIndex(code->index()));
        path.append({node.treeCode, code});
    }
}

QModelIndex TreeSearchDialog::findByTyping(const QString& typed) const
{
    const QString bare = bareCode(typed);
    if (bare.isEmpty())
        return {};
    for (const QPersistentModelIndex& index : m_order)
        if (bareCode(index.data().toString()).startsWith(bare))
            return index;
    const QString text = typed.trimmed();
    for (const QPersistentModelIndex& index : m_order) {
        const QString name = index.sibling(index.row(), 1).data().toString();
        if (name.startsWith(text, Qt::CaseInsensitive))
            return index;
    }
    return {};
}

bool TreeSearchDialog::isProduct(const QModelIndex& index) const
{
    return index.isValid() && index.sibling(index.row(), 0).data(kProductRole).toBool();
}

// A group is opened or closed instead of chosen.
void TreeSearchDialog::accept()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    if (!isProduct(current)) {
        const QModelIndex group = current.sibling(current.row(), 0);
        m_view->setExpanded(group, !m_view->isExpanded(group));
        return;
    }
    guarded([&] {
        m_source.SetRecNo(current.sibling(current.row(), 0).data(kRowRole).toInt() + 1);
        QDialog::accept();
    });
}

} // namespace host::Internal
