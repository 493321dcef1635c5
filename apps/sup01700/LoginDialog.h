#pragma once

#include "host/forms/TfrmRotiGeral.h"

class QLineEdit;

// Asks who is working: operator, password and branch. Confirm only checks that the
// three are filled; the application server decides whether they are right.
class LoginDialog : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    explicit LoginDialog(QWidget* parent = nullptr);

    QLineEdit* edtOperador = nullptr;
    QLineEdit* edtSenha = nullptr;
    QLineEdit* edtFilial = nullptr;

protected:
    void sbtConfirmaClick() override;
};
