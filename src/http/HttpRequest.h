// The request object of the client: the header fields plus what one exchange sends.
#pragma once

#include "RequestHeaders.h"
#include "RouteKind.h"

#include <optional>
#include <string>
#include <string_view>

class HttpRequest : public RequestHeaders
{
public:
    std::string method;
    std::string target; // as written in the request line
    std::optional<std::string_view> body;
    RouteKind route = RouteKind::Direct;
};
