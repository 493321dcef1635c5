// Inputs the fuzz targets found that the JSON reader and the wire codec mishandled, kept
// byte for byte, each with what must hold for it.

#include "host/core/Exceptions.h"
#include "host/core/WireCodec.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace host;

TEST(CodecFuzzFindings, NegativeZeroKeepsItsSignAndReadsBackAsWritten)
{
    // A map whose number was written with twenty zeros: it read as -0.0, was written as
    // "-0", and that read back as the integer 0.
    const QByteArray sent = R"({"&packet":[-0000000000000000000]})";
    const QVariant first = wire::decode(sent);
    const QByteArray written = wire::encode(first);
    EXPECT_EQ(written, R"({"&packet":[-0]})");
    const QVariant reread = wire::decode(written);
    EXPECT_EQ(wire::encode(reread), written);
    const QVariant zero = reread.toMap().value(QStringLiteral("&packet")).toList().value(0);
    EXPECT_EQ(zero.metaType().id(), QMetaType::Double);
    EXPECT_TRUE(std::signbit(zero.toDouble()));
    // Plain zeros and negative integers stay integers.
    EXPECT_EQ(wire::decode("0").metaType().id(), QMetaType::LongLong);
    EXPECT_EQ(wire::decode("-10").toLongLong(), -10);
    EXPECT_EQ(wire::decode("-10").metaType().id(), QMetaType::LongLong);
}

TEST(CodecFuzzFindings, PacketIntegerThatMarksNullIsRefused)
{
    // The smallest 64-bit integer is how a packet's table marks a null integer: sent as
    // a value it arrived as null.
    const QByteArray sent =
        R"({"$packet":{"fields":[{"name":"A","type":"integer"}],"rows":[[-9223372036854775808]]}})";
    try {
        wire::decode(sent);
        FAIL() << "the integer was accepted";
    } catch (const ECodecError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("fora do intervalo no campo A"))) << e.message().toStdString();
    }
    // One above it is an ordinary value and reads back as sent.
    const QByteArray largest =
        R"({"$packet":{"fields":[{"name":"A","type":"integer"}],"rows":[[-9223372036854775807],[null]]}})";
    const auto packet = wire::decode(largest).value<Packet>();
    ASSERT_EQ(packet.rowCount(), 2);
    EXPECT_EQ(packet.value(0, 0).toLongLong(), -9223372036854775807LL);
    EXPECT_TRUE(packet.value(1, 0).isNull());
    EXPECT_EQ(wire::encode(QVariant::fromValue(packet)), R"({"$packet":{"fields":[{"name":"A","type":"integer"}],"rows":[[-9223372036854775807],[null]]}})");
}
