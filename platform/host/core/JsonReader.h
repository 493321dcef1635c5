#pragma once

#include <QByteArrayView>
#include <QString>

namespace host {

// A forward reader over JSON text (UTF-8). It never builds a document: callers pull
// tokens and decode values straight into their own structures. Faults raise
// ECodecError with the byte offset.
class JsonReader
{
public:
    explicit JsonReader(QByteArrayView text) : m_text(text) {}

    enum class Kind { Object, Array, String, Number, True, False, Null, End };

    // Kind of the next value (after blanks), without consuming it.
    Kind peek();
    void expect(char c);
    // Consumes c when it is next (after blanks).
    bool accept(char c);
    void expectEnd();

    // A string value. `raw` views its bytes between the quotes; when `escaped` is false
    // they are the text itself (UTF-8) and no copy is needed.
    struct StringToken
    {
        QByteArrayView raw;
        bool escaped = false;
    };
    StringToken readStringToken();
    QString readString();
    static QString decodeString(const StringToken& token);

    // A number's text.
    QByteArrayView readNumberToken();
    double readDouble();
    qint64 readInteger();  // refuses fractions and exponents
    bool readBool();
    void readNull();
    // Skips one whole value.
    void skipValue();

    qsizetype offset() const { return m_at; }
    [[noreturn]] void fail(const QString& what) const;

private:
    void skipBlanks();

    QByteArrayView m_text;
    qsizetype m_at = 0;
    int m_depth = 0;
};

} // namespace host
