#pragma once

#include "ServerClock.h"

#include <QString>
#include <chrono>
#include <functional>

namespace host {
class Database;
}

namespace appserver::rpc {

// How failed logins slow down the next attempts of the same operator code.
struct LoginPolicy
{
    // Failures within the window that cost nothing.
    int freeFailures = 5;
    std::chrono::seconds window = std::chrono::minutes(10);
    // The wait after the first failure beyond the free ones, doubled by each further one up
    // to the longest wait.
    std::chrono::seconds firstWait = std::chrono::seconds(2);
    std::chrono::seconds longestWait = std::chrono::seconds(60);
};

// Failed logins per operator code (as typed, known or not, so that the answers tell
// nothing about which codes exist), kept in the shared database (table FALHALOGIN): every
// server of a site counts the same failures, so going round the servers gains nothing.
//
// While an operator code has to wait, its attempts are refused without looking at the
// password. Nothing waits inside the server: no thread, lock or transaction is held for
// a refused operator, so others log in as usual.
class LoginAttempts
{
public:
    using Connection = std::function<host::Database&()>;

    LoginAttempts(Connection connection, ServerClock& clock, LoginPolicy policy = {});

    // Whole seconds the operator code still has to wait before its next attempt counts;
    // 0 when it may try now.
    qint64 waitBefore(const QString& operatorCode);
    // Records a failed attempt. Returns the failures within the window, this one included,
    // and in `wait` the seconds the next attempt has to wait (0 for none).
    int failed(const QString& operatorCode, qint64* wait);
    // A successful login forgets the operator code's failures.
    void succeeded(const QString& operatorCode);

    const LoginPolicy& policy() const { return m_policy; }

private:
    std::chrono::seconds waitAfter(int failures) const;

    Connection m_connection;
    ServerClock& m_clock;
    LoginPolicy m_policy;
};

} // namespace appserver::rpc
