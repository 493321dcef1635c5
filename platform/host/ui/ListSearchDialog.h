#pragma once

#include "MarkedRowsModel.h"
#include "Ui.h"

#include "host/core/DataSet.h"
#include "host/core/DataSetModel.h"

#include <QDialog>

class QTableView;

namespace host::Internal {

class KeyLookupEdit;

// Multi-choice list over a data set (PesquisaLista): a marking check column in front of
// the source's columns; a click on the mark, a double click on the row or Space on the
// selected rows toggles; "Marcar todos" and "Desmarcar todos" set every mark. Keys
// chosen earlier come marked. Confirming answers the marked keys in the source's order.
// The source is left where it was.
class ListSearchDialog : public QDialog
{
    Q_OBJECT
public:
    ListSearchDialog(const MultiSearchRequest& request, const QString& title, QWidget* parent);
    ~ListSearchDialog() override;

    // The marked keys in the list format; valid after the dialog was confirmed.
    const QString& chosenList() const { return m_chosen; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString keyOfRow(int row) const;
    void markEarlierChoices(const QString& chosen);
    void toggleSelectedRows();

    DataSet& m_source;
    QString m_keyField;
    Bookmark m_start;
    DataSetModel m_rows;
    MarkedRowsModel m_marks;
    QTableView* m_view;
    KeyLookupEdit* m_lookup;
    QString m_chosen;
};

} // namespace host::Internal
