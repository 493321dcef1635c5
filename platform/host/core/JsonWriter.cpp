#include "JsonWriter.h"

#include <algorithm>
#include <cstring>

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

namespace {

// True when the four UTF-16 units of `word` are ASCII that JSON takes as it is: no control
// character, quote or backslash.
bool isPlainAscii(quint64 word)
{
    constexpr quint64 ones = 0x0001000100010001ull, highs = 0x8000800080008000ull;
    if (word & 0xFF80FF80FF80FF80ull)
        return false;
    auto hasZero = [](quint64 v) { return ((v - ones) & ~v & highs) != 0; };
    const bool below20 = ((word - ones * 0x20) & ~word & highs) != 0;
    return !below20 && !hasZero(word ^ (ones * u'"')) && !hasZero(word ^ (ones * u'\\'));
}

} // namespace

void JsonWriter::string(const QString& s)
{
    // Written straight into the output a piece at a time: a worksheet's detail text is tens
    // of megabytes, and neither a UTF-8 copy of it nor one allocation per line is wanted.
    separate();
    m_out.append('"');
    const auto* data = reinterpret_cast<const char16_t*>(s.utf16());
    const qsizetype n = s.size();
    constexpr qsizetype kPiece = 4096;
    for (qsizetype from = 0; from < n;) {
        const qsizetype to = std::min(n, from + kPiece);
        // Room for the worst case: six bytes per character (an escaped control character),
        // and one character more for a surrogate pair split by the piece's end.
        const qsizetype base = m_out.size();
        m_out.resize(base + (to - from + 1) * 6);
        char* out = m_out.data() + base;
        qsizetype i = from;
        while (i < to) {
            // Plain ASCII text, four characters at a time.
            while (i + 4 <= to) {
                quint64 word;
                std::memcpy(&word, data + i, sizeof word);
                if (!isPlainAscii(word))
                    break;
                out[0] = char(word);
                out[1] = char(word >> 16);
                out[2] = char(word >> 32);
                out[3] = char(word >> 48);
                out += 4;
                i += 4;
            }
            if (i >= to)
                break;
            const char16_t c = data[i];
            if (c < 0x80) {
                if (c >= 0x20 && c != u'"' && c != u'\\') {
                    *out++ = char(c);
                } else {
                    *out++ = '\\';
                    switch (c) {
                    case u'"': *out++ = '"'; break;
                    case u'\\': *out++ = '\\'; break;
                    case u'\n': *out++ = 'n'; break;
                    case u'\r': *out++ = 'r'; break;
                    case u'\t': *out++ = 't'; break;
                    default: {
                        static const char hex[] = "0123456789abcdef";
                        *out++ = 'u';
                        *out++ = '0';
                        *out++ = '0';
                        *out++ = hex[(c >> 4) & 15];
                        *out++ = hex[c & 15];
                    }
                    }
                }
                ++i;
            } else if (c < 0x800) {
                *out++ = char(0xC0 | (c >> 6));
                *out++ = char(0x80 | (c & 0x3F));
                ++i;
            } else if (c < 0xD800 || c > 0xDFFF) {
                *out++ = char(0xE0 | (c >> 12));
                *out++ = char(0x80 | ((c >> 6) & 0x3F));
                *out++ = char(0x80 | (c & 0x3F));
                ++i;
            } else {
                // A surrogate: a pair, or a lone one, is written as Qt writes it.
                const qsizetype length =
                    (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(data[i + 1])) ? 2 : 1;
                const QByteArray bytes = QStringView(data + i, length).toUtf8();
                out = std::copy(bytes.cbegin(), bytes.cend(), out);
                i += length;
            }
        }
        m_out.truncate(out - m_out.data());
        from = i;
    }
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
