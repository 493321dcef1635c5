#pragma once

#include <QString>
#include <stdexcept>

namespace host {

// Base of every error the host raises. Carries the text shown to the operator.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// Ends the running event handler silently; the message (if any) was already shown.
class EAbort : public Exception
{
public:
    EAbort() : Exception(QStringLiteral("Operação abortada")) {}
};

// Misuse of a data set or a failure of the database.
class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};

// A filter text that cannot be understood; position() is the 1-based column of the fault.
class EFilterError : public EDatabaseError
{
public:
    EFilterError(const QString& message, int position)
        : EDatabaseError(message), m_position(position)
    {
    }
    int position() const noexcept { return m_position; }

private:
    int m_position;
};

// A malformed value on the wire (bad JSON, unknown marker, wrong shape).
class ECodecError : public Exception
{
public:
    using Exception::Exception;
};

// The application server could not be reached or the connection broke.
class EConnectionLost : public Exception
{
public:
    using Exception::Exception;
};

// The application server answered a call with an error text.
class ERemote : public Exception
{
public:
    using Exception::Exception;
};

} // namespace host
