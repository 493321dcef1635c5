#include "DbTestSupport.h"

#include <host/core/OperatorPassword.h>
#include <host/core/Password.h>
#include <appserver/db/Schema.h>
#include <appserver/db/Seed.h>
#include <host/core/Exceptions.h>

#include <gtest/gtest.h>

using namespace appserver::db;
using namespace host;

namespace {

std::string derivedHex(const QByteArray& password, const QByteArray& salt, int iterations,
                       int length)
{
    return pbkdf2HmacSha256(password, salt, iterations, length).toHex().toStdString();
}

} // namespace

// Published PBKDF2-HMAC-SHA256 vectors (RFC 7914 section 11 and the RFC 6070 inputs), plus
// a password longer than the hash block, which the key schedule hashes first.
TEST(Pbkdf2, MatchesPublishedVectors)
{
    EXPECT_EQ(derivedHex("passwd", "salt", 1, 64),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
              "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
    EXPECT_EQ(derivedHex("password", "salt", 4096, 32),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
    EXPECT_EQ(
        derivedHex("passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 40),
        "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9");
    EXPECT_EQ(derivedHex(QByteArray(100, 'K'), "long key", 3, 32),
              "76311848c584a3d41dd62a02a2db8f7907f9297b71b631a600bc0193a85bec1e");
}

TEST(Pbkdf2, MatchesTheSlowPublishedVector)
{
    EXPECT_EQ(derivedHex("Password", "NaCl", 80000, 64),
              "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
              "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d");
}

TEST(Pbkdf2, RefusesNonPositiveCounts)
{
    EXPECT_THROW(pbkdf2HmacSha256("a", "b", 0, 32), std::invalid_argument);
    EXPECT_THROW(pbkdf2HmacSha256("a", "b", 1, 0), std::invalid_argument);
}

TEST(PasswordHash, PasswordsAreEncodedAsUtf8)
{
    const PasswordHash hash =
        hashPasswordWithSalt(QStringLiteral("ação"), QByteArrayLiteral("sal"), 2);
    EXPECT_EQ(hash.key.toHex().toStdString(),
              "78a5ed49efce6a64a5f259f39be4081681b1e8504e16660cacc2d03fb29c782c");
}

TEST(PasswordHash, VerifyAcceptsOnlyTheSamePassword)
{
    const PasswordHash hash = hashPassword(QStringLiteral("Compras2025"), 1000);
    EXPECT_EQ(hash.key.size(), kPasswordKeyBytes);
    EXPECT_EQ(hash.salt.size(), kPasswordSaltBytes);
    EXPECT_EQ(hash.iterations, 1000);
    EXPECT_TRUE(verifyPassword(QStringLiteral("Compras2025"), hash));
    EXPECT_FALSE(verifyPassword(QStringLiteral("compras2025"), hash));
    EXPECT_FALSE(verifyPassword(QStringLiteral("Compras2025 "), hash));
    EXPECT_FALSE(verifyPassword(QString(), hash));

    PasswordHash otherSalt = hash;
    otherSalt.salt[0] = char(otherSalt.salt[0] ^ 1);
    EXPECT_FALSE(verifyPassword(QStringLiteral("Compras2025"), otherSalt));
    PasswordHash otherCount = hash;
    otherCount.iterations = 999;
    EXPECT_FALSE(verifyPassword(QStringLiteral("Compras2025"), otherCount));
    EXPECT_FALSE(verifyPassword(QStringLiteral("Compras2025"), PasswordHash{}));
}

TEST(PasswordHash, EachHashGetsItsOwnRandomSalt)
{
    const PasswordHash a = hashPassword(QStringLiteral("demo"), 10);
    const PasswordHash b = hashPassword(QStringLiteral("demo"), 10);
    EXPECT_NE(a.salt, b.salt);
    EXPECT_NE(a.key, b.key);
    EXPECT_EQ(hashPassword(QStringLiteral("x")).iterations, kPasswordIterations);
}

TEST(PasswordHash, ConstantTimeEqualsComparesWholeStrings)
{
    EXPECT_TRUE(constantTimeEquals("abc", "abc"));
    EXPECT_TRUE(constantTimeEquals(QByteArray(), QByteArray()));
    EXPECT_FALSE(constantTimeEquals("abc", "abd"));
    EXPECT_FALSE(constantTimeEquals("abc", "xbc"));
    EXPECT_FALSE(constantTimeEquals("abc", "abcd"));
}

class OperatorPasswordTest : public ::testing::Test
{
protected:
    void SetUp() override { seedDemo(temp.db(), dbtest::referenceDay()); }
    dbtest::TempDatabase temp;
};

TEST_F(OperatorPasswordTest, DemoOperatorsLogInWithDemoOnly)
{
    for (const char* code : {"ANA.CARVALHO", "CARLOS.NUNES", "DANIELA.LIMA", "FERNANDA.LUZ"}) {
        const QString op = QString::fromLatin1(code);
        EXPECT_TRUE(checkOperatorPassword(temp.db(), op, QStringLiteral("demo"))) << code;
        EXPECT_FALSE(checkOperatorPassword(temp.db(), op, QStringLiteral("Demo"))) << code;
        EXPECT_FALSE(checkOperatorPassword(temp.db(), op, QStringLiteral("demo1"))) << code;
        EXPECT_FALSE(checkOperatorPassword(temp.db(), op, QString())) << code;
    }
    EXPECT_FALSE(
        checkOperatorPassword(temp.db(), QStringLiteral("NINGUEM"), QStringLiteral("demo")));
}

TEST_F(OperatorPasswordTest, StoredHashIsNotThePasswordAndSaltsDiffer)
{
    const QStringList stored =
        dbtest::rows(temp.db(), QStringLiteral("SELECT DSSENHAHASH, DSSENHASALT FROM OPERADOR"));
    ASSERT_EQ(stored.size(), 4);
    QSet<QString> salts;
    for (const QString& row : stored) {
        const QStringList parts = row.split(u'|');
        EXPECT_EQ(parts[0].size(), 2 * kPasswordKeyBytes);
        EXPECT_FALSE(parts[0].contains(QStringLiteral("demo")));
        salts.insert(parts[1]);
    }
    EXPECT_EQ(salts.size(), 4);
}

TEST_F(OperatorPasswordTest, ChangingAPasswordUsesAFreshSalt)
{
    const QString ana = QStringLiteral("ANA.CARVALHO");
    const auto before = readOperatorPassword(temp.db(), ana);
    ASSERT_TRUE(before.has_value());

    setOperatorPassword(temp.db(), ana, QStringLiteral("nova-senha"));

    const auto after = readOperatorPassword(temp.db(), ana);
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after->salt, before->salt);
    EXPECT_EQ(after->iterations, kPasswordIterations);
    EXPECT_TRUE(checkOperatorPassword(temp.db(), ana, QStringLiteral("nova-senha")));
    EXPECT_FALSE(checkOperatorPassword(temp.db(), ana, QStringLiteral("demo")));
    EXPECT_TRUE(
        checkOperatorPassword(temp.db(), QStringLiteral("CARLOS.NUNES"), QStringLiteral("demo")));
}

TEST_F(OperatorPasswordTest, UnknownOperatorsHaveNoPassword)
{
    EXPECT_FALSE(readOperatorPassword(temp.db(), QStringLiteral("NINGUEM")).has_value());
    EXPECT_THROW(setOperatorPassword(temp.db(), QStringLiteral("NINGUEM"), QStringLiteral("x")),
                 host::EDatabaseError);
    temp.db().exec(QStringLiteral(
        "INSERT INTO OPERADOR (CDOPERADOR, NMOPERADOR) VALUES ('SEM.SENHA', 'Sem Senha')"));
    EXPECT_FALSE(readOperatorPassword(temp.db(), QStringLiteral("SEM.SENHA")).has_value());
    EXPECT_FALSE(checkOperatorPassword(temp.db(), QStringLiteral("SEM.SENHA"), QString()));
}
