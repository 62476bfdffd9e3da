// Cookie store: which cookies are kept, replaced or dropped, and which are sent where.
#include "CookieStore.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace std::chrono;

namespace {

struct Response
{
    const char* setCookie;
    CookieTarget from;
};

// The "Cookie" value sent to the target, or empty when no line is added.
std::string cookieValueFor(CookieStore& store, const CookieTarget& target)
{
    // As in a request: long lines are not folded.
    HeaderList lines;
    lines.setFoldLines(false);
    store.addCookieLine(target, lines);
    EXPECT_LE(lines.count(), 1);
    return lines.value("Cookie");
}

const CookieTarget aExample {"https", "a.example.com", "/translate_a/single"};
const CookieTarget bExample {"https", "b.example.com", "/translate_a/single"};

} // namespace

TEST(CookieStoreTest, SendsOnlyWhatAServerSetForThatHostAndPath)
{
    struct Case
    {
        const char* name;
        std::vector<Response> responses;
        CookieTarget to;
        const char* expected;
    };
    const CookieTarget ip {"http", "127.0.0.1", "/"};
    const Case cases[] = {
        {"host-only stays on its host", {{"id=1", aExample}}, bExample, ""},
        {"host-only goes back to its host", {{"id=1", aExample}}, aExample, "id=1"},
        {"host-only ignores host case", {{"id=1", aExample}},
            {"https", "A.EXAMPLE.com", "/translate_a/x"}, "id=1"},
        {"domain reaches sibling hosts", {{"id=1; Domain=.Example.COM", aExample}}, bExample,
            "id=1"},
        {"unrelated domain rejected", {{"id=1; Domain=other.org", aExample}}, aExample, ""},
        {"public suffix rejected", {{"id=1; Domain=com", aExample}},
            {"https", "c.com", "/translate_a/x"}, ""},
        {"no domain match for an address", {{"id=1; Domain=0.0.1", ip}}, {"http", "127.0.0.1", "/"},
            ""},
        {"exact address as domain", {{"id=1; Domain=127.0.0.1", ip}}, ip, "id=1"},
        {"quoted value unquoted", {{"id=\"a b\"rest; Path=/", aExample}}, aExample, "id=a b"},
        {"max-age -1 deletes", {{"id=1; Path=/", aExample}, {"id=2; Max-Age=-1; Path=/", aExample}},
            aExample, ""},
        {"max-age 0 deletes", {{"id=1; Path=/", aExample}, {"id=2; Max-Age=0; Path=/", aExample}},
            aExample, ""},
        {"past expires deletes",
            {{"id=1; Path=/", aExample},
                {"id=2; Path=/; Expires=Thu, 01 Jan 1970 00:00:01 GMT", aExample}},
            aExample, ""},
        {"numeric expires deletes",
            {{"id=1; Path=/", aExample}, {"id=2; Expires=-1; Path=/", aExample}}, aExample, ""},
        {"future expires keeps", {{"id=1; Expires=Fri, 31-Dec-2100 23:59:59 GMT", aExample}},
            aExample, "id=1"},
        {"absurd max-age keeps", {{"id=1; Max-Age=99999999999999999999999", aExample}}, aExample,
            "id=1"},
        {"unreadable max-age ignored", {{"id=1; Max-Age=soon", aExample}}, aExample, "id=1"},
        {"replacement wins", {{"id=1", aExample}, {"id=2", aExample}}, aExample, "id=2"},
        {"longer path first",
            {{"root=1; Path=/", aExample}, {"deep=2; Path=/translate_a", aExample}}, aExample,
            "deep=2; root=1"},
        {"default path is the folder", {{"id=1", aExample}}, {"https", "a.example.com", "/other"},
            ""},
        {"path needs a segment boundary", {{"id=1; Path=/trans", aExample}}, aExample, ""},
        {"relative path means default", {{"id=1; Path=elsewhere", aExample}}, aExample, "id=1"},
        {"secure not sent over http", {{"id=1; Secure; Path=/", aExample}},
            {"http", "a.example.com", "/"}, ""},
        {"secure sent over https", {{"id=1; secure; Path=/", aExample}}, aExample, "id=1"},
        {"http-only sent over https", {{"id=1; HttpOnly", aExample}}, aExample, "id=1"},
        {"no equals sign ignored", {{"justaname; Path=/", aExample}}, aExample, ""},
        {"empty name ignored", {{" =value; Path=/", aExample}}, aExample, ""},
        {"control character ignored", {{"id=a\x01z", aExample}}, aExample, ""},
        {"empty value kept", {{"id=", aExample}}, aExample, "id="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CookieStore store;
        for (const Response& response : c.responses) {
            store.storeResponseCookies({response.setCookie}, response.from);
        }
        EXPECT_EQ(cookieValueFor(store, c.to), c.expected);
    }
}

TEST(CookieStoreTest, ParsedCookieCarriesItsAttributes)
{
    const DateTime now = sys_days {year {2030} / 1 / 1};
    const auto cookie = CookieStore::parseSetCookie(
        " NID = \"v\" ; max-age=60; Expires=Wed, 01 Jan 2031 00:00:00 GMT; domain=.Example.com; "
        "path=/p; Secure; HttpOnly; Other=x",
        aExample, now);
    ASSERT_TRUE(cookie.has_value());
    EXPECT_EQ(cookie->name, "NID");
    EXPECT_EQ(cookie->value, "v");
    EXPECT_EQ(cookie->domain, "example.com");
    EXPECT_EQ(cookie->path, "/p");
    EXPECT_EQ(cookie->expiry, now + seconds {60}); // Max-Age wins over Expires
    EXPECT_TRUE(cookie->persistent);
    EXPECT_FALSE(cookie->hostOnly);
    EXPECT_TRUE(cookie->secure);
    EXPECT_TRUE(cookie->httpOnly);

    const auto session = CookieStore::parseSetCookie("s=1", {"https", "A.Example.com", "/"}, now);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(session->domain, "A.Example.com");
    EXPECT_EQ(session->path, "/");
    EXPECT_EQ(session->expiry, maxDateTime());
    EXPECT_FALSE(session->persistent);
    EXPECT_TRUE(session->hostOnly);

    EXPECT_FALSE(CookieStore::parseSetCookie("h=1; HttpOnly", {"ftp", "a.example.com", "/"}, now));
}

TEST(CookieStoreTest, ReplacementKeepsCreationTimeAndExpiredCookiesGo)
{
    DateTime now = sys_days {year {2030} / 1 / 1};
    CookieStore store([&now] { return now; });
    store.storeResponseCookies({"first=1; Path=/a", "short=1; Max-Age=10; Path=/b"}, aExample);
    now += seconds {1};
    store.storeResponseCookies({"second=1; Path=/b"}, aExample);
    now += seconds {1};
    // A replaced cookie keeps its creation time and moves to the end of the list.
    store.storeResponseCookies({"first=2; Path=/a"}, aExample);
    EXPECT_EQ(cookieValueFor(store, {"https", "a.example.com", "/a/x"}), "first=2");
    const std::vector<Cookie> cookies = store.cookies();
    ASSERT_EQ(cookies.size(), 3u);
    EXPECT_EQ(cookies.back().name, "first");
    EXPECT_EQ(cookies.back().creationTime, sys_days {year {2030} / 1 / 1});
    EXPECT_EQ(cookies.back().lastAccessTime, now);

    store.storeResponseCookies({"x=1; Path=/"}, aExample);
    now += seconds {1};
    store.storeResponseCookies({"y=1; Path=/"}, aExample);
    now += seconds {1};
    store.storeResponseCookies({"x=2; Path=/"}, aExample);
    EXPECT_EQ(cookieValueFor(store, {"https", "a.example.com", "/"}), "x=2; y=1");

    EXPECT_EQ(
        cookieValueFor(store, {"https", "a.example.com", "/b"}), "short=1; second=1; x=2; y=1");
    now += seconds {10};
    EXPECT_EQ(cookieValueFor(store, {"https", "a.example.com", "/b"}), "second=1; x=2; y=1");
    EXPECT_EQ(store.cookies().size(), 4u);
}

std::vector<std::string> namesOf(const std::vector<Cookie>& cookies)
{
    std::vector<std::string> names;
    for (const Cookie& cookie : cookies) {
        names.push_back(cookie.name);
    }
    return names;
}

// A flood of cookies meets three bounds: one cookie's size, the cookies of one domain, and the
// cookies of the whole store; beyond the last two the oldest go, whatever their place in the list.
TEST(CookieStoreTest, BoundsPushOutTheOldestCookies)
{
    DateTime now = sys_days {year {2030} / 1 / 1};
    CookieStore store([&now] { return now; });
    const std::size_t size = CookieStore::MaxCookieSize;
    store.storeResponseCookies({"n=" + std::string(size - 1, 'v'), "o=" + std::string(size, 'v'),
                                   std::string(size, 'n') + "=1"},
        aExample);
    EXPECT_EQ(namesOf(store.cookies()), std::vector<std::string> {"n"});

    // "n" is the oldest of a.example.com; refreshing it keeps its age.
    for (std::size_t i = 1; i < CookieStore::MaxCookiesPerDomain; ++i) {
        now += seconds {1};
        store.storeResponseCookies({"a" + std::to_string(i) + "=1; Path=/"}, aExample);
    }
    store.storeResponseCookies({"n=2"}, aExample);
    now += seconds {1};
    store.storeResponseCookies({"b=1"}, bExample);
    store.storeResponseCookies({"a50=1; Path=/"}, aExample);
    std::vector<std::string> names = namesOf(store.cookies());
    EXPECT_EQ(names.size(), CookieStore::MaxCookiesPerDomain + 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "n"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "b"), 1);
    EXPECT_EQ(names.back(), "a50");

    // Four more domains of fifty: the store keeps the newest of all.
    for (int domain = 0; domain < 4; ++domain) {
        const CookieTarget target {"https", "d" + std::to_string(domain) + ".example.com", "/"};
        for (std::size_t i = 0; i < CookieStore::MaxCookiesPerDomain; ++i) {
            now += seconds {1};
            store.storeResponseCookies({"d" + std::to_string(i) + "=1"}, target);
        }
    }
    const std::vector<Cookie> kept = store.cookies();
    ASSERT_EQ(kept.size(), CookieStore::DefaultMaxCookies);
    EXPECT_EQ(kept.front().domain, "d0.example.com");
    EXPECT_EQ(kept.front().name, "d20");
    EXPECT_EQ(kept.back().domain, "d3.example.com");
}

