#include "WireCodec.h"

#include "Exceptions.h"

#include <QHash>
#include <vector>

namespace host::wire {

namespace {

const QString kDate = QStringLiteral("$date");
const QString kDateTime = QStringLiteral("$datetime");
const QString kPacket = QStringLiteral("$packet");
const QString kDelta = QStringLiteral("$delta");

QString isoDate(const QDate& d)
{
    return d.toString(Qt::ISODate);
}

QString isoDateTime(const QDateTime& dt)
{
    return dt.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

// "YYYY-MM-DD" without allocating; invalid text gives an invalid date.
QDate parseIsoDate(QByteArrayView t)
{
    if (t.size() != 10 || t[4] != '-' || t[7] != '-')
        return {};
    auto digits = [&t](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    const int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (y < 0 || m < 0 || d < 0)
        return {};
    return QDate(y, m, d);
}

QDateTime parseIsoDateTime(const QString& t)
{
    QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(t, Qt::ISODate);
    return dt;
}

void writeFieldDefs(JsonWriter& out, const FieldDefs& fields)
{
    out.beginArray();
    for (const FieldDef& f : fields) {
        out.beginObject();
        out.key(QLatin1StringView("name"));
        out.string(f.name);
        out.key(QLatin1StringView("type"));
        out.string(fieldTypeName(f.type));
        if (f.size > 0) {
            out.key(QLatin1StringView("size"));
            out.integer(f.size);
        }
        if (!f.label.isEmpty()) {
            out.key(QLatin1StringView("label"));
            out.string(f.label);
        }
        if (!f.visible) {
            out.key(QLatin1StringView("visible"));
            out.boolean(false);
        }
        if (f.readOnly) {
            out.key(QLatin1StringView("readOnly"));
            out.boolean(true);
        }
        if (f.displayWidth > 0) {
            out.key(QLatin1StringView("width"));
            out.integer(f.displayWidth);
        }
        if (!f.displayFormat.isEmpty()) {
            out.key(QLatin1StringView("displayFormat"));
            out.string(f.displayFormat);
        }
        if (!f.editFormat.isEmpty()) {
            out.key(QLatin1StringView("editFormat"));
            out.string(f.editFormat);
        }
        if (!f.editMask.isEmpty()) {
            out.key(QLatin1StringView("editMask"));
            out.string(f.editMask);
        }
        out.endObject();
    }
    out.endArray();
}

FieldDefs readFieldDefs(JsonReader& in)
{
    FieldDefs fields;
    in.expect('[');
    if (in.accept(']'))
        return fields;
    do {
        FieldDef f;
        bool hasName = false, hasType = false;
        in.expect('{');
        if (!in.accept('}')) {
            do {
                const QString key = in.readString();
                in.expect(':');
                if (key == QLatin1String("name")) {
                    f.name = in.readString();
                    hasName = !f.name.isEmpty();
                } else if (key == QLatin1String("type")) {
                    f.type = fieldTypeFromName(in.readString());
                    hasType = true;
                } else if (key == QLatin1String("size")) {
                    f.size = int(in.readInteger());
                } else if (key == QLatin1String("label")) {
                    f.label = in.readString();
                } else if (key == QLatin1String("visible")) {
                    f.visible = in.readBool();
                } else if (key == QLatin1String("readOnly")) {
                    f.readOnly = in.readBool();
                } else if (key == QLatin1String("width")) {
                    f.displayWidth = int(in.readInteger());
                } else if (key == QLatin1String("displayFormat")) {
                    f.displayFormat = in.readString();
                } else if (key == QLatin1String("editFormat")) {
                    f.editFormat = in.readString();
                } else if (key == QLatin1String("editMask")) {
                    f.editMask = in.readString();
                } else {
                    in.skipValue();
                }
            } while (in.accept(','));
            in.expect('}');
        }
        if (!hasName || !hasType)
            in.fail(QStringLiteral("campo de pacote sem nome ou tipo"));
        for (const FieldDef& other : fields)
            if (other.name.compare(f.name, Qt::CaseInsensitive) == 0)
                in.fail(QStringLiteral("campo %1 repetido no pacote").arg(f.name));
        fields.append(f);
    } while (in.accept(','));
    in.expect(']');
    return fields;
}

// Writes one value of a typed column (packet rows and delta rows).
void writeTyped(JsonWriter& out, FieldType type, const QVariant& v)
{
    if (v.isNull()) {
        out.null();
        return;
    }
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        out.string(v.toString());
        return;
    case FieldType::Integer:
        out.integer(v.toLongLong());
        return;
    case FieldType::Float:
        out.number(v.toDouble());
        return;
    case FieldType::Boolean:
        out.boolean(v.toBool());
        return;
    case FieldType::Date:
        out.string(isoDate(v.toDate()));
        return;
    case FieldType::DateTime:
        out.string(isoDateTime(v.toDateTime()));
        return;
    }
}

QVariant readTyped(JsonReader& in, const FieldDef& field)
{
    if (in.peek() == JsonReader::Kind::Null) {
        in.readNull();
        return {};
    }
    switch (field.type) {
    case FieldType::String:
    case FieldType::Memo:
        return in.readString();
    case FieldType::Integer:
        return qlonglong(in.readInteger());
    case FieldType::Float:
        return in.readDouble();
    case FieldType::Boolean:
        return in.readBool();
    case FieldType::Date: {
        const auto token = in.readStringToken();
        const QDate d = parseIsoDate(token.raw);
        if (!d.isValid())
            in.fail(QStringLiteral("data inválida no campo %1").arg(field.name));
        return d;
    }
    case FieldType::DateTime: {
        const QDateTime dt = parseIsoDateTime(in.readString());
        if (!dt.isValid())
            in.fail(QStringLiteral("data e hora inválida no campo %1").arg(field.name));
        return dt;
    }
    }
    return {};
}

// Decodes packet rows straight into the table's cells. Texts are interned by their
// raw bytes first, so a text repeated on many rows is decoded once.
void readRows(JsonReader& in, Table& table)
{
    const int nf = table.fieldCount();
    std::vector<QHash<QByteArrayView, quint32>> seen(static_cast<size_t>(nf));
    struct LastText
    {
        QByteArrayView raw;
        quint32 id = 0;
    };
    std::vector<LastText> lastTexts(static_cast<size_t>(nf));
    in.expect('[');
    if (in.accept(']'))
        return;
    do {
        const quint32 slot = table.addSlot();
        in.expect('[');
        for (int f = 0; f < nf; ++f) {
            if (f > 0)
                in.expect(',');
            const FieldType type = table.type(f);
            if (in.peek() == JsonReader::Kind::Null) {
                in.readNull();
                continue;  // the new slot is already null
            }
            switch (type) {
            case FieldType::String:
            case FieldType::Memo: {
                const auto token = in.readStringToken();
                if (token.escaped) {
                    table.setCell(slot, f, table.pool(f).intern(JsonReader::decodeString(token)));
                    break;
                }
                // Rows come grouped: the text of the row above is checked first.
                LastText& last = lastTexts[size_t(f)];
                if (!last.raw.isNull() && last.raw == token.raw) {
                    table.setCell(slot, f, last.id);
                    break;
                }
                auto& known = seen[size_t(f)];
                auto it = known.constFind(token.raw);
                if (it == known.constEnd())
                    it = known.insert(token.raw, table.pool(f).intern(QString::fromUtf8(token.raw)));
                last = {token.raw, it.value()};
                table.setCell(slot, f, it.value());
                break;
            }
            case FieldType::Integer: {
                const qint64 v = in.readInteger();
                // The table marks a null integer with the smallest one: that value sent
                // would silently arrive as null.
                if (Table::encodeInteger(v) == Table::nullCell(FieldType::Integer))
                    in.fail(QStringLiteral("número fora do intervalo no campo %1").arg(table.defs()[f].name));
                table.setCell(slot, f, Table::encodeInteger(v));
                break;
            }
            case FieldType::Float:
                table.setCell(slot, f, Table::encodeFloat(in.readDouble()));
                break;
            case FieldType::Boolean:
                table.setCell(slot, f, Table::encodeBoolean(in.readBool()));
                break;
            case FieldType::Date: {
                const QDate d = parseIsoDate(in.readStringToken().raw);
                if (!d.isValid())
                    in.fail(QStringLiteral("data inválida no campo %1").arg(table.defs()[f].name));
                table.setCell(slot, f, Table::encodeDate(d));
                break;
            }
            case FieldType::DateTime: {
                const QDateTime dt = parseIsoDateTime(in.readString());
                if (!dt.isValid())
                    in.fail(QStringLiteral("data e hora inválida no campo %1")
                                .arg(table.defs()[f].name));
                table.setCell(slot, f, Table::encodeDateTime(dt));
                break;
            }
            }
        }
        if (!in.accept(']'))
            in.fail(QStringLiteral("linha com mais valores que campos"));
    } while (in.accept(','));
    in.expect(']');
}

Packet readPacket(JsonReader& in)
{
    in.expect('{');
    std::shared_ptr<Table> table;
    bool hasRows = false;
    if (!in.accept('}')) {
        do {
            const QString key = in.readString();
            in.expect(':');
            if (key == QLatin1String("fields")) {
                if (table)
                    in.fail(QStringLiteral("pacote com \"fields\" repetido"));
                table = std::make_shared<Table>(readFieldDefs(in));
            } else if (key == QLatin1String("rows")) {
                if (!table)
                    in.fail(QStringLiteral("\"fields\" deve vir antes de \"rows\" no pacote"));
                if (hasRows)
                    in.fail(QStringLiteral("pacote com \"rows\" repetido"));
                readRows(in, *table);
                hasRows = true;
            } else {
                in.skipValue();
            }
        } while (in.accept(','));
        in.expect('}');
    }
    if (!table)
        in.fail(QStringLiteral("pacote sem \"fields\""));
    return Packet(std::move(table));
}

QVariantList readTypedRow(JsonReader& in, const FieldDefs& fields)
{
    QVariantList values;
    in.expect('[');
    for (int f = 0; f < fields.size(); ++f) {
        if (f > 0)
            in.expect(',');
        values.append(readTyped(in, fields[f]));
    }
    if (!in.accept(']'))
        in.fail(QStringLiteral("linha de alteração com número errado de valores"));
    return values;
}

Delta readDelta(JsonReader& in)
{
    Delta delta;
    bool hasFields = false;
    in.expect('{');
    if (!in.accept('}')) {
        do {
            const QString key = in.readString();
            in.expect(':');
            if (key == QLatin1String("fields")) {
                delta.fields = readFieldDefs(in);
                hasFields = true;
            } else if (key == QLatin1String("changes")) {
                if (!hasFields)
                    in.fail(QStringLiteral("\"fields\" deve vir antes de \"changes\""));
                in.expect('[');
                if (!in.accept(']')) {
                    do {
                        Change change;
                        bool hasOp = false, hasOld = false, hasNew = false;
                        in.expect('{');
                        do {
                            const QString k = in.readString();
                            in.expect(':');
                            if (k == QLatin1String("op")) {
                                const QString op = in.readString();
                                hasOp = true;
                                if (op == QLatin1String("insert"))
                                    change.op = Change::Op::Insert;
                                else if (op == QLatin1String("update"))
                                    change.op = Change::Op::Update;
                                else if (op == QLatin1String("delete"))
                                    change.op = Change::Op::Delete;
                                else
                                    in.fail(QStringLiteral("operação desconhecida \"%1\"").arg(op));
                            } else if (k == QLatin1String("old")) {
                                change.oldValues = readTypedRow(in, delta.fields);
                                hasOld = true;
                            } else if (k == QLatin1String("new")) {
                                change.newValues = readTypedRow(in, delta.fields);
                                hasNew = true;
                            } else {
                                in.skipValue();
                            }
                        } while (in.accept(','));
                        in.expect('}');
                        const bool needOld = change.op != Change::Op::Insert;
                        const bool needNew = change.op != Change::Op::Delete;
                        if (!hasOp || needOld != hasOld || needNew != hasNew)
                            in.fail(QStringLiteral("alteração incompleta"));
                        delta.changes.push_back(std::move(change));
                    } while (in.accept(','));
                    in.expect(']');
                }
            } else {
                in.skipValue();
            }
        } while (in.accept(','));
        in.expect('}');
    }
    if (!hasFields)
        in.fail(QStringLiteral("alterações sem \"fields\""));
    return delta;
}

bool isInteger(QByteArrayView number)
{
    bool nonZero = false;
    for (const char c : number) {
        if (c == '.' || c == 'e' || c == 'E')
            return false;
        nonZero = nonZero || (c >= '1' && c <= '9');
    }
    // "-0" is how a negative zero is written; as an integer it would come back as 0.
    if (!nonZero && number.startsWith('-'))
        return false;
    return number.size() < 19;
}

} // namespace

void writePacket(JsonWriter& out, const Packet& packet)
{
    if (!packet.isValid())
        throw ECodecError(QStringLiteral("Pacote de dados sem campos não pode ser enviado."));
    const Table& table = *packet.table();
    const int nf = table.fieldCount();
    out.beginObject();
    out.key(QLatin1StringView("$packet"));
    out.beginObject();
    out.key(QLatin1StringView("fields"));
    writeFieldDefs(out, table.defs());
    out.key(QLatin1StringView("rows"));
    out.beginArray();
    // Each distinct text is escaped once.
    std::vector<std::vector<QByteArray>> escaped(static_cast<size_t>(nf));
    const qsizetype rows = packet.rowCount();
    for (qsizetype r = 0; r < rows; ++r) {
        const quint32 slot = packet.slot(r);
        out.beginArray();
        for (int f = 0; f < nf; ++f) {
            const Cell c = table.cell(slot, f);
            const FieldType type = table.type(f);
            if (c == Table::nullCell(type)) {
                out.null();
                continue;
            }
            switch (type) {
            case FieldType::String:
            case FieldType::Memo: {
                auto& cache = escaped[size_t(f)];
                if (cache.size() < table.pool(f).size())
                    cache.resize(table.pool(f).size());
                QByteArray& e = cache[quint32(c)];
                if (e.isNull())
                    e = JsonWriter::escape(table.pool(f).at(quint32(c)));
                out.raw(e);
                break;
            }
            case FieldType::Integer:
                out.integer(Table::decodeInteger(c));
                break;
            case FieldType::Float:
                out.number(Table::decodeFloat(c));
                break;
            case FieldType::Boolean:
                out.boolean(c != 0);
                break;
            case FieldType::Date:
                out.string(isoDate(Table::decodeDate(c)));
                break;
            case FieldType::DateTime:
                out.string(isoDateTime(Table::decodeDateTime(c)));
                break;
            }
        }
        out.endArray();
    }
    out.endArray();
    out.endObject();
    out.endObject();
}

void writeDelta(JsonWriter& out, const Delta& delta)
{
    const int nf = int(delta.fields.size());
    auto writeRow = [&](const QVariantList& values) {
        if (values.size() != nf)
            throw ECodecError(QStringLiteral("Alteração com número errado de valores."));
        out.beginArray();
        for (int f = 0; f < nf; ++f) {
            QVariant v;
            if (!convertToFieldType(values[f], delta.fields[f].type, v))
                throw ECodecError(QStringLiteral("Valor inválido para o campo %1.")
                                      .arg(delta.fields[f].name));
            writeTyped(out, delta.fields[f].type, v);
        }
        out.endArray();
    };
    out.beginObject();
    out.key(QLatin1StringView("$delta"));
    out.beginObject();
    out.key(QLatin1StringView("fields"));
    writeFieldDefs(out, delta.fields);
    out.key(QLatin1StringView("changes"));
    out.beginArray();
    for (const Change& change : delta.changes) {
        out.beginObject();
        out.key(QLatin1StringView("op"));
        out.string(changeOpName(change.op));
        if (change.op != Change::Op::Insert) {
            out.key(QLatin1StringView("old"));
            writeRow(change.oldValues);
        }
        if (change.op != Change::Op::Delete) {
            out.key(QLatin1StringView("new"));
            writeRow(change.newValues);
        }
        out.endObject();
    }
    out.endArray();
    out.endObject();
    out.endObject();
}

void writeValue(JsonWriter& out, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        out.null();
        return;
    }
    const int id = value.metaType().id();
    switch (id) {
    case QMetaType::Bool:
        out.boolean(value.toBool());
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        out.integer(value.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        out.number(value.toDouble());
        return;
    case QMetaType::QString:
    case QMetaType::QChar:
        out.string(value.toString());
        return;
    case QMetaType::QByteArray:
        out.string(QString::fromUtf8(value.toByteArray()));
        return;
    case QMetaType::QDate:
        out.beginObject();
        out.key(QLatin1StringView("$date"));
        out.string(isoDate(value.toDate()));
        out.endObject();
        return;
    case QMetaType::QDateTime:
        out.beginObject();
        out.key(QLatin1StringView("$datetime"));
        out.string(isoDateTime(value.toDateTime()));
        out.endObject();
        return;
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        out.beginArray();
        const QVariantList list = value.toList();
        for (const QVariant& v : list)
            writeValue(out, v);
        out.endArray();
        return;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        out.beginObject();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (it.key().startsWith(QLatin1Char('$')))
                throw ECodecError(
                    QStringLiteral("Chave reservada \"%1\" em objeto enviado.").arg(it.key()));
            out.key(it.key());
            writeValue(out, it.value());
        }
        out.endObject();
        return;
    }
    default:
        break;
    }
    if (value.canConvert<Packet>() && id == qMetaTypeId<Packet>()) {
        writePacket(out, value.value<Packet>());
        return;
    }
    if (id == qMetaTypeId<Delta>()) {
        writeDelta(out, value.value<Delta>());
        return;
    }
    throw ECodecError(
        QStringLiteral("Tipo de valor não suportado: %1.").arg(QString::fromLatin1(value.typeName())));
}

