#pragma once

#include "host/core/Messages.h"

#include <QHash>
#include <QString>
#include <QtNumeric>
#include <vector>

namespace module {

struct PriceSheet;
class TfrmPlanCotaPrec;
class Worksheet;

// Who may price an item, as the price entry checks it before its dialog: the product is
// negotiated by the quotation's buyer (or, with one buyer per product, by the operator), and
// the supplier is qualified at the quotation's date and active. Each product and supplier is
// asked once. The operator being the quotation's buyer is checked before, once for all.
class PriceEntryRules
{
public:
    explicit PriceEntryRules(TfrmPlanCotaPrec& form);
    // The message of what keeps the product's or the supplier's prices from being typed;
    // empty when nothing does.
    QString productProblem(const QString& productCode);
    QString supplierProblem(const QString& supplierCode);

private:
    TfrmPlanCotaPrec& m_form;
    QHash<QString, QString> m_products;
    QHash<QString, QString> m_suppliers;
};

// One line of the import's preview: a price to change, or what keeps a cell, a row or a
// column of the file out.
struct ImportLine
{
    enum class Kind
    {
        Refused,
        Unknown,
        Invalid,
        Change
    };
    Kind kind = Kind::Change;
    int fileRow = 0; // as the spreadsheet programs number it
    int column = -1; // the file's column (ImportPlan::fileColumns); -1 for a row or a region
    int row = -1;    // the file's row (ImportPlan::fileRows); -1 for a column
    double current = qQNaN(); // the item's price; NaN when the cell has no item yet
    double price = qQNaN();
    QString reason;
};

// A price to post to the item table: an item at its place in the table's order, or a new
// item for a cell of the worksheet that has none yet.
struct PriceChange
{
    int item = -1; // place in cdsAltCotacao's order; -1 for a new item
    quint32 slot = 0;
    int column = 0;  // the worksheet's region and supplier (ImportPlan::regions, suppliers)
    int product = 0; // the worksheet's product and brand (ImportPlan::products)
    double price = 0.0;
};

// What a file brings to the worksheet.
struct ImportPlan
{
    struct Label
    {
        QString first, second; // region and supplier of a column, product and brand of a row
    };
    std::vector<Label> fileColumns, fileRows;
    // The worksheet's values: region and supplier of each of its columns, product of each row.
    std::vector<QString> regions, suppliers, products;
    std::vector<ImportLine> lines;    // what the preview lists: problems first, then changes
    std::vector<PriceChange> changes; // items in the table's order, then new items
    int unchanged = 0, refused = 0, unknown = 0, invalid = 0;
};

// Compares the file's prices with the worksheet's items: codes as the worksheet stores
// them, prices rounded to the five decimals the price entry takes. Reasons come from the
// import's message table.
ImportPlan planPriceImport(const Worksheet& worksheet, const PriceSheet& file,
                           PriceEntryRules& rules, const host::Messages& texts);

// Posts the planned prices to the item table as the price entry does, all pending until the
// buyer saves: one item batch (the pivot detached once, the detail lines put in order once),
// each item's line rewritten by the table's own handler; on a failure half-way nothing stays.
void applyPriceImport(Worksheet& worksheet, const ImportPlan& plan);

} // namespace module
