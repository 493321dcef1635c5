#pragma once

#include "TestMethods.h"

#include "../DbTestSupport.h"

#include "appserver/http/HttpServer.h"
#include "appserver/rpc/Service.h"
#include "host/net/RemoteSession.h"

#include <QMutex>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace transporttest {

// How a test reaches the server: over loopback HTTP or through the in-process endpoint.
enum class Mode
{
    Http,
    InProcess
};

std::string modeName(const ::testing::TestParamInfo<Mode>& info);

// The server's log lines, written from its worker threads.
class LogLines
{
public:
    void add(const QString& line);
    QStringList all() const;
    qsizetype size() const;
    // The lines written since the log had `count` lines.
    QStringList since(qsizetype count) const;

private:
    mutable QMutex m_mutex;
    QStringList m_lines;
};

// The demo purchasing centre behind one Service with the real modules and the test module,
// served over HTTP on an ephemeral loopback port and reachable in-process. The body limit
// is small so that an oversized call is cheap to make.
class TransportFixture : public ::testing::Test
{
protected:
    static constexpr qint64 kMaxBody = 16 * 1024;

    void SetUp() override;
    void TearDown() override;

    appserver::rpc::Service& service() { return *m_service; }
    appserver::http::HttpServer& server() { return *m_server; }
    // A connection of the test itself, for checking what calls changed.
    host::Database& db() { return m_db.db(); }
    int port() const { return m_port; }

    // A fresh endpoint (over HTTP with a connection of its own).
    host::RpcEndpoint endpoint(Mode mode);
    // A session of the mode: HTTP at the server's address, or the in-process endpoint.
    host::RemoteSession session(Mode mode);
    host::RpcReply post(Mode mode, const QString& path, const QByteArray& body,
                        const QString& token = {});
    // Logs in with the demo password at branch 0001; fails the test on error.
    QString login(Mode mode, const QString& operatorCode = QStringLiteral("ANA.CARVALHO"));

    // Stops the HTTP server (running calls finish), and starts a new one on the same port.
    void stopServer();
    void restartServer();

    LogLines log;
    SleepProbe probe;

private:
    void startServer(int port);

    dbtest::TempDatabase m_db;
    std::unique_ptr<appserver::rpc::Service> m_service;
    std::unique_ptr<appserver::http::HttpServer> m_server;
    int m_port = 0;
};

// Bodies, paths and answers of the wire protocol.
QByteArray loginBody(const QString& operatorCode, const QString& password,
                     const QString& branch = QStringLiteral("0001"));
QByteArray callBody(const QVariantList& args);
QString callPath(const QString& method, const QString& module = kTestModule);
QString errorText(const host::RpcReply& reply);
QVariant resultOf(const host::RpcReply& reply);

} // namespace transporttest
