#pragma once

#include "host/core/Exceptions.h"

namespace appserver::rpc {

// A failure of a call, with the HTTP status it is answered with.
class RpcError : public host::Exception
{
public:
    RpcError(int status, const QString& message) : host::Exception(message), m_status(status) {}
    int status() const noexcept { return m_status; }

private:
    int m_status;
};

// 400: malformed body, wrong argument count or kind.
class BadRequest : public RpcError
{
public:
    explicit BadRequest(const QString& message) : RpcError(400, message) {}
};

// 401: no session, or wrong operator or password.
class Unauthorized : public RpcError
{
public:
    explicit Unauthorized(const QString& message) : RpcError(401, message) {}
};

// 404: unknown module or method.
class NotFound : public RpcError
{
public:
    explicit NotFound(const QString& message) : RpcError(404, message) {}
};

// 413: body over the configured limit.
class PayloadTooLarge : public RpcError
{
public:
    explicit PayloadTooLarge(const QString& message) : RpcError(413, message) {}
};

// A method that refuses the call answers with its text as the call's result (the
// module's convention for "", "1" or an error text); whatever it wrote is rolled back.
class Refusal : public host::Exception
{
public:
    using host::Exception::Exception;
};

} // namespace appserver::rpc
