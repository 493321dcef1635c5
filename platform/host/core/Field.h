#pragma once

#include "FieldDef.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

namespace host {

class DataSet;

// One field of a data set, seen through the data set's current record (or its edit
// buffer while the record is being edited or inserted).
class Field
{
public:
    Field(DataSet& owner, FieldDef def, int index, int storedIndex);

    DataSet& dataSet() const { return m_owner; }
    const FieldDef& def() const { return m_def; }
    const QString& FieldName() const { return m_def.name; }
    FieldType DataType() const { return m_def.type; }
    int Size() const { return m_def.size; }
    int Index() const { return m_index; }
    bool Calculated() const { return m_def.calculated; }
    // Position among the stored fields (the packet's columns); -1 for calculated ones.
    int storedIndex() const { return m_storedIndex; }

    // Presentation.
    QString DisplayLabel() const { return m_def.label.isEmpty() ? m_def.name : m_def.label; }
    void SetDisplayLabel(const QString& label) { m_def.label = label; }
    bool Visible() const { return m_def.visible; }
    void SetVisible(bool visible) { m_def.visible = visible; }
    bool ReadOnly() const { return m_def.readOnly; }
    void SetReadOnly(bool readOnly) { m_def.readOnly = readOnly; }
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { m_def.displayWidth = width; }
    const QString& DisplayFormat() const { return m_def.displayFormat; }
    void SetDisplayFormat(const QString& format) { m_def.displayFormat = format; }
    const QString& EditFormat() const { return m_def.editFormat; }
    void SetEditFormat(const QString& format) { m_def.editFormat = format; }
    const QString& EditMask() const { return m_def.editMask; }
    void SetEditMask(const QString& mask) { m_def.editMask = mask; }
    int Tag = 0;

    // Value of the current record.
    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const;
    double AsFloat() const;
    qint64 AsInteger() const;
    bool AsBoolean() const;
    QDate AsDate() const;
    QDateTime AsDateTime() const;
    // Value of the current record as it is stored, without the edit in progress (null for
    // a record being inserted).
    QVariant StoredValue() const;

    // Writing needs the data set in edit or insert state.
    void SetValue(const QVariant& value);
    void SetAsString(const QString& value) { SetValue(value); }
    void SetAsFloat(double value) { SetValue(value); }
    void SetAsInteger(qint64 value) { SetValue(qlonglong(value)); }
    void SetAsBoolean(bool value) { SetValue(value); }
    void SetAsDate(const QDate& value) { SetValue(value); }
    void SetAsDateTime(const QDateTime& value) { SetValue(value); }
    void Clear() { SetValue(QVariant()); }

    // Text for display (DisplayText) and for editing (Text), through OnGetText when set,
    // otherwise with the display or edit format in the operator's locale.
    QString DisplayText() const;
    QString Text() const;
    // Plain formatting of a value of this field, without OnGetText.
    QString formatValue(const QVariant& value, bool forDisplay) const;

    // Events. OnValidate runs before a new value is accepted (throw to refuse it);
    // OnChange after it was written; OnGetText receives the field's own text and may
    // replace or clear it.
    std::function<void(Field&)> OnValidate;
    std::function<void(Field&)> OnChange;
    std::function<void(const Field&, QString& text, bool displayText)> OnGetText;
    // Value of a calculated field for the current record.
    std::function<QVariant(const DataSet&)> OnCalculate;

private:
    friend class DataSet;
    // A reload keeps the Field object (screens hold it) and updates what it points at.
    void rebind(FieldDef def, int index, int storedIndex)
    {
        m_def = std::move(def);
        m_index = index;
        m_storedIndex = storedIndex;
    }

    DataSet& m_owner;
    FieldDef m_def;
    int m_index;
    int m_storedIndex;
};

} // namespace host
