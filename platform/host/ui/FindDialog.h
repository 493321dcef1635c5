#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;

namespace host {
class DataSet;
}

namespace host::Internal {

// The record search of the base forms (Procura): a column of the table and a value; the
// table moves to the first record whose column starts with the value, case-insensitively.
// A value that no record holds shows "Registro não encontrado." and the dialog stays.
class FindDialog : public QDialog
{
    Q_OBJECT
public:
    FindDialog(DataSet& source, const QStringList& columns, QWidget* parent);

    void accept() override;

private:
    DataSet& m_source;
    QComboBox* m_column;
    QLineEdit* m_value;
};

} // namespace host::Internal
