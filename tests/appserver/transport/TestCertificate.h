#pragma once

#include <QString>
#include <QTemporaryDir>

namespace transporttest {

// A throwaway self-signed certificate for 127.0.0.1 and localhost with its private key,
// made by the openssl program in a temporary folder that goes with the object. The
// certificate is its own authority: a client trusts the server by naming it as its CA.
class TestCertificate
{
public:
    // Makes the files; false when openssl fails (error() says why).
    bool make();
    QString certificate() const { return m_dir.filePath(QStringLiteral("servidor.crt")); }
    QString key() const { return m_dir.filePath(QStringLiteral("servidor.key")); }
    QString error() const { return m_error; }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_error;
};

} // namespace transporttest
