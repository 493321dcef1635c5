#pragma once

#include <QByteArray>
#include <QString>

namespace host {

// Operator passwords are kept as PBKDF2-HMAC-SHA256 derived keys (RFC 8018) of the UTF-8
// password, with a per-operator salt and an iteration count stored beside the key.

inline constexpr int kPasswordIterations = 120000; // for passwords set by operators
inline constexpr int kPasswordSaltBytes = 16;
inline constexpr int kPasswordKeyBytes = 32;

// What is stored for one password.
struct PasswordHash
{
    QByteArray key;  // derived key, kPasswordKeyBytes long
    QByteArray salt; // random bytes
    int iterations = 0;

    bool isValid() const { return !key.isEmpty() && !salt.isEmpty() && iterations > 0; }
};

// PBKDF2 with HMAC-SHA256 as the pseudo-random function. keyLength in bytes (> 0),
// iterations > 0; throws std::invalid_argument otherwise.
QByteArray pbkdf2HmacSha256(const QByteArray& password, const QByteArray& salt, int iterations,
                            int keyLength);

// A new hash of the password with a random salt from the system's secure generator.
PasswordHash hashPassword(const QString& password, int iterations = kPasswordIterations);

// A hash with the salt given (for reproducible data; real passwords use hashPassword).
PasswordHash hashPasswordWithSalt(const QString& password, const QByteArray& salt, int iterations);

// True when the password derives the stored key. The comparison takes the same time
// wherever the keys differ.
bool verifyPassword(const QString& password, const PasswordHash& stored);

// Compares two byte strings in time that depends only on their lengths.
bool constantTimeEquals(const QByteArray& a, const QByteArray& b);

} // namespace host
