// The visible order of a data set: filtering, indexes and Locate.

#include "DataSet.h"

#include "DataSetPrivate.h"
#include "Exceptions.h"
#include "FilterExpression.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace host {

namespace {

int sign(qint64 v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Compares two cells of one stored field in index order; nulls first.
int compareCells(const Table& table, int field, Cell a, Cell b, bool ci)
{
    if (a == b)
        return 0;
    const FieldType type = table.type(field);
    const Cell null = Table::nullCell(type);
    if (a == null)
        return -1;
    if (b == null)
        return 1;
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return sign(QString::compare(table.pool(field).at(quint32(a)),
                                     table.pool(field).at(quint32(b)),
                                     ci ? Qt::CaseInsensitive : Qt::CaseSensitive));
    case FieldType::Float: {
        const double x = Table::decodeFloat(a), y = Table::decodeFloat(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Boolean:
    case FieldType::Integer:
    case FieldType::Date:
    case FieldType::DateTime:
        return qint64(a) < qint64(b) ? -1 : (qint64(a) > qint64(b) ? 1 : 0);
    }
    return 0;
}

// Maps every string id of a field to its rank in index order (0 = null), so that a
// full sort compares integers instead of texts.
std::vector<quint32> stringRanks(const StringPool& pool, bool ci)
{
    const quint32 n = pool.size();
    std::vector<quint32> ids(n > 0 ? n - 1 : 0);
    std::iota(ids.begin(), ids.end(), 1u);
    const auto cs = ci ? Qt::CaseInsensitive : Qt::CaseSensitive;
    std::sort(ids.begin(), ids.end(), [&pool, cs](quint32 a, quint32 b) {
        return QString::compare(pool.at(a), pool.at(b), cs) < 0;
    });
    std::vector<quint32> rank(n, 0);
    quint32 r = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i == 0 || QString::compare(pool.at(ids[i - 1]), pool.at(ids[i]), cs) != 0)
            ++r;
        rank[ids[i]] = r;
    }
    return rank;
}

// Order-preserving unsigned key of a non-text cell (nulls smallest).
quint64 sortableKey(FieldType type, Cell c)
{
    if (c == Table::nullCell(type))
        return 0;
    switch (type) {
    case FieldType::Float: {
        quint64 bits = c;
        bits = (bits & 0x8000'0000'0000'0000ULL) ? ~bits : (bits | 0x8000'0000'0000'0000ULL);
        return bits == 0 ? 1 : bits;
    }
    case FieldType::Boolean:
        return c + 1;
    default:
        return (c ^ 0x8000'0000'0000'0000ULL) | (c == 0x8000'0000'0000'0000ULL ? 1 : 0);
    }
}

} // namespace

// --- filter --------------------------------------------------------------------------

void DataSet::compileFilter()
{
    m_filter.reset();
    if (!m_filtered || m_filterText.trimmed().isEmpty())
        return;
    m_filter = std::make_unique<FilterExpression>(m_filterText, *m_table,
                                                  m_filterOptions & FoCaseInsensitive);
}

bool DataSet::passesFilter(quint32 slot)
{
    return !m_filter || m_filter->matches(*m_table, slot);
}

void DataSet::SetFilter(const QString& text)
{
    if (Active())
        CheckBrowseMode();
    const QString previous = m_filterText;
    m_filterText = text;
    if (!Active() || !m_filtered)
        return;
    try {
        compileFilter();
    } catch (...) {
        m_filterText = previous;
        compileFilter();
        throw;
    }
    rebuildView(kNoSlot);
    notifyDataSetChanged();
}

void DataSet::SetFiltered(bool on)
{
    if (Active())
        CheckBrowseMode();
    if (on == m_filtered)
        return;
    m_filtered = on;
    if (!Active())
        return;
    try {
        compileFilter();
    } catch (...) {
        m_filtered = false;
        m_filter.reset();
        throw;
    }
    rebuildView(kNoSlot);
    notifyDataSetChanged();
}

