#include "AppServerProcess.h"

#include <QFile>
#include <QRegularExpression>

namespace transporttest {

AppServerProcess::~AppServerProcess()
{
    kill();
}

bool AppServerProcess::start(const QString& connectionString, int workers, const QStringList& more)
{
    m_port = 0;
    m_process.setStandardErrorFile(m_dir.filePath(QStringLiteral("log")), QIODevice::Append);
    m_process.start(QStringLiteral(SUP_APPSERVER_PROGRAM),
                    QStringList{"--db", connectionString, "--port", "0", "--workers",
                                QString::number(workers)} +
                        more);
    static const QRegularExpression line(QStringLiteral("escutando em https?://[^\\s:]+:(\\d+)"));
    QString out;
    for (int i = 0; i < 100 && m_process.state() != QProcess::NotRunning; ++i) {
        m_process.waitForReadyRead(100);
        out += QString::fromUtf8(m_process.readAllStandardOutput());
        const QRegularExpressionMatch match = line.match(out);
        if (match.hasMatch()) {
            m_port = match.captured(1).toInt();
            return true;
        }
    }
    return false;
}

void AppServerProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}

QString AppServerProcess::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace transporttest
