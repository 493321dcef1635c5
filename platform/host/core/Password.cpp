#include "Password.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>
#include <cstring>
#include <stdexcept>

namespace host {
namespace {

constexpr int kSha256Block = 64;
constexpr int kSha256Size = 32;

// HMAC-SHA256 with the key's pads prepared once: PBKDF2 runs it thousands of times
// with the same key.
class HmacSha256
{
public:
    explicit HmacSha256(QByteArray key)
    {
        if (key.size() > kSha256Block)
            key = QCryptographicHash::hash(key, QCryptographicHash::Sha256);
        key.resize(kSha256Block, '\0');
        m_innerPad = key;
        m_outerPad = key;
        for (int i = 0; i < kSha256Block; ++i) {
            m_innerPad[i] = char(m_innerPad[i] ^ 0x36);
            m_outerPad[i] = char(m_outerPad[i] ^ 0x5c);
        }
    }

    QByteArray mac(QByteArrayView message)
    {
        m_hash.reset();
        m_hash.addData(m_innerPad);
        m_hash.addData(message);
        const QByteArray inner = m_hash.result();
        m_hash.reset();
        m_hash.addData(m_outerPad);
        m_hash.addData(inner);
        return m_hash.result();
    }

private:
    QByteArray m_innerPad;
    QByteArray m_outerPad;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    bytes[0] = char(value >> 24);
    bytes[1] = char(value >> 16);
    bytes[2] = char(value >> 8);
    bytes[3] = char(value);
    return bytes;
}

} // namespace

QByteArray pbkdf2HmacSha256(const QByteArray& password, const QByteArray& salt, int iterations,
                            int keyLength)
{
    if (iterations <= 0 || keyLength <= 0)
        throw std::invalid_argument("PBKDF2: iterations and key length must be positive");

    HmacSha256 prf(password);
    QByteArray derived;
    derived.reserve(keyLength);
    for (quint32 block = 1; derived.size() < keyLength; ++block) {
        QByteArray u = prf.mac(salt + bigEndian32(block));
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            u = prf.mac(u);
            for (int j = 0; j < kSha256Size; ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        derived += t;
    }
    derived.truncate(keyLength);
    return derived;
}

PasswordHash hashPasswordWithSalt(const QString& password, const QByteArray& salt, int iterations)
{
    PasswordHash hash;
    hash.salt = salt;
    hash.iterations = iterations;
    hash.key = pbkdf2HmacSha256(password.toUtf8(), salt, iterations, kPasswordKeyBytes);
    return hash;
}

PasswordHash hashPassword(const QString& password, int iterations)
{
    std::array<quint32, kPasswordSaltBytes / sizeof(quint32)> words{};
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    QByteArray salt(kPasswordSaltBytes, '\0');
    std::memcpy(salt.data(), words.data(), kPasswordSaltBytes);
    return hashPasswordWithSalt(password, salt, iterations);
}

bool constantTimeEquals(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    // No early exit: the loop always runs over every byte.
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

bool verifyPassword(const QString& password, const PasswordHash& stored)
{
    if (!stored.isValid())
        return false;
    const QByteArray key =
        pbkdf2HmacSha256(password.toUtf8(), stored.salt, stored.iterations, int(stored.key.size()));
    return constantTimeEquals(key, stored.key);
}

} // namespace host
