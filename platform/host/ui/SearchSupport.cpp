#include "SearchSupport.h"

#include "host/core/DataSet.h"
#include "host/core/Messages.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
namespace host::Internal {

QString hostText(const QString& key)
{
    return Messages::shared().Msg(key);
}

QString searchText(const QString& key)
{
    return Messages::base().Msg(key);
}

SearchTitle splitSearchTitle(const QString& title, const QString& emptyText)
{
    SearchTitle result;
    const qsizetype bar = title.indexOf(QLatin1Char('|'));
    result.title = bar < 0 ? title : title.left(bar);
    const QString carried = bar < 0 ? QString() : title.mid(bar + 1);
    result.emptyText = !emptyText.isEmpty() ? emptyText : carried;
    if (result.title.isEmpty())
        result.title = searchText(QStringLiteral("Pesq_Titulo"));
    if (result.emptyText.isEmpty())
        result.emptyText = searchText(QStringLiteral("Pesq_Vazia"));
    return result;
}

bool isEmptySource(const DataSet* source)
{
    return !source || !source->Active() || source->IsEmpty();
}

QList<DataSetModel::Column> searchColumns(const DataSet& source, const QStringList& listed,
                                          const QStringList& skip)
{
    QList<DataSetModel::Column> columns;
    if (!listed.isEmpty()) {
        for (const QString& name : listed)
            columns.append(DataSetModel::Column{source.FieldByName(name).FieldName()});
        return columns;
    }
    for (int i = 0; i < source.FieldCount(); ++i) {
        const Field& field = source.Fields(i);
        if (field.Visible() && !skip.contains(field.FieldName(), Qt::CaseInsensitive))
            columns.append(DataSetModel::Column{field.FieldName()});
    }
    return columns;
}

void setupSearchTable(QTableView& view, QAbstractItemModel& model, bool multi)
{
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                                : QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setAlternatingRowColors(true);
    view.setTabKeyNavigation(false);
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 6);
    view.horizontalHeader()->setHighlightSections(false);
    view.horizontalHeader()->setStretchLastSection(true);
}

int sizeFieldColumns(QTableView& view, const DataSetModel& fields, int firstColumn)
{
    const QFontMetrics metrics = view.fontMetrics();
    for (int c = 0; c < fields.columnCount(); ++c) {
        const Field* field = fields.fieldAt(c);
        const int chars = field ? qBound(4, field->DisplayWidth(), 45) : 10;
        const QString title = fields.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        view.setColumnWidth(firstColumn + c, qMax(metrics.horizontalAdvance(title) + 16,
                                                  chars * metrics.averageCharWidth() + 12));
    }
    int total = 0;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        total += view.columnWidth(c);
    return total;
}

int locateKey(DataSet& source, const QString& keyField, const QString& typed)
{
    if (typed.isEmpty() || !source.Locate(keyField, typed, LoCaseInsensitive | LoPartialKey))
        return -1;
    return source.currentRow();
}

KeyLookupEdit::KeyLookupEdit(QAbstractItemView* list, QWidget* parent)
    : QLineEdit(parent), m_list(list)
{
}

void KeyLookupEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QCoreApplication::sendEvent(m_list, event);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

int preferredListWidth(int columnsWidth)
{
    return qBound(360, columnsWidth + 48, 900);
}

QDialogButtonBox* okCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok =
        buttons->addButton(hostText(QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(hostText(QStringLiteral("Cancelar")), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancelar"));
    cancel->setAutoDefault(false);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QHBoxLayout* lookupRow(QDialog* dialog, QLineEdit* lookup, bool visible)
{
    lookup->setObjectName(QStringLiteral("edtPesquisa"));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(searchText(QStringLiteral("Pesq_Localizar")), dialog);
    label->setBuddy(lookup);
    row->addWidget(label);
    row->addWidget(lookup, 1);
    label->setVisible(visible);
    lookup->setVisible(visible);
    return row;
}

} // namespace host::Internal
