#include "TfrmErrInsCota.h"

#include "host/ui/Guard.h"
#include "host/ui/Ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace module {

namespace {

constexpr int kClientWidth = 310;
constexpr int kClientHeight = 90;
constexpr int kWithDetails = 218;

} // namespace

TfrmErrInsCota::TfrmErrInsCota(QWidget* parent)
    : host::TfrmRotiGeral(QStringLiteral("SUP01716"), QStringLiteral("Inclusão de Cotação"), parent)
{
    buttonBar()->hide();
    auto* top = new QHBoxLayout;
    auto* image = new QLabel(clientArea());
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    image->setAlignment(Qt::AlignTop);
    lblErro = new QLabel(clientArea());
    lblErro->setObjectName(QStringLiteral("lblErro"));
    lblErro->setWordWrap(true);
    lblErro->setMinimumWidth(250);
    top->addWidget(image);
    top->addWidget(lblErro, 1);
    clientLayout()->addLayout(top);

    auto* buttons = new QHBoxLayout;
    btnDetalhes = new QPushButton(msgPadrao.Msg(QStringLiteral("Btn_Detalhes")), clientArea());
    btnDetalhes->setObjectName(QStringLiteral("btnDetalhes"));
    btnDetalhes->setAutoDefault(false);
    btnOk = new QPushButton(msgPadrao.Msg(QStringLiteral("Btn_Ok")), clientArea());
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(btnDetalhes);
    buttons->addWidget(btnOk);
    clientLayout()->addLayout(buttons);

    memErro = new QPlainTextEdit(clientArea());
    memErro->setObjectName(QStringLiteral("memErro"));
    memErro->setReadOnly(true);
    memErro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memErro->hide();
    clientLayout()->addWidget(memErro, 1);

    host::connectGuarded(btnDetalhes, &QPushButton::clicked, this, [this](bool) { btnDetalhesClick(); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    // A fixed border: the client area is 310 x 90, and 218 high once the details show.
    clientArea()->setFixedSize(kClientWidth, kClientHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmErrInsCota::btnDetalhesClick()
{
    QString text = details ? details() : QString();
    if (text.isEmpty())
        text = lblErro->text();
    memErro->setPlainText(text);
    // The memo below the message shows: the dialog grows to take it in.
    clientArea()->setFixedHeight(kWithDetails);
    memErro->show();
    btnDetalhes->setEnabled(false);
}

void CriaErroInclusao(const QString& message, std::function<QString()> details, QWidget* parent)
{
    TfrmErrInsCota dialog(parent);
    dialog.lblErro->setText(message);
    dialog.details = std::move(details);
    host::Ui::current().execModal(dialog, dialog.screenCode());
}

} // namespace module
