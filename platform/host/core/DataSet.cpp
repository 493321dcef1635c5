#include "DataSet.h"

#include "DataSetPrivate.h"
#include "Exceptions.h"
#include "FilterExpression.h"

#include <algorithm>

namespace host {

namespace Internal {
QStringList splitFieldList(const QString& fields)
{
    QStringList names;
    const QStringList parts = fields.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}
} // namespace Internal

DataSet::DataSet(QString name) : Name(std::move(name)), m_table(std::make_shared<Table>()) {}

DataSet::~DataSet()
{
    const auto observers = m_observers;
    for (DataSetObserver* o : observers)
        o->dataSetDestroyed(*this);
}

// --- structure -----------------------------------------------------------------------

void DataSet::SetFieldDefs(const FieldDefs& defs)
{
    if (Active())
        throw EDatabaseError(
            QStringLiteral("%1: os campos só podem ser definidos com a tabela fechada.").arg(Name));
    m_declared = defs;
    FieldDefs stored;
    for (const FieldDef& d : defs)
        if (!d.calculated)
            stored.append(d);
    m_table = std::make_shared<Table>(stored);
    rebuildFields(stored);
}

FieldDefs DataSet::GetFieldDefs() const
{
    FieldDefs defs;
    for (const auto& f : m_fields)
        defs.append(f->def());
    return defs;
}

void DataSet::rebuildFields(const FieldDefs& stored)
{
    // Keep the Field objects of names that survive: screens hold them and their events.
    std::vector<std::unique_ptr<Field>> old = std::move(m_fields);
    m_fields.clear();
    auto takeOld = [&old](const QString& name) -> std::unique_ptr<Field> {
        for (auto& f : old)
            if (f && f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
                return std::move(f);
        return nullptr;
    };
    auto declaredDef = [this](const QString& name) -> const FieldDef* {
        for (const FieldDef& d : m_declared)
            if (d.name.compare(name, Qt::CaseInsensitive) == 0)
                return &d;
        return nullptr;
    };
    auto add = [&](FieldDef def, int storedIndex, bool declared) {
        const int index = int(m_fields.size());
        if (auto previous = takeOld(def.name)) {
            if (!declared) {
                // Presentation set by the screen at run time wins over the packet's.
                FieldDef kept = previous->def();
                kept.type = def.type;
                kept.size = def.size;
                kept.calculated = false;
                def = kept;
            }
            previous->rebind(def, index, storedIndex);
            m_fields.push_back(std::move(previous));
            return;
        }
        m_fields.push_back(std::make_unique<Field>(*this, def, index, storedIndex));
    };
    for (int i = 0; i < stored.size(); ++i) {
        FieldDef def = stored[i];
        if (const FieldDef* declared = declaredDef(def.name)) {
            const FieldType type = def.type;
            const int size = def.size;
            def = *declared;
            def.type = type;
            def.size = size ? size : declared->size;
            add(def, i, true);
        } else {
            add(def, i, false);
        }
    }
    for (const FieldDef& d : m_declared)
        if (d.calculated)
            add(d, -1, true);
    for (IndexDef& index : m_indexes)
        resolveIndex(index);
    if (m_fieldNamesIndex)
        resolveIndex(*m_fieldNamesIndex);
}

void DataSet::adoptTable(std::shared_ptr<Table> table)
{
    m_table = std::move(table);
    const quint32 n = m_table->slotCount();
    m_meta.assign(n, SlotMeta{});
    for (quint32 i = 0; i < n; ++i)
        m_meta[i].order = qint64(i) * kOrderGap;
    m_orderCeiling = (qint64(n) - 1) * kOrderGap;
    m_naturalIsSlotOrder = true;
    m_changeLog.clear();
    m_changeCount = 0;
    m_buffer.clear();
    m_modified = false;
    m_filter.reset();
}

void DataSet::CreateDataSet()
{
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        Cancel();
    FieldDefs stored;
    for (const FieldDef& d : m_declared)
        if (!d.calculated)
            stored.append(d);
    if (m_declared.isEmpty())
        for (const auto& f : m_fields)
            if (!f->Calculated())
                stored.append(f->def());
    if (stored.isEmpty())
        throw EDatabaseError(QStringLiteral("%1: tabela sem campos.").arg(Name));
    auto table = std::make_shared<Table>(stored);
    rebuildFields(stored);
    adoptTable(std::move(table));
    m_state = DataSetState::Browse;
    compileFilter();
    rebuildView(kNoSlot);
    notifyStateChanged();
    notifyDataSetChanged();
}

void DataSet::SetData(const Packet& packet)
{
    if (!packet.isValid())
        throw EDatabaseError(QStringLiteral("%1: pacote de dados vazio.").arg(Name));
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        Cancel();
    for (const FieldDef& d : m_declared)
        if (!d.calculated && packet.table()->indexOf(d.name) < 0)
            throw EDatabaseError(
                QStringLiteral("%1: o campo %2 não veio nos dados.").arg(Name, d.name));

    std::shared_ptr<Table> table = packet.table();
    if (!packet.order().empty()) {
        // A view of another table: keep only its rows, in its order.
        auto compact = std::make_shared<Table>(table->defs());
        compact->reserve(packet.rowCount());
        for (qsizetype r = 0; r < packet.rowCount(); ++r) {
            const quint32 to = compact->addSlot();
            for (int f = 0; f < compact->fieldCount(); ++f)
                compact->setValue(to, f, packet.value(r, f));
        }
        table = std::move(compact);
    }
    rebuildFields(table->defs());
    adoptTable(std::move(table));
    const bool wasActive = Active();
    m_state = DataSetState::Browse;
    compileFilter();
    rebuildView(kNoSlot);
    if (!wasActive)
        notifyStateChanged();
    notifyDataSetChanged();
    if (AfterScroll)
        AfterScroll(*this);
}

Packet DataSet::Data() const
{
    requireActive();
    std::vector<quint32> order;
    order.reserve(m_meta.size());
    for (quint32 s = 0; s < quint32(m_meta.size()); ++s) {
        const auto st = m_meta[s].status;
        if (st == SlotMeta::Unmodified || st == SlotMeta::Modified || st == SlotMeta::Inserted)
            order.push_back(s);
    }
    if (!m_naturalIsSlotOrder)
        std::sort(order.begin(), order.end(),
                  [this](quint32 a, quint32 b) { return m_meta[a].order < m_meta[b].order; });
    // The rows are shared: the data set copies its table before its next change.
    return Packet(m_table, std::move(order));
}

void DataSet::Close()
{
    if (!Active())
        return;
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        Cancel();
    FieldDefs stored = m_table->defs();
    adoptTable(std::make_shared<Table>(stored));
    m_view.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_state = DataSetState::Inactive;
    notifyStateChanged();
    notifyDataSetChanged();
}

void DataSet::EmptyDataSet()
{
    requireActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        Cancel();
    adoptTable(std::make_shared<Table>(m_table->defs()));
    compileFilter();
    rebuildView(kNoSlot);
    notifyDataSetChanged();
}

Field* DataSet::FindField(const QString& name) const
{
    for (const auto& f : m_fields)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field& DataSet::FieldByName(const QString& name) const
{
    if (Field* f = FindField(name))
        return *f;
    throw EDatabaseError(QStringLiteral("%1: campo \"%2\" não encontrado.").arg(Name, name));
}

// --- helpers -------------------------------------------------------------------------

void DataSet::requireActive() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("%1: a tabela não está aberta.").arg(Name));
}

void DataSet::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    notifyStateChanged();
}

