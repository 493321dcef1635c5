#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

namespace host::Internal {

// Asks one operator's password (CriaConfSenha): whose password it is, and the password.
// Confirming runs the check; a wrong password shows "Senha inválida." and the person
// may type it again or cancel.
class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    using Check = std::function<bool(const QString& password)>;

    PasswordDialog(const QString& title, const QString& whose, Check check, QWidget* parent);

    void accept() override;

private:
    Check m_check;
    QLineEdit* m_password;
};

} // namespace host::Internal
