// The response object of the client: the header fields plus the status of the last answer.
#pragma once

#include "ResponseHeaders.h"

#include <string>

class HttpResponse : public ResponseHeaders
{
public:
    std::string statusLine; // as received, without CR LF
    int statusCode = -1;
    // Whether the connection may carry the next exchange.
    bool reuseConnection = false;
};