Table& DataSet::mutableTable()
{
    if (m_table.use_count() > 1)
        m_table = std::make_shared<Table>(*m_table);
    return *m_table;
}

bool DataSet::isLive(quint32 slot) const
{
    const auto st = m_meta[slot].status;
    return st == SlotMeta::Unmodified || st == SlotMeta::Modified || st == SlotMeta::Inserted ||
           st == SlotMeta::Pending;
}

quint32 DataSet::currentSlot() const
{
    return m_pos >= 0 && m_pos < int(m_view.size()) ? m_view[size_t(m_pos)] : kNoSlot;
}

void DataSet::logChange(quint32 slot)
{
    m_changeLog.push_back(slot);
    ++m_changeCount;
}

quint32 DataSet::newSlot(qint64 order)
{
    const quint32 slot = mutableTable().addSlot();
    m_meta.resize(size_t(slot) + 1);
    m_meta[slot].order = order;
    m_orderCeiling = std::max(m_orderCeiling, order);
    return slot;
}

qint64 DataSet::orderAfterLast() const
{
    // Records appended one after another would otherwise look at every record each time.
    return m_orderCeiling + kOrderGap;
}

void DataSet::recomputeOrderCeiling()
{
    qint64 last = -kOrderGap;
    for (const SlotMeta& m : m_meta)
        last = std::max(last, m.order);
    m_orderCeiling = last;
}

