#include "SearchDialog.h"

#include "Guard.h"
#include "SearchSupport.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace host::Internal {

SearchDialog::SearchDialog(const SearchRequest& request, const QString& title, QWidget* parent)
    : QDialog(parent), m_source(*request.source), m_keyField(request.keyField),
      m_start(request.source->GetBookmark()), m_model(request.source), m_view(new QTableView(this)),
      m_lookup(new KeyLookupEdit(m_view, this))
{
    setObjectName(QStringLiteral("dlgPesquisar"));
    if (request.keySearch)
        m_source.FieldByName(m_keyField); // a wrong key field fails before anything shows
    setWindowTitle(title);
    m_model.setColumns(searchColumns(m_source, request.columns));
    m_view->setObjectName(QStringLiteral("grdPesquisa"));
    setupSearchTable(*m_view, m_model, false);
    QHBoxLayout* lookupRow = Internal::lookupRow(this, m_lookup, request.keySearch);

    QDialogButtonBox* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lookupRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);

    resize(preferredListWidth(sizeFieldColumns(*m_view, m_model)), 420);

    connectGuarded(
        m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current, const QModelIndex&) { followList(current.row()); });
    connectGuarded(&m_model, &DataSetModel::currentRowChanged, this,
                   [this](int row) { followSource(row); });
    connectGuarded(m_view, &QAbstractItemView::doubleClicked, this,
                   [this](const QModelIndex& index) {
                       if (index.isValid())
                           accept();
                   });
    connectGuarded(m_lookup, &QLineEdit::textEdited, this,
                   [this](const QString& text) { locateKey(m_source, m_keyField, text); });

    followSource(m_source.currentRow());
    if (request.keySearch)
        m_lookup->setFocus();
    else
        m_view->setFocus();
}

void SearchDialog::followSource(int row)
{
    if (row < 0 || row >= m_model.rowCount() || m_view->currentIndex().row() == row)
        return;
    const QModelIndex index = m_model.index(row, 0);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

void SearchDialog::followList(int row)
{
    if (row >= 0 && row != m_source.currentRow())
        m_source.SetRecNo(row + 1);
}

// Moving the source runs its scroll events, which may fail: the failure is shown and
// the dialog stays open.
void SearchDialog::accept()
{
    guarded([this] {
        const QModelIndex current = m_view->currentIndex();
        if (!current.isValid())
            return;
        followList(current.row());
        QDialog::accept();
    });
}

void SearchDialog::reject()
{
    guarded([this] {
        if (m_source.BookmarkValid(m_start))
            m_source.GotoBookmark(m_start);
    });
    QDialog::reject();
}

} // namespace host::Internal
