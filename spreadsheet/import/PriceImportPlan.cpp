// The prices of a file compared with the worksheet's items, and the changes posted to the
// item table as the price entry posts a typed price.

#include "PriceImportPlan.h"

#include "PriceSheet.h"

#include "maintenance/ItemBatch.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/DetailList.h"
#include "worksheet/Worksheet.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Halvore.h"

#include <QScopeGuard>
#include <QSet>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <stdexcept>

namespace module {

namespace {

const QString kRegion = QStringLiteral("COCREGIAO");
const QString kSupplier = QStringLiteral("COCFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");
const QString kPrice = QStringLiteral("CONTA");

// Codes compared as the worksheet stores them: padded to their width, without case.
QString codeKey(const QString& code, int width)
{
    return host::Ajusta(code, width).toUpper();
}

QString rowKey(const QString& productCode, const QString& brandCode)
{
    return codeKey(productCode, Width::Product) + QLatin1Char('|') +
           codeKey(brandCode, Width::Brand);
}

// A text of the item table not looked at yet.
constexpr int kUnseen = -2;

// The price entry takes five decimals.
double rounded(double price)
{
    return std::round(price * 1e5) / 1e5;
}

// The worksheet as the pivot shows it: regions with their suppliers across (the columns),
// products and brands down (the rows), and the item of each cell, found by codes.
class WorksheetIndex
{
public:
    struct Item
    {
        int column = 0;
        int place = -1; // in the table's order
        quint32 slot = 0;
        double price = qQNaN();
    };

    explicit WorksheetIndex(const host::DataSet& items);

    int region(const QString& code) const
    {
        return m_regions.value(codeKey(code, Width::Region), -1);
    }
    int column(int region, const QString& supplierCode) const
    {
        const int supplier = m_suppliers.value(codeKey(supplierCode, Width::Supplier), -1);
        return supplier < 0 ? -1 : m_columns.value(pair(region, supplier), -1);
    }
    bool hasProduct(const QString& code) const
    {
        return m_products.contains(codeKey(code, Width::Product));
    }
    int row(const QString& productCode, const QString& brandCode) const
    {
        return m_rows.value(rowKey(productCode, brandCode), -1);
    }
    // The item of a cell and its number among the items; null when the cell has none.
    const Item* item(int column, int row, int* number = nullptr) const
    {
        const auto first = m_items.begin() + m_rowStart[size_t(row)];
        const auto last = m_items.begin() + m_rowStart[size_t(row) + 1];
        const auto found = std::lower_bound(
            first, last, column, [](const Item& item, int c) { return item.column < c; });
        if (found == last || found->column != column)
            return nullptr;
        if (number)
            *number = int(found - m_items.begin());
        return &*found;
    }
    int itemCount() const { return int(m_items.size()); }

    std::vector<QString> columnRegion, columnSupplier, rowProduct;

private:
    static quint64 pair(int a, int b) { return quint64(quint32(a)) << 32 | quint32(b); }