qint64 DataSet::orderBefore(quint32 slot)
{
    auto previousOrder = [this](qint64 mine) {
        qint64 prev = mine - 2 * kOrderGap;
        for (const SlotMeta& m : m_meta)
            if (m.status != SlotMeta::Free && m.status != SlotMeta::Original && m.order < mine)
                prev = std::max(prev, m.order);
        return prev;
    };
    qint64 mine = m_meta[slot].order;
    qint64 prev = previousOrder(mine);
    if (mine - prev < 2) {
        renumberOrders();
        mine = m_meta[slot].order;
        prev = previousOrder(mine);
    }
    m_naturalIsSlotOrder = false;
    return prev + (mine - prev) / 2;
}

void DataSet::renumberOrders()
{
    std::vector<quint32> slots;
    for (quint32 s = 0; s < quint32(m_meta.size()); ++s)
        if (m_meta[s].status != SlotMeta::Free && m_meta[s].status != SlotMeta::Original)
            slots.push_back(s);
    std::sort(slots.begin(), slots.end(),
              [this](quint32 a, quint32 b) { return m_meta[a].order < m_meta[b].order; });
    for (size_t i = 0; i < slots.size(); ++i)
        m_meta[slots[i]].order = qint64(i) * kOrderGap;
    recomputeOrderCeiling();
}

// --- field values --------------------------------------------------------------------

quint32 DataSet::readSlot() const
{
    return m_peekSlot != kNoSlot ? m_peekSlot : currentSlot();
}

bool DataSet::readsEditBuffer() const
{
    return (m_state == DataSetState::Edit || m_state == DataSetState::Insert) &&
           (m_peekSlot == kNoSlot || m_peekSlot == m_editSlot);
}

DataSet::RowPeek::RowPeek(const DataSet& dataSet, int row)
    : m_dataSet(dataSet), m_previous(dataSet.m_peekSlot)
{
    m_dataSet.m_peekSlot = row >= 0 && row < int(dataSet.m_view.size())
                               ? dataSet.m_view[size_t(row)]
                               : kNoSlot;
}

DataSet::RowPeek::~RowPeek()
{
    m_dataSet.m_peekSlot = m_previous;
}

QVariant DataSet::fieldValue(const Field& field) const
{
    if (field.Calculated())
        return field.OnCalculate ? field.OnCalculate(*this) : QVariant();
    if (readsEditBuffer())
        return m_buffer[size_t(field.storedIndex())];
    const quint32 slot = readSlot();
    return slot == kNoSlot ? QVariant() : m_table->value(slot, field.storedIndex());
}

QVariant DataSet::storedFieldValue(const Field& field) const
{
    if (field.Calculated())
        return fieldValue(field);
    const quint32 slot = readSlot();
    return slot == kNoSlot ? QVariant() : m_table->value(slot, field.storedIndex());
}

bool DataSet::fieldIsNull(const Field& field) const
{
    if (field.Calculated() || readsEditBuffer())
        return fieldValue(field).isNull();
    const quint32 slot = readSlot();
    return slot == kNoSlot || m_table->isNull(slot, field.storedIndex());
}

const QString* DataSet::fieldText(const Field& field) const
{
    // Fast path for reading a stored text field outside editing: no conversion, no copy.
    if (field.Calculated() || !isTextType(field.DataType()) || readsEditBuffer())
        return nullptr;
    const quint32 slot = readSlot();
    return slot == kNoSlot ? nullptr : &m_table->text(slot, field.storedIndex());
}

