// Cookie parsing, matching and the in-memory store.
#include "CookieStore.h"

#include "AsciiText.h"

#include <algorithm>
#include <arpa/inet.h>
#include <charconv>
#include <mutex>

using namespace std::chrono;

namespace {

// A value beginning with a double quote ends at the next one.
std::string_view unquotedValue(std::string_view value)
{
    value = trimmed(value);
    if (value.empty() || value.front() != '"') {
        return value;
    }
    value.remove_prefix(1);
    return value.substr(0, value.find('"'));
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) == 0x7F;
    });
}

// A whole-text integer of seconds, clamped to what a date-time can hold.
std::optional<std::int64_t> readSeconds(std::string_view text)
{
    std::int64_t seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        return text.front() == '-' ? INT64_MIN : INT64_MAX;
    }
    return error == std::errc() ? std::optional(seconds) : std::nullopt;
}

DateTime expiryAfter(DateTime now, std::int64_t seconds)
{
    if (seconds < 0) {
        return DateTime::min();
    }
    const auto room = duration_cast<std::chrono::seconds>(maxDateTime() - now).count();
    return seconds >= room ? maxDateTime() : now + std::chrono::seconds {seconds};
}

bool isIpAddress(std::string_view host)
{
    if (host.find(':') != std::string_view::npos) {
        return true;
    }
    in_addr address {};
    return inet_pton(AF_INET, std::string(host).c_str(), &address) == 1;
}

bool isWebScheme(std::string_view scheme)
{
    return equalsIgnoreCase(scheme, "http") || equalsIgnoreCase(scheme, "https");
}

std::string defaultPath(std::string_view targetPath)
{
    if (targetPath.size() <= 1 || targetPath.front() != '/') {
        return "/";
    }
    const std::size_t lastSlash = targetPath.rfind('/');
    return lastSlash == 0 ? "/" : std::string(targetPath.substr(0, lastSlash));
}

} // namespace

CookieStore::CookieStore(Clock clock)
    : m_clock(std::move(clock))
{ }

bool CookieStore::domainMatches(std::string_view host, std::string_view domain)
{
    if (equalsIgnoreCase(host, domain)) {
        return true;
    }
    // A bare top-level name ("com") never counts as a domain of its subdomains.
    return !domain.empty() && domain.find('.') != std::string_view::npos && domain.front() != '.'
        && host.size() > domain.size() && endsWithIgnoreCase(host, domain)
        && host[host.size() - domain.size() - 1] == '.' && host.front() != '.'
        && !isIpAddress(host);
}

