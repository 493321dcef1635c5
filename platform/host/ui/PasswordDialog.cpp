#include "PasswordDialog.h"

#include "Guard.h"
#include "SearchSupport.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace host::Internal {

PasswordDialog::PasswordDialog(const QString& title, const QString& whose, Check check,
                               QWidget* parent)
    : QDialog(parent), m_check(std::move(check)), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("dlgConfSenha"));
    setWindowTitle(title);
    auto* operatorLabel = new QLabel(whose, this);
    operatorLabel->setObjectName(QStringLiteral("lblOperador"));
    m_password->setObjectName(QStringLiteral("edtSenha"));
    m_password->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(operatorLabel);
    form->addRow(hostText(QStringLiteral("ConfSenha_Senha")), m_password);

    QDialogButtonBox* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(340);
    m_password->setFocus();
}

void PasswordDialog::accept()
{
    guarded([this] {
        if (m_check(m_password->text())) {
            QDialog::accept();
            return;
        }
        Ui::current().message(MessageKind::Error, hostText(QStringLiteral("Senha_Invalida")), this);
        m_password->clear();
        m_password->setFocus();
    });
}

} // namespace host::Internal
