// The main window's commands: its own tool buttons and menu items, and the base record
// commands, which each page handles its own way.

#include "TfrmPlanCotaPrec.h"

#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/PageControl.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace module {

namespace {

// One command of the window: its action (menu item) and tool button names, the button's
// hint, the item's caption and short cut.
struct CommandDef
{
    QAction* TfrmPlanCotaPrec::*action;
    QToolButton* TfrmPlanCotaPrec::*button;
    const char* actionName;
    const char* buttonName;
    const char* hint;
    const char* caption;
    QKeySequence keys;
    QStyle::StandardPixmap icon;
};

const CommandDef kCommands[] = {
    {&TfrmPlanCotaPrec::mnuFiltro, &TfrmPlanCotaPrec::sbtFiltro, "mnuFiltro", "sbtFiltro",
     "Filtrar", "&Filtrar", QKeySequence(Qt::CTRL | Qt::Key_L), QStyle::SP_FileDialogListView},
    {&TfrmPlanCotaPrec::mnuCadAut, &TfrmPlanCotaPrec::sbtCadAut, "mnuCadAut", "sbtCadAut",
     "Cadastramento Automático", "Ca&dastramento Automático", QKeySequence(Qt::CTRL | Qt::Key_A),
     QStyle::SP_FileDialogNewFolder},
    {&TfrmPlanCotaPrec::mnuSimulacao, &TfrmPlanCotaPrec::sbtSimulacao, "mnuSimulacao",
     "sbtSimulacao", "Negociar/Simular", "Ne&gociar/Simular", QKeySequence(Qt::CTRL | Qt::Key_S),
     QStyle::SP_ComputerIcon},
    {&TfrmPlanCotaPrec::mnuCopiarCota, &TfrmPlanCotaPrec::sbtCopiarCota, "mnuCopiarCota",
     "sbtCopiarCota", "Duplicar Cotação", "D&uplicar Cotação", QKeySequence(),
     QStyle::SP_FileDialogStart},
    {&TfrmPlanCotaPrec::mnuAutoMelhor, &TfrmPlanCotaPrec::sbtAutoMelhor, "mnuAutoMelhor",
     "sbtAutoMelhor", "Carregar Melhores Preços", "Ca&rregar Melhores Preços", QKeySequence(),
     QStyle::SP_ArrowUp},
    {&TfrmPlanCotaPrec::mnuObs, &TfrmPlanCotaPrec::spbObs, "mnuObs", "spbObs",
     "Visualizar Observação", "&Visualizar Observação", QKeySequence(Qt::CTRL | Qt::Key_O),
     QStyle::SP_MessageBoxInformation},
    {&TfrmPlanCotaPrec::mnuPlanilha, &TfrmPlanCotaPrec::sbtPlanilha, "mnuPlanilha", "sbtPlanilha",
     "Informações da Planilha", "Infor&mações da Planilha", QKeySequence(),
     QStyle::SP_FileDialogInfoView},
    {&TfrmPlanCotaPrec::mnuHistorico, &TfrmPlanCotaPrec::sbtHistorico, "mnuHistorico",
     "sbtHistorico", "Habilitar Histórico", "&Habilitar Histórico", QKeySequence(Qt::Key_Space),
     QStyle::SP_FileDialogBack},
    {&TfrmPlanCotaPrec::mnuReajustPr, &TfrmPlanCotaPrec::sbtReajustPr, "mnuReajustPr",
     "sbtReajustPr", "Reajustar Preços", "Reajustar Preços", QKeySequence(),
     QStyle::SP_BrowserReload},
    {&TfrmPlanCotaPrec::mnuQtComprar, &TfrmPlanCotaPrec::sbtQtComprar, "mnuQtComprar",
     "sbtQtComprar", "Carregar Quantidade a Comprar", "Carregar Quantidade a Comprar",
     QKeySequence(), QStyle::SP_ArrowDown},
    {&TfrmPlanCotaPrec::mnuExclPrZero, &TfrmPlanCotaPrec::sbtExclPrZero, "mnuExclPrZero",
     "sbtExclPrZero", "Excluir Itens com Preço Zerado", "Excluir Itens com Preço Zerado",
     QKeySequence(), QStyle::SP_DialogDiscardButton},
};

} // namespace

