#pragma once

#include <QString>

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

// The quotation list page of the main window and its region page: the list of quotations
// (cdsColetapr in dbgCotacao) over the quoted suppliers of the current quotation
// (cdsFornCotados in dbgForns), and the regions of the current quotation (cdsServRegiao in
// dbgRegiao). It deletes a quotation, lets a manager hand a quotation over to another of
// his buyers, toggles the quotation's "Lista" flag (offered to the price-list assembly)
// and saves those changes of the list.
class QuotationListPage
{
public:
    explicit QuotationListPage(TfrmPlanCotaPrec& form);
    QuotationListPage(const QuotationListPage&) = delete;
    QuotationListPage& operator=(const QuotationListPage&) = delete;

    host::DBGrid* dbgCotacao = nullptr;
    host::DBGrid* dbgForns = nullptr;
    host::DBGrid* dbgRegiao = nullptr;
    QSplitter* splitter = nullptr;

    // ---- the operator and the current quotation's buyer --------------------------------
    // The logged-in operator manages the current quotation's buyer (qryPesqGereComp);
    // false when the list is empty.
    bool managesCurrentBuyer() const;
    // The logged-in operator is the current quotation's buyer.
    bool isCurrentBuyer() const;
    // Typing in the list: only in the buyer column, only for a manager of the buyer; the
    // column's search button shows while the record is edited.
    void allowBuyerEditing(bool managed);

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
    // Sends the list's changes (GravaPlanCota); a refusal restores the stored values.
    void saveChanges();
    QString currentBuyer() const;
    void drawCell(QPainter& painter, const QRect& rect, host::Field& field, int state);
    bool listKey(QKeyEvent& key);
    bool regionKey(QKeyEvent& key);
    bool supplierKey(QKeyEvent& key);

    TfrmPlanCotaPrec& m_form;
    host::DataSet& m_list;
    QString m_storedBuyer; // the buyer of the record when its edit began, and his name
    QString m_storedBuyerName;
};

} // namespace module
