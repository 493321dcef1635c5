#include "JsonWriter.h"

#include "Exceptions.h"

#include <charconv>
#include <cmath>

namespace host {

void JsonWriter::separate()
{
    if (m_needComma)
        m_out.append(',');
}

void JsonWriter::element(const char* literal)
{
    separate();
    m_out.append(literal);
    m_needComma = true;
}

void JsonWriter::open(char c)
{
    separate();
    m_out.append(c);
    m_needComma = false;
}

void JsonWriter::close(char c)
{
    m_out.append(c);
    m_needComma = true;
}

void JsonWriter::key(QLatin1StringView name)
{
    separate();
    m_out.append('"');
    m_out.append(name.data(), name.size());
    m_out.append("\":");
    m_needComma = false;
}

void JsonWriter::key(const QString& name)
{
    separate();
    m_out.append(escape(name));
    m_out.append(':');
    m_needComma = false;
}

void JsonWriter::integer(qint64 v)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    separate();
    m_out.append(buf, res.ptr - buf);
    m_needComma = true;
}

void JsonWriter::number(double v)
{
    if (!std::isfinite(v))
        throw ECodecError(QStringLiteral("Número inválido (infinito ou indefinido) não pode ser enviado."));
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    separate();
    m_out.append(buf, res.ptr - buf);
    m_needComma = true;
}

QByteArray JsonWriter::escape(const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 16);
    out.append('"');
    const char* data = utf8.constData();
    const qsizetype n = utf8.size();
    qsizetype runStart = 0;
    // Copies the runs of plain bytes whole; only quotes, backslashes and control
    // characters are written escaped.
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(data + runStart, i - runStart);
        runStart = i + 1;
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default: {
            static const char hex[] = "0123456789abcdef";
            const char escaped[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 15]};
            out.append(escaped, sizeof escaped);
        }
        }
    }
    out.append(data + runStart, n - runStart);
    out.append('"');
    return out;
}

void JsonWriter::string(const QString& s)
{
    // Written straight into the output: a worksheet's detail text is tens of megabytes.
    separate();
    m_out.append('"');
    const auto* data = reinterpret_cast<const char16_t*>(s.utf16());
    const qsizetype n = s.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c >= 0x20 && c != u'"' && c != u'\\')
            continue;
        m_out.append(QStringView(data + runStart, i - runStart).toUtf8());
        runStart = i + 1;
        switch (c) {
        case u'"':
            m_out.append("\\\"");
            break;
        case u'\\':
            m_out.append("\\\\");
            break;
        case u'\n':
            m_out.append("\\n");
            break;
        case u'\r':
            m_out.append("\\r");
            break;
        case u'\t':
            m_out.append("\\t");
            break;
        default: {
            static const char hex[] = "0123456789abcdef";
            const char escaped[] = {'\\', 'u', '0', '0', hex[(c >> 4) & 15], hex[c & 15]};
            m_out.append(escaped, sizeof escaped);
        }
        }
    }
    m_out.append(QStringView(data + runStart, n - runStart).toUtf8());
    m_out.append('"');
    m_needComma = true;
}

void JsonWriter::raw(const QByteArray& encoded)
{
    separate();
    m_out.append(encoded);
    m_needComma = true;
}

} // namespace host