void TfrmPlanCotaPrec::createCommands()
{
    mnuManutencao = menuBar()->addMenu(QStringLiteral("&Manutenção"));
    mnuManutencao->setObjectName(QStringLiteral("mnuManutencao"));
    tlbPadrao->addSeparator();
    for (const CommandDef& def : kCommands) {
        auto* action =
            new QAction(style()->standardIcon(def.icon), QString::fromUtf8(def.caption), this);
        action->setObjectName(QString::fromLatin1(def.actionName));
        action->setToolTip(QString::fromUtf8(def.hint));
        action->setStatusTip(QString::fromUtf8(def.hint));
        if (!def.keys.isEmpty())
            action->setShortcut(def.keys);
        // Every command starts disabled; the command states enable it.
        action->setEnabled(false);
        mnuManutencao->addAction(action);
        this->*def.action = action;
        this->*def.button = addToolButton(action, QString::fromLatin1(def.buttonName));
        host::connectGuarded(action, &QAction::triggered, this, [this, action](bool) {
            if (const std::function<void()> handler = m_commandHandlers.value(action))
                handler();
        });
    }
    mnuHistorico->setCheckable(true);
}

void TfrmPlanCotaPrec::setCommandHandler(QAction* command, std::function<void()> handler)
{
    if (handler)
        m_commandHandlers.insert(command, std::move(handler));
    else
        m_commandHandlers.remove(command);
}

bool TfrmPlanCotaPrec::hasCommandHandler(QAction* command) const
{
    return m_commandHandlers.contains(command);
}

bool TfrmPlanCotaPrec::onListPage() const
{
    return pgcPadrao->ActivePage() == tshCotacao;
}

// ---- the base commands, page by page ---------------------------------------------------------

// The record commands go to the active page's logic.
void TfrmPlanCotaPrec::sbtIncluirClick()
{
    if (PageHandler* handler = activeHandler())
        handler->include();
}

void TfrmPlanCotaPrec::sbtAlterarClick()
{
    if (PageHandler* handler = activeHandler())
        handler->change();
}

void TfrmPlanCotaPrec::sbtExcluirClick()
{
    if (PageHandler* handler = activeHandler())
        handler->remove();
}

void TfrmPlanCotaPrec::sbtConfirmarClick()
{
    if (PageHandler* handler = activeHandler())
        handler->confirm();
}

void TfrmPlanCotaPrec::sbtCancelarClick()
{
    if (PageHandler* handler = activeHandler())
        handler->cancel();
}

void TfrmPlanCotaPrec::sbtProcurarClick()
{
    if (PageHandler* handler = activeHandler())
        handler->search();
}

void TfrmPlanCotaPrec::sbtVerificarClick()
{
    if (PageHandler* handler = activeHandler())
        handler->refresh();
}

void TfrmPlanCotaPrec::ProcuraNaLista()
{
    host::TfrmPadraoGrid::sbtProcurarClick();
}

// The moves of the navigator walk the quotation list, on its page only.
void TfrmPlanCotaPrec::Primeiro1Click()
{
    if (onListPage())
        host::TfrmPadraoGrid::Primeiro1Click();
}

void TfrmPlanCotaPrec::Anterior1Click()
{
    if (onListPage())
        host::TfrmPadraoGrid::Anterior1Click();
}

void TfrmPlanCotaPrec::Proximo1Click()
{
    if (onListPage())
        host::TfrmPadraoGrid::Proximo1Click();
}

void TfrmPlanCotaPrec::Ultimo1Click()
{
    if (onListPage())
        host::TfrmPadraoGrid::Ultimo1Click();
}

// The printed quotation (screen "SUP07000") opens on the current quotation from any page.
void TfrmPlanCotaPrec::sbtImprimirClick()
{
    if (!cdsColetapr.Active() || cdsColetapr.IsEmpty())
        return;
    host::Halvore::instance().LoadBPL(QStringLiteral("SUP07000"), {currentNumber()});
}

} // namespace module
