#include "TfrmPadraoGrid.h"

#include "TfrmRotiGeral.h"

#include "host/core/DataSet.h"
#include "host/ui/Guard.h"
#include "host/widgets/PageControl.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace host {

namespace {

int& screenHeightOverride()
{
    static int height = 0;
    return height;
}

} // namespace

int TfrmPadraoGrid::screenHeight()
{
    if (screenHeightOverride() > 0)
        return screenHeightOverride();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

void TfrmPadraoGrid::setScreenHeightForTests(int height)
{
    screenHeightOverride() = height;
}

TfrmPadraoGrid::TfrmPadraoGrid(const QString& screenCode, const QString& caption, QWidget* parent)
    : QMainWindow(parent), msgPadrao(formMessages(screenCode)), m_screenCode(screenCode)
{
    setObjectName(QStringLiteral("frm") + screenCode);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 680);

    mnuRegistro = menuBar()->addMenu(msgPadrao.Msg(QStringLiteral("Mnu_Registro")));
    mnuRegistro->setObjectName(QStringLiteral("mnuRegistro"));
    tlbPadrao = addToolBar(QStringLiteral("tlbPadrao"));
    tlbPadrao->setObjectName(QStringLiteral("tlbPadrao"));
    tlbPadrao->setMovable(false);

    Incluir = command(QStringLiteral("Incluir"), QStringLiteral("Cmd_Incluir"), QStyle::SP_FileIcon, Qt::Key_Insert);
    Alterar = command(QStringLiteral("Alterar"), QStringLiteral("Cmd_Alterar"), QStyle::SP_FileDialogDetailedView, Qt::Key_F2);
    Excluir = command(QStringLiteral("Excluir"), QStringLiteral("Cmd_Excluir"), QStyle::SP_TrashIcon, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    Confirmar = command(QStringLiteral("Confirmar"), QStringLiteral("Cmd_Confirmar"), QStyle::SP_DialogApplyButton, Qt::Key_F12);
    Cancelar = command(QStringLiteral("Cancelar"), QStringLiteral("Cmd_Cancelar"), QStyle::SP_DialogCancelButton, QKeySequence());
    mnuRegistro->addSeparator();
    tlbPadrao->addSeparator();
    Procurar = command(QStringLiteral("Procurar"), QStringLiteral("Cmd_Procurar"), QStyle::SP_FileDialogContentsView, QKeySequence(Qt::CTRL | Qt::Key_F));
    Verificar = command(QStringLiteral("Verificar"), QStringLiteral("Cmd_Verificar"), QStyle::SP_BrowserReload, Qt::Key_F5);
    Imprimir = command(QStringLiteral("Imprimir"), QStringLiteral("Cmd_Imprimir"), QStyle::SP_DialogSaveButton, QKeySequence(Qt::CTRL | Qt::Key_P));
    sbtIncluir = buttonOf(Incluir, QStringLiteral("sbtIncluir"));
    sbtAlterar = buttonOf(Alterar, QStringLiteral("sbtAlterar"));
    sbtExcluir = buttonOf(Excluir, QStringLiteral("sbtExcluir"));
    sbtConfirmar = buttonOf(Confirmar, QStringLiteral("sbtConfirmar"));
    sbtCancelar = buttonOf(Cancelar, QStringLiteral("sbtCancelar"));
    sbtProcurar = buttonOf(Procurar, QStringLiteral("sbtProcurar"));
    sbtVerificar = buttonOf(Verificar, QStringLiteral("sbtVerificar"));
    sbtImprimir = buttonOf(Imprimir, QStringLiteral("sbtImprimir"));

    // The navigation moves: a navigator bar and the navigation popup menu.
    navPadrao = new QToolBar(QStringLiteral("navPadrao"), this);
    navPadrao->setObjectName(QStringLiteral("navPadrao"));
    navPadrao->setMovable(false);
    pmnNavegacao = new QMenu(this);
    pmnNavegacao->setObjectName(QStringLiteral("pmnNavegacao"));
    auto move = [this](const QString& name, const QString& key, QStyle::StandardPixmap icon,
                       const QKeySequence& keys) {
        auto* action = new QAction(style()->standardIcon(icon), msgPadrao.Msg(key), this);
        action->setObjectName(name);
        action->setShortcut(keys);
        navPadrao->addAction(action);
        pmnNavegacao->addAction(action);
        return action;
    };
    Primeiro1 = move(QStringLiteral("Primeiro1"), QStringLiteral("Nav_Primeiro"), QStyle::SP_MediaSkipBackward, QKeySequence(Qt::CTRL | Qt::Key_Home));
    Anterior1 = move(QStringLiteral("Anterior1"), QStringLiteral("Nav_Anterior"), QStyle::SP_MediaSeekBackward, QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    Proximo1 = move(QStringLiteral("Proximo1"), QStringLiteral("Nav_Proximo"), QStyle::SP_MediaSeekForward, QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    Ultimo1 = move(QStringLiteral("Ultimo1"), QStringLiteral("Nav_Ultimo"), QStyle::SP_MediaSkipForward, QKeySequence(Qt::CTRL | Qt::Key_End));
    tlbPadrao->addSeparator();
    tlbPadrao->addWidget(navPadrao);
    tlbPadrao->addSeparator();

    connectGuarded(Incluir, &QAction::triggered, this, [this](bool) { sbtIncluirClick(); });
    connectGuarded(Alterar, &QAction::triggered, this, [this](bool) { sbtAlterarClick(); });
    connectGuarded(Excluir, &QAction::triggered, this, [this](bool) { sbtExcluirClick(); });
    connectGuarded(Confirmar, &QAction::triggered, this, [this](bool) { sbtConfirmarClick(); });
    connectGuarded(Cancelar, &QAction::triggered, this, [this](bool) { sbtCancelarClick(); });
    connectGuarded(Procurar, &QAction::triggered, this, [this](bool) { sbtProcurarClick(); });
    connectGuarded(Verificar, &QAction::triggered, this, [this](bool) { sbtVerificarClick(); });
    connectGuarded(Imprimir, &QAction::triggered, this, [this](bool) { sbtImprimirClick(); });
    connectGuarded(Primeiro1, &QAction::triggered, this, [this](bool) { Primeiro1Click(); });
    connectGuarded(Anterior1, &QAction::triggered, this, [this](bool) { Anterior1Click(); });
    connectGuarded(Proximo1, &QAction::triggered, this, [this](bool) { Proximo1Click(); });
    connectGuarded(Ultimo1, &QAction::triggered, this, [this](bool) { Ultimo1Click(); });

    pgcPadrao = new TPageControl(this);
    pgcPadrao->setObjectName(QStringLiteral("pgcPadrao"));
    tshPadrao = pgcPadrao->AddPage(new TTabSheet(QString()));
    tshPadrao->setObjectName(QStringLiteral("tshPadrao"));
    setCentralWidget(pgcPadrao);

    statusBar()->setObjectName(QStringLiteral("stbPadrao"));
}

TfrmPadraoGrid::~TfrmPadraoGrid() = default;

QAction* TfrmPadraoGrid::command(const QString& name, const QString& textKey, int icon,
                                 const QKeySequence& keys)
{
    auto* action = new QAction(style()->standardIcon(QStyle::StandardPixmap(icon)),
                               msgPadrao.Msg(textKey), this);
    action->setObjectName(name);
    action->setToolTip(msgPadrao.Msg(textKey).remove(QLatin1Char('&')));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    mnuRegistro->addAction(action);
    tlbPadrao->addAction(action);
    return action;
}

QToolButton* TfrmPadraoGrid::buttonOf(QAction* action, const QString& name)
{
    auto* button = qobject_cast<QToolButton*>(tlbPadrao->widgetForAction(action));
    if (button)
        button->setObjectName(name);
    return button;
}

QToolButton* TfrmPadraoGrid::addToolButton(QAction* action, const QString& buttonName)
{
    tlbPadrao->addAction(action);
    return buttonOf(action, buttonName);
}

QLabel* TfrmPadraoGrid::statusPanel(int index)
{
    while (m_status.size() <= index) {
        auto* panel = new QLabel(statusBar());
        panel->setObjectName(QStringLiteral("stbPanel%1").arg(m_status.size()));
        statusBar()->addWidget(panel);
        m_status.append(panel);
    }
    return m_status[index];
}

void TfrmPadraoGrid::create()
{
    if (m_created)
        return;
    m_created = true;
    FormCreate();
}

void TfrmPadraoGrid::activate()
{
    FormActivate();
}

bool TfrmPadraoGrid::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && m_created && !m_closing)
        guarded([this] { FormActivate(); });
    return QMainWindow::event(e);
}

void TfrmPadraoGrid::closeEvent(QCloseEvent* e)
{
    bool canClose = true;
    guarded([this, &canClose] { FormCloseQuery(canClose); });
    if (!canClose) {
        e->ignore();
        return;
    }
    m_closing = true;
    guarded([this] { FormClose(); });
    e->accept();
}

void TfrmPadraoGrid::sbtIncluirClick()
{
    if (m_baseTable)
        m_baseTable->Append();
}

void TfrmPadraoGrid::sbtAlterarClick()
{
    if (m_baseTable)
        m_baseTable->Edit();
}

void TfrmPadraoGrid::sbtExcluirClick()
{
    if (!m_baseTable || m_baseTable->IsEmpty())
        return;
    if (Ui::current().ask(MessageKind::Confirmation, msgPadrao.Msg(QStringLiteral("Excl")),
                          MessageButtons::YesNo, this) == mrYes)
        m_baseTable->Delete();
}

void TfrmPadraoGrid::sbtConfirmarClick()
{
    if (m_baseTable && m_baseTable->State() != DataSetState::Browse &&
        m_baseTable->State() != DataSetState::Inactive)
        m_baseTable->Post();
}

void TfrmPadraoGrid::sbtCancelarClick()
{
    if (!m_baseTable || m_baseTable->State() == DataSetState::Browse ||
        m_baseTable->State() == DataSetState::Inactive)
        return;
    if (Ui::current().ask(MessageKind::Confirmation, msgPadrao.Msg(QStringLiteral("Canc")),
                          MessageButtons::YesNo, this) == mrYes)
        m_baseTable->Cancel();
}

void TfrmPadraoGrid::sbtProcurarClick()
{
    if (m_baseTable && !m_baseTable->IsEmpty())
        Ui::current().Procura(*m_baseTable, {}, this);
}

void TfrmPadraoGrid::Primeiro1Click()
{
    if (m_baseTable)
        m_baseTable->First();
}

void TfrmPadraoGrid::Anterior1Click()
{
    if (m_baseTable)
        m_baseTable->Prior();
}

void TfrmPadraoGrid::Proximo1Click()
{
    if (m_baseTable)
        m_baseTable->Next();
}

void TfrmPadraoGrid::Ultimo1Click()
{
    if (m_baseTable)
        m_baseTable->Last();
}

} // namespace host
