// Runs one GET for a test and folds the outcome into one string to compare.
#pragma once

#include "Exception.h"
#include "HttpClient.h"

#include <string>

// The body, or "!" followed by the failure's exact message.
inline std::string fetch(HttpClient& client, const std::string& url)
{
    std::string answer;
    try {
        client.fetchUrl(url, answer);
        return answer;
    } catch (const Exception& error) {
        return "!" + error.message();
    }
}

inline const std::string OkReply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