    QHash<QString, int> m_regions, m_suppliers, m_rows;
    QSet<QString> m_products;
    QHash<quint64, int> m_columns;
    // The items row by row, each row's in the order of its columns.
    std::vector<Item> m_items;
    std::vector<int> m_rowStart;
};

WorksheetIndex::WorksheetIndex(const host::DataSet& items)
{
    const host::Table& table = items.table();
    const int regionField = table.indexOf(kRegion);
    const int supplierField = table.indexOf(kSupplier);
    const int productField = table.indexOf(kProduct);
    const int priceField = table.indexOf(kPrice);
    if (regionField < 0 || supplierField < 0 || productField < 0 || priceField < 0)
        throw std::logic_error("the item table lacks the worksheet's fields");

    // The items repeat a few texts over and over: each text of a field is looked at once,
    // by its id in the field's string pool (what a text cell holds).
    auto idsOf = [&table](int field) {
        return std::vector<int>(size_t(table.pool(field).size()), kUnseen);
    };
    std::vector<int> regionIds = idsOf(regionField), supplierIds = idsOf(supplierField),
                     rowIds = idsOf(productField);
    auto idOf = [&table](std::vector<int>& ids, int field, quint32 slot, auto&& intern) {
        const quint32 text = quint32(table.cell(slot, field));
        if (text >= ids.size())
            ids.resize(size_t(text) + 1, kUnseen);
        int& id = ids[text];
        if (id == kUnseen)
            id = intern(table.text(slot, field));
        return id;
    };
    auto internRegion = [this](const QString& value) {
        const QString key = codeKey(regionCodeOf(value), Width::Region);
        return m_regions.insert(key, m_regions.value(key, int(m_regions.size()))).value();
    };
    auto internSupplier = [this](const QString& value) {
        const QString key = codeKey(supplierCodeOf(value), Width::Supplier);
        return m_suppliers.insert(key, m_suppliers.value(key, int(m_suppliers.size()))).value();
    };
    auto internRow = [this](const QString& value) {
        const QString key = rowKey(productCodeOf(value), brandCodeOf(value));
        m_products.insert(codeKey(productCodeOf(value), Width::Product));
        const int known = m_rows.value(key, -1);
        if (known >= 0)
            return known;
        rowProduct.push_back(value);
        return m_rows.insert(key, int(rowProduct.size()) - 1).value();
    };

    const std::vector<quint32>& view = items.view();
    std::vector<int> rowOf(view.size());
    std::vector<Item> found(view.size());
    for (size_t r = 0; r < view.size(); ++r) {
        const quint32 slot = view[r];
        const int region = idOf(regionIds, regionField, slot, internRegion);
        const int supplier = idOf(supplierIds, supplierField, slot, internSupplier);
        rowOf[r] = idOf(rowIds, productField, slot, internRow);
        int column = m_columns.value(pair(region, supplier), -1);
        if (column < 0) {
            column = int(columnRegion.size());
            m_columns.insert(pair(region, supplier), column);
            columnRegion.push_back(table.text(slot, regionField));
            columnSupplier.push_back(table.text(slot, supplierField));
        }
        const double price = table.isNull(slot, priceField)
                                 ? qQNaN()
                                 : host::Table::decodeFloat(table.cell(slot, priceField));
        found[r] = Item{column, int(r), slot, price};
    }
    // Row by row (a counting sort), then by column within each row; a single item is shown
    // with a copy of itself after it, and the first one is the item.
    m_rowStart.assign(rowProduct.size() + 1, 0);
    for (const int row : rowOf)
        ++m_rowStart[size_t(row) + 1];
    for (size_t row = 1; row < m_rowStart.size(); ++row)
        m_rowStart[row] += m_rowStart[row - 1];
    m_items.resize(found.size());
    std::vector<int> next(m_rowStart.begin(), m_rowStart.end() - 1);
    for (size_t r = 0; r < found.size(); ++r)
        m_items[size_t(next[size_t(rowOf[r])]++)] = found[r];
    for (size_t row = 0; row + 1 < m_rowStart.size(); ++row)
        std::stable_sort(m_items.begin() + m_rowStart[row], m_items.begin() + m_rowStart[row + 1],
                         [](const Item& a, const Item& b) { return a.column < b.column; });
}

} // namespace

// ---- who may price ---------------------------------------------------------------------------

PriceEntryRules::PriceEntryRules(TfrmPlanCotaPrec& form) : m_form(form) {}

QString PriceEntryRules::productProblem(const QString& productCode)
{
    const auto known = m_products.constFind(productCode);
    if (known != m_products.cend())
        return *known;
    const QString treeCode = Worksheet::BuscaCdArvProd(productCode);
    auto negotiatedBy = [&treeCode](const QString& buyer) {
        return !openFormQuery(QStringLiteral("qryVerProdComp"),
                              {{QStringLiteral("P_CDOPERADOR"), buyer},
                               {QStringLiteral("P_CDARVPROD"), treeCode}})
                    ->IsEmpty();
    };
    QString key;
    if (m_form.purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S")) {
        if (!negotiatedBy(m_form.quotationBuyer()))
            key = QStringLiteral("ProdNComp");
    } else if (!negotiatedBy(host::Halvore::instance().Operador())) {
        // One buyer per product: the operator must be the one who negotiates it.
        const auto others = openFormQuery(QStringLiteral("qryProdNegComp"),
                                          {{QStringLiteral("P_CDPRODUTO"), treeCode},
                                           {QStringLiteral("P_CDOPERADOR"), QString()},
                                           {QStringLiteral("P_TOPERADOR"), QStringLiteral("T")}});
        key = others->FieldByName(QStringLiteral("CTPRODOPER")).AsInteger() > 0
                  ? QStringLiteral("Oper_N_Autoriz")
                  : QStringLiteral("ProdNComp");
    }
    const QString problem = key.isEmpty() ? QString() : m_form.msgPadrao.Msg(key);
    m_products.insert(productCode, problem);
    return problem;
}

QString PriceEntryRules::supplierProblem(const QString& supplierCode)
{
    const auto known = m_suppliers.constFind(supplierCode);
    if (known != m_suppliers.cend())
        return *known;
    const char* key = supplierQualificationProblem(m_form, supplierCode);
    const QString problem = *key ? m_form.msgPadrao.Msg(QString::fromLatin1(key)) : QString();
    m_suppliers.insert(supplierCode, problem);
    return problem;
}

// ---- the plan --------------------------------------------------------------------------------

ImportPlan planPriceImport(const Worksheet& worksheet, const PriceSheet& file,
                           PriceEntryRules& rules, const host::Messages& texts)
{
    WorksheetIndex index(worksheet.cdsAltCotacao);
    ImportPlan plan;
    for (const PriceSheet::Column& column : file.columns)
        plan.fileColumns.push_back({column.regionText, column.supplierText});
    for (const PriceSheet::Row& row : file.rows)
        plan.fileRows.push_back({row.productText, row.brandText});
    std::vector<ImportLine> problems, changeLines;
    auto problem = [&](ImportLine::Kind kind, int fileRow, int column, int row, QString reason) {
        ImportLine line;
        line.kind = kind;
        line.fileRow = fileRow;
        line.column = column;
        line.row = row;
        line.reason = std::move(reason);
        problems.push_back(std::move(line));
        ++(kind == ImportLine::Kind::Unknown   ? plan.unknown
           : kind == ImportLine::Kind::Invalid ? plan.invalid
                                               : plan.refused);
        return &problems.back();
    };

    // The file's columns and rows, each found once among the worksheet's.
    std::vector<int> columns(file.columns.size(), -1);
    QSet<QString> unknownRegions;
    for (size_t c = 0; c < file.columns.size(); ++c) {
        const PriceSheet::Column& column = file.columns[c];
        const int region = index.region(column.regionCode);
        if (region < 0) {
            if (!unknownRegions.contains(column.regionText)) {
                unknownRegions.insert(column.regionText);
                problem(ImportLine::Kind::Unknown, 1, -1, -1,
                        texts.Msg(QStringLiteral("Regiao_Fora")).arg(column.regionText));
            }
            continue;
        }
        columns[c] = index.column(region, column.supplierCode);
        if (columns[c] < 0)
            problem(ImportLine::Kind::Unknown, 2, int(c), -1,
                    texts.Msg(QStringLiteral("Fornec_Fora"))
                        .arg(column.supplierText, column.regionText));
    }
    std::vector<int> rows(file.rows.size(), -1);
    for (size_t r = 0; r < file.rows.size(); ++r) {
        const PriceSheet::Row& row = file.rows[r];
        rows[r] = index.row(row.productCode, row.brandCode);
        if (rows[r] < 0)
            problem(
                ImportLine::Kind::Unknown, row.index + 1, -1, int(r),
                index.hasProduct(row.productCode)
                    ? texts.Msg(QStringLiteral("Marca_Fora")).arg(row.brandText, row.productText)
                    : texts.Msg(QStringLiteral("Produto_Fora")).arg(row.productText));
    }

    // What keeps a column's supplier or a row's product from being priced, asked once each.
    std::vector<QString> supplierRefusal(index.columnSupplier.size());
    std::vector<QString> productRefusal(index.rowProduct.size());
    std::vector<bool> supplierAsked(supplierRefusal.size()), productAsked(productRefusal.size());
    auto refusalOf = [&](int column, int row) {
        if (!supplierAsked[size_t(column)]) {
            supplierRefusal[size_t(column)] =
                rules.supplierProblem(supplierCodeOf(index.columnSupplier[size_t(column)]));
            supplierAsked[size_t(column)] = true;
        }
        if (!supplierRefusal[size_t(column)].isEmpty())
            return supplierRefusal[size_t(column)];
        if (!productAsked[size_t(row)]) {
            productRefusal[size_t(row)] =
                rules.productProblem(productCodeOf(index.rowProduct[size_t(row)]));
            productAsked[size_t(row)] = true;
        }
        return productRefusal[size_t(row)];
    };

    // The cells of the known rows and columns. A cell named twice: the last price stands.
    std::vector<int> plannedItems(size_t(index.itemCount()), -1);
    QHash<quint64, int> plannedCells; // cells without an item
    for (size_t r = 0; r < file.rows.size(); ++r) {
        if (rows[r] < 0)
            continue;
        const PriceSheet::Row& row = file.rows[r];
        for (size_t c = 0; c < file.columns.size(); ++c) {
            if (columns[c] < 0)
                continue;
            const SheetCell* cell = file.cell(row, file.columns[c]);
            if (!cell || cell->kind == SheetCell::Kind::Empty)
                continue;
            int number = -1;
            const WorksheetIndex::Item* item = index.item(columns[c], rows[r], &number);
            double price = 0.0;
            const bool isNumber = cellPrice(*cell, price);
            if (!isNumber || price < 0) {
                problem(ImportLine::Kind::Invalid, row.index + 1, int(c), int(r),
                        texts
                            .Msg(isNumber ? QStringLiteral("Preco_Negativo")
                                          : QStringLiteral("Preco_NaoNum"))
                            .arg(cellText(*cell)))
                    ->current = item ? item->price : qQNaN();
                continue;
            }
            price = rounded(price);
            if (item && rounded(item->price) == price) {
                ++plan.unchanged;
                continue;
            }
            QString refusal = refusalOf(columns[c], rows[r]);
            if (!refusal.isEmpty()) {
                ImportLine* line = problem(ImportLine::Kind::Refused, row.index + 1, int(c), int(r),
                                           std::move(refusal));
                line->current = item ? item->price : qQNaN();
                line->price = price;
                continue;
            }
            ImportLine line;
            line.fileRow = row.index + 1;
            line.column = int(c);
            line.row = int(r);
            line.current = item ? item->price : qQNaN();
            line.price = price;
            const quint64 cellKey = quint64(quint32(columns[c])) << 32 | quint32(rows[r]);
            const int planned =
                item ? plannedItems[size_t(number)] : plannedCells.value(cellKey, -1);
            if (planned >= 0) {
                plan.changes[size_t(planned)].price = price;
                changeLines[size_t(planned)] = std::move(line);
                continue;
            }
            if (item)
                plannedItems[size_t(number)] = int(plan.changes.size());
            else
                plannedCells.insert(cellKey, int(plan.changes.size()));
            PriceChange change;
            if (item) {
                change.item = item->place;
                change.slot = item->slot;
            }
            change.column = columns[c];
            change.product = rows[r];
            change.price = price;
            plan.changes.push_back(change);
            changeLines.push_back(std::move(line));
        }
    }

    // The items in the table's order, new ones at the end (they move the others).
    std::stable_sort(plan.changes.begin(), plan.changes.end(),
                     [](const PriceChange& a, const PriceChange& b) {
                         return unsigned(a.item) < unsigned(b.item);
                     });
    std::stable_sort(problems.begin(), problems.end(),
                     [](const ImportLine& a, const ImportLine& b) { return a.kind < b.kind; });
    plan.lines = std::move(problems);
    plan.lines.insert(plan.lines.end(), std::make_move_iterator(changeLines.begin()),
                      std::make_move_iterator(changeLines.end()));
    plan.regions = std::move(index.columnRegion);
    plan.suppliers = std::move(index.columnSupplier);
    plan.products = std::move(index.rowProduct);
    return plan;
}

// ---- applying --------------------------------------------------------------------------------

namespace {

// The identities of the worksheet's selected cell, put back when the import ends: while it
// posts, the product of each item stands in them, as the item table's handler reads them.
class SelectionKeeper
{
public:
    SelectionKeeper()
    {
        for (size_t i = 0; i < std::size(m_values); ++i)
            m_values[i] = *globals()[i];
    }
    ~SelectionKeeper()
    {
        for (size_t i = 0; i < std::size(m_values); ++i)
            *globals()[i] = m_values[i];
    }
    SelectionKeeper(const SelectionKeeper&) = delete;
    SelectionKeeper& operator=(const SelectionKeeper&) = delete;

private:
    static std::array<QString*, 9> globals()
    {
        using namespace Cli_Sup01700;
        return {&stCdForneced, &stNmForneced, &stCdProduto, &stCdArvProd, &stNmProduto,
                &stCdRegiao,   &stNmRegiao,   &stCdMarca,   &stNmMarca};
    }
    QString m_values[9];
};

// The parts of a product value as the selection holds them.
struct ProductParts
{
    QString name, code, brand, brandName;
    bool known = false;

