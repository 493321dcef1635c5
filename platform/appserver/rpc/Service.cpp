#include "Service.h"

#include "RequestLog.h"
#include "RpcErrors.h"

#include "appserver/db/Schema.h"

#include "host/core/Database.h"
#include "host/core/OperatorPassword.h"
#include "host/core/WireCodec.h"
#include "host/core/consiste/Consiste.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <map>
#include <memory>

namespace appserver::rpc {

namespace {

const QString kRpcPrefix = QStringLiteral("/rpc/");
const QString kWrongLogin = QStringLiteral("Operador ou senha inválidos.");

QByteArray resultBody(const QVariant& value)
{
    host::JsonWriter out;
    out.beginObject();
    out.key(QLatin1StringView("result"));
    host::wire::writeValue(out, value);
    out.endObject();
    return out.take();
}

// The body of an answer whose result is already encoded.
QByteArray resultBody(const QByteArray& encodedResult)
{
    return QByteArrayLiteral("{\"result\":") + encodedResult + '}';
}

// Text from a caller, on one printable line of the log.
QString printable(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return text;
}

QString methodKey(const Method& method)
{
    return method.module + QLatin1Char('/') + method.name;
}

QString bearerToken(const QByteArray& authorization)
{
    const QByteArray prefix = "Bearer ";
    if (!authorization.startsWith(prefix))
        return {};
    return QString::fromLatin1(authorization.mid(prefix.size()).trimmed());
}

QVariantMap decodeObject(const QByteArray& body)
{
    QVariant decoded;
    try {
        decoded = host::wire::decode(body);
    } catch (const host::ECodecError& e) {
        throw BadRequest(e.message());
    }
    if (decoded.metaType().id() != QMetaType::QVariantMap)
        throw BadRequest(QStringLiteral("O corpo da chamada deve ser um objeto JSON."));
    return decoded.toMap();
}

} // namespace

Service::Service(ServiceConfig config, MethodRegistry registry)
    : m_config(std::move(config)), m_registry(std::move(registry)),
      m_sessions([this]() -> host::Database& { return connection(); }, m_clock,
                 m_config.idleTimeout, m_config.sessionRecheck),
      m_logins([this]() -> host::Database& { return connection(); }, m_clock, m_config.loginPolicy)
{
}

host::Database& Service::connection()
{
    thread_local std::map<QString, std::unique_ptr<host::Database>> connections;
    auto& db = connections[m_config.connectionString];
    if (!db) {
        db = std::make_unique<host::Database>(m_config.connectionString);
        // A database written by an older version gains what this one keeps in it.
        appserver::db::upgradeSchema(*db);
        // A save reads and writes rows all over a quotation of hundreds of thousands of
        // items: a page cache of 64 MB per connection keeps them from being read again.
        if (db->kind() == host::DatabaseKind::SQLite)
            db->exec(QStringLiteral("PRAGMA cache_size = -65536"));
    }
    return *db;
}

RpcResponse Service::error(int status, const QString& text)
{
    host::JsonWriter out;
    out.beginObject();
    out.key(QLatin1StringView("error"));
    out.string(text);
    out.endObject();
    return RpcResponse{status, out.take()};
}

RpcResponse Service::handle(const RpcRequest& request)
{
    QElapsedTimer timer;
    timer.start();
    QString what = request.path;
    CallNote note;
    RpcResponse response;
    try {
        if (request.path == QLatin1String("/health")) {
            response = RpcResponse{200, "ok", "text/plain; charset=utf-8"};
        } else if (!request.path.startsWith(kRpcPrefix)) {
            throw NotFound(QStringLiteral("Endereço %1 não existe.").arg(request.path));
        } else if (request.verb != "POST") {
            throw NotFound(QStringLiteral("Use POST em %1.").arg(request.path));
        } else if (request.body.size() > m_config.maxBody) {
            throw PayloadTooLarge(
                QStringLiteral("Chamada maior que o limite de %1 bytes.").arg(m_config.maxBody));
        } else if (request.path == QLatin1String("/rpc/login")) {
            what = QStringLiteral("login");
            response = login(request, note);
        } else if (request.path == QLatin1String("/rpc/logout")) {
            what = QStringLiteral("logout");
            response = logout(request);
        } else {
            const QStringList parts = request.path.mid(kRpcPrefix.size()).split(QLatin1Char('/'));
            if (parts.size() != 2 || parts[0].isEmpty() || parts[1].isEmpty())
                throw NotFound(QStringLiteral("Endereço %1 não existe.").arg(request.path));
            what = parts[0] + QLatin1Char('.') + parts[1];
            response = call(parts[0], parts[1], request, note);
        }
    } catch (const RpcError& e) {
        response = error(e.status(), e.message());
    } catch (const host::Exception& e) {
        response = error(500, e.message());
    } catch (const std::exception& e) {
        response = error(500, QStringLiteral("Erro interno do servidor."));
        what += QStringLiteral(" [") + QString::fromLocal8Bit(e.what()) + QLatin1Char(']');
    }
    // The path comes from the caller: keep it on one printable line.
    what = printable(what);
    if (request.path != QLatin1String("/health"))
        logLine(QStringLiteral("%1 %2 %3 ms %4%5")
                         .arg(what, note.operatorCode)
                         .arg(timer.elapsed())
                         .arg(response.status)
                         .arg(note.replayed ? QStringLiteral(" (repetida)")
                              : note.detail.isEmpty() ? QString()
                                                      : QStringLiteral(" (") + note.detail +
                                                            QLatin1Char(')')));
    return response;
}

RpcResponse Service::login(const RpcRequest& request, CallNote& note)
{
    const QVariantMap body = decodeObject(request.body);
    const QVariant op = body.value(QStringLiteral("operator"));
    const QVariant password = body.value(QStringLiteral("password"));
    const QVariant branch = body.value(QStringLiteral("branch"));
    for (const QVariant* v : {&op, &password, &branch})
        if (v->metaType().id() != QMetaType::QString)
            throw BadRequest(QStringLiteral("Informe operador, senha e filial como textos."));

    host::Database& db = connection();
    const QString code = host::Ajusta(op.toString(), 12);
    if (code.isEmpty())
        throw Unauthorized(kWrongLogin);
    // An operator code that failed too often waits; its password is not even looked at,
    // so that guessing gains nothing while it waits.
    if (const qint64 wait = m_logins.waitBefore(code); wait > 0) {
        note.detail =
            QStringLiteral("%1: aguardando %2 s após falhas").arg(printable(code)).arg(wait);
        throw RpcError(429, QStringLiteral("Muitas tentativas de entrada sem sucesso. Tente "
                                           "novamente em %1 segundos.")
                                .arg(wait));
    }
    if (!host::checkOperatorPassword(db, code, password.toString())) {
        qint64 wait = 0;
        const int failures = m_logins.failed(code, &wait);
        note.detail = QStringLiteral("%1: %2ª falha em %3 min%4")
                          .arg(printable(code))
                          .arg(failures)
                          .arg(m_logins.policy().window.count() / 60)
                          .arg(wait > 0 ? QStringLiteral("; próxima tentativa em %1 s").arg(wait)
                                        : QString());
        throw Unauthorized(kWrongLogin);
    }
    m_logins.succeeded(code);

    QSqlQuery query(db.sql());
    // A branch without a purchasing centre of its own buys for itself.
    query.prepare(QStringLiteral(
        "SELECT OPERADOR.NMOPERADOR, FILIAL.CDFILIAL, "
        "COALESCE(NULLIF(TRIM(FILIAL.CDFILCENTCMP), ''), FILIAL.CDFILIAL) FROM OPERADOR "
        "LEFT JOIN FILIAL ON FILIAL.CDFILIAL = ? WHERE OPERADOR.CDOPERADOR = ?"));
    const QString branchCode = host::Ajusta(branch.toString(), 4);
    query.addBindValue(branchCode);
    query.addBindValue(code);
    if (!query.exec() || !query.next())
        throw Unauthorized(kWrongLogin);
    if (query.value(1).isNull())
        throw BadRequest(QStringLiteral("Filial %1 não cadastrada.").arg(branchCode));
    const QString name = query.value(0).toString();
    const Session session = m_sessions.open(code, name, branchCode, query.value(2).toString());

    QVariantMap answer;
    answer.insert(QStringLiteral("token"), session.token);
    answer.insert(QStringLiteral("name"), name);
    answer.insert(QStringLiteral("branch"), branchCode);
    return RpcResponse{200, host::wire::encode(answer)};
}

RpcResponse Service::logout(const RpcRequest& request)
{
    const QString token = bearerToken(request.authorization);
    if (token.isEmpty() || !m_sessions.find(token))
        throw Unauthorized(
            QStringLiteral("Sessão inválida ou expirada. Entre novamente no sistema."));
    m_sessions.close(token);
    return RpcResponse{200, resultBody(QVariant(true))};
}

void Service::logLine(const QString& line) const
{
    if (m_config.log)
        m_config.log(line);
}

RpcResponse Service::call(const QString& module, const QString& name, const RpcRequest& request,
                          CallNote& note)
{
    const std::optional<Session> session = m_sessions.find(bearerToken(request.authorization));
    if (!session)
        throw Unauthorized(
            QStringLiteral("Sessão inválida ou expirada. Entre novamente no sistema."));
    note.operatorCode = session->operatorCode;
    if (!request.requestId.isEmpty() && !requests::isValidId(request.requestId))
        throw BadRequest(QStringLiteral("Identificador da chamada (X-Request-Id) inválido: use até "
                                        "%1 letras, dígitos ou hífens.")
                             .arg(requests::kMaxIdLength));

    const Method* method = m_registry.find(module, name);
    if (!method)
        throw NotFound(m_registry.hasModule(module)
                           ? QStringLiteral("Método %1 não existe em %2.").arg(name, module)
                           : QStringLiteral("Módulo %1 não existe.").arg(module));

    const QVariantMap body = decodeObject(request.body);
    const QVariant args = body.value(QStringLiteral("args"));
    if (args.metaType().id() != QMetaType::QVariantList)
        throw BadRequest(QStringLiteral("O corpo da chamada deve ter a lista \"args\"."));
    const QVariantList checked = MethodRegistry::checkArguments(*method, args.toList());
    return RpcResponse{200, run(*method, *session, checked, request.requestId, note)};
}

QByteArray Service::run(const Method& method, const Session& session, const QVariantList& args,
                        const QString& requestId, CallNote& note)
{
    host::Database& db = connection();
    // Only what a call wrote can be applied twice; reads simply run again.
    const bool once = method.writes && !requestId.isEmpty();
    // Every call sees one snapshot of the database; a writer holds the write lock from
    // its first statement, so that two writers never deadlock, and a retry of a call
    // still running waits for it and then finds its answer.
    if (method.writes)
        db.begin();
    else
        db.beginRead();
    try {
        if (once) {
            // PostgreSQL takes row locks, not one write lock: a retry arriving while its first
            // run is still at work waits here for it, and then finds its answer.
            if (db.kind() == host::DatabaseKind::PostgreSQL)
                db.run(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"),
                       {session.operatorCode + QLatin1Char('/') + requestId});
            if (const auto stored = requests::find(db, session.operatorCode, requestId)) {
                db.rollback();
                if (stored->method != methodKey(method))
                    throw BadRequest(QStringLiteral("O identificador de chamada %1 já foi usado "
                                                    "por outro método (%2).")
                                         .arg(requestId, stored->method));
                note.replayed = true;
                return resultBody(stored->result);
            }
        }
        CallContext context(db, session, method, args);
        const QVariant result = method.handler(context);
        if (!once) {
            db.commit();
            return resultBody(result);
        }
        const QByteArray encoded = host::wire::encode(result);
        requests::record(db, session.operatorCode, requestId, methodKey(method), encoded);
        db.commit();
        return resultBody(encoded);
    } catch (const Refusal& refusal) {
        // Refused calls wrote nothing and are not kept: a retry runs them again.
        db.rollback();
        return resultBody(QVariant(refusal.message()));
    } catch (...) {
        db.rollback();
        throw;
    }
}

} // namespace appserver::rpc
