#pragma once

#include "Table.h"

#include <QMetaType>
#include <QVariantList>
#include <memory>

namespace host {

// A data packet: field metadata plus rows, as the application server sends and receives
// tables. Cheap to copy (the rows are shared); a data set adopts the rows without copying.
class Packet
{
public:
    Packet() = default;
    explicit Packet(FieldDefs defs);
    explicit Packet(std::shared_ptr<Table> table, std::vector<quint32> order = {});

    bool isValid() const { return bool(m_table); }
    const FieldDefs& fields() const;
    int fieldCount() const { return m_table ? m_table->fieldCount() : 0; }
    qsizetype rowCount() const;
    // Slot of row i in the shared table.
    quint32 slot(qsizetype row) const { return m_order.empty() ? quint32(row) : m_order[size_t(row)]; }

    QVariant value(qsizetype row, int field) const { return m_table->value(slot(row), field); }
    QVariantList row(qsizetype row) const;
    // Appends a row of values in field order (missing trailing values are null).
    void appendRow(const QVariantList& values);

    const std::shared_ptr<Table>& table() const { return m_table; }
    // Rows in their order when the packet was made from a view of a table, empty otherwise.
    const std::vector<quint32>& order() const { return m_order; }

private:
    void detach();

    std::shared_ptr<Table> m_table;
    std::vector<quint32> m_order;
};

// One change of a change packet.
struct Change
{
    enum class Op { Insert, Update, Delete };
    Op op = Op::Insert;
    QVariantList oldValues;  // update and delete
    QVariantList newValues;  // insert and update
};

// The changes of a data set since its last merge: inserted rows, modified rows with
// their original and current values, deleted rows with their original values.
struct Delta
{
    FieldDefs fields;
    std::vector<Change> changes;

    bool isEmpty() const { return changes.empty(); }
    int indexOf(const QString& name) const;
};

QString changeOpName(Change::Op op);

} // namespace host

Q_DECLARE_METATYPE(host::Packet)
Q_DECLARE_METATYPE(host::Delta)