// The line a request carries stays within its bound: the oldest cookies stay out, even when their
// longer path would put them first.
TEST(CookieStoreTest, CookieLineLeavesOutTheOldest)
{
    const std::string prefix = "Cookie: ";
    // Two cookies that together make a line of exactly the bound, or one byte more.
    const std::size_t fits = CookieStore::MaxCookieLineLength - prefix.size() - 6;
    const struct
    {
        std::size_t valueBytes; // of the two values together
        bool bothSent;
    } cases[] = {{fits, true}, {fits + 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.valueBytes);
        DateTime now = sys_days {year {2030} / 1 / 1};
        CookieStore store([&now] { return now; });
        const std::string older = "o=" + std::string(c.valueBytes / 2, 'o') + "; Path=/translate_a";
        store.storeResponseCookies({older}, aExample);
        now += seconds {1};
        const std::string newer = "n=" + std::string(c.valueBytes - c.valueBytes / 2, 'n');
        store.storeResponseCookies({newer}, aExample);
        const std::string line = prefix + cookieValueFor(store, aExample);
        EXPECT_LE(line.size(), CookieStore::MaxCookieLineLength);
        if (c.bothSent) {
            EXPECT_EQ(line.size(), CookieStore::MaxCookieLineLength);
            EXPECT_EQ(line.substr(0, 10), "Cookie: o=");
        } else {
            EXPECT_EQ(line, prefix + newer);
        }
        // Left out of the line is not gone from the store.
        EXPECT_EQ(store.cookies().size(), 2u);
    }
}

