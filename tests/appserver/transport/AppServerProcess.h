#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace transporttest {

// The sup-appserver program serving a database, run as a child process on a port of its
// choosing. Its log goes to a file, so that a long run never fills a pipe.
class AppServerProcess
{
public:
    ~AppServerProcess();
    // Starts the server (with any further options); false when it does not announce its
    // port (log() says why).
    bool start(const QString& connectionString, int workers = 4, const QStringList& more = {});
    // SIGKILL: the server dies wherever it is, an open transaction with it.
    void kill();
    QProcess& process() { return m_process; }
    int port() const { return m_port; }
    // What the server wrote on its standard error.
    QString log() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

} // namespace transporttest