void DataSet::SetFilterOptions(int options)
{
    m_filterOptions = options;
    if (Active() && m_filtered) {
        CheckBrowseMode();
        compileFilter();
        rebuildView(kNoSlot);
        notifyDataSetChanged();
    }
}

// --- view ----------------------------------------------------------------------------

void DataSet::rebuildView(quint32 keepSlot)
{
    m_view.clear();
    const auto n = quint32(m_meta.size());
    m_view.reserve(n);
    for (quint32 s = 0; s < n; ++s)
        if (isLive(s) && passesFilter(s))
            m_view.push_back(s);
    if (const IndexDef* index = currentIndex()) {
        sortView(*index);
    } else if (!m_naturalIsSlotOrder) {
        std::sort(m_view.begin(), m_view.end(),
                  [this](quint32 a, quint32 b) { return m_meta[a].order < m_meta[b].order; });
    }
    m_pos = m_view.empty() ? -1 : 0;
    if (keepSlot != kNoSlot) {
        const auto it = std::find(m_view.begin(), m_view.end(), keepSlot);
        if (it != m_view.end())
            m_pos = int(it - m_view.begin());
    }
    m_bof = m_pos <= 0;
    m_eof = m_view.empty();
}

bool DataSet::placeInView(quint32 slot, bool wasVisible)
{
    const int n = int(m_view.size());
    if (wasVisible && m_pos >= 0 && m_pos < n && m_view[size_t(m_pos)] == slot &&
        passesFilter(slot)) {
        // Most posts leave the record where it is: check its neighbours before moving it.
        const IndexDef* index = currentIndex();
        auto before = [&](quint32 a, quint32 b) {
            return index ? compareSlots(*index, a, b) < 0 : m_meta[a].order < m_meta[b].order;
        };
        const bool afterPrevious = m_pos == 0 || before(m_view[size_t(m_pos - 1)], slot);
        const bool beforeNext = m_pos == n - 1 || before(slot, m_view[size_t(m_pos + 1)]);
        if (afterPrevious && beforeNext) {
            m_eof = m_bof = false;
            return true;
        }
    }
    if (wasVisible) {
        const auto it = m_view.begin() + m_pos;
        if (m_pos >= 0 && m_pos < int(m_view.size()) && *it == slot)
            m_view.erase(it);
        else
            m_view.erase(std::remove(m_view.begin(), m_view.end(), slot), m_view.end());
    }
    if (!passesFilter(slot)) {
        // The record no longer belongs to the filtered view; the next one takes its place.
        clampPosition(m_pos >= int(m_view.size()));
        return false;
    }
    std::vector<quint32>::iterator at;
    if (const IndexDef* index = currentIndex()) {
        at = std::upper_bound(m_view.begin(), m_view.end(), slot,
                              [this, index](quint32 a, quint32 b) {
                                  return compareSlots(*index, a, b) < 0;
                              });
    } else {
        at = std::upper_bound(m_view.begin(), m_view.end(), slot, [this](quint32 a, quint32 b) {
            return m_meta[a].order < m_meta[b].order;
        });
    }
    m_pos = int(at - m_view.begin());
    m_view.insert(at, slot);
    m_eof = m_bof = false;
    return false;
}

// --- indexes -------------------------------------------------------------------------

const DataSet::IndexDef* DataSet::currentIndex() const
{
    const IndexDef* index = nullptr;
    if (m_currentIndex >= 0)
        index = &m_indexes[size_t(m_currentIndex)];
    else if (m_fieldNamesIndex)
        index = m_fieldNamesIndex.get();
    return index && !index->fields.empty() ? index : nullptr;
}

void DataSet::resolveIndex(IndexDef& index) const
{
    index.fields.clear();
    for (const QString& name : index.fieldNames) {
        const int f = m_table->indexOf(name);
        if (f < 0) {
            index.fields.clear();
            return;
        }
        index.fields.push_back(f);
    }
}

