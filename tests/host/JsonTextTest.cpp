// Texts through the JSON writer and reader: long texts with many escapes and characters of
// every UTF-8 length come back as Qt reads and writes UTF-8, whatever falls on the reader's
// eight-byte steps.

#include "host/core/Exceptions.h"
#include "host/core/JsonReader.h"
#include "host/core/JsonWriter.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <gtest/gtest.h>

using namespace host;

namespace {

QString readText(const QByteArray& json)
{
    JsonReader in(json);
    const QString text = in.readString();
    in.expectEnd();
    return text;
}

// Pieces of text of every kind, put together in a pseudo-random order.
QString mixedText(quint32 seed, int pieces)
{
    static const QStringList kinds = {
        QStringLiteral("abc"),       QStringLiteral("øø"),        QStringLiteral("\n"),
        QStringLiteral("¤¤"),        QStringLiteral("\""),        QStringLiteral("\\"),
        QStringLiteral("€"),         QStringLiteral("\t"),        QString(QChar(0x01)),
        QStringLiteral("ÇÃO 1KG"),   QString::fromUcs4(U"\U0001F600"), QStringLiteral("\uFEFF"),
        QStringLiteral("1.234,50000")};
    QString text;
    for (int i = 0; i < pieces; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += kinds[int((seed >> 16) % kinds.size())];
    }
    return text;
}

} // namespace

TEST(JsonText, WrittenAndReadBackWhole)
{
    for (quint32 seed = 1; seed <= 200; ++seed) {
        const QString text = mixedText(seed, int(seed % 97) + 1);
        JsonWriter out;
        out.string(text);
        ASSERT_EQ(out.data(), JsonWriter::escape(text)) << seed;
        ASSERT_EQ(readText(out.data()), text) << seed;
    }
    // Longer than the writer's piece, with a character of two units across its end.
    QString longText(4095, QLatin1Char('x'));
    longText += QString::fromUcs4(U"\U0001F600") + QStringLiteral("fim\n");
    JsonWriter out;
    out.string(longText);
    EXPECT_EQ(readText(out.data()), longText);
}

TEST(JsonText, BytesBetweenEscapesReadAsQtReadsThem)
{
    // Malformed or unusual UTF-8 between escapes: each run as Qt's decoder gives it, a
    // leading U+FEFF kept as the character it is.
    auto fromUtf8 = [](const QByteArray& bytes) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        return QString(decoder(bytes));
    };
    const QList<QByteArray> runs = {"plain ascii text", "\xC3\xB8\xC3\xB8", "\xE2\x82\xAC",
                                    "\xF0\x9F\x98\x80", "\xEF\xBB\xBFbom", "\xC3", "\xE2\x82",
                                    "\xC0\xAF", "\xED\xA0\x80", "\xFF\xFE", "\x80x", ""};
    for (const QByteArray& first : runs) {
        for (const QByteArray& second : runs) {
            const QByteArray json = "\"" + first + "\\n" + second + "\\\"\"";
            const QString expected =
                fromUtf8(first) + QLatin1Char('\n') + fromUtf8(second) + QLatin1Char('"');
            ASSERT_EQ(readText(json), expected) << json.toHex().toStdString();
        }
        // Without escapes the bytes are read in one piece.
        EXPECT_EQ(readText("\"" + first + "\""), fromUtf8(first));
    }
}

TEST(JsonText, TheEndOrAControlCharacterIsFoundAtAnyPlace)
{
    for (int at = 0; at < 20; ++at) {
        QByteArray json = "\"" + QByteArray(at, 'a');
        EXPECT_THROW(readText(json), ECodecError) << at;
        EXPECT_THROW(readText(json + '\x02' + "bbbbbbbbbb\""), ECodecError) << at;
        EXPECT_EQ(readText(json + "\"").size(), at);
    }
}