QVariant readValue(JsonReader& in)
{
    switch (in.peek()) {
    case JsonReader::Kind::Null:
        in.readNull();
        return {};
    case JsonReader::Kind::True:
    case JsonReader::Kind::False:
        return in.readBool();
    case JsonReader::Kind::String:
        return in.readString();
    case JsonReader::Kind::Number: {
        JsonReader probe = in;
        const QByteArrayView token = probe.readNumberToken();
        if (isInteger(token))
            return qlonglong(in.readInteger());
        return in.readDouble();
    }
    case JsonReader::Kind::Array: {
        QVariantList list;
        in.expect('[');
        if (in.accept(']'))
            return list;
        do {
            list.append(readValue(in));
        } while (in.accept(','));
        in.expect(']');
        return list;
    }
    case JsonReader::Kind::Object: {
        in.expect('{');
        QVariantMap map;
        if (in.accept('}'))
            return map;
        bool first = true;
        do {
            const QString key = in.readString();
            in.expect(':');
            if (key.startsWith(QLatin1Char('$'))) {
                if (!first)
                    in.fail(QStringLiteral("marcador \"%1\" fora de lugar").arg(key));
                QVariant special;
                if (key == kDate) {
                    const QDate d = parseIsoDate(in.readStringToken().raw);
                    if (!d.isValid())
                        in.fail(QStringLiteral("data inválida"));
                    special = d;
                } else if (key == kDateTime) {
                    const QDateTime dt = parseIsoDateTime(in.readString());
                    if (!dt.isValid())
                        in.fail(QStringLiteral("data e hora inválida"));
                    special = dt;
                } else if (key == kPacket) {
                    special = QVariant::fromValue(readPacket(in));
                } else if (key == kDelta) {
                    special = QVariant::fromValue(readDelta(in));
                } else {
                    in.fail(QStringLiteral("marcador desconhecido \"%1\"").arg(key));
                }
                if (!in.accept('}'))
                    in.fail(QStringLiteral("objeto \"%1\" com chaves a mais").arg(key));
                return special;
            }
            first = false;
            map.insert(key, readValue(in));
        } while (in.accept(','));
        in.expect('}');
        return map;
    }
    case JsonReader::Kind::End:
        in.fail(QStringLiteral("fim inesperado"));
    }
    return {};
}

QByteArray encode(const QVariant& value)
{
    JsonWriter out;
    writeValue(out, value);
    return out.take();
}

QVariant decode(QByteArrayView json)
{
    JsonReader in(json);
    QVariant v = readValue(in);
    in.expectEnd();
    return v;
}

} // namespace host::wire
