#pragma once

#include "module/records/WorksheetValues.h"
#include "shell/PageHandler.h"

#include "host/core/DataSet.h"
#include "host/pivot/DecisionCube.h"
#include "host/pivot/NewDecisionGrid.h"

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;

namespace host {
class BusyScope;
class TNumberEdit;
} // namespace host

namespace module {

class HistoryPanel;
class TfrmPlanCotaPrec;

// The price worksheet of the main window (page tshPadrao, "Produtos Cotados"): the items
// of the current quotation and region in the item table cdsAltCotacao, the pivot of
// regions and suppliers across and products and brands down (decCotacao shown by
// degCotacao), the detail line of every item (Cli_Sup01700::stlCotacao), the detail panel
// of the selected cell and the list of its validation errors.
//
// The selected cell is what the buyer works on: drawing it stores its coordinates and the
// identities of its region, supplier, product and brand in the unit globals of
// Cli_Sup01700, which the price entry, the tools and the maintenance dialogs read.
class Worksheet final : public QObject, public PageHandler
{
    Q_OBJECT
public:
    explicit Worksheet(TfrmPlanCotaPrec& form);
    ~Worksheet() override;

    TfrmPlanCotaPrec& form() const { return m_form; }

    // One item per region, supplier, product and brand: COCREGIAO, COCFORNECED,
    // COCPRODUTO (the composite values) and CONTA (the unit price). Its pending changes
    // are what saving the worksheet sends.
    host::DataSet cdsAltCotacao{QStringLiteral("cdsAltCotacao")};
    // The items the last validation found faulty: CDREGIAO, CDFORNECED, CDPRODUTO,
    // CDMARCA and IDERRO (one "S"/"N" flag per kind of error).
    host::DataSet cdsErrosCota{QStringLiteral("cdsErrosCota")};
    // The pivot: region (outer) and supplier across, product and brand down.
    host::TDecisionCube decCotacao;
    host::TNewDecisionGrid* degCotacao = nullptr;

    // The detail panel below the grid, all read-only.
    QWidget* panDados = nullptr;
    QLineEdit* edtProduto = nullptr; // product name and formatted tree code
    QLineEdit* edtUN = nullptr;      // unit of measure
    host::TNumberEdit* nedQtde = nullptr;
    QLineEdit* edtNMMarca = nullptr;
    host::TNumberEdit* nedPrecoEcon = nullptr;
    host::TNumberEdit* nedPrecoEconPI = nullptr; // red when negative
    QLineEdit* edtDesconto = nullptr;
    host::TNumberEdit* nedDiferenca = nullptr; // unit price net of the discount
    // The selected item's validation errors; hidden until a validation found some.
    QListWidget* lsbErrosCota = nullptr;

    // Product code of the last product label drawn: further brands of the same product
    // show no product name. Cleared by every load, scroll and window activation.
    QString stCdProdAnterior;

    // The price history of the selected item below the grid, shown while the history
    // button is down, and its record from the server.
    HistoryPanel* panHistorico = nullptr;
    host::DataSet cdsHistorico{QStringLiteral("cdsHistorico")};

    // What another part marks on the worksheet (the best prices): items drawn emphasised, and
    // a note on the selected cell's region and product shown in the detail panel.
    std::function<bool(const QString& itemKey)> IsMarkedItem;
    std::function<QString(const QString& region, const QString& product)> SelectionNote;
    QLabel* lblNota = nullptr;

    // What the maintenance menus bring to the page (empty until then): the include, change
    // and delete commands of the worksheet.
    std::function<void()> OnInclude;
    std::function<void()> OnChange;
    std::function<void()> OnRemove;

    // The cell being priced: its item key and the index of its detail line before the
    // price dialog (-1: the cell had none).
    QString stChaveCelula;
    int inPosCotacao = -1;

    // ---- loading ---------------------------------------------------------------------
    // Builds or refreshes the worksheet of the current quotation and region and shows its
    // page; on failure the quotation list page is shown and the failure goes on.
    void MontaDecisionCube();
    // Loads the items and detail lines of the current quotation and region from the
    // server, unless they are the ones loaded (force reloads, unless the server tells that
    // the quotation's items have not changed since they were read); then recounts.
    void PreencheAltCotacao(bool force);
    // What the item table holds is no longer taken as the server's: the next load reads
    // the items whatever the server's version.
    void discardCopy() { m_loadedVersion.clear(); }
    // The item table holds the items of the current quotation (whatever its region).
    bool holdsCurrentQuotation() const;
    // Hooks the pivot to the item table and the cell drawing (true), or unhooks both
    // (false) while many items change.
    void ActiveDecision(bool active);

