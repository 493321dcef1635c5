#include "Table.h"

#include "Exceptions.h"
#include "consiste/Consiste.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace host {
namespace {

// A NaN with a payload that arithmetic never produces marks a null float.
constexpr Cell kNullFloat = 0x7FF4'DEAD'0000'0001ULL;
constexpr Cell kNullInteger = Cell(std::numeric_limits<qint64>::min());
constexpr Cell kNullBoolean = 2;
constexpr qint64 kMsecsPerDay = 86400000;

const QString& emptyString()
{
    static const QString empty;
    return empty;
}

QDate parseDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    QDate d = QDate::fromString(t.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    return d;
}

QDateTime parseDateTime(const QString& text)
{
    const QString t = text.trimmed();
    QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
    if (!dt.isValid())
        dt = QDateTime::fromString(t, QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = parseDate(t);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

} // namespace

StringPool::StringPool()
{
    m_strings.emplace_back();  // id 0: null
}

quint32 StringPool::intern(const QString& text)
{
    auto it = m_ids.constFind(text);
    if (it != m_ids.constEnd())
        return it.value();
    const auto id = quint32(m_strings.size());
    m_strings.push_back(text);
    m_ids.insert(m_strings.back(), id);
    return id;
}

quint32 StringPool::find(const QString& text) const
{
    return m_ids.value(text, NullId);
}

void StringPool::reserve(qsizetype n)
{
    m_strings.reserve(size_t(n) + 1);
    m_ids.reserve(n);
}

Table::Table(FieldDefs defs) : m_defs(std::move(defs)), m_fieldCount(int(m_defs.size()))
{
    m_pools.resize(size_t(m_fieldCount));
}

int Table::indexOf(const QString& name) const
{
    for (int i = 0; i < m_fieldCount; ++i)
        if (m_defs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

quint32 Table::addSlot()
{
    if (m_fieldCount == 0)
        return m_rows++;
    const auto slot = slotCount();
    for (int f = 0; f < m_fieldCount; ++f)
        m_cells.push_back(nullCell(m_defs[f].type));
    return slot;
}

void Table::copySlot(quint32 from, quint32 to)
{
    std::memcpy(&m_cells[size_t(to) * m_fieldCount], &m_cells[size_t(from) * m_fieldCount],
                sizeof(Cell) * size_t(m_fieldCount));
}

void Table::reserve(qsizetype rows)
{
    m_cells.reserve(size_t(rows) * size_t(m_fieldCount));
}

void Table::clear()
{
    m_cells.clear();
    m_rows = 0;
    m_pools.clear();
    m_pools.resize(size_t(m_fieldCount));
}

Cell Table::nullCell(FieldType type)
{
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return StringPool::NullId;
    case FieldType::Float:
        return kNullFloat;
    case FieldType::Boolean:
        return kNullBoolean;
    case FieldType::Integer:
    case FieldType::Date:
    case FieldType::DateTime:
        return kNullInteger;
    }
    return 0;
}

Cell Table::encodeFloat(double v)
{
    Cell c;
    std::memcpy(&c, &v, sizeof c);
    return c == kNullFloat ? 0x7FF8'0000'0000'0000ULL : c;
}

double Table::decodeFloat(Cell c)
{
    double v;
    std::memcpy(&v, &c, sizeof v);
    return v;
}

Cell Table::encodeDate(const QDate& d)
{
    return d.isValid() ? Cell(d.toJulianDay()) : kNullInteger;
}

Cell Table::encodeDateTime(const QDateTime& dt)
{
    if (!dt.isValid())
        return kNullInteger;
    return Cell(dt.date().toJulianDay() * kMsecsPerDay + dt.time().msecsSinceStartOfDay());
}

QDateTime Table::decodeDateTime(Cell c)
{
    const auto v = qint64(c);
    const qint64 day = v >= 0 ? v / kMsecsPerDay : -((-v + kMsecsPerDay - 1) / kMsecsPerDay);
    return QDateTime(QDate::fromJulianDay(day),
                     QTime::fromMSecsSinceStartOfDay(int(v - day * kMsecsPerDay)));
}

bool Table::isNull(quint32 slot, int field) const
{
    return cell(slot, field) == nullCell(m_defs[field].type);
}

QVariant Table::decode(int field, Cell c) const
{
    const FieldType type = m_defs[field].type;
    if (c == nullCell(type))
        return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return m_pools[field].at(quint32(c));
    case FieldType::Integer:
        return decodeInteger(c);
    case FieldType::Float:
        return decodeFloat(c);
    case FieldType::Boolean:
        return c != 0;
    case FieldType::Date:
        return decodeDate(c);
    case FieldType::DateTime:
        return decodeDateTime(c);
    }
    return {};
}

Cell Table::encodeScalar(FieldType type, const QVariant& value)
{
    QVariant v;
    if (!convertToFieldType(value, type, v))
        throw EDatabaseError(QStringLiteral("Valor \"%1\" inválido para o tipo %2.")
                                 .arg(value.toString(), fieldTypeName(type)));
    if (v.isNull())
        return nullCell(type);
    switch (type) {
    case FieldType::Integer:
        return encodeInteger(v.toLongLong());
    case FieldType::Float:
        return encodeFloat(v.toDouble());
    case FieldType::Boolean:
        return encodeBoolean(v.toBool());
    case FieldType::Date:
        return encodeDate(v.toDate());
    case FieldType::DateTime:
        return encodeDateTime(v.toDateTime());
    case FieldType::String:
    case FieldType::Memo:
        break;
    }
    throw EDatabaseError(QStringLiteral("Texto não pode ser codificado sem a tabela."));
}

Cell Table::encode(int field, const QVariant& value)
{
    const FieldType type = m_defs[field].type;
    if (!isTextType(type)) {
        try {
            return encodeScalar(type, value);
        } catch (const EDatabaseError&) {
            throw EDatabaseError(QStringLiteral("Valor \"%1\" inválido para o campo %2.")
                                     .arg(value.toString(), m_defs[field].name));
        }
    }
    QVariant v;
    convertToFieldType(value, type, v);
    return v.isNull() ? nullCell(type) : m_pools[field].intern(v.toString());
}

QVariant Table::value(quint32 slot, int field) const
{
    return decode(field, cell(slot, field));
}

void Table::setValue(quint32 slot, int field, const QVariant& value)
{
    setCell(slot, field, encode(field, value));
}

const QString& Table::text(quint32 slot, int field) const
{
    const Cell c = cell(slot, field);
    return c == StringPool::NullId ? emptyString() : m_pools[field].at(quint32(c));
}

bool convertToFieldType(const QVariant& in, FieldType type, QVariant& out)
{
    if (in.isNull() || !in.isValid()) {
        out = QVariant();
        return true;
    }
    const int id = in.metaType().id();
    const bool isText = id == QMetaType::QString || id == QMetaType::QByteArray ||
                        id == QMetaType::QChar;
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        if (id == QMetaType::QDate)
            out = in.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        else if (id == QMetaType::Double || id == QMetaType::Float)
            out = operatorLocale().toString(in.toDouble(), 'g', 15);
        else
            out = in.toString();
        return true;
    case FieldType::Integer: {
        bool ok = false;
        const qlonglong v =
            isText ? in.toString().trimmed().toLongLong(&ok) : in.toLongLong(&ok);
        if (isText && in.toString().trimmed().isEmpty()) {
            out = QVariant();
            return true;
        }
        if (!ok && id == QMetaType::Double) {
            const double d = in.toDouble();
            ok = std::isfinite(d) && d == std::floor(d);
            out = qlonglong(d);
            return ok;
        }
        out = v;
        return ok;
    }
    case FieldType::Float: {
        if (isText) {
            const QString t = in.toString().trimmed();
            if (t.isEmpty()) {
                out = QVariant();
                return true;
            }
            bool ok = false;
            double d = operatorLocale().toDouble(t, &ok);
            if (!ok)
                d = t.toDouble(&ok);
            out = d;
            return ok;
        }
        bool ok = false;
        out = in.toDouble(&ok);
        return ok;
    }
    case FieldType::Boolean:
        if (isText) {
            const QString t = in.toString().trimmed().toUpper();
            if (t == QLatin1String("S") || t == QLatin1String("TRUE") || t == QLatin1String("1")) {
                out = true;
                return true;
            }
            if (t == QLatin1String("N") || t == QLatin1String("FALSE") || t == QLatin1String("0")) {
                out = false;
                return true;
            }
            if (t.isEmpty()) {
                out = QVariant();
                return true;
            }
            return false;
        }
        out = in.toBool();
        return true;
    case FieldType::Date: {
        if (id == QMetaType::QDate) {
            out = in;
            return in.toDate().isValid();
        }
        if (id == QMetaType::QDateTime) {
            out = in.toDateTime().date();
            return true;
        }
        if (isText && in.toString().trimmed().isEmpty()) {
            out = QVariant();
            return true;
        }
        const QDate d = parseDate(in.toString());
        out = d;
        return d.isValid();
    }
    case FieldType::DateTime: {
        if (id == QMetaType::QDateTime) {
            out = in;
            return in.toDateTime().isValid();
        }
        if (id == QMetaType::QDate) {
            out = QDateTime(in.toDate(), QTime(0, 0));
            return in.toDate().isValid();
        }
        if (isText && in.toString().trimmed().isEmpty()) {
            out = QVariant();
            return true;
        }
        const QDateTime dt = parseDateTime(in.toString());
        out = dt;
        return dt.isValid();
    }
    }
    return false;
}

} // namespace host