int DataSet::compareSlots(const IndexDef& index, quint32 a, quint32 b) const
{
    const bool ci = index.caseInsensitive();
    for (int f : index.fields) {
        int c = compareCells(*m_table, f, m_table->cell(a, f), m_table->cell(b, f), ci);
        if (c != 0)
            return index.descending() ? -c : c;
    }
    const qint64 oa = m_meta[a].order, ob = m_meta[b].order;
    return oa < ob ? -1 : (oa > ob ? 1 : 0);
}

void DataSet::sortView(const IndexDef& index)
{
    // Precompute one sortable key per row and index field, then sort positions.
    const size_t rows = m_view.size();
    const size_t width = index.fields.size();
    std::vector<quint64> keys(rows * width);
    for (size_t k = 0; k < width; ++k) {
        const int f = index.fields[k];
        const FieldType type = m_table->type(f);
        if (isTextType(type)) {
            const std::vector<quint32> rank = stringRanks(m_table->pool(f), index.caseInsensitive());
            for (size_t r = 0; r < rows; ++r)
                keys[r * width + k] = rank[quint32(m_table->cell(m_view[r], f))];
        } else {
            for (size_t r = 0; r < rows; ++r)
                keys[r * width + k] = sortableKey(type, m_table->cell(m_view[r], f));
        }
        if (index.descending())
            for (size_t r = 0; r < rows; ++r)
                keys[r * width + k] = ~keys[r * width + k];
    }
    std::vector<quint32> positions(rows);
    std::iota(positions.begin(), positions.end(), 0u);
    std::sort(positions.begin(), positions.end(), [&](quint32 x, quint32 y) {
        const quint64* kx = &keys[size_t(x) * width];
        const quint64* ky = &keys[size_t(y) * width];
        for (size_t k = 0; k < width; ++k)
            if (kx[k] != ky[k])
                return kx[k] < ky[k];
        return m_meta[m_view[x]].order < m_meta[m_view[y]].order;
    });
    std::vector<quint32> sorted(rows);
    for (size_t i = 0; i < rows; ++i)
        sorted[i] = m_view[positions[i]];
    m_view.swap(sorted);
}

