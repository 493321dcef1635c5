#pragma once

#include <QByteArray>
#include <QString>

namespace host {

// Appends JSON text to a byte buffer. Callers write commas through the helpers;
// texts are written as UTF-8 with only the escapes JSON requires.
class JsonWriter
{
public:
    explicit JsonWriter(qsizetype reserve = 0) { m_out.reserve(reserve); }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(QLatin1StringView name);
    void key(const QString& name);

    void null() { element("null"); }
    void boolean(bool v) { element(v ? "true" : "false"); }
    void integer(qint64 v);
    // Shortest text that reads back to the same double; NaN and infinity are refused.
    void number(double v);
    void string(const QString& s);
    // A value already encoded (e.g. a cached escaped text).
    void raw(const QByteArray& encoded);

    static QByteArray escape(const QString& s);

    const QByteArray& data() const { return m_out; }
    QByteArray take() { return std::move(m_out); }

private:
    void separate();
    void element(const char* literal);
    void open(char c);
    void close(char c);

    QByteArray m_out;
    bool m_needComma = false;
};

} // namespace host
