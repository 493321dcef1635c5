#include "TestCertificate.h"

#include <QFileInfo>
#include <QProcess>

namespace transporttest {

bool TestCertificate::make()
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                   "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                   "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", key(), "-out",
                   certificate()});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0) {
        m_error = openssl.errorString() + QLatin1Char(' ') +
                  QString::fromLocal8Bit(openssl.readAllStandardError());
        return false;
    }
    return QFileInfo(certificate()).size() > 0 && QFileInfo(key()).size() > 0;
}

} // namespace transporttest
