#pragma once

#include "Password.h"

#include <optional>

namespace host {

class Database;

// The password hash stored in OPERADOR (DSSENHAHASH, DSSENHASALT as hex, NRSENHAITER);
// nothing when the operator does not exist or has no password yet.
std::optional<PasswordHash> readOperatorPassword(host::Database& db, const QString& operatorCode);

// Stores a hash for an existing operator; throws host::EDatabaseError when there is none.
void storeOperatorPassword(host::Database& db, const QString& operatorCode,
                           const PasswordHash& hash);

// Sets a new password with a fresh random salt.
void setOperatorPassword(host::Database& db, const QString& operatorCode, const QString& password);

// True when the operator exists, has a password and the password matches it. An unknown
// operator costs the same work as a wrong password, so timing does not tell them apart.
bool checkOperatorPassword(host::Database& db, const QString& operatorCode,
                           const QString& password);

} // namespace host
