// The way one exchange reaches its server.
#pragma once

enum class RouteKind
{
    Direct, // to the server, in the clear
    DirectTls, // to the server, TLS from the start
    Proxy, // to the proxy, in the clear, with the absolute URL in the request line
    ProxyTls, // to the proxy, a CONNECT tunnel, then TLS inside it
};
