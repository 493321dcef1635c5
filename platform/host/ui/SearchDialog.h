#pragma once

#include "Ui.h"

#include "host/core/DataSet.h"
#include "host/core/DataSetModel.h"

#include <QDialog>

class QTableView;
class QPushButton;

namespace host::Internal {

class KeyLookupEdit;

// Single choice over a data set (Pesquisar). The list's current row is the source's
// current record; confirming leaves the source there, cancelling puts it back where it
// was. Typing in the lookup edit finds the first key that starts with the text.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    SearchDialog(const SearchRequest& request, const QString& title, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    void followSource(int row);
    void followList(int row);

    DataSet& m_source;
    QString m_keyField;
    Bookmark m_start;
    DataSetModel m_model;
    QTableView* m_view;
    KeyLookupEdit* m_lookup;
};

} // namespace host::Internal
