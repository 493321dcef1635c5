#include "LookupField.h"

#include "host/ui/Guard.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace module {

namespace {

QLabel* mark(QGridLayout& grid, int row, int column, QStyle::StandardPixmap icon,
             const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setPixmap(QApplication::style()->standardIcon(icon).pixmap(16, 16));
    label->hide();
    grid.addWidget(label, row, column);
    return label;
}

} // namespace

LookupField::LookupField(QGridLayout& grid, int row, const QString& caption, const QString& mask,
                         const Names& names, QObject* parent)
    : QObject(parent)
{
    label = new QLabel(caption);
    code = new host::TMaskEdit;
    code->setObjectName(names.code);
    code->SetEditMask(mask);
    label->setBuddy(code);
    search = new host::TBtnPesquisa;
    search->setObjectName(names.search);
    name = new QLineEdit;
    name->setObjectName(names.name);
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    name->setMinimumWidth(280);
    grid.addWidget(label, row, 0);
    grid.addWidget(code, row, 1);
    grid.addWidget(search, row, 2);
    grid.addWidget(name, row, 3);
    if (!names.qualified.isEmpty()) {
        qualifiedMark = mark(grid, row, 4, QStyle::SP_DialogApplyButton, names.qualified);
        notQualifiedMark = mark(grid, row, 5, QStyle::SP_DialogCancelButton, names.notQualified);
    }
    host::connectGuarded(code, &QLineEdit::textEdited, this, [this](const QString&) {
        name->clear();
        hideMarks();
    });
}

QString LookupField::text() const
{
    return code->Text().trimmed();
}

bool LookupField::isEmpty() const
{
    return code->IsEmpty();
}

void LookupField::setText(const QString& codeText, const QString& nameText)
{
    code->SetText(codeText);
    name->setText(nameText);
}

void LookupField::showMark(bool qualified)
{
    if (!qualifiedMark)
        return;
    qualifiedMark->setVisible(qualified);
    notQualifiedMark->setVisible(!qualified);
}

void LookupField::hideMarks()
{
    if (!qualifiedMark)
        return;
    qualifiedMark->hide();
    notQualifiedMark->hide();
}

void LookupField::setEditable(bool editable)
{
    code->setEnabled(editable);
    search->setEnabled(editable);
}

} // namespace module