void DataSet::AddIndex(const QString& name, const QString& fields, int options)
{
    if (name.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: índice sem nome.").arg(Name));
    if (HasIndex(name))
        throw EDatabaseError(QStringLiteral("%1: o índice %2 já existe.").arg(Name, name));
    IndexDef index;
    index.name = name;
    index.fieldNames = Internal::splitFieldList(fields);
    index.options = options;
    if (index.fieldNames.isEmpty())
        throw EDatabaseError(QStringLiteral("%1: índice %2 sem campos.").arg(Name, name));
    for (const QString& f : index.fieldNames)
        if (!FindField(f) || FindField(f)->Calculated())
            throw EDatabaseError(
                QStringLiteral("%1: campo \"%2\" do índice %3 não existe.").arg(Name, f, name));
    resolveIndex(index);
    m_indexes.push_back(std::move(index));
}

void DataSet::DeleteIndex(const QString& name)
{
    for (size_t i = 0; i < m_indexes.size(); ++i) {
        if (m_indexes[i].name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const bool wasCurrent = int(i) == m_currentIndex;
        m_indexes.erase(m_indexes.begin() + qsizetype(i));
        if (wasCurrent)
            SetIndexName(QString());
        else if (m_currentIndex > int(i))
            --m_currentIndex;
        return;
    }
    throw EDatabaseError(QStringLiteral("%1: índice %2 não encontrado.").arg(Name, name));
}

bool DataSet::HasIndex(const QString& name) const
{
    return std::any_of(m_indexes.begin(), m_indexes.end(), [&name](const IndexDef& i) {
        return i.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QStringList DataSet::IndexNames() const
{
    QStringList names;
    for (const IndexDef& i : m_indexes)
        names.append(i.name);
    return names;
}

void DataSet::SetIndexName(const QString& name)
{
    int found = -1;
    if (!name.isEmpty()) {
        for (size_t i = 0; i < m_indexes.size() && found < 0; ++i)
            if (m_indexes[i].name.compare(name, Qt::CaseInsensitive) == 0)
                found = int(i);
        if (found < 0)
            throw EDatabaseError(QStringLiteral("%1: índice %2 não encontrado.").arg(Name, name));
    }
    if (Active())
        CheckBrowseMode();
    m_currentIndex = found;
    m_fieldNamesIndex.reset();
    if (Active()) {
        rebuildView(currentSlot());
        notifyDataSetChanged();
    }
}

QString DataSet::IndexName() const
{
    return m_currentIndex >= 0 ? m_indexes[size_t(m_currentIndex)].name : QString();
}

void DataSet::SetIndexFieldNames(const QString& fields)
{
    auto index = std::make_unique<IndexDef>();
    index->fieldNames = Internal::splitFieldList(fields);
    for (const QString& f : index->fieldNames)
        if (!FindField(f) || FindField(f)->Calculated())
            throw EDatabaseError(QStringLiteral("%1: campo \"%2\" não existe.").arg(Name, f));
    if (Active())
        CheckBrowseMode();
    resolveIndex(*index);
    m_currentIndex = -1;
    m_fieldNamesIndex = index->fieldNames.isEmpty() ? nullptr : std::move(index);
    if (Active()) {
        rebuildView(currentSlot());
        notifyDataSetChanged();
    }
}

QString DataSet::IndexFieldNames() const
{
    return m_fieldNamesIndex ? m_fieldNamesIndex->fieldNames.join(QLatin1Char(';')) : QString();
}

// --- Locate --------------------------------------------------------------------------

bool DataSet::cellMatches(int field, Cell cell, const QVariant& wanted, int options) const
{
    const FieldType type = m_table->type(field);
    if (isTextType(type)) {
        static const QString empty;
        const QString& value = cell == StringPool::NullId ? empty : m_table->pool(field).at(quint32(cell));
        const QString w = wanted.toString();
        const auto cs = (options & LoCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (options & LoPartialKey)
            return value.startsWith(w, cs);
        return QString::compare(value, w, cs) == 0;
    }
    if (wanted.isNull())
        return cell == Table::nullCell(type);
    return cell != Table::nullCell(type) && cell == Table::encodeScalar(type, wanted);
}

int DataSet::findInView(const QList<int>& fields, const QVariantList& values, int options) const
{
    const int k = int(fields.size());
    // Converted values, so that a typed "001" finds a number or a date alike.
    QVariantList wanted;
    for (int i = 0; i < k; ++i) {
        QVariant v;
        if (!convertToFieldType(values[i], m_table->type(fields[i]), v))
            return -1;
        wanted.append(isTextType(m_table->type(fields[i])) && v.isNull() ? QVariant(QString()) : v);
    }

    // Binary search when the current index starts with the searched fields.
    const IndexDef* index = currentIndex();
    bool useIndex = index && !index->descending() && int(index->fields.size()) >= k &&
                    (index->caseInsensitive() || !(options & LoCaseInsensitive));
    for (int i = 0; useIndex && i < k; ++i)
        useIndex = index->fields[size_t(i)] == fields[i];
    if (useIndex) {
        const bool ci = index->caseInsensitive();
        const auto cs = ci ? Qt::CaseInsensitive : Qt::CaseSensitive;
        // Negative: the row sorts before the wanted key; 0: the key (or its prefix) matches.
        auto relation = [&](quint32 slot, bool prefixAsEqual) {
            for (int i = 0; i < k; ++i) {
                const int f = fields[i];
                const Cell c = m_table->cell(slot, f);
                int r;
                if (isTextType(m_table->type(f))) {
                    const QString& v = m_table->text(slot, f);
                    const QString w = wanted[i].toString();
                    if (prefixAsEqual && i == k - 1 && (options & LoPartialKey) &&
                        v.startsWith(w, cs))
                        r = 0;
                    else
                        r = sign(QString::compare(v, w, cs));
                } else if (wanted[i].isNull()) {
                    r = c == Table::nullCell(m_table->type(f)) ? 0 : 1;
                } else {
                    const Cell w = Table::encodeScalar(m_table->type(f), wanted[i]);
                    r = compareCells(*m_table, f, c, w, ci);
                }
                if (r != 0)
                    return r;
            }
            return 0;
        };
        auto it = std::partition_point(m_view.begin(), m_view.end(),
                                       [&](quint32 slot) { return relation(slot, false) < 0; });
        for (; it != m_view.end() && relation(*it, true) == 0; ++it) {
            bool all = true;
            for (int i = 0; i < k && all; ++i)
                all = cellMatches(fields[i], m_table->cell(*it, fields[i]), wanted[i], options);
            if (all)
                return int(it - m_view.begin());
        }
        return -1;
    }

    // Otherwise a scan; text tests are remembered per distinct text.
    std::vector<std::vector<quint8>> known(static_cast<size_t>(k));
    for (int row = 0; row < int(m_view.size()); ++row) {
        const quint32 slot = m_view[size_t(row)];
        bool all = true;
        for (int i = 0; i < k && all; ++i) {
            const int f = fields[i];
            const Cell c = m_table->cell(slot, f);
            if (isTextType(m_table->type(f))) {
                auto& cache = known[size_t(i)];
                if (cache.empty())
                    cache.assign(m_table->pool(f).size(), 0);
                quint8& r = cache[quint32(c)];
                if (!r)
                    r = cellMatches(f, c, wanted[i], options) ? 2 : 1;
                all = r == 2;
            } else {
                all = cellMatches(f, c, wanted[i], options);
            }
        }
        if (all)
            return row;
    }
    return -1;
}

namespace {

QVariantList keyValueList(const QVariant& keyValues, int count)
{
    if (count > 1 || keyValues.metaType().id() == QMetaType::QVariantList) {
        const QVariantList list = keyValues.toList();
        if (list.size() == count)
            return list;
        if (count == 1)
            return {keyValues};
        throw EDatabaseError(
            QStringLiteral("Número de valores (%1) diferente do número de campos (%2).")
                .arg(list.size())
                .arg(count));
    }
    return {keyValues};
}

} // namespace

bool DataSet::Locate(const QString& keyFields, const QVariant& keyValues, int options)
{
    requireActive();
    CheckBrowseMode();
    const QStringList names = Internal::splitFieldList(keyFields);
    if (names.isEmpty())
        throw EDatabaseError(QStringLiteral("%1: Locate sem campos.").arg(Name));
    QList<int> fields;
    for (const QString& name : names) {
        const Field& f = FieldByName(name);
        if (f.Calculated())
            throw EDatabaseError(
                QStringLiteral("%1: o campo calculado %2 não pode ser pesquisado.").arg(Name, name));
        fields.append(f.storedIndex());
    }
    const int row = findInView(fields, keyValueList(keyValues, int(fields.size())), options);
    if (row < 0)
        return false;
    if (row != m_pos)
        fireScroll([this, row] { m_pos = row; });
    m_eof = m_bof = false;
    return true;
}

QVariant DataSet::Lookup(const QString& keyFields, const QVariant& keyValues,
                         const QString& resultFields)
{
    requireActive();
    const QStringList names = Internal::splitFieldList(keyFields);
    QList<int> fields;
    for (const QString& name : names)
        fields.append(FieldByName(name).storedIndex());
    const int row = findInView(fields, keyValueList(keyValues, int(fields.size())), 0);
    if (row < 0)
        return {};
    const QStringList results = Internal::splitFieldList(resultFields);
    QVariantList values;
    for (const QString& name : results)
        values.append(valueAt(row, FieldByName(name).Index()));
    return values.size() == 1 ? values.front() : QVariant(values);
}

} // namespace host
