#include "TfrmRotiGeral.h"

#include "host/ui/Guard.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace host {

Messages formMessages(const QString& screenCode)
{
    auto base = std::make_shared<Messages>(Messages::base());
    if (!QFile::exists(QStringLiteral(":/forms/%1.msg").arg(screenCode))) {
        Messages only = Messages::parse(QString(), screenCode);
        only.setFallback(base);
        return only;
    }
    Messages table = Messages::load(screenCode);
    table.setFallback(base);
    return table;
}

namespace {

QToolButton* barButton(QWidget* parent, const QString& name, const QString& text,
                       QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TfrmRotiGeral::TfrmRotiGeral(const QString& screenCode, const QString& caption, QWidget* parent)
    : QDialog(parent), msgPadrao(formMessages(screenCode)), m_screenCode(screenCode)
{
    setObjectName(QStringLiteral("frm") + screenCode);
    setWindowTitle(caption);
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("panClient"));
    m_clientLayout = new QVBoxLayout(m_client);
    m_clientLayout->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_client, 1);

    m_buttonBar = new QWidget(this);
    m_buttonBar->setObjectName(QStringLiteral("panBotoes"));
    auto* bar = new QHBoxLayout(m_buttonBar);
    bar->setContentsMargins(0, 0, 0, 0);
    lblCodTela = new QLabel(screenCode, m_buttonBar);
    lblCodTela->setObjectName(QStringLiteral("lblCodTela"));
    lblCodTela->setEnabled(false);
    sbtAjuda = barButton(m_buttonBar, QStringLiteral("sbtAjuda"), QStringLiteral("Ajuda"),
                         QStyle::SP_DialogHelpButton);
    sbtConfirma = barButton(m_buttonBar, QStringLiteral("sbtConfirma"), QStringLiteral("Confirmar"),
                            QStyle::SP_DialogApplyButton);
    sbtCancel = barButton(m_buttonBar, QStringLiteral("sbtCancel"), QStringLiteral("Cancelar"),
                          QStyle::SP_DialogCancelButton);
    bar->addWidget(lblCodTela);
    bar->addWidget(sbtAjuda);
    bar->addStretch(1);
    bar->addWidget(sbtConfirma);
    bar->addWidget(sbtCancel);
    outer->addWidget(m_buttonBar);

    connectGuarded(sbtConfirma, &QToolButton::clicked, this, [this](bool) { sbtConfirmaClick(); });
    connectGuarded(sbtCancel, &QToolButton::clicked, this, [this](bool) { sbtCancelClick(); });
    connectGuarded(sbtAjuda, &QToolButton::clicked, this, [this](bool) { sbtAjudaClick(); });
}

void TfrmRotiGeral::sbtConfirmaClick()
{
    accept();
}

void TfrmRotiGeral::sbtCancelClick()
{
    reject();
}

void TfrmRotiGeral::sbtAjudaClick()
{
    Ui::current().message(MessageKind::Information,
                          QStringLiteral("%1 — %2").arg(m_screenCode, windowTitle()), this);
}

void TfrmRotiGeral::keyPressEvent(QKeyEvent* event)
{
    // Escape answers like the cancel button (its handler may refuse).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        guarded([this] { sbtCancelClick(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace host