void DataSet::setFieldValue(Field& field, const QVariant& value)
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw EDatabaseError(QStringLiteral("%1: o registro não está em edição (campo %2).")
                                 .arg(Name, field.FieldName()));
    if (field.Calculated())
        throw EDatabaseError(QStringLiteral("%1: o campo calculado %2 não pode ser alterado.")
                                 .arg(Name, field.FieldName()));
    QVariant converted;
    if (!convertToFieldType(value, field.DataType(), converted))
        throw EDatabaseError(QStringLiteral("\"%1\" não é um valor válido para o campo %2.")
                                 .arg(value.toString(), field.DisplayLabel()));
    if (isTextType(field.DataType()) && field.Size() > 0 && !converted.isNull() &&
        converted.toString().size() > field.Size())
        converted = converted.toString().left(field.Size());

    QVariant& slot = m_buffer[size_t(field.storedIndex())];
    QVariant previous = slot;
    slot = converted;
    if (field.OnValidate) {
        try {
            field.OnValidate(field);
        } catch (...) {
            m_buffer[size_t(field.storedIndex())] = previous;
            throw;
        }
    }
    m_modified = true;
    if (field.OnChange)
        field.OnChange(field);
    notifyRecordChanged(&field);
}

QVariant DataSet::valueAt(int row, int field) const
{
    if (row < 0 || row >= int(m_view.size()))
        return {};
    const RowPeek peek(*this, row);
    return fieldValue(Fields(field));
}

// --- cursor --------------------------------------------------------------------------

void DataSet::fireScroll(const std::function<void()>& move)
{
    if (BeforeScroll)
        BeforeScroll(*this);
    move();
    if (AfterScroll)
        AfterScroll(*this);
    notifyScrolled();
}

void DataSet::First()
{
    requireActive();
    CheckBrowseMode();
    fireScroll([this] {
        m_pos = m_view.empty() ? -1 : 0;
        m_bof = true;
        m_eof = m_view.empty();
    });
}

void DataSet::Last()
{
    requireActive();
    CheckBrowseMode();
    fireScroll([this] {
        m_pos = int(m_view.size()) - 1;
        m_eof = true;
        m_bof = m_view.empty();
    });
}

void DataSet::Next()
{
    MoveBy(1);
}

void DataSet::Prior()
{
    MoveBy(-1);
}

int DataSet::MoveBy(int distance)
{
    requireActive();
    CheckBrowseMode();
    const int n = int(m_view.size());
    if (n == 0) {
        m_eof = m_bof = true;
        return 0;
    }
    const int target = std::clamp(m_pos + distance, 0, n - 1);
    const int moved = target - m_pos;
    if (moved != 0)
        fireScroll([this, target] { m_pos = target; });
    m_eof = distance > 0 && moved < distance;
    m_bof = distance < 0 && moved > distance;
    return moved;
}

int DataSet::RecNo() const
{
    return m_pos + 1;
}

void DataSet::SetRecNo(int recNo)
{
    requireActive();
    CheckBrowseMode();
    if (m_view.empty())
        return;
    const int target = std::clamp(recNo - 1, 0, int(m_view.size()) - 1);
    if (target != m_pos)
        fireScroll([this, target] {
            m_pos = target;
            m_eof = m_bof = false;
        });
}

Bookmark DataSet::GetBookmark() const
{
    const quint32 slot = currentSlot();
    return slot == kNoSlot ? kNoBookmark : Bookmark(slot);
}

bool DataSet::BookmarkValid(Bookmark bookmark) const
{
    if (bookmark < 0 || bookmark >= Bookmark(m_meta.size()) || !isLive(quint32(bookmark)))
        return false;
    return std::find(m_view.begin(), m_view.end(), quint32(bookmark)) != m_view.end();
}

void DataSet::GotoBookmark(Bookmark bookmark)
{
    requireActive();
    CheckBrowseMode();
    const auto it = bookmark < 0 ? m_view.end()
                                 : std::find(m_view.begin(), m_view.end(), quint32(bookmark));
    if (it == m_view.end())
        throw EDatabaseError(QStringLiteral("%1: registro não encontrado.").arg(Name));
    const int target = int(it - m_view.begin());
    fireScroll([this, target] {
        m_pos = target;
        m_eof = m_bof = false;
    });
}

// --- editing -------------------------------------------------------------------------

void DataSet::CheckBrowseMode()
{
    requireActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert) {
        if (m_modified)
            Post();
        else
            Cancel();
    }
}

void DataSet::Insert()
{
    beginInsert(false);
}

void DataSet::Append()
{
    beginInsert(true);
}

