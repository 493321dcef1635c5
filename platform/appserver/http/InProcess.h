#pragma once

#include "appserver/rpc/Service.h"
#include "host/net/RpcTransport.h"

namespace appserver::rpc {

// The server's request handling as a client endpoint, for the embedded mode: the client
// runs the same requests, bodies and answers as over HTTP, without a socket. The service
// must outlive the endpoint.
host::RpcEndpoint inProcessEndpoint(Service& service);

} // namespace appserver::rpc
