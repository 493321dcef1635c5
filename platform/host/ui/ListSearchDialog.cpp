#include "ListSearchDialog.h"

#include "host/core/ChosenList.h"
#include "Guard.h"
#include "SearchSupport.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace host::Internal {

namespace {
// The sources of the screens' lists often carry a marking field of their own; the
// dialog's check column stands for it.
const QString kMarkingField = QStringLiteral("IDMARCADO");
constexpr int kMarkColumn = 0;
} // namespace

ListSearchDialog::ListSearchDialog(const MultiSearchRequest& request, const QString& title,
                                   QWidget* parent)
    : QDialog(parent), m_source(*request.source), m_keyField(request.keyField),
      m_start(request.source->GetBookmark()), m_rows(request.source), m_marks(&m_rows),
      m_view(new QTableView(this)), m_lookup(new KeyLookupEdit(m_view, this))
{
    setObjectName(QStringLiteral("dlgPesquisaLista"));
    setWindowTitle(title);
    m_source.FieldByName(m_keyField); // a wrong key field fails before anything shows
    m_rows.setColumns(searchColumns(m_source, request.columns, {kMarkingField}));
    m_view->setObjectName(QStringLiteral("grdPesquisa"));
    setupSearchTable(*m_view, m_marks, true);
    m_view->horizontalHeader()->setSectionResizeMode(kMarkColumn, QHeaderView::Fixed);
    m_view->setColumnWidth(kMarkColumn, m_view->fontMetrics().height() + 16);
    m_view->installEventFilter(this);
    QHBoxLayout* lookupRow = Internal::lookupRow(this, m_lookup, true);

    QDialogButtonBox* buttons = okCancelButtons(this);
    QPushButton* markAll = buttons->addButton(searchText(QStringLiteral("Pesq_Marcar_Todos")),
                                              QDialogButtonBox::ActionRole);
    markAll->setObjectName(QStringLiteral("btnMarcarTodos"));
    markAll->setAutoDefault(false);
    QPushButton* unmarkAll = buttons->addButton(searchText(QStringLiteral("Pesq_Desmarcar_Todos")),
                                                QDialogButtonBox::ActionRole);
    unmarkAll->setObjectName(QStringLiteral("btnDesmarcarTodos"));
    unmarkAll->setAutoDefault(false);
    connect(markAll, &QPushButton::clicked, this, [this] { m_marks.markAll(true); });
    connect(unmarkAll, &QPushButton::clicked, this, [this] { m_marks.markAll(false); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lookupRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(preferredListWidth(sizeFieldColumns(*m_view, m_rows, 1)), 420);

    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == kMarkColumn)
            m_marks.toggle(index.row());
    });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.column() != kMarkColumn)
            m_marks.toggle(index.row());
    });
    connectGuarded(m_lookup, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int row = locateKey(m_source, m_keyField, text);
        if (row < 0)
            return;
        const QModelIndex index = m_marks.index(row, 1);
        m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    });

    markEarlierChoices(request.chosen);
    const QList<int> marked = m_marks.markedRows();
    const QModelIndex first = m_marks.index(marked.isEmpty() ? 0 : marked.first(), 1);
    m_view->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_view->scrollTo(first);
    m_lookup->setFocus();
}

ListSearchDialog::~ListSearchDialog()
{
    guarded([this] {
        if (m_source.BookmarkValid(m_start))
            m_source.GotoBookmark(m_start);
    });
}

QString ListSearchDialog::keyOfRow(int row) const
{
    const DataSet::RowPeek peek(m_source, row);
    return m_source.FieldByName(m_keyField).AsString();
}

// Codes are compared without the blanks that pad them to their width.
void ListSearchDialog::markEarlierChoices(const QString& chosen)
{
    QSet<QString> earlier;
    for (const QString& code : splitChosenList(chosen))
        earlier.insert(code.trimmed());
    if (earlier.isEmpty())
        return;
    for (int row = 0; row < m_marks.rowCount(); ++row)
        if (earlier.contains(keyOfRow(row).trimmed()))
            m_marks.setMarked(row, true);
}

void ListSearchDialog::toggleSelectedRows()
{
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && m_view->currentIndex().isValid())
        rows.append(m_view->currentIndex().row());
    // Rows toggle together: all of them marked when any was not.
    const bool mark =
        std::any_of(rows.begin(), rows.end(), [this](int row) { return !m_marks.isMarked(row); });
    for (int row : rows)
        m_marks.setMarked(row, mark);
}

bool ListSearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggleSelectedRows();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ListSearchDialog::accept()
{
    guarded([this] {
        QStringList keys;
        for (int row : m_marks.markedRows())
            keys.append(keyOfRow(row));
        const std::optional<QString> list = joinChosenList(keys);
        if (!list) {
            const auto bad = std::find_if(keys.begin(), keys.end(), [](const QString& key) {
                return key.isEmpty() || key.contains(QLatin1Char('_'));
            });
            MensErro(searchText(QStringLiteral("Pesq_Cod_Lista_Inv")).arg(*bad));
        }
        m_chosen = *list;
        QDialog::accept();
    });
}

} // namespace host::Internal
