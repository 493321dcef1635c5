#include "InProcess.h"

namespace appserver::rpc {

host::RpcEndpoint inProcessEndpoint(Service& service)
{
    return [&service](const QString& path, const QByteArray& body,
                      const QByteArray& authorization, const QString& requestId) {
        RpcRequest request;
        request.verb = path == QLatin1String("/health") ? QByteArray("GET") : QByteArray("POST");
        request.path = path;
        request.body = body;
        request.authorization = authorization;
        request.requestId = requestId;
        const RpcResponse response = service.handle(request);
        return host::RpcReply{response.status, response.body};
    };
}

} // namespace appserver::rpc