void DataSet::beginInsert(bool append)
{
    requireActive();
    CheckBrowseMode();
    if (BeforeInsert)
        BeforeInsert(*this);
    if (BeforeScroll)
        BeforeScroll(*this);
    // Insert places the new record before the current one, Append after the last.
    const quint32 current = append ? kNoSlot : currentSlot();
    const qint64 order = current == kNoSlot ? orderAfterLast() : orderBefore(current);
    const quint32 slot = newSlot(order);
    m_meta[slot].status = SlotMeta::Pending;
    const int at = append || m_pos < 0 ? int(m_view.size()) : m_pos;
    m_view.insert(m_view.begin() + at, slot);
    m_pos = at;
    m_eof = m_bof = false;
    m_editSlot = slot;
    m_buffer.assign(size_t(m_table->fieldCount()), QVariant());
    setState(DataSetState::Insert);
    try {
        if (OnNewRecord)
            OnNewRecord(*this);
    } catch (...) {
        Cancel();
        throw;
    }
    m_modified = false;
    notifyDataSetChanged();
    if (AfterInsert)
        AfterInsert(*this);
    if (AfterScroll)
        AfterScroll(*this);
}

void DataSet::Edit()
{
    requireActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (m_view.empty()) {
        Insert();
        return;
    }
    if (BeforeEdit)
        BeforeEdit(*this);
    const quint32 slot = currentSlot();
    m_buffer.resize(size_t(m_table->fieldCount()));
    for (int f = 0; f < m_table->fieldCount(); ++f)
        m_buffer[size_t(f)] = m_table->value(slot, f);
    m_editSlot = slot;
    m_modified = false;
    setState(DataSetState::Edit);
    if (AfterEdit)
        AfterEdit(*this);
}

void DataSet::Post()
{
    requireActive();
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw EDatabaseError(QStringLiteral("%1: não há registro em edição para gravar.").arg(Name));
    if (BeforePost)
        BeforePost(*this);

    Table& table = mutableTable();
    const quint32 slot = m_editSlot;
    const int nf = table.fieldCount();
    std::vector<Cell> cells(static_cast<size_t>(nf));
    for (int f = 0; f < nf; ++f)
        cells[size_t(f)] = table.encode(f, m_buffer[size_t(f)]);

    SlotMeta& meta = m_meta[slot];
    const bool inserted = m_state == DataSetState::Insert;
    std::vector<int> changedFields;
    if (inserted) {
        for (int f = 0; f < nf; ++f)
            table.setCell(slot, f, cells[size_t(f)]);
        if (LogChanges) {
            meta.status = SlotMeta::Inserted;
            logChange(slot);
        } else {
            meta.status = SlotMeta::Unmodified;
        }
    } else {
        for (int f = 0; f < nf; ++f)
            if (table.cell(slot, f) != cells[size_t(f)])
                changedFields.push_back(f);
        if (!changedFields.empty()) {
            if (LogChanges && meta.status == SlotMeta::Unmodified) {
                const quint32 orig = newSlot(0);
                table.copySlot(slot, orig);
                SlotMeta& m = m_meta[slot];  // newSlot may have moved the vector
                m_meta[orig].status = SlotMeta::Original;
                m.orig = orig;
                m.status = SlotMeta::Modified;
                logChange(slot);
            }
            for (int f = 0; f < nf; ++f)
                table.setCell(slot, f, cells[size_t(f)]);
        }
    }
    m_buffer.clear();
    m_modified = false;
    m_state = DataSetState::Browse;
    const bool keptPlace = placeInView(slot, true);
    notifyStateChanged();
    if (inserted || !keptPlace) {
        notifyDataSetChanged();
    } else {
        // Only the record's values changed: the controls redraw it, the views that depend
        // on those fields only look again.
        for (const int stored : changedFields)
            for (const auto& field : m_fields)
                if (field->storedIndex() == stored)
                    notifyRecordChanged(field.get());
    }
    if (AfterPost)
        AfterPost(*this);
}

void DataSet::Cancel()
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    if (BeforeCancel)
        BeforeCancel(*this);
    if (m_state == DataSetState::Insert) {
        const quint32 slot = m_editSlot;
        m_meta[slot].status = SlotMeta::Free;
        const auto it = std::find(m_view.begin(), m_view.end(), slot);
        if (it != m_view.end())
            m_view.erase(it);
        clampPosition(false);
    }
    m_buffer.clear();
    m_modified = false;
    setState(DataSetState::Browse);
    notifyDataSetChanged();
    if (AfterCancel)
        AfterCancel(*this);
}