TEST(CookieStoreTest, DomainAndPathMatching)
{
    struct DomainCase
    {
        const char* host;
        const char* domain;
        bool matches;
    };
    const DomainCase domains[] = {{"a.example.com", "example.com", true},
        {"A.EXAMPLE.COM", "example.com", true}, {"example.com", "EXAMPLE.com", true},
        {"badexample.com", "example.com", false}, {"example.com", "a.example.com", false},
        {"a.example.com", "com", false}, {".example.com", "example.com", false},
        {"10.0.0.1", "0.0.1", false}, {"::1", "1", false}, {"localhost", "localhost", true}};
    for (const DomainCase& c : domains) {
        EXPECT_EQ(CookieStore::domainMatches(c.host, c.domain), c.matches)
            << c.host << " " << c.domain;
    }
    struct PathCase
    {
        const char* request;
        const char* cookie;
        bool matches;
    };
    const PathCase paths[] = {{"/", "/", true}, {"/a/b", "/a", true}, {"/a/b", "/a/", true},
        {"/ab", "/a", false}, {"/A", "/a", true}, {"/a", "/a/b", false}, {"/x", "/", true}};
    for (const PathCase& c : paths) {
        EXPECT_EQ(CookieStore::pathMatches(c.request, c.cookie), c.matches)
            << c.request << " " << c.cookie;
    }
}
