#pragma once

#include "shell/ItemValidations.h"
#include "shell/PageHandler.h"

#include "host/widgets/grid/DBGrid.h"

#include <QObject>
#include <QStringList>

class QAction;
class QKeyEvent;
class QSplitter;

namespace host {
class DataSet;
class Field;
class TTabSheet;
} // namespace host

namespace module {

class TfrmPlanCotaPrec;

// What tells the two assignment pages apart: where they live, their tables and grids, the
// server method that loads their items and the columns a person may not type in.
struct AssignmentLayout
{
    host::TTabSheet* sheet = nullptr;
    host::DataSet* pairs = nullptr; // the upper list (read only)
    host::DataSet* items = nullptr; // the items of the quotation, shown for the selected pair
    QString pairGridName;
    QString itemGridName;
    QList<host::DBGrid::Column> pairColumns;
    QList<host::DBGrid::Column> itemColumns;
    QString loadMethod;         // the server method that loads the items
    QString itemKeyFields;      // what identifies an item within the pair ("A;B")
    QStringList readOnlyColumns;
    QStringList insertOnlyColumns; // typed only on a new row (the item's key)
    // The other assignment page, which waits while an item is being typed here.
    host::TTabSheet* otherPage = nullptr;
    QAction* otherPageMenu = nullptr;
    // The tools on the current item need an item of the pair (else they are there for any
    // pair that may be changed).
    bool toolsNeedItems = true;
};

// An assignment page of the main window: an upper list of pairs of the quotation and, for
// the selected pair, its items, which the buyer adds, changes and deletes row by row. Each
// posted or deleted row is stored at once (GravaItemCole); a refused change puts the row
// back and says why. A new item, or a changed price or discount, may then go to the
// quotation's other regions (CargRegiao) and the items are read again.
class AssignmentPage : public QObject, public PageHandler
{
    Q_OBJECT
public:
    AssignmentPage(TfrmPlanCotaPrec& form, AssignmentLayout layout);
    ~AssignmentPage() override;

    host::DBGrid* pairGrid = nullptr;
    host::DBGrid* itemGrid = nullptr;
    QSplitter* splitter = nullptr;
    // What keeps the selected pair's rows from being changed.
    PairBlocks blocks;

    // ---- the page ------------------------------------------------------------------------
    void activated() override;
    void focus() override;
    void quotationScrolled() override;
    void reloadItems(bool force) override;
    bool selectCurrentItem() override;
    void commandStates() override;
    void extraCommandStates() override;
    bool pending() const override;
    void include() override;
    void change() override;
    void remove() override;
    void confirm() override;
    void cancel() override;
    void search() override;

protected:
    // The filter of the selected pair's items, the selection globals of the pair and what
    // blocks it.
    virtual QString pairFilter() const = 0;
    virtual void pairGlobals() = 0;
    virtual PairBlocks pairBlocks() = 0;
    // The selection globals of the current item; `none`: the pair has no item.
    virtual void itemGlobals(bool none) = 0;
    // A new row's defaults (after insert) and its key from the selected pair (before post).
    virtual void newItemDefaults() = 0;
    virtual void newItemKey() = 0;
    // The checks before a post, in their order, and on leaving a column.
    virtual void checkItem() = 0;
    virtual void columnLeft(host::Field& field) = 0;
    virtual void columnEntered(host::Field& field) { (void)field; }
    // The search of a column's ellipsis button.
    virtual void searchColumn(host::Field& field) = 0;
    // Display and reactions of the item fields, after each load.
    virtual void prepareItemFields();
    // Command states of this page only (ellipsis buttons that follow the state).
    virtual void itemStateChanged() {}

    // A value in a filter text, between apostrophes (an apostrophe in it doubled).
    static QString quoted(const QString& value);
    bool itemsEditing() const;
    bool itemsInserting() const;
    // Puts the row in edit for a value chosen in a search.
    void editForChoice();
    // The field's value and stored value differ.
    bool changed(const QString& field) const;

    TfrmPlanCotaPrec& m_form;
    AssignmentLayout m_layout;
    host::DataSet& m_pairs;
    host::DataSet& m_items;

private:
    void createGrids();
    void bindEvents();
    void pairScrolled();
    bool pairKey(QKeyEvent& key);
    bool itemKey(QKeyEvent& key);
    void beforePost();
    void afterPost();
    void afterDelete();
    // Sends the table's one change to the server; a refusal puts the row back. `stores`: the
    // change stores an item (the server then marks the quotation as worked on).
    void storeChange(bool stores);
    // Offers the stored price to the quotation's other regions.
    void AtualizaRegioes();
    void markQuotationWorked();
    int regionCount() const;
    QVariantList itemKey() const;

    // A new row, or a changed price or discount: the other regions are offered the change.
    bool m_offerRegions = false;
};

} // namespace module
