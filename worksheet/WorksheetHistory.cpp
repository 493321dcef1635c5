// The price history of the selected item: loaded from the server when the history button
// goes down, when the worksheet is built with it down, after the selection moved to
// another row (never from inside a paint), and when the space bar is released on the grid.

#include "Worksheet.h"

#include "HistoryPanel.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/widgets/PageControl.h"

#include <QAction>
#include <QCoreApplication>
#include <QToolButton>

namespace module {

void Worksheet::Historico()
{
    using namespace Cli_Sup01700;
    TfrmPlanCotaPrec& form = m_form;
    try {
        host::BusyScope busy(&form, form.msgPadrao.Msg(QStringLiteral("Get_Historico")));
        const QVariant packet = host::CheckResultServ(
            form.netPlanCotaPrec.AppServer().call(
                QStringLiteral("GetHistorico"), {stCdCentCmp, form.currentNumber(), stCdRegiao,
                                                 stCdForneced, stCdProduto, stCdMarca}),
            true);
        cdsHistorico.SetData(packet.value<host::Packet>());
    } catch (...) {
        form.repaint();
        throw;
    }
    panHistorico->showHistory(cdsHistorico);
    form.repaint();
}

void Worksheet::sbtHistoricoClick()
{
    const bool down = m_form.mnuHistorico->isChecked();
    if (down) {
        QCoreApplication::processEvents();
        Historico();
    }
    showHistoryState();
}

void Worksheet::showHistoryState()
{
    // "De&sabilitar Histórico" while down, "&Habilitar Histórico" while up; the hint
    // without the accelerator.
    QAction* command = m_form.mnuHistorico;
    const bool down = command->isChecked();
    panHistorico->setVisible(down);
    const QString format = m_form.msgPadrao.Msg(down ? QStringLiteral("DES_HIST")
                                                     : QStringLiteral("HAB_HIST"));
    command->setText(format.arg(QStringLiteral("&")));
    command->setToolTip(format.arg(QString()));
    command->setStatusTip(format.arg(QString()));
}

void Worksheet::queueHistory()
{
    if (m_historyQueued)
        return;
    m_historyQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_historyQueued = false;
            if (panHistorico->isVisible() && m_form.pgcPadrao->ActivePage() == m_form.tshPadrao)
                host::guarded([this] { Historico(); });
        },
        Qt::QueuedConnection);
}

} // namespace module