void DataSet::Delete()
{
    requireActive();
    if (m_state == DataSetState::Insert) {
        Cancel();
        return;
    }
    CheckBrowseMode();
    if (m_view.empty())
        throw EDatabaseError(QStringLiteral("%1: não há registro para excluir.").arg(Name));
    if (BeforeDelete)
        BeforeDelete(*this);
    if (BeforeScroll)
        BeforeScroll(*this);
    const quint32 slot = currentSlot();
    SlotMeta& meta = m_meta[slot];
    switch (meta.status) {
    case SlotMeta::Inserted:
        meta.status = SlotMeta::Free;
        --m_changeCount;
        break;
    case SlotMeta::Modified:
        meta.status = SlotMeta::Deleted;
        break;
    default:
        if (LogChanges) {
            meta.status = SlotMeta::Deleted;
            logChange(slot);
        } else {
            meta.status = SlotMeta::Free;
        }
        break;
    }
    const bool wasLast = m_pos == int(m_view.size()) - 1;
    m_view.erase(m_view.begin() + m_pos);
    clampPosition(wasLast);
    notifyDataSetChanged();
    if (AfterDelete)
        AfterDelete(*this);
    if (AfterScroll)
        AfterScroll(*this);
}

void DataSet::clampPosition(bool deletedLast)
{
    const int n = int(m_view.size());
    if (n == 0) {
        m_pos = -1;
        m_eof = m_bof = true;
        return;
    }
    if (m_pos >= n || m_pos < 0) {
        m_pos = m_pos < 0 ? 0 : n - 1;
        deletedLast = true;
    }
    m_eof = deletedLast;
    m_bof = false;
}

// --- change log ----------------------------------------------------------------------

host::Delta DataSet::Delta() const
{
    host::Delta delta;
    delta.fields = m_table->defs();
    const int nf = m_table->fieldCount();
    auto rowOf = [this, nf](quint32 slot) {
        QVariantList values;
        values.reserve(nf);
        for (int f = 0; f < nf; ++f)
            values.append(m_table->value(slot, f));
        return values;
    };
    for (quint32 slot : m_changeLog) {
        const SlotMeta& meta = m_meta[slot];
        Change change;
        switch (meta.status) {
        case SlotMeta::Inserted:
            change.op = Change::Op::Insert;
            change.newValues = rowOf(slot);
            break;
        case SlotMeta::Modified:
            change.op = Change::Op::Update;
            change.oldValues = rowOf(meta.orig);
            change.newValues = rowOf(slot);
            break;
        case SlotMeta::Deleted:
            change.op = Change::Op::Delete;
            change.oldValues = rowOf(meta.orig != kNoSlot ? meta.orig : slot);
            break;
        default:
            continue;  // inserted and deleted again: nothing to send
        }
        delta.changes.push_back(std::move(change));
    }
    return delta;
}

host::UpdateStatus DataSet::UpdateStatus() const
{
    const quint32 slot = m_state == DataSetState::Browse ? currentSlot() : m_editSlot;
    if (slot == kNoSlot || slot >= m_meta.size())
        return host::UpdateStatus::Unmodified;
    switch (m_meta[slot].status) {
    case SlotMeta::Modified:
        return host::UpdateStatus::Modified;
    case SlotMeta::Inserted:
    case SlotMeta::Pending:
        return host::UpdateStatus::Inserted;
    case SlotMeta::Deleted:
        return host::UpdateStatus::Deleted;
    default:
        return host::UpdateStatus::Unmodified;
    }
}

void DataSet::MergeChangeLog()
{
    requireActive();
    for (quint32 slot : m_changeLog) {
        SlotMeta& meta = m_meta[slot];
        if (meta.orig != kNoSlot) {
            m_meta[meta.orig].status = SlotMeta::Free;
            meta.orig = kNoSlot;
        }
        if (meta.status == SlotMeta::Deleted)
            meta.status = SlotMeta::Free;
        else if (meta.status == SlotMeta::Modified || meta.status == SlotMeta::Inserted)
            meta.status = SlotMeta::Unmodified;
    }
    m_changeLog.clear();
    m_changeCount = 0;
}

