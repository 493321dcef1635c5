#include "JsonReader.h"
#include <cstring>
#include <algorithm>
#include <QStringDecoder>

#include "Exceptions.h"

#include <charconv>
#include <cmath>

namespace host {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr int kMaxDepth = 64;

} // namespace

void JsonReader::fail(const QString& what) const
{
    throw ECodecError(QStringLiteral("JSON inválido na posição %1: %2").arg(m_at).arg(what));
}

void JsonReader::skipBlanks()
{
    while (m_at < m_text.size()) {
        const char c = m_text[m_at];
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
            return;
        ++m_at;
    }
}

JsonReader::Kind JsonReader::peek()
{
    skipBlanks();
    if (m_at >= m_text.size())
        return Kind::End;
    switch (m_text[m_at]) {
    case '{':
        return Kind::Object;
    case '[':
        return Kind::Array;
    case '"':
        return Kind::String;
    case 't':
        return Kind::True;
    case 'f':
        return Kind::False;
    case 'n':
        return Kind::Null;
    default: {
        const char c = m_text[m_at];
        if (c == '-' || (c >= '0' && c <= '9'))
            return Kind::Number;
        fail(QStringLiteral("caractere inesperado '%1'").arg(QLatin1Char(c)));
    }
    }
}

void JsonReader::expect(char c)
{
    skipBlanks();
    if (m_at >= m_text.size() || m_text[m_at] != c)
        fail(QStringLiteral("esperado '%1'").arg(QLatin1Char(c)));
    ++m_at;
    if (c == '{' || c == '[') {
        if (++m_depth > kMaxDepth)
            fail(QStringLiteral("aninhamento profundo demais"));
    } else if (c == '}' || c == ']') {
        --m_depth;
    }
}

bool JsonReader::accept(char c)
{
    skipBlanks();
    if (m_at < m_text.size() && m_text[m_at] == c) {
        expect(c);
        return true;
    }
    return false;
}

void JsonReader::expectEnd()
{
    skipBlanks();
    if (m_at != m_text.size())
        fail(QStringLiteral("texto após o fim do valor"));
}

namespace {

// True when one of the eight bytes of `word` ends, escapes or breaks a JSON text: a quote,
// a backslash or a control character.
bool hasSpecialByte(quint64 word)
{
    constexpr quint64 ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    auto hasZero = [](quint64 v) { return ((v - ones) & ~v & highs) != 0; };
    const bool below20 = ((word - ones * 0x20) & ~word & highs) != 0;
    return below20 || hasZero(word ^ (ones * '"')) || hasZero(word ^ (ones * '\\'));
}

} // namespace

JsonReader::StringToken JsonReader::readStringToken()
{
    skipBlanks();
    if (m_at >= m_text.size() || m_text[m_at] != '"')
        fail(QStringLiteral("texto esperado"));
    const qsizetype start = ++m_at;
    StringToken token;
    const char* data = m_text.data();
    const qsizetype n = m_text.size();
    while (m_at < n) {
        // Plain text is stepped over eight bytes at a time.
        while (m_at + 8 <= n) {
            quint64 word;
            std::memcpy(&word, data + m_at, sizeof word);
            if (hasSpecialByte(word))
                break;
            m_at += 8;
        }
        if (m_at >= n)
            break;
        const auto c = static_cast<unsigned char>(data[m_at]);
        if (c == '"') {
            token.raw = m_text.sliced(start, m_at - start);
            ++m_at;
            return token;
        }
        if (c == '\\') {
            token.escaped = true;
            m_at += 2;
            continue;
        }
        if (c < 0x20)
            fail(QStringLiteral("caractere de controle dentro de texto"));
        ++m_at;
    }
    fail(QStringLiteral("texto sem aspas de fechamento"));
}

