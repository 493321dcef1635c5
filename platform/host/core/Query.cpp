#include "Query.h"

#include "Database.h"
#include "Exceptions.h"
#include "SqlTexts.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace host {

ParsedSql ParsedSql::parse(const QString& text)
{
    ParsedSql parsed;
    QString& out = parsed.sql;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto copyQuoted = [&](QChar quote) {
        out += text[i++];
        while (i < n) {
            const QChar c = text[i++];
            out += c;
            if (c == quote) {
                if (i < n && text[i] == quote) {
                    out += text[i++];
                    continue;
                }
                return;
            }
        }
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            copyQuoted(c);
        } else if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            while (i < n && text[i] != QLatin1Char('\n'))
                out += text[i++];
        } else if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            out += text.mid(i, stop - i);
            i = stop;
        } else if (c == QLatin1Char(':') && i + 1 < n && text[i + 1] == QLatin1Char(':')) {
            out += QLatin1String("::");
            i += 2;
        } else if (c == QLatin1Char(':') && i + 1 < n &&
                   (text[i + 1].isLetter() || text[i + 1] == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && (text[j].isLetterOrNumber() || text[j] == QLatin1Char('_')))
                ++j;
            const QString name = text.mid(i + 1, j - i - 1);
            parsed.occurrences.append(name);
            if (!parsed.names.contains(name, Qt::CaseInsensitive))
                parsed.names.append(name);
            out += QLatin1Char('?');
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return parsed;
}

Query::Query(Database& db, const QString& name) : DataSet(name), m_db(db) {}

void Query::LoadSQL(const QString& screen, const QString& name)
{
    SetSQL(SqlTexts::forScreen(screen).text(name.isEmpty() ? Name : name, m_db.dialect()));
}

void Query::SetSQL(const QString& text)
{
    Close();
    m_text = text;
    m_parsed = ParsedSql::parse(text);
    // Keep the values of parameters that the new text still has.
    QVariantMap kept;
    for (const QString& p : m_parsed.names)
        if (m_params.contains(p.toUpper()))
            kept.insert(p.toUpper(), m_params.value(p.toUpper()));
    m_params = kept;
}

void Query::SetParam(const QString& name, const QVariant& value)
{
    if (!m_parsed.names.contains(name, Qt::CaseInsensitive))
        throw EDatabaseError(QStringLiteral("%1: parâmetro %2 não existe na consulta.").arg(Name, name));
    m_params.insert(name.toUpper(), value);
}

QVariant Query::Param(const QString& name) const
{
    return m_params.value(name.toUpper());
}

void Query::ClearParams()
{
    m_params.clear();
}

QVariant Query::bindable(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QVariant(QMetaType::fromType<QString>());
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QString:
        // An empty text is bound as '' (the drivers take a null QString for NULL).
        if (value.toString().isEmpty())
            return QStringLiteral("");
        return value;
    default:
        return value;
    }
}

void Query::prepare(QSqlQuery& query, const ParsedSql& parsed, const QVariantMap& params,
                    const QString& origin)
{
    QVariantMap upper;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        upper.insert(it.key().toUpper(), it.value());
    for (const QString& name : parsed.names)
        if (!upper.contains(name.toUpper()))
            throw EDatabaseError(
                QStringLiteral("%1: parâmetro %2 não informado.").arg(origin, name));
    if (!query.prepare(parsed.sql))
        throw EDatabaseError(QStringLiteral("%1: erro na consulta: %2")
                                 .arg(origin, query.lastError().text()));
    for (int i = 0; i < parsed.occurrences.size(); ++i)
        query.bindValue(i, bindable(upper.value(parsed.occurrences[i].toUpper())));
}

QSqlQuery Query::run()
{
    if (m_text.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: consulta sem texto.").arg(Name));
    QSqlQuery query(m_db.sql());
    query.setForwardOnly(true);
    prepare(query, m_parsed, m_params, Name);
    if (!query.exec())
        throw EDatabaseError(
            QStringLiteral("%1: erro no banco de dados: %2").arg(Name, query.lastError().text()));
    return query;
}

void Query::Open()
{
    QSqlQuery query = run();
    FieldDefs hints;
    for (int i = 0; i < FieldCount(); ++i)
        if (!Fields(i).Calculated())
            hints.append(Fields(i).def());
    const Packet packet = readAll(query, hints);
    SetData(packet);
}

int Query::ExecSQL()
{
    Close();
    QSqlQuery query = run();
    return query.numRowsAffected();
}

namespace {

FieldDef inferField(const QSqlField& column, const QVariant& firstValue)
{
    FieldDef def;
    def.name = column.name().toUpper();
    const int t = column.metaType().id();
    const bool dated = def.name.startsWith(QLatin1String("DT"));
    if (dated) {
        const QString sample = firstValue.toString();
        def.type = sample.size() > 10 ? FieldType::DateTime : FieldType::Date;
    } else if (t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::UInt ||
               t == QMetaType::ULongLong) {
        def.type = FieldType::Integer;
    } else if (t == QMetaType::Double) {
        def.type = FieldType::Float;
    } else if (t == QMetaType::Bool) {
        def.type = FieldType::Boolean;
    } else {
        def.type = FieldType::String;
        def.size = column.length() > 0 ? column.length() : 0;
    }
    return def;
}

} // namespace

Packet Query::readAll(QSqlQuery& query, const FieldDefs& hints)
{
    const QSqlRecord record = query.record();
    const int columns = record.count();
    bool hasRow = query.next();
    FieldDefs defs;
    for (int c = 0; c < columns; ++c) {
        const QString name = record.fieldName(c).toUpper();
        const FieldDef* hint = nullptr;
        for (const FieldDef& h : hints)
            if (h.name.compare(name, Qt::CaseInsensitive) == 0)
                hint = &h;
        FieldDef def = hint ? *hint : inferField(record.field(c), hasRow ? query.value(c) : QVariant());
        def.name = hint ? hint->name : name;
        def.calculated = false;
        defs.append(def);
    }
    auto table = std::make_shared<Table>(defs);
    for (; hasRow; hasRow = query.next()) {
        const quint32 slot = table->addSlot();
        for (int c = 0; c < columns; ++c)
            table->setValue(slot, c, query.value(c));
    }
    return Packet(std::move(table));
}

Packet Query::toPacket(Database& db, const QString& text, const QVariantMap& params,
                       const FieldDefs& hints)
{
    const ParsedSql parsed = ParsedSql::parse(text);
    QSqlQuery query(db.sql());
    query.setForwardOnly(true);
    prepare(query, parsed, params, QStringLiteral("consulta"));
    if (!query.exec())
        throw EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(query.lastError().text()));
    return readAll(query, hints);
}

} // namespace host
