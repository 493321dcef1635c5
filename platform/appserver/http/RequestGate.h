#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

namespace appserver::http {

// What the server does with a request, decided from its head alone: before a byte of its
// body is read, so that a body that will be refused is never held in memory.
enum class Route
{
    Health, // GET /health, answered on the spot
    Call,   // POST /rpc/login or /rpc/<module>/<method>, run by a worker
    Refused // answered with `refusal`
};

struct RequestHead
{
    std::string_view method;
    std::string_view target; // as sent: percent-encoded, perhaps with a query
    std::optional<std::string_view> contentType;
    std::optional<std::uint64_t> contentLength;
    bool chunked = false;
};

struct Verdict
{
    Route route = Route::Refused;
    int refusal = 0; // the status of a refused request
    QString path;    // the decoded path, without the query
};

// The route of the request, or the refusal: 404 for an address that is no call, 415 for a
// body that is not JSON, 411 for a body of undeclared length (it could not be held to the
// limit before it is read), 413 for a declared length over `maxBody`.
Verdict judge(const RequestHead& head, qint64 maxBody);

// The path of a request target: percent-escapes decoded, the query left out.
QString decodedPath(std::string_view target);
// True for "application/json", with or without parameters such as the charset.
bool isJsonContentType(std::string_view contentType);

// The text of a refusal of the HTTP layer itself, before any call was made.
QString refusalText(int status, const QString& path, qint64 maxBody);
// A path as it may appear in the log: one line of printable characters, at most 200.
QString loggablePath(const QString& path);

} // namespace appserver::http
