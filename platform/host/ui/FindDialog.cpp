#include "FindDialog.h"

#include "Guard.h"
#include "SearchSupport.h"

#include "host/core/DataSet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace host::Internal {

FindDialog::FindDialog(DataSet& source, const QStringList& columns, QWidget* parent)
    : QDialog(parent), m_source(source), m_column(new QComboBox(this)), m_value(new QLineEdit(this))
{
    setObjectName(QStringLiteral("dlgProcura"));
    setWindowTitle(searchText(QStringLiteral("Procura_Titulo")));
    m_column->setObjectName(QStringLiteral("cbxCampo"));
    m_value->setObjectName(QStringLiteral("edtValor"));
    for (const DataSetModel::Column& column : searchColumns(source, columns)) {
        const Field& field = source.FieldByName(column.fieldName);
        m_column->addItem(field.DisplayLabel(), field.FieldName());
    }

    auto* form = new QFormLayout;
    form->addRow(searchText(QStringLiteral("Procura_Campo")), m_column);
    form->addRow(searchText(QStringLiteral("Procura_Valor")), m_value);

    QDialogButtonBox* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(340);
    m_value->setFocus();
}

void FindDialog::accept()
{
    guarded([this] {
        const QString field = m_column->currentData().toString();
        if (field.isEmpty() || m_value->text().isEmpty())
            return;
        if (!m_source.Locate(field, m_value->text(), LoCaseInsensitive | LoPartialKey)) {
            Ui::current().message(MessageKind::Information,
                                  searchText(QStringLiteral("Reg_N_Encontrado")), this);
            m_value->setFocus();
            m_value->selectAll();
            return;
        }
        QDialog::accept();
    });
}

} // namespace host::Internal
