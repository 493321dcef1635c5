#pragma once

#include "FieldDef.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

namespace host {

// One stored value. Text fields keep an id into the field's string pool; the other
// types keep their value in the 64 bits (see the encoding in Table.cpp).
using Cell = quint64;

// Distinct texts of one field, each stored once: a quotation repeats the same region,
// supplier and product texts over and over, so rows only keep small ids.
class StringPool
{
public:
    static constexpr quint32 NullId = 0;

    StringPool();
    quint32 intern(const QString& text);
    // Id of an already known text, or NullId when the text was never stored.
    quint32 find(const QString& text) const;
    const QString& at(quint32 id) const { return m_strings[id]; }
    quint32 size() const { return quint32(m_strings.size()); }
    void reserve(qsizetype n);

private:
    std::vector<QString> m_strings;
    QHash<QString, quint32> m_ids;
};

// Rows of cells for a fixed list of stored fields. Rows are addressed by a slot number
// that never changes while the table lives; the order the user sees is kept elsewhere.
class Table
{
public:
    explicit Table(FieldDefs defs = {});

    const FieldDefs& defs() const { return m_defs; }
    int fieldCount() const { return m_fieldCount; }
    int indexOf(const QString& name) const;  // -1 when absent
    FieldType type(int field) const { return m_defs[field].type; }

    quint32 slotCount() const { return quint32(m_fieldCount ? m_cells.size() / m_fieldCount : m_rows); }
    quint32 addSlot();  // a row of nulls
    void copySlot(quint32 from, quint32 to);
    void reserve(qsizetype rows);
    void clear();

    Cell cell(quint32 slot, int field) const { return m_cells[size_t(slot) * m_fieldCount + field]; }
    void setCell(quint32 slot, int field, Cell c) { m_cells[size_t(slot) * m_fieldCount + field] = c; }

    bool isNull(quint32 slot, int field) const;
    QVariant value(quint32 slot, int field) const;
    // Converts the value to the field's type; throws EDatabaseError when it cannot.
    void setValue(quint32 slot, int field, const QVariant& value);
    // Text of a text field (empty for null); other types: use value().
    const QString& text(quint32 slot, int field) const;

    StringPool& pool(int field) { return m_pools[field]; }
    const StringPool& pool(int field) const { return m_pools[field]; }

    // Cell encoding, shared with the decoders that fill tables directly.
    Cell encode(int field, const QVariant& value);
    QVariant decode(int field, Cell c) const;
    static Cell nullCell(FieldType type);
    // Cell of a value of a non-text type (converted as convertToFieldType does);
    // throws EDatabaseError when the value does not fit the type.
    static Cell encodeScalar(FieldType type, const QVariant& value);
    static Cell encodeInteger(qint64 v) { return Cell(v); }
    static Cell encodeFloat(double v);
    static Cell encodeBoolean(bool v) { return v ? 1 : 0; }
    static Cell encodeDate(const QDate& d);
    static Cell encodeDateTime(const QDateTime& dt);
    static qint64 decodeInteger(Cell c) { return qint64(c); }
    static double decodeFloat(Cell c);
    static QDate decodeDate(Cell c) { return QDate::fromJulianDay(qint64(c)); }
    static QDateTime decodeDateTime(Cell c);

private:
    FieldDefs m_defs;
    int m_fieldCount = 0;
    quint32 m_rows = 0;  // only used when there are no fields
    std::vector<Cell> m_cells;
    std::vector<StringPool> m_pools;
};

// Converts a value to the given field type the way a data set field accepts it
// (text "12,5" for a float in the operator's locale, ISO or dd/MM/yyyy dates, ...).
// Returns false when it cannot.
bool convertToFieldType(const QVariant& in, FieldType type, QVariant& out);

} // namespace host
