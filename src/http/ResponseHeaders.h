// The header fields of a response, filled from its received header lines.
#pragma once

#include "EntityHeaders.h"

#include <string>
#include <vector>

class ResponseHeaders : public EntityHeaders
{
public:
    ResponseHeaders();

    std::string location;
    std::string server;
    std::string proxyConnection;
    std::string acceptRanges;
    std::vector<std::string> wwwAuthenticate; // every "WWW-Authenticate" line, in order
    std::vector<std::string> proxyAuthenticate; // every "Proxy-Authenticate" line, in order

    // Resets the fields (content type "text/html", charset "ISO-8859-1") and empties headerLines.
    void clear();
    // Fills the fields from headerLines; a field without a line becomes empty.
    void parseHeaderLines();
    // A "Content-Length" of 0 or more was received.
    bool hasContentLength() const { return contentLength >= 0; }
};
