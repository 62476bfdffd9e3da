// The request header profile of the translation service.
#include "RequestProfile.h"

#include "HttpClient.h"

void prepareRequestHeaders(
    HttpClient& client, const std::string& serviceBaseAddress, bool otherEngine, bool keepAlive)
{
    HttpRequest& request = client.request();
    request.clear();
    request.connection = keepAlive ? "keep-alive" : "close";
    if (keepAlive) {
        request.headerLines.setValue("Keep-Alive", "300");
    }
    if (!otherEngine) {
        request.host = serviceBaseAddress;
    }
    request.cacheControl = "no-cache";
    request.pragma = "no-cache";
    request.accept = "*/*";
    request.userAgent = ProfileUserAgent;
    request.referer = serviceBaseAddress;
    request.acceptLanguage = "en";
    request.setContentType("application/x-www-form-urlencoded");
    client.setKeepOrigProtocol(true);
    client.setProtocolVersion(HttpClient::ProtocolVersion::Http11);
}