    // ---- the items -------------------------------------------------------------------
    // Many items changed at once (the maintenance dialogs): the tool bar waits for the end,
    // and with appendLines the lines of new items are added at the end of the detail list
    // and sorted once when the batch ends, not placed one by one. Batches nest.
    void beginItemBatch(bool appendLines);
    void endItemBatch();
    // The pivot needs two items to show one: with a single item left, a copy of it is
    // added outside the change log (no save ever sends it) and without a detail line.
    void addDisplayCopy();
    // Recomputes the counters of cdsCount: "R" regions, "F" suppliers, "P" products,
    // "M" brands of the selected product, "T" all four. They count changes of value along
    // the item table's order (supplier, region, product), not distinct values.
    void ContaRegs(const QString& kind);
    // Distinct values of the items in their order: "R" regions, "F" suppliers, "P"
    // products, "M" brands, "PM" product and brand values; full = the whole composite
    // value, otherwise the code only.
    QStringList DegRegistros(const QString& kind, bool full) const;
    // Item key of a data cell (region + supplier + product value) and, when asked, the
    // label cells it was read from (region, supplier, product; x column, y row).
    QString CalcIndex(int col, int row, std::array<QPoint, 3>* coords = nullptr) const;
    // The composite value of the selected cell: "R" region, "F" supplier, "P" product and
    // brand; quoteSafe doubles single quotes for use in a filter text.
    QString RetornaVlr(const QString& kind, bool quoteSafe = false) const;
    // The product's tree code (CDARVPROD) from the database; empty when unknown.
    static QString BuscaCdArvProd(const QString& productCode);
    // Shows the validation errors of the selected item in lsbErrosCota.
    void PreencheErrosCota();

    // ---- the page --------------------------------------------------------------------
    void activated() override;
    void focus() override;
    void quotationListReloaded() override;
    void itemsChanged() override;
    bool selectCurrentItem() override;
    void reloadItems(bool force) override;
    void windowActivated() override;
    void commandStates() override;
    void extraCommandStates() override;
    bool pending() const override;
    void include() override;
    void change() override;
    void remove() override;
    void search() override;
    // Saves: validation by the server, then the changes in one call (GravaPlanCota), the
    // zero-price check and the detail lines and regions read again.
    void confirm() override;
    // Puts the worksheet back as it was loaded, after the question "Canc".
    void cancel() override;

    // ---- pricing a cell --------------------------------------------------------------
    // Double click and Enter: the price dialog for the selected cell, when the operator
    // may price it; a confirmed new price rewrites the cell's line, may go to the other
    // regions the supplier serves, and the selection moves one row down.
    void degCotacaoDblClick();
    // A digit, a period or the decimal separator typed on the grid opens the dialog with it.
    void degCotacaoKeyPress(QKeyEvent& event);
    // Copies the price just stored to the item in the other regions the supplier serves
    // (all-regions view only, after the question "Atu_Reg").
    void AtualizaStlReg(const QString& productCode, const QString& brandCode,
                        const QString& supplierCode);

    // ---- history ---------------------------------------------------------------------
    // Loads the selected item's history from the server into the panel.
    void Historico();
    // The history button (a toggle): the panel shows while it is down, loaded on showing.
    void sbtHistoricoClick();

    // ---- saving ------------------------------------------------------------------------
    void ValidaDados();
    void GravaPlanCota();

    // ---- the grid's handlers -----------------------------------------------------------
    void degCotacaoDecisionDrawCell(int col, int row, QString& text, QColor& background,
                                    host::TNewDecisionGrid::GridStates grid,
                                    host::TNewDecisionGrid::PivotStates pivot);
    // True when the key is used up here.
    bool degCotacaoKeyDown(QKeyEvent& event);
    void degCotacaoKeyUp(QKeyEvent& event);
    void degCotacaoTopLeftChanged();

    // ---- the item table's events: the detail lines follow the items --------------------
    void cdsAltCotacaoAfterInsert();
    void cdsAltCotacaoAfterEdit();
    void cdsAltCotacaoAfterPost();
    void cdsAltCotacaoBeforeDelete();

private:
    void createControls();
    void createDetailPanel(QWidget* parent);
    void loadItems(const QString& region);
    QString serverVersion();
    bool keepsCopy(const QString& quotation, const QString& region, const QString& version) const;
    bool showsAllRegions() const;
    void rewriteCellLine(const DetailLine& oldLine);
    void moveBelow(int col, int row);
    void postPending();
    QString regionList() const;
    void askToReconnect(const QString& failure);
    void VerificaPrecoZero();
    void reloadAfterSave(const QString& regions);
    void fillItems(const QString& region, host::BusyScope& busy);
    void recount();
    void selectCell(int col, int row);
    void fillDetailPanel(const DetailLine& line, bool hasLine);
    QString treeCodeOf(const QString& productCode, const QString& lineTreeCode);
    QString productLabel(const QString& value);
    bool stepsOverSum(const QKeyEvent& event, bool vertical, int step);

    TfrmPlanCotaPrec& m_form;
    // What the item table holds: the quotation (branch and number) and the region code
    // ("NULL" for all regions) of the last load; m_loaded is false after a failed load and
    // after the list was reloaded.
    QString m_loadedQuotation;
    QString m_loadedRegion;
    bool m_loaded = false;
    // The server's version of the quotation's items when they were read ("" unknown).
    QString m_loadedVersion;
    // True while a load fills the item table: the detail lines come from the server then.
    bool m_loading = false;
    // Keys sent again to step over a sum line are handled inside the key that sent them.
    int m_keyDepth = 0;
    // The space bar's press reached the grid (the history command's short cut did not take
    // it): its release loads the history again.
    bool m_spaceOnGrid = false;
    // A history load waits for the running event (a selection drawn) to end.
    bool m_historyQueued = false;
    void queueHistory();
    void showHistoryState();
    // The running item batches; lines appended at the end by them; tree codes they met.
    int m_batchDepth = 0;
    bool m_appendLines = false;
    bool m_linesAppended = false;
    QHash<QString, QString> m_batchTreeCodes;
    QString batchTreeCode(const QString& productCode);
    // The last tree code found for a product without one in its own line.
    QString m_treeCodeProduct;
    QString m_treeCode;
};

} // namespace module
