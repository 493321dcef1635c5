#pragma once

#include "DataSetObserver.h"
#include "Field.h"
#include "Packet.h"
#include "Table.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace host {

class FilterExpression;

enum class DataSetState { Inactive, Browse, Edit, Insert };
enum class UpdateStatus { Unmodified, Modified, Inserted, Deleted };

enum LocateOption { LoCaseInsensitive = 1, LoPartialKey = 2 };
enum IndexOption { IxCaseInsensitive = 1, IxDescending = 2 };
enum FilterOption { FoCaseInsensitive = 1 };

// Position of a record that survives scrolling, filtering and index changes.
using Bookmark = qint64;
constexpr Bookmark kNoBookmark = -1;

// The in-memory table of the screens (their "cds..." tables): fields, a cursor, the
// states Browse/Edit/Insert with their events, text filters, named indexes, Locate,
// and a change log whose delta is what a save sends to the application server.
//
// Rows live in a Table addressed by slots; what the cursor walks is the view: the live
// rows in natural order or in the order of the current index, keeping only those that
// pass the filter. Loading a packet adopts its rows without copying them.
class DataSet
{
public:
    explicit DataSet(QString name = QString());
    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    QString Name;  // shown in error messages, e.g. "cdsColetapr"
    int Tag = 0;

    // --- structure -------------------------------------------------------------
    // Declares the fields (stored and calculated) of the table; allowed while inactive.
    // Declared fields keep their presentation and events across loads.
    void SetFieldDefs(const FieldDefs& defs);
    FieldDefs GetFieldDefs() const;
    // Opens an empty table with the declared fields.
    void CreateDataSet();
    // Replaces the rows (and, without declared fields, the structure) with a packet's;
    // opens the table on its first record. Clears the change log.
    void SetData(const Packet& packet);
    // Live rows in natural order, all of them whatever the filter.
    Packet Data() const;
    void Close();
    bool Active() const { return m_state != DataSetState::Inactive; }
    // Removes every row and clears the change log (the table stays open).
    void EmptyDataSet();

    int FieldCount() const { return int(m_fields.size()); }
    Field& Fields(int index) const { return *m_fields[size_t(index)]; }
    Field* FindField(const QString& name) const;
    Field& FieldByName(const QString& name) const;  // throws when absent

    // --- cursor ----------------------------------------------------------------
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    int RecNo() const;  // 1-based; 0 when empty
    void SetRecNo(int recNo);
    int RecordCount() const { return int(m_view.size()); }
    bool IsEmpty() const { return m_view.empty(); }
    Bookmark GetBookmark() const;
    bool BookmarkValid(Bookmark bookmark) const;
    void GotoBookmark(Bookmark bookmark);

    // --- editing ---------------------------------------------------------------
    DataSetState State() const { return m_state; }
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Posts a modified record, cancels an untouched one.
    void CheckBrowseMode();
    bool Modified() const { return m_modified; }
    // When false, edits are not logged (the rows just change).
    bool LogChanges = true;

    // --- filters ---------------------------------------------------------------
    // Text such as "[CDREGIAO] = '001' and [COCPRODUTO] LIKE '%x%'". A malformed text
    // raises EFilterError when the filter is switched on (or set while on).
    void SetFilter(const QString& text);
    const QString& Filter() const { return m_filterText; }
    void SetFiltered(bool on);
    bool Filtered() const { return m_filtered; }
    void SetFilterOptions(int options);
    int FilterOptions() const { return m_filterOptions; }

    // --- indexes ---------------------------------------------------------------
    void AddIndex(const QString& name, const QString& fields, int options = 0);
    void DeleteIndex(const QString& name);
    bool HasIndex(const QString& name) const;
    QStringList IndexNames() const;
    // Empty name: natural order.
    void SetIndexName(const QString& name);
    QString IndexName() const;
    // Orders by the given fields ("A;B"), case-sensitive, without a named index.
    void SetIndexFieldNames(const QString& fields);
    QString IndexFieldNames() const;

