#include "Packet.h"

#include "Exceptions.h"

namespace host {

Packet::Packet(FieldDefs defs) : m_table(std::make_shared<Table>(std::move(defs))) {}

Packet::Packet(std::shared_ptr<Table> table, std::vector<quint32> order)
    : m_table(std::move(table)), m_order(std::move(order))
{
}

const FieldDefs& Packet::fields() const
{
    static const FieldDefs none;
    return m_table ? m_table->defs() : none;
}

qsizetype Packet::rowCount() const
{
    if (!m_table)
        return 0;
    return m_order.empty() ? qsizetype(m_table->slotCount()) : qsizetype(m_order.size());
}

QVariantList Packet::row(qsizetype r) const
{
    QVariantList values;
    values.reserve(fieldCount());
    for (int f = 0; f < fieldCount(); ++f)
        values.append(value(r, f));
    return values;
}

void Packet::detach()
{
    if (!m_table)
        throw EDatabaseError(QStringLiteral("Pacote de dados sem campos."));
    if (m_table.use_count() > 1 || !m_order.empty()) {
        auto copy = std::make_shared<Table>(m_table->defs());
        const qsizetype rows = rowCount();
        copy->reserve(rows);
        for (qsizetype r = 0; r < rows; ++r) {
            const quint32 to = copy->addSlot();
            for (int f = 0; f < copy->fieldCount(); ++f)
                copy->setValue(to, f, value(r, f));
        }
        m_table = std::move(copy);
        m_order.clear();
    }
}

void Packet::appendRow(const QVariantList& values)
{
    detach();
    if (values.size() > m_table->fieldCount())
        throw EDatabaseError(QStringLiteral("Linha com mais valores que campos."));
    const quint32 slot = m_table->addSlot();
    for (int f = 0; f < values.size(); ++f)
        m_table->setValue(slot, f, values[f]);
}

int Delta::indexOf(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString changeOpName(Change::Op op)
{
    switch (op) {
    case Change::Op::Insert:
        return QStringLiteral("insert");
    case Change::Op::Update:
        return QStringLiteral("update");
    case Change::Op::Delete:
        return QStringLiteral("delete");
    }
    return {};
}

} // namespace host
