#include "ClientEnvironment.h"

#include "appserver/db/Schema.h"
#include "appserver/db/Seed.h"
#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "appserver/rpc/Service.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/net/RemoteSession.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>

ClientEnvironment::ClientEnvironment() = default;
ClientEnvironment::~ClientEnvironment() = default;

QString ClientEnvironment::defaultDatabaseUrl()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/sup01700");
    return QStringLiteral("sqlite:") + dir + QStringLiteral("/demo.db");
}

namespace {

bool hasOperators(host::Database& db)
{
    QSqlQuery query(db.sql());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM OPERADOR")) && query.next() &&
           query.value(0).toInt() > 0;
}

} // namespace

void ClientEnvironment::openDatabase(const QString& url, bool seedWhenEmpty)
{
    m_databaseUrl = url;
    if (url.startsWith(QLatin1String("sqlite:"))) {
        const QString dir = QFileInfo(url.mid(7)).absolutePath();
        if (!QDir().mkpath(dir))
            throw host::EDatabaseError(QStringLiteral("a pasta %1 não pode ser criada.").arg(dir));
    }
    m_database = std::make_unique<host::Database>(url);
    const bool ready = appserver::db::hasSchema(*m_database) && hasOperators(*m_database);
    if (ready)
        return;
    if (!seedWhenEmpty)
        throw host::EDatabaseError(
            QStringLiteral("o banco %1 não tem as tabelas do sistema (crie-o com sup-db).").arg(url));
    appserver::db::seedDemo(*m_database);
}

void ClientEnvironment::connectServer(const QString& address, const QString& caFile)
{
    if (address.isEmpty()) {
        if (!caFile.isEmpty())
            throw host::Exception(
                QStringLiteral("--ca vale só com um servidor HTTPS (--server https://...)."));
        appserver::rpc::ServiceConfig config;
        config.connectionString = m_databaseUrl;
        m_service = std::make_unique<appserver::rpc::Service>(config,
                                                              appserver::modules::allMethods());
        m_session = std::make_unique<host::RemoteSession>(appserver::rpc::inProcessEndpoint(*m_service));
        return;
    }
    const bool tls = address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    const qsizetype colon = address.lastIndexOf(QLatin1Char(':'));
    const qsizetype schemeEnd = address.indexOf(QLatin1String("://"));
    bool ok = false;
    const int port = colon > std::max<qsizetype>(schemeEnd + 2, 0) ? address.mid(colon + 1).toInt(&ok) : 0;
    if (!ok || port <= 0 || port > 65535)
        throw host::Exception(QStringLiteral("endereço de servidor inválido: \"%1\" (use "
                                             "MAQUINA:PORTA ou https://MAQUINA:PORTA).")
                                  .arg(address));
    if (!caFile.isEmpty() && !tls)
        throw host::Exception(
            QStringLiteral("--ca vale só com um servidor HTTPS (--server https://...)."));
    if (!caFile.isEmpty() && !QFileInfo(caFile).isReadable())
        throw host::Exception(
            QStringLiteral("arquivo de autoridades certificadoras não encontrado: %1.").arg(caFile));
    m_session = std::make_unique<host::RemoteSession>();
    m_session->setWebURL(address.left(colon));
    m_session->setWebPort(port);
    host::HttpOptions options;
    options.caFile = caFile;
    m_session->setHttpOptions(options);
}
