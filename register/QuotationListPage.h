#pragma once

#include "shell/PageHandler.h"

#include <QString>
#include <functional>

class QKeyEvent;
class QPainter;
class QRect;
class QSplitter;

namespace host {
class DBGrid;
class DataSet;
class Field;
} // namespace host

namespace module {

class TfrmPlanCotaPrec;

// The quotation list page of the main window (tshCotacao): the list of quotations
// (cdsColetapr in dbgCotacao) over the quoted suppliers of the current quotation
// (cdsFornCotados in dbgForns). It opens the filter, deletes a quotation, lets a manager
// hand a quotation over to another of his buyers, toggles the quotation's "Lista" flag
// (offered to the price-list assembly) and saves those changes of the list.
class QuotationListPage final : public PageHandler
{
public:
    explicit QuotationListPage(TfrmPlanCotaPrec& form);
    QuotationListPage(const QuotationListPage&) = delete;
    QuotationListPage& operator=(const QuotationListPage&) = delete;

    host::DBGrid* dbgCotacao = nullptr;
    host::DBGrid* dbgForns = nullptr;
    QSplitter* splitter = nullptr;

    // Opens the new-quotation page (its CriaInclusaoCotacao); the include command is
    // disabled while there is none.
    std::function<void()> onOpenNewQuotation;

    // ---- the operator and the current quotation's buyer --------------------------------
    // The logged-in operator manages the current quotation's buyer (qryPesqGereComp);
    // false when the list is empty.
    bool managesCurrentBuyer() const;
    // Typing in the list: only in the buyer column, only for a manager of the buyer; the
    // column's search button shows while the record is edited.
    void allowBuyerEditing(bool managed);

    // ---- the page ----------------------------------------------------------------------
    void activated() override;
    void focus() override;
    void quotationScrolled() override;
    void commandStates() override;
    void include() override;
    void change() override { AlteraComprador(); }
    void remove() override { ExcluiCotacao(); }
    void confirm() override { GravaCotacao(); }
    void cancel() override { CancelaAlteracao(); }
    void search() override;
    void refresh() override;
    // The filter command: the filter dialog, then the worksheet page as the list allows.
    void FiltraCotacao();

    // ---- the lower pane ----------------------------------------------------------------
    // Shows the quoted suppliers of the current quotation only.
    void FiltraFornecedores();

    // ---- commands of the list page -----------------------------------------------------
    // Deletes the current quotation on the server, after the question "Excl"; a refusal
    // of the server is shown and the quotation stays in the list.
    void ExcluiCotacao();
    // Puts the current quotation in edit for a buyer reassignment and focuses the grid.
    void AlteraComprador();
    // Posts the edited quotation and saves the list's changes (GravaPlanCota).
    void GravaCotacao();
    // Undoes the edit after the question "Canc".
    void CancelaAlteracao();
    // Toggles the current quotation's "Lista" flag ("S" <-> "N"; empty becomes "S") and
    // saves it.
    void AlternaLista();
    // The buyer search of the buyer column: the buyers the operator manages.
    void PesquisaComprador();
    // Checks the buyer typed in the list (mandatory: an empty code is refused).
    void Vd_GereComp(bool mandatory);

private:
    void createGrids();
    void bindTables();
    bool listEditing() const;
    void drawCell(QPainter& painter, const QRect& rect, host::Field& field, int state);
    bool listKey(QKeyEvent& key);
    bool supplierKey(QKeyEvent& key);

    TfrmPlanCotaPrec& m_form;
    host::DataSet& m_list;
    QString m_storedBuyer; // the buyer of the record when its edit began, and his name
    QString m_storedBuyerName;
};

} // namespace module
