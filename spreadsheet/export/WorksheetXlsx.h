#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace host {
class DataSet;
class Messages;
} // namespace host

namespace module {

// The worksheet as a spreadsheet shows it: the pivot's data columns (region and supplier,
// in the pivot's order), its product-and-brand rows, and the price of every item.
struct WorksheetTable
{
    struct Price
    {
        int row = 0;
        int column = 0;
        double value = 0.0;
    };
    // Per column: "<region code> - <region name>" and "<supplier code> - <trade name>".
    QStringList regions;
    QStringList suppliers;
    // Per row: "<product code> - <product name>" and "<brand code> - <brand name>".
    QStringList products;
    QStringList brands;
    // Row by row, columns in order within a row; one per cell that has an item.
    std::vector<Price> prices;
};

// Reads the item table (COCREGIAO, COCFORNECED, COCPRODUTO and CONTA) into the pivot's
// layout: regions and suppliers across, products and brands down, the sum lines left out.
WorksheetTable worksheetTable(host::DataSet& items);

// Writes the worksheet to an XLSX file with one sheet: the region row (a region's columns
// merged), the supplier row, the product and brand captions, one row per product and
// brand with the prices as numbers, and a last row counting each column's prices with a
// formula. The header rows and label columns are frozen. Throws EExportFile.
void writeWorksheetXlsx(const WorksheetTable& table, const QString& path,
                        const host::Messages& texts);

} // namespace module
