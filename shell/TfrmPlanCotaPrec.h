#pragma once

#include "PageHandler.h"

#include "host/core/DataSet.h"
#include "host/core/DataSource.h"
#include "host/forms/TfrmPadraoGrid.h"
#include "host/net/NetConnection.h"

#include <QDate>
#include <QHash>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QMenu;
class QToolButton;

namespace host {
class DBGrid;
class TTabSheet;
} // namespace host

namespace module {

// The price quotation worksheet's main window (screen "SUP01700"): its pages, its two
// connections to the application server, the tables it shares with its dialogs and the
// markers the maintenance dialogs set for the next save.
//
// The window's own commands are one QAction each (mnu...), shown as a menu item and as a
// tool button (sbt.../spb...). A command whose work belongs to a page (the list, the
// worksheet, the assignment pages, the tools) gets it through setCommandHandler; until then
// it stays disabled. Each page brings its logic as a PageHandler (installPage): the window
// knows its pages only through that interface.
class TfrmPlanCotaPrec : public host::TfrmPadraoGrid
{
    Q_OBJECT
public:
    explicit TfrmPlanCotaPrec(host::RemoteSession& session, QWidget* parent = nullptr);
    ~TfrmPlanCotaPrec() override;

    // Connections to the two remote modules.
    host::TNetConnection netPlanCotaPrec;
    host::TNetConnection netSuprimentos;

    // Pages of pgcPadrao in tab order (tshPadrao is the worksheet, "Produtos Cotados").
    host::TTabSheet* tshIncCotacao = nullptr;
    host::TTabSheet* tshCotacao = nullptr;
    host::TTabSheet* tshRegiao = nullptr;
    host::TTabSheet* tshProdForn = nullptr;
    host::TTabSheet* tshFornProd = nullptr;

    // Page selection menu items; each is checked while its page is active.
    QAction* mnuIncCotacao = nullptr;
    QAction* mnuCotacao = nullptr;
    QAction* mnuPadrao = nullptr;
    QAction* mnuProdForn = nullptr;
    QAction* mnuFornProd = nullptr;

    // The window's own commands and their tool buttons.
    QMenu* mnuManutencao = nullptr;
    QAction* mnuFiltro = nullptr;
    QAction* mnuCadAut = nullptr;
    QAction* mnuSimulacao = nullptr;
    QAction* mnuCopiarCota = nullptr;
    QAction* mnuAutoMelhor = nullptr;
    QAction* mnuObs = nullptr;
    QAction* mnuPlanilha = nullptr;
    QAction* mnuHistorico = nullptr; // a toggle
    QAction* mnuReajustPr = nullptr;
    QAction* mnuQtComprar = nullptr;
    QAction* mnuExclPrZero = nullptr;
    QToolButton* sbtFiltro = nullptr;
    QToolButton* sbtCadAut = nullptr;
    QToolButton* sbtSimulacao = nullptr;
    QToolButton* sbtCopiarCota = nullptr;
    QToolButton* sbtAutoMelhor = nullptr;
    QToolButton* spbObs = nullptr;
    QToolButton* sbtPlanilha = nullptr;
    QToolButton* sbtHistorico = nullptr;
    QToolButton* sbtReajustPr = nullptr;
    QToolButton* sbtQtComprar = nullptr;
    QToolButton* sbtExclPrZero = nullptr;

    // Name of the purchasing centre, beside the tool bar.
    QLineEdit* edtCentCmp = nullptr;

    // Tables shared with the pages and dialogs.
    host::DataSet cdsColetapr{QStringLiteral("cdsColetapr")};
    host::DataSet cdsFornCotados{QStringLiteral("cdsFornCotados")};
    host::DataSet cdsServRegiao{QStringLiteral("cdsServRegiao")};
    host::DataSet cdsParaSupri{QStringLiteral("cdsParaSupri")};
    host::DataSet cdsCount{QStringLiteral("cdsCount")};
    // The assignment pages' tables, loaded for the current quotation while their page is
    // active: region/supplier pairs and items (product/supplier page), product/brand pairs
    // and items (supplier/product page).
    host::DataSet cdsRegForn{QStringLiteral("cdsRegForn")};
    host::DataSet cdsProdForn{QStringLiteral("cdsProdForn")};
    host::DataSet cdsProdMarca{QStringLiteral("cdsProdMarca")};
    host::DataSet cdsFornProd{QStringLiteral("cdsFornProd")};
    // The quotation list's data source: its state changes recompute the command states.
    host::DataSource dtsColetapr;

    // Register-changed markers, set by the maintenance dialogs and sent by the next save.
    bool boExcForn = false;
    bool boExcProd = false;
    bool boAltMarca = false;
    bool boIncRegiao = false;
    // The worksheet's last answer to "apply the changes to the other regions".
    bool boAplicaRegioes = false;

    // Why the selected region/supplier pair may not be changed on the assignment pages
    // (supplier does not serve the region, not qualified, inactive): "S" or "N".
    QString stFornNaoAtende = QStringLiteral("N");
    QString stFornNaoQualif = QStringLiteral("N");
    QString stFornInativo = QStringLiteral("N");

    // The answer of GetBanco at creation.
    QString stBanco;

