#pragma once

#include <QString>
#include <boost/asio/ssl/context.hpp>

namespace appserver::http {

// The TLS side of a server with the certificate (chain) and private key of the given PEM
// files: TLS 1.2 or later only. Throws host::Exception, naming the file, when either cannot
// be read or the key does not belong to the certificate.
boost::asio::ssl::context serverTlsContext(const QString& certificateFile, const QString& keyFile);

} // namespace appserver::http