bool CookieStore::pathMatches(std::string_view requestPath, std::string_view cookiePath)
{
    if (equalsIgnoreCase(requestPath, cookiePath)) {
        return true;
    }
    return startsWithIgnoreCase(requestPath, cookiePath) && !cookiePath.empty()
        && (cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/');
}

std::optional<Cookie> CookieStore::parseSetCookie(
    std::string_view text, const CookieTarget& target, DateTime now)
{
    const std::size_t semicolon = text.find(';');
    const std::string_view pair = text.substr(0, semicolon);
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    Cookie cookie;
    cookie.name = trimmed(pair.substr(0, equals));
    cookie.value = unquotedValue(pair.substr(equals + 1));
    if (cookie.name.empty() || cookie.name.size() + cookie.value.size() > MaxCookieSize
        || hasControlCharacter(cookie.name) || hasControlCharacter(cookie.value)) {
        return std::nullopt;
    }

    std::optional<DateTime> maxAgeExpiry;
    std::optional<DateTime> expiresExpiry;
    std::optional<std::string> domain;
    std::optional<std::string> path;
    std::string_view attributes
        = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    while (!attributes.empty()) {
        const std::size_t end = attributes.find(';');
        const std::string_view attribute = attributes.substr(0, end);
        attributes
            = end == std::string_view::npos ? std::string_view() : attributes.substr(end + 1);
        const std::size_t split = attribute.find('=');
        const std::string_view name = trimmed(attribute.substr(0, split));
        const std::string_view value = split == std::string_view::npos
            ? std::string_view()
            : unquotedValue(attribute.substr(split + 1));
        if (equalsIgnoreCase(name, "Max-Age")) {
            if (const auto seconds = readSeconds(value)) {
                maxAgeExpiry = expiryAfter(now, *seconds);
            }
        } else if (equalsIgnoreCase(name, "Expires")) {
            if (const auto seconds = readSeconds(value)) {
                expiresExpiry = expiryAfter(now, *seconds);
            } else if (const auto date = parseHttpDate(value)) {
                expiresExpiry = std::min(*date, maxDateTime());
            }
        } else if (equalsIgnoreCase(name, "Domain")) {
            std::string_view domainName = value;
            if (!domainName.empty() && domainName.front() == '.') {
                domainName.remove_prefix(1);
            }
            if (!domainName.empty()) {
                domain = toLowerAscii(domainName);
            }
        } else if (equalsIgnoreCase(name, "Path")) {
            path = !value.empty() && value.front() == '/' ? std::string(value)
                                                          : defaultPath(target.path);
        } else if (equalsIgnoreCase(name, "Secure")) {
            cookie.secure = true;
        } else if (equalsIgnoreCase(name, "HttpOnly")) {
            cookie.httpOnly = true;
        }
    }

    cookie.persistent = maxAgeExpiry || expiresExpiry;
    cookie.expiry = maxAgeExpiry ? *maxAgeExpiry : expiresExpiry.value_or(maxDateTime());
    if (domain) {
        if (!domainMatches(target.host, *domain)) {
            return std::nullopt;
        }
        cookie.domain = *domain;
    } else {
        cookie.hostOnly = true;
        cookie.domain = target.host;
    }
    cookie.path = path ? *path : defaultPath(target.path);
    if (cookie.httpOnly && !isWebScheme(target.scheme)) {
        return std::nullopt;
    }
    cookie.creationTime = now;
    cookie.lastAccessTime = now;
    return cookie;
}

void CookieStore::storeResponseCookies(
    const std::vector<std::string>& setCookieValues, const CookieTarget& target)
{
    const DateTime now = m_clock();
    std::unique_lock lock(m_lock);
    for (const std::string& text : setCookieValues) {
        if (auto cookie = parseSetCookie(text, target, now)) {
            store(std::move(*cookie), target, now);
        }
    }
}

void CookieStore::store(Cookie cookie, const CookieTarget& target, DateTime now)
{
    const auto same = std::find_if(m_cookies.begin(), m_cookies.end(), [&](const Cookie& stored) {
        return equalsIgnoreCase(stored.name, cookie.name)
            && equalsIgnoreCase(stored.domain, cookie.domain)
            && equalsIgnoreCase(stored.path, cookie.path);
    });
    if (same != m_cookies.end()) {
        if (same->httpOnly && !isWebScheme(target.scheme)) {
            return;
        }
        cookie.creationTime = same->creationTime;
        m_cookies.erase(same);
    }
    if (cookie.expiry <= now) {
        return;
    }
    const std::string domain = cookie.domain;
    m_cookies.push_back(std::move(cookie));
    const auto sameDomain
        = [&domain](const Cookie& stored) { return equalsIgnoreCase(stored.domain, domain); };
    if (static_cast<std::size_t>(std::count_if(m_cookies.begin(), m_cookies.end(), sameDomain))
        > MaxCookiesPerDomain) {
        removeOldest(sameDomain);
    }
    while (m_cookies.size() > m_maxCookies) {
        removeOldest([](const Cookie&) { return true; });
    }
}

template <typename Filter> void CookieStore::removeOldest(Filter filter)
{
    // Among cookies of the same age, the one stored first counts as older.
    auto oldest = m_cookies.end();
    for (auto it = m_cookies.begin(); it != m_cookies.end(); ++it) {
        if (filter(*it) && (oldest == m_cookies.end() || it->creationTime < oldest->creationTime)) {
            oldest = it;
        }
    }
    if (oldest != m_cookies.end()) {
        m_cookies.erase(oldest);
    }
}

void CookieStore::addCookieLine(const CookieTarget& target, HeaderList& lines)
{
    const DateTime now = m_clock();
    const bool https = equalsIgnoreCase(target.scheme, "https");
    const std::string_view requestPath
        = target.path.empty() ? std::string_view("/") : std::string_view(target.path);
    std::unique_lock lock(m_lock);
    std::erase_if(m_cookies, [now](const Cookie& cookie) { return cookie.expiry <= now; });

    std::vector<Cookie*> selected;
    for (Cookie& cookie : m_cookies) {
        const bool domainFits = cookie.hostOnly ? equalsIgnoreCase(target.host, cookie.domain)
                                                : domainMatches(target.host, cookie.domain);
        if (domainFits && pathMatches(requestPath, cookie.path) && (!cookie.secure || https)
            && (!cookie.httpOnly || isWebScheme(target.scheme))) {
            selected.push_back(&cookie);
        }
    }
    if (selected.empty()) {
        return;
    }
    // The oldest cookies stay out of a line that would grow too long; selected is in list order
    // here, so the first of equal age is the older.
    const auto pairLength
        = [](const Cookie* cookie) { return cookie->name.size() + 1 + cookie->value.size(); };
    std::size_t lineLength = std::string_view("Cookie: ").size() - 2;
    for (const Cookie* cookie : selected) {
        lineLength += 2 + pairLength(cookie);
    }
    while (lineLength > MaxCookieLineLength && !selected.empty()) {
        const auto oldest = std::min_element(selected.begin(), selected.end(),
            [](const Cookie* a, const Cookie* b) { return a->creationTime < b->creationTime; });
        lineLength -= 2 + pairLength(*oldest);
        selected.erase(oldest);
    }
    if (selected.empty()) {
        return;
    }
    std::stable_sort(selected.begin(), selected.end(), [](const Cookie* a, const Cookie* b) {
        if (a->path.size() != b->path.size()) {
            return a->path.size() > b->path.size();
        }
        return a->creationTime < b->creationTime;
    });
    std::string value;
    for (Cookie* cookie : selected) {
        cookie->lastAccessTime = now;
        if (!value.empty()) {
            value += "; ";
        }
        value += cookie->name + "=" + cookie->value;
    }
    lines.addValue("Cookie", value);
}

std::vector<Cookie> CookieStore::cookies() const
{
    std::shared_lock lock(m_lock);
    return m_cookies;
}
