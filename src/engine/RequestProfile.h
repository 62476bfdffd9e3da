// The header profile every translation request carries, applied to the shared client on the GUI
// thread before a worker starts.
#pragma once

#include <string>

class HttpClient;

// The translation service: scheme and host, without a trailing slash.
inline constexpr const char* DefaultServiceBaseAddress = "https://translate.googleapis.com";

inline constexpr const char* ProfileUserAgent
    = "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.13 (KHTML, like Gecko) "
      "Chrome/9.0.597.67 Safari/534";

// Clears the client's request fields and sets the profile. otherEngine leaves Host unset;
// keepAlive chooses the Connection value. The client replaces Host from the URL and drops
// Connection on TLS routes, so neither reaches the service.
void prepareRequestHeaders(
    HttpClient& client, const std::string& serviceBaseAddress, bool otherEngine, bool keepAlive);
