// Request header fields and the order in which they become header lines.
#include "RequestHeaders.h"

RequestHeaders::RequestHeaders()
{
    clear();
}

void RequestHeaders::clear()
{
    clearEntity();
    accept = defaultAccept;
    acceptCharSet.clear();
    userAgent = defaultUserAgent;
    basicAuthentication = false;
    ranges.clear();
    methodOverride.clear();
}

void RequestHeaders::buildHeaderLines()
{
    buildEntityLines();
    headerLines.setValue("Proxy-Connection", proxyConnection);
    headerLines.setValue("Host", host);
    headerLines.setValue("Accept", accept);
    headerLines.setValue("Accept-Charset", acceptCharSet);
    headerLines.setValue("Accept-Encoding", acceptEncoding);
    headerLines.setValue("Accept-Language", acceptLanguage);
    headerLines.setValue("From", from);
    headerLines.setValue("Referer", referer);
    headerLines.setValue("User-Agent", userAgent);
    headerLines.setValue("Range", ranges);
    if (lastModified) {
        headerLines.setValue("If-Modified-Since", formatHttpDate(*lastModified));
    }
    if (!authenticator && basicAuthentication) {
        authenticator = std::make_unique<BasicAuthenticator>();
    }
    if (authenticator) {
        headerLines.setValue("Authorization", authenticator->authorization(username, password));
    }
    headerLines.setValue("X-HTTP-Method-Override", methodOverride);
}
