#include "LoginDialog.h"

#include "host/ui/Guard.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QToolButton>

LoginDialog::LoginDialog(QWidget* parent)
    : host::TfrmRotiGeral(QStringLiteral("SUPLOGIN"), QString(), parent)
{
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Titulo")));
    auto* form = new QFormLayout;
    edtOperador = new QLineEdit(this);
    edtOperador->setObjectName(QStringLiteral("edtOperador"));
    edtOperador->setMaxLength(12);
    edtSenha = new QLineEdit(this);
    edtSenha->setObjectName(QStringLiteral("edtSenha"));
    edtSenha->setEchoMode(QLineEdit::Password);
    edtFilial = new QLineEdit(this);
    edtFilial->setObjectName(QStringLiteral("edtFilial"));
    edtFilial->setMaxLength(4);
    form->addRow(msgPadrao.Msg(QStringLiteral("Operador")), edtOperador);
    form->addRow(msgPadrao.Msg(QStringLiteral("Senha")), edtSenha);
    form->addRow(msgPadrao.Msg(QStringLiteral("Filial")), edtFilial);
    clientLayout()->addLayout(form);
    sbtAjuda->hide();
    resize(360, sizeHint().height());
}

void LoginDialog::sbtConfirmaClick()
{
    const struct
    {
        QLineEdit* edit;
        const char* key;
    } required[] = {{edtOperador, "Op_N_Inf"}, {edtSenha, "Senha_N_Inf"}, {edtFilial, "Fil_N_Inf"}};
    for (const auto& r : required) {
        if (r.edit->text().trimmed().isEmpty()) {
            r.edit->setFocus();
            host::MensErro(msgPadrao.Msg(QString::fromLatin1(r.key)));
        }
    }
    accept();
}
