// The header fields of a request and the header lines built from them.
#pragma once

#include "Authenticator.h"
#include "EntityHeaders.h"

#include <memory>
#include <string>

class RequestHeaders : public EntityHeaders
{
public:
    static constexpr const char* defaultAccept = "text/html, */*";
    static constexpr const char* defaultUserAgent = "Mozilla/3.0 (compatible; Quendra)";

    RequestHeaders();

    std::string proxyConnection;
    std::string host;
    std::string accept;
    std::string acceptCharSet;
    std::string acceptEncoding;
    std::string acceptLanguage;
    std::string from;
    std::string referer;
    std::string userAgent;
    std::string ranges;
    std::string methodOverride;
    std::string username;
    std::string password;
    bool basicAuthentication = false;
    // Kept once a server asked for credentials; gives the "Authorization" line.
    std::unique_ptr<Authenticator> authenticator;

    // Resets the fields a new request starts with; host, referer, acceptEncoding,
    // acceptLanguage, from, proxyConnection, username, password, pragma, transferEncoding,
    // customHeaders and the authenticator stay.
    void clear();
    // Rebuilds headerLines from the fields; lines placed there before are lost.
    void buildHeaderLines();
};
