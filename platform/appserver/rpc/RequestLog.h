#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace host {
class Database;
}

namespace appserver::rpc {

// The answers of the writing calls already applied, by the request id the client keeps
// across the retries of one call: a save whose answer was lost on the way is sent again
// with the same id and must not be applied twice. Ids belong to the operator who sent
// them. The caller holds the call's write transaction: the answer is stored with the
// call's own work, so a crash leaves both or neither.
namespace requests {

// Longest request id accepted (a UUID has 36 characters).
inline constexpr int kMaxIdLength = 64;

// True for an id of 1 to kMaxIdLength letters, digits, '-', '_', '.', '{' or '}'.
bool isValidId(const QString& requestId);

// The answer stored for the operator's id: the method it was given to and the result as
// encoded on the wire; nothing when the id is new.
struct StoredAnswer
{
    QString method;
    QByteArray result;
};
std::optional<StoredAnswer> find(host::Database& db, const QString& operatorCode,
                                 const QString& requestId);

// Stores the answer of a call just applied, and now and then forgets the answers older
// than a day. Throws host::EDatabaseError.
void record(host::Database& db, const QString& operatorCode, const QString& requestId,
            const QString& method, const QByteArray& result);

} // namespace requests
} // namespace appserver::rpc
