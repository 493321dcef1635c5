// What the worksheet tells the rest of the screen about its items: the counters, the
// distinct regions, suppliers, products and brands, the key of a cell and the composite
// values of the selection.

#include "Worksheet.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/WorksheetValues.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Query.h"
#include "host/ui/Halvore.h"

#include <QHash>
#include <QSet>
#include <limits>
#include <vector>

namespace module {

namespace {

const QString kRegion = QStringLiteral("COCREGIAO");
const QString kSupplier = QStringLiteral("COCFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");

// Label rows of the column dimensions and label column of the product dimension.
constexpr int kRegionLabelRow = -2;
constexpr int kSupplierLabelRow = -1;
constexpr int kProductLabelCol = -1;

constexpr host::Cell kNoCell = std::numeric_limits<host::Cell>::max();

QString beforeBrand(const QString& productValue)
{
    const qsizetype at = productValue.indexOf(kBrandSeparator);
    return at < 0 ? productValue : productValue.left(at);
}

QString afterBrand(const QString& productValue)
{
    const qsizetype at = productValue.indexOf(kBrandSeparator);
    return at < 0 ? QString() : productValue.mid(at + kBrandSeparator.size());
}

// What DegRegistros lists of a composite value.
using ValuePart = QString (*)(const QString&);

QString whole(const QString& value)
{
    return value;
}

} // namespace

void Worksheet::ContaRegs(const QString& kind)
{
    if (!cdsAltCotacao.Active())
        return;
    const bool all = kind == QLatin1String("T");
    const bool regions = all || kind == QLatin1String("R");
    const bool suppliers = all || kind == QLatin1String("F");
    const bool products = all || kind == QLatin1String("P");
    const bool brands = all || kind == QLatin1String("M");

    host::DataSet& counters = m_form.cdsCount;
    struct Counter
    {
        bool wanted;
        const char* field;
        qint64 count = 0;
    };
    Counter counts[] = {
        {regions, "NRREGIAO"}, {suppliers, "NRFORN"}, {products, "NRPROD"}, {brands, "NRMARCA"}};
    counters.Edit();
    for (const Counter& c : counts)
        if (c.wanted)
            counters.FieldByName(QString::fromLatin1(c.field)).Clear();
    counters.Post();
    counters.Edit();

    // Changes of value along the items' order (supplier, region, product): exact for the
    // suppliers, more than the regions when several suppliers are there. Equal texts share
    // one stored cell, so most records are told apart without reading their text.
    const host::Table& table = cdsAltCotacao.table();
    const int regionField = cdsAltCotacao.FieldByName(kRegion).storedIndex();
    const int supplierField = cdsAltCotacao.FieldByName(kSupplier).storedIndex();
    const int productField = cdsAltCotacao.FieldByName(kProduct).storedIndex();
    const QString selectedProduct = Cli_Sup01700::stCdProduto;
    // The product and brand codes of each distinct product value are worked out once and
    // numbered, so that the records compare numbers ("" is number 0, as nothing seen yet).
    struct ProductCodes
    {
        int product = -1, brand = -1;
        bool selected = false;
    };
    const host::StringPool& productTexts = table.pool(productField);
    std::vector<ProductCodes> known(productTexts.size());
    QHash<QString, int> productNumbers{{QString(), 0}}, brandNumbers{{QString(), 0}};
    auto numberOf = [](QHash<QString, int>& numbers, const QString& code) {
        auto it = numbers.constFind(code);
        if (it == numbers.constEnd())
            it = numbers.insert(code, int(numbers.size()));
        return it.value();
    };
    auto codesOf = [&](quint32 slot, host::Cell cell) {
        ProductCodes* cached = cell < known.size() ? &known[size_t(cell)] : nullptr;
        if (cached && cached->product >= 0)
            return *cached;
        const QString value = table.text(slot, productField);
        const QString product = productCodeOf(value);
        ProductCodes codes;
        codes.product = numberOf(productNumbers, product);
        codes.brand = numberOf(brandNumbers, brandCodeOf(value));
        codes.selected = product == selectedProduct;
        if (cached)
            *cached = codes;
        return codes;
    };
    host::Cell lastRegion = kNoCell, lastSupplier = kNoCell, productCell = kNoCell;
    ProductCodes current{0, 0, selectedProduct.isEmpty()};
    int lastProduct = 0, lastBrand = 0;
    for (const quint32 slot : cdsAltCotacao.view()) {
        const host::Cell region = table.cell(slot, regionField);
        if (region != lastRegion) {
            ++counts[0].count;
            lastRegion = region;
        }
        const host::Cell supplier = table.cell(slot, supplierField);
        if (supplier != lastSupplier) {
            ++counts[1].count;
            lastSupplier = supplier;
        }
        const host::Cell product = table.cell(slot, productField);
        if (product != productCell) {
            productCell = product;
            current = codesOf(slot, product);
        }
        if (current.product != lastProduct) {
            ++counts[2].count;
            lastProduct = current.product;
        }
        // Only the brands of the selected product.
        if (current.brand != lastBrand && current.selected) {
            ++counts[3].count;
            lastBrand = current.brand;
        }
    }
    for (const Counter& c : counts)
        if (c.wanted && c.count > 0)
            counters.FieldByName(QString::fromLatin1(c.field)).SetAsFloat(double(c.count));
    counters.Post();
}

QStringList Worksheet::DegRegistros(const QString& kind, bool full) const
{
    QString field;
    ValuePart part = nullptr;
    if (kind == QLatin1String("R")) {
        field = kRegion;
        part = full ? whole : regionCodeOf;
    } else if (kind == QLatin1String("F")) {
        field = kSupplier;
        part = full ? whole : supplierCodeOf;
    } else if (kind == QLatin1String("P")) {
        field = kProduct;
        part = full ? beforeBrand : productCodeOf;
    } else if (kind == QLatin1String("M")) {
        field = kProduct;
        part = full ? afterBrand : brandCodeOf;
    } else if (kind == QLatin1String("PM")) {
        field = kProduct;
        part = whole;
    }
    QStringList result;
    if (!part || !cdsAltCotacao.Active())
        return result;

    // Each stored text is looked at once; values equal but for case are one value.
    const host::Table& table = cdsAltCotacao.table();
    const int stored = cdsAltCotacao.FieldByName(field).storedIndex();
    std::vector<bool> seenCells(table.pool(stored).size(), false);
    QSet<QString> seenValues;
    for (const quint32 slot : cdsAltCotacao.view()) {
        const host::Cell cell = table.cell(slot, stored);
        if (cell < seenCells.size()) {
            if (seenCells[cell])
                continue;
            seenCells[cell] = true;
        }
        const QString value = part(table.text(slot, stored));
        const qsizetype before = seenValues.size();
        seenValues.insert(value.toCaseFolded());
        if (seenValues.size() != before)
            result.append(value);
    }
    return result;
}

QString Worksheet::CalcIndex(int col, int row, std::array<QPoint, 3>* coords) const
{
    // A group's label is written in its first column or row only: walk back to it.
    auto walkLeft = [this, col](int labelRow) {
        int c = col;
        while (c >= 0 && degCotacao->Cells(c, labelRow).isEmpty())
            --c;
        return QPoint(c, labelRow);
    };
    int r = row;
    while (r >= 0 && degCotacao->Cells(kProductLabelCol, r).isEmpty())
        --r;
    const std::array<QPoint, 3> at{walkLeft(kRegionLabelRow), walkLeft(kSupplierLabelRow),
                                   QPoint(kProductLabelCol, r)};
    if (coords)
        *coords = at;
    auto label = [this](const QPoint& p, bool found) {
        return found ? degCotacao->Cells(p.x(), p.y()) : QString();
    };
    return label(at[0], at[0].x() >= 0) + label(at[1], at[1].x() >= 0) +
           label(at[2], at[2].y() >= 0);
}

QString Worksheet::RetornaVlr(const QString& kind, bool quoteSafe) const
{
    using namespace Cli_Sup01700;
    QString value;
    if (kind == QLatin1String("P"))
        value = stNmProduto.toUpper() + kCodeSeparator + stCdProduto + kBrandSeparator + stCdMarca +
                kCodeSeparator + stNmMarca;
    else if (kind == QLatin1String("F"))
        value = stCdForneced + kCodeSeparator + stNmForneced;
    else if (kind == QLatin1String("R"))
        value = stCdRegiao + kCodeSeparator + stNmRegiao;
    if (quoteSafe)
        value.replace(QLatin1Char('\''), QStringLiteral("''"));
    return value;
}

QString Worksheet::BuscaCdArvProd(const QString& productCode)
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        return QString();
    host::Query qryVerProduto(*db, QStringLiteral("qryVerProduto"));
    qryVerProduto.LoadSQL(QStringLiteral("SUP01700"));
    qryVerProduto.SetParam(QStringLiteral("P_CDPRODUTO"), productCode);
    qryVerProduto.Open();
    return qryVerProduto.IsEmpty()
               ? QString()
               : qryVerProduto.FieldByName(QStringLiteral("CDARVPROD")).AsString();
}

} // namespace module
