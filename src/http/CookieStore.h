// The cookies a server set, kept in memory for the life of the client and sent back on later
// requests to the hosts and paths they belong to.
#pragma once

#include "HeaderList.h"
#include "HttpDate.h"

#include <functional>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

struct Cookie
{
    std::string name;
    std::string value;
    std::string domain; // lower case when from a "Domain" attribute, else the host
    std::string path;
    DateTime expiry {};
    DateTime creationTime {};
    DateTime lastAccessTime {};
    bool persistent = false;
    bool hostOnly = false;
    bool secure = false;
    bool httpOnly = false;
};

// Where a request goes or a response came from.
struct CookieTarget
{
    std::string scheme; // "http", "https", ...
    std::string host;
    std::string path; // request path without the query, e.g. "/translate_a/single"
};

class CookieStore
{
public:
    using Clock = std::function<DateTime()>;

    // Bounds that keep a server from making the store, or every later request, grow without end.
    // A cookie whose name and value together are longer is ignored.
    static constexpr std::size_t MaxCookieSize = 4096;
    // Beyond these the oldest cookie of the domain, or of the store, goes.
    static constexpr std::size_t MaxCookiesPerDomain = 50;
    static constexpr std::size_t DefaultMaxCookies = 180;
    // The longest "Cookie" line a request carries; the oldest cookies stay out of a longer one.
    static constexpr std::size_t MaxCookieLineLength = 8192;

    explicit CookieStore(Clock clock = currentDateTime);

    std::size_t maxCookies() const { return m_maxCookies; }
    void setMaxCookies(std::size_t count) { m_maxCookies = count; }

    // Adds or replaces the cookies of a response's "Set-Cookie" values; odd values are ignored.
    void storeResponseCookies(
        const std::vector<std::string>& setCookieValues, const CookieTarget& target);
    // Appends one "Cookie" line with the stored cookies that apply to the target, if any.
    void addCookieLine(const CookieTarget& target, HeaderList& lines);

    // A copy of the stored cookies, in list order.
    std::vector<Cookie> cookies() const;

    // Parses one "Set-Cookie" value for the target; nothing when it is to be ignored or rejected.
    static std::optional<Cookie> parseSetCookie(
        std::string_view text, const CookieTarget& target, DateTime now);
    static bool domainMatches(std::string_view host, std::string_view domain);
    static bool pathMatches(std::string_view requestPath, std::string_view cookiePath);

private:
    void store(Cookie cookie, const CookieTarget& target, DateTime now);
    // Removes the oldest cookie among those the filter selects.
    template <typename Filter> void removeOldest(Filter filter);

    Clock m_clock;
    mutable std::shared_mutex m_lock;
    std::vector<Cookie> m_cookies;
    std::size_t m_maxCookies = DefaultMaxCookies;
};