    // Shows the form as its screen size asks (maximised on a 480-pixel screen). The first
    // time it takes the place the operator left it in, or else a size that shows the
    // worksheet's product labels and twelve suppliers (the whole screen when too small).
    void showForm();
    // The worksheet's label column and supplier columns, in pixels.
    static constexpr int kWorksheetLabelWidth = 335;
    static constexpr int kWorksheetColumnWidth = 130;
    // The pages a confirmed filter shows: the worksheet and region pages when the
    // quotations are worked "Em Planilha", the two assignment pages otherwise; the page
    // menu items follow their tabs.
    void MostraPaginasPlanilha(bool emPlanilha);

    // ---- the quotation list ------------------------------------------------------------
    // Reloads the list (GetColetaPr) after a new quotation or a duplication: t1 buyer list,
    // t2 buyer marker, t3 region marker, t4 supplier marker, t5 period marker, d1 and d2
    // the period.
    void AtualizaCotacao(const QString& t1, const QString& t2, const QString& t3, const QString& t4,
                         const QString& t5, const QDate& d1, const QDate& d2);
    // Puts the answer of GetColetaPr into the list (element 0) and the quoted suppliers
    // (element 1); every page then forgets what it had loaded for the former list.
    void CarregaCotacoes(const QVariantList& tables);
    // The current quotation's branch, number and date ("" / invalid when the list is empty).
    QString currentBranch() const;
    QString currentNumber() const;
    QDate currentDate() const;
    // The current quotation's buyer as stored (a reassignment being typed does not count);
    // "" when the list is empty.
    QString quotationBuyer() const;
    // The logged-in operator is the current quotation's buyer.
    bool isCurrentBuyer() const;
    // Loads the regions of the current quotation (GetServRegiao) into cdsServRegiao.
    void CarregaRegioes();
    // Saves the quotation list's own changes (GravaPlanCota without items); a refusal
    // restores the stored values and is shown.
    void GravaCotacao();
    // A purchasing parameter of the branch (cdsParaSupri); "" before they are loaded.
    QString purchasingParameter(const QString& name) const;

    // ---- command states and pages ------------------------------------------------------
    // Recomputes which commands, menu items and pages are available (after every scroll,
    // state change, page change, deletion and cancel).
    void BarraFerramenta();
    // Before the user changes page: leaving the list page for another buyer's quotation
    // asks "Alert_Oper" when the purchasing parameters tie products to their buyers.
    void pgcPadraoChanging(host::TTabSheet* newPage, bool& allow);
    // After a page change: checks the page's menu item, builds or loads the page.
    void pgcPadraoChange();
    // Shows the current quotation's number, date and buyer in the status line.
    void MostraStatus();
    // Makes the list page the active one with its page-change handling (a page that
    // cannot show the current quotation falls back to the list).
    void showListPage();
    // Enables or disables a page; the window keeps showing the page it shows.
    void setPageEnabled(host::TTabSheet* page, bool enabled);
    // Enables a command of the window's own when it has a handler.
    void enableCommand(QAction* command, bool enabled);
    // Shows or hides the navigator and its moves.
    void showNavigator(bool visible, bool enabled);
    // The base form's search over the quotation list.
    void ProcuraNaLista();
    // After a tool changed the quotation's items on the server: the page shown reloads
    // them (force: even when it holds the current quotation), the other pages forget what
    // they loaded.
    void refreshActiveView(bool force);

    // ---- what other parts of the screen bring ------------------------------------------
    // The work of one of the window's own commands; its menu item and tool button stay
    // disabled while it has none.
    void setCommandHandler(QAction* command, std::function<void()> handler);
    bool hasCommandHandler(QAction* command) const;
    // The logic of a page (the list, the regions, the worksheet, the assignment pages, the
    // new-quotation page), owned by the window from now on.
    void installPage(host::TTabSheet* page, std::unique_ptr<PageHandler> handler);
    PageHandler* pageHandler(host::TTabSheet* page) const;
    // Work to do when the window closes (a page's kept dialogs are destroyed), in the order
    // added.
    void addCloseStep(std::function<void()> step);
    // Work to do after every recomputation of the command states (the commands other parts
    // add to the window follow the pages and the worksheet), in the order added.
    void addStateStep(std::function<void()> step);

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormClose() override;

    // The base commands, handled per page.
    void sbtIncluirClick() override;
    void sbtAlterarClick() override;
    void sbtExcluirClick() override;
    void sbtConfirmarClick() override;
    void sbtCancelarClick() override;
    void sbtProcurarClick() override;
    void sbtVerificarClick() override;
    void sbtImprimirClick() override;
    void Primeiro1Click() override;
    void Anterior1Click() override;
    void Proximo1Click() override;
    void Ultimo1Click() override;

private:
    void createPages();
    void createPageMenu();
    void createCommands();
    void createStatusLine();
    void loadPurchasingCentre();
    void placeWindow();
    void saveWindowPlace();

    // Commands and pages.
    void selectPageFromMenu(host::TTabSheet* page);
    void mnuPadraoClick();
    void checkPageMenuItems();
    bool onListPage() const;
    PageHandler* activeHandler() const;
    void everyPageStates();

    // Loads that follow the current quotation.
    void listScrolled();
    void loadAssignmentPage(host::TTabSheet* page);

    bool m_firstTime = true;
    bool m_placed = false; // the first showing placed the window
    QHash<QAction*, std::function<void()>> m_commandHandlers;
    QHash<host::TTabSheet*, PageHandler*> m_pageHandlers;
    std::vector<std::function<void()>> m_closeSteps;
    std::vector<std::function<void()>> m_stateSteps;
    // Declared last, so the pages' logic goes before anything else of the window.
    std::vector<std::unique_ptr<PageHandler>> m_pages;
};

} // namespace module
