// Response header fields read from the received lines.
#include "ResponseHeaders.h"

ResponseHeaders::ResponseHeaders()
{
    clear();
}

void ResponseHeaders::clear()
{
    clearEntity();
    setContentType("text/html");
    location.clear();
    server.clear();
    acceptRanges.clear();
    wwwAuthenticate.clear();
    proxyAuthenticate.clear();
}

void ResponseHeaders::parseHeaderLines()
{
    parseEntityLines();
    location = headerLines.value("Location");
    server = headerLines.value("Server");
    proxyConnection = headerLines.value("Proxy-Connection");
    acceptRanges = headerLines.value("Accept-Ranges");
    wwwAuthenticate = headerLines.values("WWW-Authenticate");
    proxyAuthenticate = headerLines.values("Proxy-Authenticate");
}
