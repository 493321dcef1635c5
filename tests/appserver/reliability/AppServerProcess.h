#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace reliabilitytest {

// A sup-appserver program serving a database, run as a child process on a port of its
// choosing, that a test may stop or kill like an operating system would.
class AppServerProcess
{
public:
    ~AppServerProcess();
    // Starts the server; false when it does not announce its port (the reason in error()).
    bool start(const QString& connectionString, int workers = 16);
    // SIGKILL: the server dies wherever it is, its open transaction with it.
    void kill();
    int port() const { return m_port; }
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir; // the server's log, so that a long run never fills a pipe
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

} // namespace reliabilitytest
