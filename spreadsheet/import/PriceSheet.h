#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

namespace module {

// One cell of a spreadsheet as it was read: empty, a text, or a number.
struct SheetCell
{
    enum class Kind
    {
        Empty,
        Text,
        Number
    };
    Kind kind = Kind::Empty;
    QString text; // of a text
    double number = 0.0;
};

// What a cell shows, without surrounding blanks (a number as the shortest text that holds it).
QString cellText(const SheetCell& cell);

// The cells of the first sheet of a file, row by row from row 1 and column A (rows may be
// shorter than others).
using SheetGrid = std::vector<std::vector<SheetCell>>;

// A file that cannot be read as a price worksheet: the key of its text in the import's
// message table (PLANIMP), whose %1 is the file's name.
class PriceFileError : public std::runtime_error
{
public:
    explicit PriceFileError(const char* key) : std::runtime_error(key), m_key(key) {}
    QString key() const { return QString::fromLatin1(m_key); }

private:
    const char* m_key;
};

// Reads the first sheet of an XLSX workbook, or a CSV text (UTF-8, optional BOM, ";"
// between fields, quotes around fields that hold them), told apart by their content.
// Throws PriceFileError: "Arq_Abrir" (cannot be opened), "Arq_NaoPlanilha" (neither an
// XLSX workbook nor a text), "Arq_SemFolha" (a workbook without a sheet), "Arq_CsvIlegivel"
// (a text that is not UTF-8).
SheetGrid readSpreadsheet(const QString& path);

// The worksheet's layout in a file: row 1 the regions ("<code> - <name>", an empty cell
// continuing the region on its left), row 2 the suppliers, both from column C; rows 4 on a
// product and a brand in columns A and B and the prices beside them; a last row "Total".
struct PriceSheet
{
    struct Column
    {
        int index = 0; // 0-based column of the file
        QString regionText, supplierText;
        QString regionCode, supplierCode;
    };
    struct Row
    {
        int index = 0; // 0-based row of the file
        QString productText, brandText;
        QString productCode, brandCode;
    };
    std::vector<Column> columns;
    std::vector<Row> rows;
    SheetGrid grid;

    const SheetCell* cell(const Row& row, const Column& column) const
    {
        const auto& cells = grid[size_t(row.index)];
        return size_t(column.index) < cells.size() ? &cells[size_t(column.index)] : nullptr;
    }
};

// Finds the layout in the cells read; throws PriceFileError("Arq_Layout") when the labels
// of column A are not the worksheet's.
PriceSheet priceSheetOf(SheetGrid grid);

// The code of a label "<code> - <name>" (the whole text when it has no " - ").
QString labelCode(const QString& label);

// A price read from a cell: a number, or a text with a number written the pt_BR way
// ("1.234,50") or with a decimal point. False when the cell holds something else.
bool cellPrice(const SheetCell& cell, double& price);

} // namespace module
