#include "Field.h"

#include "DataSet.h"
#include "consiste/Consiste.h"
#include "consiste/DisplayFormat.h"

namespace host {

Field::Field(DataSet& owner, FieldDef def, int index, int storedIndex)
    : m_owner(owner), m_def(std::move(def)), m_index(index), m_storedIndex(storedIndex)
{
}

int Field::DisplayWidth() const
{
    if (m_def.displayWidth > 0)
        return m_def.displayWidth;
    if (isTextType(m_def.type) && m_def.size > 0)
        return m_def.size;
    return 10;
}

QVariant Field::Value() const
{
    return m_owner.fieldValue(*this);
}

QVariant Field::StoredValue() const
{
    return m_owner.storedFieldValue(*this);
}

bool Field::IsNull() const
{
    return m_owner.fieldIsNull(*this);
}

QString Field::AsString() const
{
    if (const QString* text = m_owner.fieldText(*this))
        return *text;
    const QVariant v = Value();
    if (v.isNull())
        return QString();
    switch (m_def.type) {
    case FieldType::Float:
        return operatorLocale().toString(v.toDouble(), 'g', 15);
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

double Field::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0.0;
    if (isTextType(m_def.type)) {
        bool ok = false;
        const double d = operatorLocale().toDouble(v.toString().trimmed(), &ok);
        return ok ? d : v.toString().trimmed().toDouble();
    }
    return v.toDouble();
}

qint64 Field::AsInteger() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (isTextType(m_def.type))
        return v.toString().trimmed().toLongLong();
    if (m_def.type == FieldType::Float)
        return qRound64(v.toDouble());
    return v.toLongLong();
}

bool Field::AsBoolean() const
{
    const QVariant v = Value();
    if (isTextType(m_def.type)) {
        const QString t = v.toString().trimmed().toUpper();
        return t == QLatin1String("S") || t == QLatin1String("TRUE") || t == QLatin1String("1");
    }
    return v.toBool();
}

QDate Field::AsDate() const
{
    QVariant out;
    return convertToFieldType(Value(), FieldType::Date, out) ? out.toDate() : QDate();
}

QDateTime Field::AsDateTime() const
{
    QVariant out;
    return convertToFieldType(Value(), FieldType::DateTime, out) ? out.toDateTime() : QDateTime();
}

void Field::SetValue(const QVariant& value)
{
    m_owner.setFieldValue(*this, value);
}

QString Field::formatValue(const QVariant& v, bool forDisplay) const
{
    if (v.isNull())
        return QString();
    const QString& format =
        forDisplay || m_def.editFormat.isEmpty() ? m_def.displayFormat : m_def.editFormat;
    switch (m_def.type) {
    case FieldType::Float:
    case FieldType::Integer:
        if (!format.isEmpty())
            return FormatFloat(format, v.toDouble());
        return m_def.type == FieldType::Integer
                   ? QString::number(v.toLongLong())
                   : operatorLocale().toString(v.toDouble(), 'g', 15);
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("Sim") : QStringLiteral("Não");
    case FieldType::String:
    case FieldType::Memo:
        if (forDisplay && !m_def.editMask.isEmpty())
            return FormatMaskText(m_def.editMask, v.toString());
        return v.toString();
    }
    return v.toString();
}

QString Field::DisplayText() const
{
    // The handler starts from the field's own text and may replace or clear it.
    QString text = formatValue(Value(), true);
    if (OnGetText) {
        OnGetText(*this, text, true);
    }
    return text;
}

QString Field::Text() const
{
    QString text = formatValue(Value(), false);
    if (OnGetText) {
        OnGetText(*this, text, false);
    }
    return text;
}

} // namespace host
