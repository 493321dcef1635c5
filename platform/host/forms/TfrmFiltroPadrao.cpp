#include "TfrmFiltroPadrao.h"

#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"
#include "host/widgets/Buttons.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace host {

namespace {

TButtonFlat* optionButton(QWidget* parent, const QString& name, const QString& text,
                          QStyle::StandardPixmap icon)
{
    auto* button = new TButtonFlat(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

TfrmFiltroPadrao::TfrmFiltroPadrao(const QString& screenCode, const QString& caption,
                                   QWidget* parent)
    : TfrmRotiGeral(screenCode, caption, parent)
{
    grbFiltro = new QGroupBox(clientArea());
    grbFiltro->setObjectName(QStringLiteral("grbFiltro"));
    clientLayout()->addWidget(grbFiltro, 1);

    btfSaveOpc =
        optionButton(buttonBar(), QStringLiteral("btfSaveOpc"),
                     msgPadrao.Msg(QStringLiteral("Opc_Salvar")), QStyle::SP_DialogSaveButton);
    btfLoadOpc =
        optionButton(buttonBar(), QStringLiteral("btfLoadOpc"),
                     msgPadrao.Msg(QStringLiteral("Opc_Carregar")), QStyle::SP_DialogOpenButton);
    // Beside the screen code and help, away from confirm and cancel.
    if (auto* bar = qobject_cast<QHBoxLayout*>(buttonBar()->layout())) {
        const int afterHelp = bar->indexOf(sbtAjuda) + 1;
        bar->insertWidget(afterHelp, btfSaveOpc);
        bar->insertWidget(afterHelp + 1, btfLoadOpc);
    }
    btfSaveOpc->OnClick = [this] { btfSaveOpcClick(); };
    btfLoadOpc->OnClick = [this] { btfLoadOpcClick(); };
}

void TfrmFiltroPadrao::btfSaveOpcClick()
{
    putOptions(m_options);
    Halvore::instance().saveOptions(screenCode(), m_options);
    Ui::current().message(MessageKind::Information, msgPadrao.Msg(QStringLiteral("Opc_Salvas")),
                          this);
}

void TfrmFiltroPadrao::btfLoadOpcClick()
{
    const OptionList saved = Halvore::instance().loadOptions(screenCode());
    if (saved.isEmpty()) {
        Ui::current().message(MessageKind::Information,
                              msgPadrao.Msg(QStringLiteral("Opc_N_Salvas")), this);
        return;
    }
    m_options = saved;
    takeOptions(m_options);
}

void TfrmFiltroPadrao::putOptions(OptionList&) {}

void TfrmFiltroPadrao::takeOptions(const OptionList&) {}

} // namespace host
