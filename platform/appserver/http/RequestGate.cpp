#include "RequestGate.h"

#include <QByteArray>

#include <algorithm>

namespace appserver::http {

namespace {

const QString kRpcPrefix = QStringLiteral("/rpc/");

bool isCallPath(const QString& path)
{
    if (!path.startsWith(kRpcPrefix))
        return false;
    const QStringView rest = QStringView(path).mid(kRpcPrefix.size());
    if (rest == u"login" || rest == u"logout")
        return true;
    const qsizetype slash = rest.indexOf(u'/');
    return slash > 0 && slash + 1 < rest.size() && rest.indexOf(u'/', slash + 1) < 0;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

Verdict judge(const RequestHead& head, qint64 maxBody)
{
    Verdict verdict;
    verdict.path = decodedPath(head.target);
    if (head.method == "GET" && verdict.path == u"/health") {
        verdict.route = Route::Health;
        return verdict;
    }
    if (head.method != "POST" || !isCallPath(verdict.path))
        verdict.refusal = 404;
    else if (!head.contentType || !isJsonContentType(*head.contentType))
        verdict.refusal = 415;
    else if (head.chunked || !head.contentLength)
        verdict.refusal = 411;
    else if (*head.contentLength > std::uint64_t(std::max<qint64>(maxBody, 0)))
        verdict.refusal = 413;
    else
        verdict.route = Route::Call;
    return verdict;
}

QString decodedPath(std::string_view target)
{
    const std::string_view path = target.substr(0, target.find_first_of("?#"));
    QByteArray bytes;
    bytes.reserve(qsizetype(path.size()));
    for (size_t i = 0; i < path.size(); ++i) {
        const int high = path[i] == '%' && i + 2 < path.size() ? hexDigit(path[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(path[i + 2]) : -1;
        if (low >= 0) {
            bytes.append(char(high * 16 + low));
            i += 2;
        } else {
            bytes.append(path[i]);
        }
    }
    return QString::fromUtf8(bytes);
}

bool isJsonContentType(std::string_view contentType)
{
    std::string_view type = contentType.substr(0, contentType.find(';'));
    while (!type.empty() && (type.back() == ' ' || type.back() == '\t'))
        type.remove_suffix(1);
    while (!type.empty() && (type.front() == ' ' || type.front() == '\t'))
        type.remove_prefix(1);
    return equalsIgnoringCase(type, "application/json");
}

QString refusalText(int status, const QString& path, qint64 maxBody)
{
    switch (status) {
    case 400:
        return QStringLiteral("Requisição HTTP malformada.");
    case 404:
        return QStringLiteral("Endereço %1 não existe.").arg(path);
    case 411:
        return QStringLiteral("Informe o tamanho da chamada (Content-Length).");
    case 413:
        return QStringLiteral("Chamada maior que o limite de %1 bytes.").arg(maxBody);
    case 415:
        return QStringLiteral("A chamada deve ser enviada em JSON (Content-Type: "
                              "application/json).");
    case 431:
        return QStringLiteral("Cabeçalho da requisição grande demais.");
    case 500:
        return QStringLiteral("Erro interno do servidor.");
    case 503:
        return QStringLiteral("Servidor de aplicação ocupado: todas as chamadas em espera. "
                              "Tente novamente em instantes.");
    default:
        return QStringLiteral("Requisição recusada pelo servidor (código %1).").arg(status);
    }
}

QString loggablePath(const QString& path)
{
    QString line = path.left(200);
    for (QChar& c : line)
        if (!c.isPrint())
            c = QLatin1Char('?');
    return line.isEmpty() ? QStringLiteral("-") : line;
}

} // namespace appserver::http
