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
