#pragma once

#include "host/core/DataSetModel.h"

#include <QLineEdit>
#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QAbstractItemView;
class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QTableView;

namespace host {
class DataSet;
}

namespace host::Internal {

// Texts of the host's own dialogs: the shared table (message boxes, password) and the
// base forms' table (searches).
QString hostText(const QString& key);
QString searchText(const QString& key);

// A search's title may carry its empty-list text after a '|' ("Fornecedor|Não há ...");
// an explicit empty text wins over it.
struct SearchTitle
{
    QString title;
    QString emptyText;
};
SearchTitle splitSearchTitle(const QString& title, const QString& emptyText);

// True when there is nothing to choose from.
bool isEmptySource(const DataSet* source);

// Columns of a search table: the listed fields, or every visible field but the hidden ones
// and those in `skip`.
QList<DataSetModel::Column> searchColumns(const DataSet& source, const QStringList& listed,
                                          const QStringList& skip = {});

// Rows selected whole, one at a time unless `multi`, nothing edited in place.
void setupSearchTable(QTableView& view, QAbstractItemModel& model, bool multi);

// Sizes the view's columns that show the fields' columns (from `firstColumn` on) by the
// fields' display widths; answers the width of all the view's columns.
int sizeFieldColumns(QTableView& view, const DataSetModel& fields, int firstColumn = 0);

// Moves to the first record whose key starts with the typed text (case-insensitive);
// the visible row, or -1 when none.
int locateKey(DataSet& source, const QString& keyField, const QString& typed);

// The edit a person types a key into above a search list: the arrow and page keys still
// move the list's current row.
class KeyLookupEdit : public QLineEdit
{
    Q_OBJECT
public:
    KeyLookupEdit(QAbstractItemView* list, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAbstractItemView* m_list;
};

// The OK (default) and Cancelar buttons of the host's dialogs ("btnOk", "btnCancelar"),
// answering the dialog's accept() and reject().
QDialogButtonBox* okCancelButtons(QDialog* dialog);

// The "Localizar:" row with the key edit above a search list, shown only with key search.
QHBoxLayout* lookupRow(QDialog* dialog, QLineEdit* lookup, bool visible);

// Width of a dialog that shows a list's columns whole, within reason.
int preferredListWidth(int columnsWidth);

} // namespace host::Internal
