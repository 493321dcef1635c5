// The detail lines of the worksheet: lookups, order, and the item table's events that
// keep one line per item in step with the items.

#include "DetailList.h"

#include "Worksheet.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/consiste/DisplayFormat.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <cstring>

namespace module {

namespace {

const QString kRegion = QStringLiteral("COCREGIAO");
const QString kSupplier = QStringLiteral("COCFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");

// Texts compared without regard to case. Neighbouring lines share long beginnings (their
// region and supplier), so the part that is equal letter for letter is skipped first.
int compareWithoutCase(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    qsizetype i = 0;
    while (i + 4 <= common && std::memcmp(pa + i, pb + i, 4 * sizeof(char16_t)) == 0)
        i += 4;
    while (i < common && pa[i] == pb[i])
        ++i;
    // A character of two code units is compared whole.
    if (i > 0 && QChar::isHighSurrogate(pa[i - 1]))
        --i;
    return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive);
}

// The order of the lines: their texts without regard to case.
bool lineBefore(const QString& a, const QString& b)
{
    return compareWithoutCase(a, b) < 0;
}

// How a line's beginning compares with a key (the line cut to the key's length).
int comparePrefix(const QString& line, const QString& key)
{
    return compareWithoutCase(QStringView(line).left(key.size()), key);
}

QString itemKey(const host::DataSet& items, const QString& productValue)
{
    return items.FieldByName(kRegion).AsString() + items.FieldByName(kSupplier).AsString() +
           productValue;
}

QString textAfter(const QString& text, const QString& separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.mid(at + separator.size());
}

} // namespace

int PesqBinaria(const QStringList& list, const QString& key, bool first)
{
    int lo = 0, hi = int(list.size()) - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int order = comparePrefix(list.at(mid), key);
        if (order < 0) {
            lo = mid + 1;
        } else if (order > 0) {
            hi = mid - 1;
        } else {
            int found = mid;
            while (first && found > 0 && comparePrefix(list.at(found - 1), key) == 0)
                --found;
            return found;
        }
    }
    return -1;
}

int LocateCotacao(const QStringList& list, const QString& key, DetailLine& fields)
{
    const int index = PesqBinaria(list, key + kPriceSeparator);
    fields = index < 0 ? DetailLine{} : DetailLine::parse(list.at(index));
    return index;
}

int FindString(const QStringList& list, const QString& text)
{
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).contains(text))
            return i;
    return -1;
}

void setDetailText(QStringList& list, const QString& text)
{
    list = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    sortDetailLines(list);
}

void sortDetailLines(QStringList& list)
{
    // The server sends the lines in order already; checking costs one pass.
    if (!std::is_sorted(list.begin(), list.end(), lineBefore))
        std::sort(list.begin(), list.end(), lineBefore);
}

void placeDetailLine(QStringList& list, int replaced, const QString& line)
{
    if (replaced >= 0)
        list.removeAt(replaced);
    const auto at = std::lower_bound(list.begin(), list.end(), line, lineBefore);
    list.insert(at, line);
}

QString changedItemLine(const QString& key, double price, const QString& treeCode)
{
    return detailLine(key, price, price, price, 0.0, QString(), 0.0, true, treeCode).text();
}

// ---- the item table's events ---------------------------------------------------------------

// An insert and an edit are told apart by the table's Tag until the post.
void Worksheet::cdsAltCotacaoAfterInsert()
{
    cdsAltCotacao.Tag = 0;
}

void Worksheet::cdsAltCotacaoAfterEdit()
{
    cdsAltCotacao.Tag = 99;
}

