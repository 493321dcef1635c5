#include "WorksheetXlsx.h"

#include "XlsxFile.h"

#include "module/records/WorksheetValues.h"

#include "host/core/DataSet.h"
#include "host/core/Messages.h"
#include "host/pivot/DecisionCube.h"

#include <QHash>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <xlsxwriter.h>

namespace module {

namespace {

// Rows of the header: region, supplier, captions; the products start below them, and the
// prices right of the product and brand columns.
constexpr int kRegionRow = 0;
constexpr int kSupplierRow = 1;
constexpr int kCaptionRow = 2;
constexpr int kFirstItemRow = 3;
constexpr int kProductColumn = 0;
constexpr int kBrandColumn = 1;
constexpr int kFirstPriceColumn = 2;
const QString kPriceFormat = QStringLiteral("#,##0.00000");

QString labelOf(const QString& code, const QString& name)
{
    return code + QStringLiteral(" - ") + name;
}

QHash<QString, int> indexOfValues(const QStringList& values)
{
    QHash<QString, int> index;
    index.reserve(values.size());
    for (int i = 0; i < values.size(); ++i)
        index.insert(values.at(i), i);
    return index;
}

} // namespace

WorksheetTable worksheetTable(host::DataSet& items)
{
    // The same cube as the worksheet's pivot, so the file follows the screen's order.
    host::TDecisionCube cube;
    const int regionDim = cube.AddDimension(QStringLiteral("COCREGIAO"));
    const int supplierDim = cube.AddDimension(QStringLiteral("COCFORNECED"));
    const int productDim = cube.AddDimension(QStringLiteral("COCPRODUTO"));
    cube.SetPivot({productDim}, {regionDim, supplierDim});
    cube.SetSparseRows(true);
    cube.SetSparseCols(true);
    cube.SetDataSet(&items);
    cube.SetActive(true);

    WorksheetTable table;
    const QStringList& regionValues = cube.Values(regionDim);
    const QStringList& supplierValues = cube.Values(supplierDim);
    const QStringList& productValues = cube.Values(productDim);
    const host::PivotAxis& cols = cube.Cols();
    const host::PivotAxis& rows = cube.Rows();
    for (int c = 0; c < cols.Count(); ++c) {
        const QString& region = regionValues.at(cols.Value(c, 0));
        const QString& supplier = supplierValues.at(cols.Value(c, 1));
        table.regions.append(labelOf(regionCodeOf(region), regionNameOf(region)));
        table.suppliers.append(labelOf(supplierCodeOf(supplier), supplierNameOf(supplier)));
    }
    for (int r = 0; r < rows.Count(); ++r) {
        const QString& product = productValues.at(rows.Value(r, 0));
        table.products.append(labelOf(productCodeOf(product), productNameOf(product)));
        table.brands.append(labelOf(brandCodeOf(product), brandNameOf(product)));
    }

    const QHash<QString, int> regionIndex = indexOfValues(regionValues);
    const QHash<QString, int> supplierIndex = indexOfValues(supplierValues);
    const QHash<QString, int> productIndex = indexOfValues(productValues);
    const host::Table& stored = items.table();
    const int regionField = stored.indexOf(QStringLiteral("COCREGIAO"));
    const int supplierField = stored.indexOf(QStringLiteral("COCFORNECED"));
    const int productField = stored.indexOf(QStringLiteral("COCPRODUTO"));
    const int priceField = stored.indexOf(QStringLiteral("CONTA"));
    // A record still being inserted is not on the worksheet yet.
    const int inserting = items.State() == host::DataSetState::Insert ? items.currentRow() : -1;
    const std::vector<quint32>& view = items.view();
    table.prices.reserve(view.size());
    std::vector<int> tuple(2);
    for (size_t i = 0; i < view.size(); ++i) {
        if (int(i) == inserting)
            continue;
        const quint32 slot = view[i];
        tuple[0] = regionIndex.value(stored.text(slot, regionField), -1);
        tuple[1] = supplierIndex.value(stored.text(slot, supplierField), -1);
        const int product = productIndex.value(stored.text(slot, productField), -1);
        const int column = tuple[0] < 0 || tuple[1] < 0 ? -1 : cols.Find(tuple);
        const int row = product < 0 ? -1 : rows.Find({product});
        if (column < 0 || row < 0)
            continue;
        // An item without a price is an unpriced item: it shows as zero, as on screen.
        const double price =
            stored.isNull(slot, priceField) ? 0.0 : stored.value(slot, priceField).toDouble();
        table.prices.push_back({row, column, price});
    }
    // Row by row; the worksheet's copy of a lone item (same cell twice) is written once.
    std::stable_sort(table.prices.begin(), table.prices.end(), [](const auto& a, const auto& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    table.prices.erase(std::unique(table.prices.begin(), table.prices.end(),
                                   [](const auto& a, const auto& b) {
                                       return a.row == b.row && a.column == b.column;
                                   }),
                       table.prices.end());
    return table;
}

void writeWorksheetXlsx(const WorksheetTable& table, const QString& path,
                        const host::Messages& texts)
{
    XlsxFile file(path);
    lxw_worksheet* sheet = file.addSheet(texts.Msg(QStringLiteral("Aba_Planilha")));
    lxw_format* header = file.addFormat(true);
    format_set_bg_color(header, 0xDDE4EE);
    format_set_border(header, LXW_BORDER_THIN);
    lxw_format* regionHeader = file.addFormat(true);
    format_set_bg_color(regionHeader, 0xDDE4EE);
    format_set_border(regionHeader, LXW_BORDER_THIN);
    format_set_align(regionHeader, LXW_ALIGN_CENTER);
    lxw_format* price = file.addFormat(false, kPriceFormat);
    lxw_format* total = file.addFormat(true);
    format_set_top(total, LXW_BORDER_THIN);

    const int columns = int(table.suppliers.size());
    const int rows = int(table.products.size());
    auto text = [&](int row, int column, const QString& value, lxw_format* format) {
        XlsxFile::check(worksheet_write_string(sheet, row, lxw_col_t(column),
                                               file.utf8(value).constData(), format));
    };
    // What each column needs to show its texts whole.
    std::vector<qsizetype> widest(size_t(kFirstPriceColumn + columns), 0);
    auto fit = [&widest](int column, const QString& value) {
        widest[size_t(column)] = std::max(widest[size_t(column)], value.size());
    };

    const QString totalText = texts.Msg(QStringLiteral("Cab_Total"));
    for (const char* key : {"Cab_Regiao", "Cab_Fornecedor", "Cab_Produto"})
        fit(kProductColumn, texts.Msg(QString::fromLatin1(key)));
    fit(kProductColumn, totalText);
    fit(kBrandColumn, texts.Msg(QStringLiteral("Cab_Marca")));
    text(kRegionRow, kProductColumn, texts.Msg(QStringLiteral("Cab_Regiao")), header);
    text(kSupplierRow, kProductColumn, texts.Msg(QStringLiteral("Cab_Fornecedor")), header);
    text(kCaptionRow, kProductColumn, texts.Msg(QStringLiteral("Cab_Produto")), header);
    text(kCaptionRow, kBrandColumn, texts.Msg(QStringLiteral("Cab_Marca")), header);

    // The region over its suppliers, merged across them.
    for (int first = 0; first < columns;) {
        int last = first;
        while (last + 1 < columns && table.regions.at(last + 1) == table.regions.at(first))
            ++last;
        const QString& region = table.regions.at(first);
        if (last > first) {
            XlsxFile::check(worksheet_merge_range(
                sheet, kRegionRow, lxw_col_t(kFirstPriceColumn + first), kRegionRow,
                lxw_col_t(kFirstPriceColumn + last), file.utf8(region).constData(), regionHeader));
        } else {
            text(kRegionRow, kFirstPriceColumn + first, region, regionHeader);
            fit(kFirstPriceColumn + first, region);
        }
        first = last + 1;
    }
    for (int c = 0; c < columns; ++c) {
        text(kSupplierRow, kFirstPriceColumn + c, table.suppliers.at(c), header);
        fit(kFirstPriceColumn + c, table.suppliers.at(c));
    }

    std::vector<int> counts(size_t(columns), 0);
    std::vector<double> highest(size_t(columns), 0.0);
    auto next = table.prices.cbegin();
    for (int r = 0; r < rows; ++r) {
        const int row = kFirstItemRow + r;
        text(row, kProductColumn, table.products.at(r), nullptr);
        text(row, kBrandColumn, table.brands.at(r), nullptr);
        fit(kProductColumn, table.products.at(r));
        fit(kBrandColumn, table.brands.at(r));
        for (; next != table.prices.cend() && next->row == r; ++next) {
            XlsxFile::check(worksheet_write_number(
                sheet, row, lxw_col_t(kFirstPriceColumn + next->column), next->value, price));
            ++counts[size_t(next->column)];
            highest[size_t(next->column)] =
                std::max(highest[size_t(next->column)], std::abs(next->value));
        }
    }

    // The last row counts the prices of each column, as the pivot's total counts items.
    const int totalRow = kFirstItemRow + rows;
    text(totalRow, kProductColumn, totalText, total);
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    for (int c = 0; c < columns; ++c) {
        const QString column = columnName(kFirstPriceColumn + c);
        const QString formula =
            QStringLiteral("=COUNT(%1%2:%1%3)").arg(column).arg(kFirstItemRow + 1).arg(totalRow);
        XlsxFile::check(worksheet_write_formula_num(
            sheet, totalRow, lxw_col_t(kFirstPriceColumn + c), file.utf8(formula).constData(),
            total, double(counts[size_t(c)])));
        // The widest price as the pt_BR display shows it.
        fit(kFirstPriceColumn + c, brazil.toString(highest[size_t(c)], 'f', 5));
    }

    for (size_t c = 0; c < widest.size(); ++c)
        XlsxFile::check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                             fittedWidth(widest[c]), nullptr));
    worksheet_freeze_panes(sheet, kFirstItemRow, kFirstPriceColumn);
    file.commit();
}

} // namespace module
