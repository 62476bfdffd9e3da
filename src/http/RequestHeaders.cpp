// Request header fields and the order in which they become header lines.
#include "RequestHeaders.h"

RequestHeaders::RequestHeaders()
{
    // Servers refuse folded (obsolete) line continuations, so a long line goes out whole and the
    // server decides about its length.
    headerLines.setFoldLines(false);
    customHeaders.setFoldLines(false);
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
    setFieldLine("Proxy-Connection", proxyConnection);
    setFieldLine("Host", host);
    setFieldLine("Accept", accept);
    setFieldLine("Accept-Charset", acceptCharSet);
    setFieldLine("Accept-Encoding", acceptEncoding);
    setFieldLine("Accept-Language", acceptLanguage);
    setFieldLine("From", from);
    setFieldLine("Referer", referer);
    setFieldLine("User-Agent", userAgent);
    setFieldLine("Range", ranges);
    if (lastModified) {
        headerLines.setValue("If-Modified-Since", formatHttpDate(*lastModified));
    }
    if (!authenticator && basicAuthentication) {
        authenticator = std::make_unique<BasicAuthenticator>();
    }
    if (authenticator) {
        setFieldLine("Authorization", authenticator->authorization(username, password));
    }
    setFieldLine("X-HTTP-Method-Override", methodOverride);
}