    // --- search ----------------------------------------------------------------
    // Moves to the first record (in the current order, through the filter) whose fields
    // ("A;B", blanks allowed) hold the values; a single value may be given for one field.
    bool Locate(const QString& keyFields, const QVariant& keyValues, int options = 0);
    // Values of resultFields of the first matching record (a list when several), or null.
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues,
                    const QString& resultFields);

    // --- change log ------------------------------------------------------------
    int ChangeCount() const { return m_changeCount; }
    host::Delta Delta() const;
    void MergeChangeLog();
    void CancelUpdates();
    host::UpdateStatus UpdateStatus() const;

    // --- snapshots -------------------------------------------------------------
    // The rows, their order and the change log as they are (in browse state), to go back
    // to when a batch of changes fails half-way. Cheap to take: the rows are shared until
    // either side changes them.
    class Snapshot
    {
    public:
        Snapshot();
        ~Snapshot();
        Snapshot(const Snapshot&);
        Snapshot& operator=(const Snapshot&);
        bool valid() const { return bool(m_state); }

    private:
        friend class DataSet;
        struct State;
        std::shared_ptr<const State> m_state;
    };
    Snapshot TakeSnapshot() const;
    // Puts the rows and the change log back as the snapshot holds them; the filter and
    // the order in force now apply. Events do not fire; observers see a new data set.
    void RestoreSnapshot(const Snapshot& snapshot);

    // --- controls --------------------------------------------------------------
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }
    void addObserver(DataSetObserver* observer);
    void removeObserver(DataSetObserver* observer);

    // --- events ----------------------------------------------------------------
    using Event = std::function<void(DataSet&)>;
    Event BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost;
    Event BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    Event OnNewRecord;

    // --- direct access for views and fast walks ---------------------------------
    const Table& table() const { return *m_table; }
    // Slots of the visible rows, in order.
    const std::vector<quint32>& view() const { return m_view; }
    // Value of a field of the visible row `row` (the edit buffer for the current row
    // while it is edited).
    QVariant valueAt(int row, int field) const;
    int currentRow() const { return m_pos; }

    // While a RowPeek lives, the fields read visible row `row` instead of the current
    // record (for grids painting other rows, with their OnGetText and calculated
    // fields). Nothing moves and no event fires. `row` must be a visible row.
    class RowPeek
    {
    public:
        RowPeek(const DataSet& dataSet, int row);
        ~RowPeek();
        RowPeek(const RowPeek&) = delete;
        RowPeek& operator=(const RowPeek&) = delete;

    private:
        const DataSet& m_dataSet;
        quint32 m_previous;
    };

private:
    friend class Field;
    struct IndexDef;
    struct SlotMeta;
    class ScrollGuard;

    // Field access for the current record.
    QVariant fieldValue(const Field& field) const;
    QVariant storedFieldValue(const Field& field) const;
    void setFieldValue(Field& field, const QVariant& value);
    bool fieldIsNull(const Field& field) const;
    const QString* fieldText(const Field& field) const;

    void requireActive() const;
    void requireBrowse(const char* operation);
    void setState(DataSetState state);
    void beginInsert(bool append);
    void rebuildFields(const FieldDefs& stored);
    void adoptTable(std::shared_ptr<Table> table);
    Table& mutableTable();
    bool isLive(quint32 slot) const;
    quint32 currentSlot() const;
    // The record the fields read: a peeked row, else the current one.
    quint32 readSlot() const;
    bool readsEditBuffer() const;
    void logChange(quint32 slot);
    quint32 newSlot(qint64 order);
    qint64 orderBefore(quint32 slot);
    qint64 orderAfterLast() const;
    void renumberOrders();

    // View maintenance.
    void rebuildView(quint32 keepSlot);
    // Puts a posted record where the view's order and filter want it; true when it kept
    // its place.
    bool placeInView(quint32 slot, bool wasVisible);
    bool passesFilter(quint32 slot);
    void compileFilter();
    const IndexDef* currentIndex() const;
    void resolveIndex(IndexDef& index) const;
    int compareSlots(const IndexDef& index, quint32 a, quint32 b) const;
    void sortView(const IndexDef& index);
    void clampPosition(bool deletedLast);

    // Locate helpers.
    int findInView(const QList<int>& fields, const QVariantList& values, int options) const;
    bool cellMatches(int field, Cell cell, const QVariant& wanted, int options) const;

    // Notifications.
    void notifyDataSetChanged();
    void notifyScrolled();
    void notifyRecordChanged(Field* field);
    void notifyStateChanged();
    void fireScroll(const std::function<void()>& move);

    QList<FieldDef> m_declared;
    std::vector<std::unique_ptr<Field>> m_fields;
    std::shared_ptr<Table> m_table;
    std::vector<SlotMeta> m_meta;
    // No record's order is above it: a record appended goes after it.
    qint64 m_orderCeiling = 0;
    void recomputeOrderCeiling();
    std::vector<quint32> m_view;
    std::vector<quint32> m_changeLog;
    int m_changeCount = 0;
    bool m_naturalIsSlotOrder = true;

    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
    DataSetState m_state = DataSetState::Inactive;
    std::vector<QVariant> m_buffer;  // stored fields of the record being edited
    quint32 m_editSlot = 0;
    bool m_modified = false;
    mutable quint32 m_peekSlot = 0xFFFFFFFFu;  // row read by a RowPeek

    QString m_filterText;
    bool m_filtered = false;
    int m_filterOptions = 0;
    std::unique_ptr<FilterExpression> m_filter;

    std::vector<IndexDef> m_indexes;
    int m_currentIndex = -1;  // into m_indexes; -1: natural order or field-names index
    std::unique_ptr<IndexDef> m_fieldNamesIndex;

    int m_disableCount = 0;
    bool m_pendingRefresh = false;
    std::vector<DataSetObserver*> m_observers;
};

} // namespace host
