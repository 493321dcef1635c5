#pragma once

#include "host/core/Messages.h"

#include <QDialog>

class QLabel;
class QToolButton;
class QVBoxLayout;

namespace host {

// Base of the system's dialogs: a client area for the form's controls, a button bar
// with confirm (sbtConfirma), cancel (sbtCancel) and help, the screen code in
// lblCodTela, and the form's message table (msgPadrao: the screen's own table over the
// base forms' table).
class TfrmRotiGeral : public QDialog
{
    Q_OBJECT
public:
    TfrmRotiGeral(const QString& screenCode, const QString& caption, QWidget* parent = nullptr);

    const QString& screenCode() const { return m_screenCode; }
    // Where the form puts its controls.
    QWidget* clientArea() const { return m_client; }
    QVBoxLayout* clientLayout() const { return m_clientLayout; }
    QWidget* buttonBar() const { return m_buttonBar; }

    QToolButton* sbtConfirma = nullptr;
    QToolButton* sbtCancel = nullptr;
    QToolButton* sbtAjuda = nullptr;
    QLabel* lblCodTela = nullptr;
    Messages msgPadrao;

    // A kept dialog is hidden, not destroyed, when it closes.
    void setKeptOnClose(bool kept) { m_kept = kept; }
    bool keptOnClose() const { return m_kept; }

protected:
    // The buttons' reactions, run through the handler guard. Confirm accepts by default;
    // forms validate first and abort (MensErro) to keep the dialog open.
    virtual void sbtConfirmaClick();
    virtual void sbtCancelClick();
    virtual void sbtAjudaClick();

    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_screenCode;
    QWidget* m_client = nullptr;
    QVBoxLayout* m_clientLayout = nullptr;
    QWidget* m_buttonBar = nullptr;
    bool m_kept = false;
};

// The message table of a screen over the base forms' table; only the base one when the
// screen has none of its own.
Messages formMessages(const QString& screenCode);

} // namespace host