void DataSet::CancelUpdates()
{
    requireActive();
    Cancel();
    const quint32 current = currentSlot();
    Table& table = mutableTable();
    for (quint32 slot : m_changeLog) {
        SlotMeta& meta = m_meta[slot];
        if (meta.status == SlotMeta::Inserted) {
            meta.status = SlotMeta::Free;
            continue;
        }
        if (meta.status != SlotMeta::Modified && meta.status != SlotMeta::Deleted)
            continue;
        if (meta.orig != kNoSlot) {
            table.copySlot(meta.orig, slot);
            m_meta[meta.orig].status = SlotMeta::Free;
            meta.orig = kNoSlot;
        }
        meta.status = SlotMeta::Unmodified;
    }
    m_changeLog.clear();
    m_changeCount = 0;
    if (m_filter)
        compileFilter();
    rebuildView(current != kNoSlot && isLive(current) ? current : kNoSlot);
    notifyDataSetChanged();
}

// --- snapshots -----------------------------------------------------------------------

struct DataSet::Snapshot::State
{
    std::shared_ptr<Table> table;
    std::vector<SlotMeta> meta;
    std::vector<quint32> changeLog;
    int changeCount = 0;
    bool naturalIsSlotOrder = true;
    quint32 current = kNoSlot;
};

DataSet::Snapshot::Snapshot() = default;
DataSet::Snapshot::~Snapshot() = default;
DataSet::Snapshot::Snapshot(const Snapshot&) = default;
DataSet::Snapshot& DataSet::Snapshot::operator=(const Snapshot&) = default;

DataSet::Snapshot DataSet::TakeSnapshot() const
{
    requireActive();
    if (m_state != DataSetState::Browse)
        throw EDatabaseError(QStringLiteral("%1: a tabela está em edição.").arg(Name));
    auto state = std::make_shared<Snapshot::State>();
    // Sharing the table: the next change of either copy clones it first.
    state->table = m_table;
    state->meta = m_meta;
    state->changeLog = m_changeLog;
    state->changeCount = m_changeCount;
    state->naturalIsSlotOrder = m_naturalIsSlotOrder;
    state->current = currentSlot();
    Snapshot snapshot;
    snapshot.m_state = std::move(state);
    return snapshot;
}

void DataSet::RestoreSnapshot(const Snapshot& snapshot)
{
    requireActive();
    if (!snapshot.valid())
        throw EDatabaseError(QStringLiteral("%1: nada a restaurar.").arg(Name));
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        Cancel();
    const Snapshot::State& state = *snapshot.m_state;
    m_table = state.table;
    m_meta = state.meta;
    recomputeOrderCeiling();
    m_changeLog = state.changeLog;
    m_changeCount = state.changeCount;
    m_naturalIsSlotOrder = state.naturalIsSlotOrder;
    m_buffer.clear();
    m_modified = false;
    if (m_filter)
        compileFilter();
    rebuildView(state.current != kNoSlot && state.current < m_meta.size() && isLive(state.current)
                    ? state.current
                    : kNoSlot);
    notifyDataSetChanged();
}

// --- controls ------------------------------------------------------------------------

void DataSet::DisableControls()
{
    ++m_disableCount;
}

void DataSet::EnableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0) {
        m_pendingRefresh = false;
        notifyDataSetChanged();
    }
}

void DataSet::addObserver(DataSetObserver* observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void DataSet::removeObserver(DataSetObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void DataSet::notifyDataSetChanged()
{
    if (m_disableCount > 0) {
        m_pendingRefresh = true;
        return;
    }
    const auto observers = m_observers;
    for (DataSetObserver* o : observers)
        o->dataSetChanged(*this);
}

void DataSet::notifyScrolled()
{
    if (m_disableCount > 0)
        return;
    const auto observers = m_observers;
    for (DataSetObserver* o : observers)
        o->recordScrolled(*this);
}

void DataSet::notifyRecordChanged(Field* field)
{
    if (m_disableCount > 0)
        return;
    const auto observers = m_observers;
    for (DataSetObserver* o : observers)
        o->recordChanged(*this, field);
}

void DataSet::notifyStateChanged()
{
    if (m_disableCount > 0)
        return;
    const auto observers = m_observers;
    for (DataSetObserver* o : observers)
        o->stateChanged(*this);
}

} // namespace host
