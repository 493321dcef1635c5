#pragma once

#include "host/core/Messages.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace host {

class DataSet;
class TPageControl;
class TTabSheet;

// Base of the system's record windows: a menu bar, a tool bar with the record commands
// (include, change, delete, confirm, cancel, search, refresh, print) and the navigation
// moves, a navigator, the page control pgcPadrao with its first page tshPadrao, a status
// line and the form's message table. Each command is one QAction shown as a tool button
// (sbtIncluir ...) and as a menu item, so that both always share one state.
//
// The form's life: FormCreate once after construction, FormActivate every time the
// window becomes active (the creator runs the first one while creating), FormCloseQuery
// and FormClose when it closes; the window is destroyed after it closed.
class TfrmPadraoGrid : public QMainWindow
{
    Q_OBJECT
public:
    TfrmPadraoGrid(const QString& screenCode, const QString& caption, QWidget* parent = nullptr);
    ~TfrmPadraoGrid() override;

    const QString& screenCode() const { return m_screenCode; }
    Messages msgPadrao;

    // The record commands and their tool buttons.
    QAction* Incluir = nullptr;
    QAction* Alterar = nullptr;
    QAction* Excluir = nullptr;
    QAction* Confirmar = nullptr;
    QAction* Cancelar = nullptr;
    QAction* Procurar = nullptr;
    QAction* Verificar = nullptr;
    QAction* Imprimir = nullptr;
    QToolButton* sbtIncluir = nullptr;
    QToolButton* sbtAlterar = nullptr;
    QToolButton* sbtExcluir = nullptr;
    QToolButton* sbtConfirmar = nullptr;
    QToolButton* sbtCancelar = nullptr;
    QToolButton* sbtProcurar = nullptr;
    QToolButton* sbtVerificar = nullptr;
    QToolButton* sbtImprimir = nullptr;
    // The navigation moves (also in the navigation popup menu) and the navigator.
    QAction* Primeiro1 = nullptr;
    QAction* Anterior1 = nullptr;
    QAction* Proximo1 = nullptr;
    QAction* Ultimo1 = nullptr;
    QMenu* pmnNavegacao = nullptr;
    QToolBar* navPadrao = nullptr;

    QToolBar* tlbPadrao = nullptr;
    QMenu* mnuRegistro = nullptr;
    TPageControl* pgcPadrao = nullptr;
    TTabSheet* tshPadrao = nullptr;

    // The table the base commands act on (the form sets it).
    DataSet* baseTable() const { return m_baseTable; }
    void setBaseTable(DataSet* table) { m_baseTable = table; }

    // Adds a tool button of the form's own, right of the base commands.
    QToolButton* addToolButton(QAction* action, const QString& buttonName);
    // Status line panels, left to right.
    QLabel* statusPanel(int index);

    // Runs the form's creation (once, by the creator) and its activation reaction.
    void create();
    void activate();

    // The height of the screen the forms maximise on (480 pixels) — replaceable in tests.
    static int screenHeight();
    static void setScreenHeightForTests(int height);

protected:
    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormCloseQuery(bool& canClose) { canClose = true; }
    virtual void FormClose() {}

    // The record commands' reactions (through the handler guard). The base ones act on
    // baseTable(): append, edit, delete after "Excl", post, cancel after "Canc", find.
    virtual void sbtIncluirClick();
    virtual void sbtAlterarClick();
    virtual void sbtExcluirClick();
    virtual void sbtConfirmarClick();
    virtual void sbtCancelarClick();
    virtual void sbtProcurarClick();
    virtual void sbtVerificarClick() {}
    virtual void sbtImprimirClick() {}
    virtual void Primeiro1Click();
    virtual void Anterior1Click();
    virtual void Proximo1Click();
    virtual void Ultimo1Click();

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* command(const QString& name, const QString& textKey, int icon, const QKeySequence& keys);
    QToolButton* buttonOf(QAction* action, const QString& name);

    QString m_screenCode;
    DataSet* m_baseTable = nullptr;
    QList<QLabel*> m_status;
    bool m_created = false;
    bool m_closing = false;
};

} // namespace host