    void select(const QString& value)
    {
        if (!known) {
            name = productNameOf(value);
            code = productCodeOf(value);
            brand = brandCodeOf(value);
            brandName = brandNameOf(value);
            known = true;
        }
        using namespace Cli_Sup01700;
        stNmProduto = name;
        stCdProduto = code;
        stCdMarca = brand;
        stNmMarca = brandName;
    }
};

} // namespace

void applyPriceImport(Worksheet& worksheet, const ImportPlan& plan)
{
    if (plan.changes.empty())
        return;
    if (!Cli_Sup01700::stlCotacao)
        throw std::logic_error("the worksheet has no detail lines");
    ItemBatch batch(worksheet);
    host::DataSet& items = batch.items();
    const SelectionKeeper selection;
    std::vector<ProductParts> products(plan.products.size());
    host::Field& region = items.FieldByName(kRegion);
    host::Field& supplier = items.FieldByName(kSupplier);
    host::Field& product = items.FieldByName(kProduct);
    host::Field& price = items.FieldByName(kPrice);

    // The detail lines step aside: the handler finds each item's own line alone in the list
    // and rewrites it there, so that no line of the others moves for it.
    QStringList& handled = *Cli_Sup01700::stlCotacao;
    QStringList lines;
    lines.swap(handled);
    const auto back = qScopeGuard([&] {
        handled.clear();
        handled.swap(lines);
    });
    QStringList added;
    QString key;
    int last = -1;
    for (const PriceChange& change : plan.changes) {
        int at = -1;
        if (change.item >= 0) {
            if (size_t(change.item) >= items.view().size() ||
                items.view()[size_t(change.item)] != change.slot)
                throw std::logic_error("the worksheet's items changed since the file was read");
            items.SetRecNo(change.item + 1);
            key.resize(0);
            key += region.AsString();
            key += supplier.AsString();
            key += product.AsString();
            key += kPriceSeparator;
            // The items of a region and supplier come one after another, in the order of
            // their lines: the line is most often the one after the last, written as the item.
            at = last + 1 < lines.size() && lines.at(last + 1).startsWith(key)
                     ? last + 1
                     : PesqBinaria(lines, key);
            if (at >= 0)
                last = at;
            items.Edit();
        } else {
            items.Append();
            region.SetAsString(plan.regions[size_t(change.column)]);
            supplier.SetAsString(plan.suppliers[size_t(change.column)]);
            product.SetAsString(plan.products[size_t(change.product)]);
        }
        handled.clear();
        if (at >= 0)
            handled.append(lines.at(at));
        products[size_t(change.product)].select(plan.products[size_t(change.product)]);
        price.SetAsFloat(change.price);
        items.Post();
        // The handler's line; beside the old one when it did not recognise it.
        QString line = handled.value(0);
        if (handled.size() > 1 && at >= 0)
            line = handled.at(0) == lines.at(at) ? handled.at(1) : handled.at(0);
        if (line.isEmpty())
            throw std::logic_error("an imported item was left without its detail line");
        if (at >= 0)
            lines[at] = line;
        else
            added.append(line);
    }
    handled.clear();
    // A rewritten line keeps its place (its item's key is its beginning); the lines of new
    // items go in order, once.
    if (!added.isEmpty()) {
        lines.append(added);
        sortDetailLines(lines);
    }

    // A quotation not sent to the suppliers becomes one priced on the worksheet.
    host::DataSet& quotation = worksheet.form().cdsColetapr;
    host::Field& collectionType = quotation.FieldByName(QStringLiteral("IDTIPCOLREG"));
    const QString type = collectionType.AsString().trimmed();
    if (type.isEmpty() || type == QLatin1String("L")) {
        quotation.Edit();
        collectionType.SetAsString(QStringLiteral("G"));
        quotation.Post();
    }
    batch.commit();
}

} // namespace module