namespace {

// Decodes UTF-8 bytes into `out` as QString::fromUtf8 does: the one- to three-byte
// characters of ordinary text here, anything else (four-byte characters, malformed bytes)
// from there on by Qt's decoder. Returns the end of what was written.
QChar* decodeUtf8Run(const char* from, const char* to, QChar* out, QStringDecoder& decoder)
{
    auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    const char* p = from;
    while (p < to) {
        const auto c = static_cast<unsigned char>(*p);
        if (c < 0x80) {
            *out++ = QChar(char16_t(c));
            ++p;
        } else if (c >= 0xC2 && c <= 0xDF && to - p >= 2 && continuation(p[1])) {
            *out++ = QChar(char16_t(((c & 0x1F) << 6) | (p[1] & 0x3F)));
            p += 2;
        } else if (c >= 0xE0 && c <= 0xEF && to - p >= 3 && continuation(p[1]) &&
                   continuation(p[2])) {
            const auto v = char16_t(((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            if (v < 0x800 || (v >= 0xD800 && v <= 0xDFFF))
                break; // overlong or a surrogate: Qt's way
            *out++ = QChar(v);
            p += 3;
        } else {
            break;
        }
    }
    if (p < to)
        out = decoder.appendToBuffer(out, QByteArrayView(p, to - p));
    return out;
}

} // namespace

QString JsonReader::decodeString(const StringToken& token)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    if (!token.escaped) {
        // A leading U+FEFF is a character of the text, not a byte order mark.
        QString text(token.raw.size(), Qt::Uninitialized);
        const QChar* end = decodeUtf8Run(token.raw.data(), token.raw.data() + token.raw.size(),
                                         text.data(), utf8);
        text.truncate(end - text.constData());
        return text;
    }
    // Runs between escapes are decoded whole, straight into the text: a worksheet's detail
    // text has one escaped line break per line.
    QString text(token.raw.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const char* raw = token.raw.data();
    const qsizetype n = token.raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (raw[i] != '\\') {
            const char* next = static_cast<const char*>(std::memchr(raw + i, '\\', size_t(n - i)));
            const qsizetype end = next ? next - raw : n;
            out = decodeUtf8Run(raw + i, raw + end, out, utf8);
            i = end - 1;
            continue;
        }
        if (++i >= n)
            throw ECodecError(QStringLiteral("JSON inválido: escape incompleto"));
        switch (raw[i]) {
        case '"':
            *out++ = QLatin1Char('"');
            break;
        case '\\':
            *out++ = QLatin1Char('\\');
            break;
        case '/':
            *out++ = QLatin1Char('/');
            break;
        case 'b':
            *out++ = QLatin1Char('\b');
            break;
        case 'f':
            *out++ = QLatin1Char('\f');
            break;
        case 'n':
            *out++ = QLatin1Char('\n');
            break;
        case 'r':
            *out++ = QLatin1Char('\r');
            break;
        case 't':
            *out++ = QLatin1Char('\t');
            break;
        case 'u': {
            auto readHex = [&](qsizetype at) {
                if (at + 4 > n)
                    throw ECodecError(QStringLiteral("JSON inválido: escape \\u incompleto"));
                int v = 0;
                for (int k = 0; k < 4; ++k) {
                    const int h = hexValue(raw[at + k]);
                    if (h < 0)
                        throw ECodecError(QStringLiteral("JSON inválido: escape \\u inválido"));
                    v = v * 16 + h;
                }
                return v;
            };
            char32_t code = char32_t(readHex(i + 1));
            i += 4;
            if (code >= 0xD800 && code <= 0xDBFF && i + 6 < n + 1 && i + 2 < n && raw[i + 1] == '\\' &&
                raw[i + 2] == 'u') {
                const int low = readHex(i + 3);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    code = 0x10000 + ((code - 0xD800) << 10) + char32_t(low - 0xDC00);
                    i += 6;
                }
            }
            // Six escaped bytes give at most two characters: the room reserved suffices.
            const QString decoded = QString::fromUcs4(&code, 1);
            out = std::copy(decoded.cbegin(), decoded.cend(), out);
            break;
        }
        default:
            throw ECodecError(QStringLiteral("JSON inválido: escape desconhecido"));
        }
    }
    text.truncate(out - text.constData());
    return text;
}

QString JsonReader::readString()
{
    return decodeString(readStringToken());
}

QByteArrayView JsonReader::readNumberToken()
{
    skipBlanks();
    const qsizetype start = m_at;
    const qsizetype n = m_text.size();
    if (m_at < n && m_text[m_at] == '-')
        ++m_at;
    while (m_at < n) {
        const char c = m_text[m_at];
        if ((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-')
            ++m_at;
        else
            break;
    }
    if (m_at == start)
        fail(QStringLiteral("número esperado"));
    return m_text.sliced(start, m_at - start);
}

double JsonReader::readDouble()
{
    const QByteArrayView t = readNumberToken();
    double v = 0;
    const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(v))
        fail(QStringLiteral("número inválido"));
    return v;
}

qint64 JsonReader::readInteger()
{
    const QByteArrayView t = readNumberToken();
    qint64 v = 0;
    const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size())
        fail(QStringLiteral("número inteiro esperado"));
    return v;
}

bool JsonReader::readBool()
{
    skipBlanks();
    if (m_text.sliced(m_at).startsWith("true")) {
        m_at += 4;
        return true;
    }
    if (m_text.sliced(m_at).startsWith("false")) {
        m_at += 5;
        return false;
    }
    fail(QStringLiteral("true ou false esperado"));
}

void JsonReader::readNull()
{
    skipBlanks();
    if (!m_text.sliced(m_at).startsWith("null"))
        fail(QStringLiteral("null esperado"));
    m_at += 4;
}

void JsonReader::skipValue()
{
    switch (peek()) {
    case Kind::Object:
        expect('{');
        if (accept('}'))
            return;
        do {
            readStringToken();
            expect(':');
            skipValue();
        } while (accept(','));
        expect('}');
        return;
    case Kind::Array:
        expect('[');
        if (accept(']'))
            return;
        do {
            skipValue();
        } while (accept(','));
        expect(']');
        return;
    case Kind::String:
        readStringToken();
        return;
    case Kind::Number:
        readDouble();
        return;
    case Kind::True:
    case Kind::False:
        readBool();
        return;
    case Kind::Null:
        readNull();
        return;
    case Kind::End:
        fail(QStringLiteral("fim inesperado"));
    }
}

} // namespace host