void Worksheet::cdsAltCotacaoAfterPost()
{
    // While a load fills the table the server's lines are the ones to keep.
    if (m_loading)
        return;
    if (m_batchDepth == 0)
        m_form.BarraFerramenta();
    QStringList* lines = Cli_Sup01700::stlCotacao.get();
    if (!lines)
        return;
    if (m_appendLines && cdsAltCotacao.Tag != 99) {
        // A batch adds new items only: their lines go to the end, sorted when it ends.
        const QString ownProduct = cdsAltCotacao.FieldByName(kProduct).AsString();
        lines->append(changedItemLine(itemKey(cdsAltCotacao, ownProduct),
                                      cdsAltCotacao.FieldByName(QStringLiteral("CONTA")).AsFloat(),
                                      batchTreeCode(productCodeOf(ownProduct))));
        m_linesAppended = true;
        return;
    }
    // An edited item is looked up by the product of the selection: the edit may have
    // changed the item's own product value (a brand change).
    QString product;
    if (cdsAltCotacao.Tag == 99) {
        product = RetornaVlr(QStringLiteral("P"));
        cdsAltCotacao.Tag = 0;
    } else {
        product = cdsAltCotacao.FieldByName(kProduct).AsString();
    }
    const int index = PesqBinaria(*lines, itemKey(cdsAltCotacao, product) + kPriceSeparator);
    const QString ownProduct = cdsAltCotacao.FieldByName(kProduct).AsString();
    const QString key = itemKey(cdsAltCotacao, ownProduct);
    const double price = cdsAltCotacao.FieldByName(QStringLiteral("CONTA")).AsFloat();
    if (index < 0) {
        placeDetailLine(*lines, index,
                        changedItemLine(key, price, BuscaCdArvProd(productCodeOf(ownProduct))));
        return;
    }
    // The item's line keeps what the server told of it (quantity, unit, economic prices,
    // discount, tree code): only its price and the changed mark are the client's.
    DetailLine line = DetailLine::parse(lines->at(index));
    line.key = key;
    line.unitPrice = host::FormatFloat(QStringLiteral("#,##0.00000"), price);
    line.changed = QStringLiteral("S");
    line.treeCode = textAfter(lines->at(index), kTreeSeparator);
    placeDetailLine(*lines, index, line.text());
}

// ---- item batches ---------------------------------------------------------------------------

void Worksheet::beginItemBatch(bool appendLines)
{
    if (m_batchDepth++ == 0) {
        m_appendLines = appendLines;
        m_linesAppended = false;
        m_batchTreeCodes.clear();
    }
}

void Worksheet::endItemBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    m_appendLines = false;
    m_batchTreeCodes.clear();
    if (m_linesAppended && Cli_Sup01700::stlCotacao)
        sortDetailLines(*Cli_Sup01700::stlCotacao);
    m_linesAppended = false;
    m_form.BarraFerramenta();
}

QString Worksheet::batchTreeCode(const QString& productCode)
{
    const auto known = m_batchTreeCodes.constFind(productCode);
    if (known != m_batchTreeCodes.cend())
        return *known;
    const QString treeCode = BuscaCdArvProd(productCode);
    m_batchTreeCodes.insert(productCode, treeCode);
    return treeCode;
}

void Worksheet::addDisplayCopy()
{
    if (!cdsAltCotacao.Active() || cdsAltCotacao.RecordCount() != 1)
        return;
    cdsAltCotacao.First();
    QVariantList values;
    for (int f = 0; f < cdsAltCotacao.FieldCount(); ++f)
        values.append(cdsAltCotacao.Fields(f).Value());
    const QScopedValueRollback<bool> noLine(m_loading, true);
    const QScopedValueRollback<bool> unlogged(cdsAltCotacao.LogChanges, false);
    cdsAltCotacao.Append();
    for (int f = 0; f < cdsAltCotacao.FieldCount(); ++f)
        cdsAltCotacao.Fields(f).SetValue(values.at(f));
    cdsAltCotacao.Post();
}

void Worksheet::cdsAltCotacaoBeforeDelete()
{
    QStringList* lines = Cli_Sup01700::stlCotacao.get();
    if (!lines)
        return;
    const int index =
        PesqBinaria(*lines, itemKey(cdsAltCotacao, cdsAltCotacao.FieldByName(kProduct).AsString()) +
                                kPriceSeparator);
    if (index >= 0)
        lines->removeAt(index);
}

} // namespace module
