#include "TlsContext.h"

#include "host/core/Exceptions.h"

#include <QFileInfo>
#include <openssl/err.h>
#include <openssl/x509.h>

namespace appserver::http {

namespace ssl = boost::asio::ssl;

namespace {

[[noreturn]] void refuse(const QString& text, const boost::system::error_code& ec)
{
    throw host::Exception(text + QStringLiteral(" (%1)").arg(QString::fromStdString(ec.message())));
}

} // namespace

ssl::context serverTlsContext(const QString& certificateFile, const QString& keyFile)
{
    if (certificateFile.isEmpty() || keyFile.isEmpty())
        throw host::Exception(QStringLiteral("Para HTTPS informe o certificado e a chave privada "
                                             "(--tls-cert e --tls-key)."));
    for (const QString& file : {certificateFile, keyFile})
        if (!QFileInfo(file).isFile())
            throw host::Exception(QStringLiteral("Arquivo não encontrado: %1.").arg(file));

    ssl::context context(ssl::context::tls_server);
    context.set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 |
                        ssl::context::no_sslv3 | ssl::context::no_tlsv1 | ssl::context::no_tlsv1_1 |
                        ssl::context::single_dh_use);
    boost::system::error_code ec;
    context.use_certificate_chain_file(certificateFile.toStdString(), ec);
    if (ec)
        refuse(QStringLiteral("O certificado %1 não pôde ser lido (use um arquivo PEM)")
                   .arg(certificateFile),
               ec);
    context.use_private_key_file(keyFile.toStdString(), ssl::context::pem, ec);
    if (ec && ec.category() == boost::asio::error::get_ssl_category() &&
        ERR_GET_REASON(static_cast<unsigned long>(ec.value())) == X509_R_KEY_VALUES_MISMATCH)
        throw host::Exception(
            QStringLiteral("A chave privada %1 não corresponde ao certificado %2.")
                .arg(keyFile, certificateFile));
    if (ec)
        refuse(QStringLiteral("A chave privada %1 não pôde ser lida (use um arquivo PEM sem "
                              "senha)")
                   .arg(keyFile),
               ec);
    if (SSL_CTX_check_private_key(context.native_handle()) != 1)
        throw host::Exception(
            QStringLiteral("A chave privada %1 não corresponde ao certificado %2.")
                .arg(keyFile, certificateFile));
    return context;
}

} // namespace appserver::http
