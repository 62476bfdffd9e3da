// Request and response header fields: clearing, the content-type setter, the lines a request
// is written as, and the fields a response is read into.
#include "RequestHeaders.h"
#include "ResponseHeaders.h"

#include <gtest/gtest.h>

using namespace std::chrono;

namespace {

DateTime dateOf(int y, unsigned m, unsigned d, int h, int min, int s)
{
    return sys_days {year {y} / month {m} / day {d}} + hours {h} + minutes {min} + seconds {s};
}

} // namespace

TEST(HeaderFieldsTest, ContentTypeSetterSplitsCharsetAndDefaultsTextTypes)
{
    struct Case
    {
        const char* value;
        const char* charSetBefore;
        const char* contentType;
        const char* charSet;
    };
    const Case cases[] = {
        {"text/plain", "", "text/plain", "ISO-8859-1"},
        {"text/xml", "", "text/xml", "us-ascii"},
        {"text/xml-external-parsed-entity", "", "text/xml-external-parsed-entity", "us-ascii"},
        {"TEXT/Vnd.Feed+XML", "x", "TEXT/Vnd.Feed+XML", "us-ascii"},
        {"application/json", "kept", "application/json", "kept"},
        {"application/xml", "kept", "application/xml", "kept"},
        {"text/html; charset=UTF-8", "", "text/html", "UTF-8"},
        {"application/json; CharSet=\"utf-8\"; q=1", "", "application/json; q=1", "utf-8"},
        {"application/x-www-form-urlencoded", "", "application/x-www-form-urlencoded", ""},
        {"", "dropped", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        RequestHeaders request;
        request.setCharSet(c.charSetBefore);
        request.setContentType(c.value);
        EXPECT_EQ(request.contentType(), c.contentType);
        EXPECT_EQ(request.charSet(), c.charSet);
    }
}

TEST(HeaderFieldsTest, ClearingARequestResetsItsFieldsAndKeepsTheRest)
{
    RequestHeaders request;
    request.host = "h.example";
    request.referer = "https://h.example";
    request.acceptEncoding = "identity";
    request.connection = "keep-alive";
    request.setContentType("text/plain");
    request.contentLength = 12;
    request.accept = "*/*";
    request.userAgent = "agent";
    request.basicAuthentication = true;
    request.headerLines.addLine("Keep-Alive: 300");
    request.clear();
    request.buildHeaderLines();
    const std::vector<std::string> once = request.headerLines.lines();
    request.clear();
    request.buildHeaderLines();
    EXPECT_EQ(request.headerLines.lines(), once);
    EXPECT_EQ(once,
        (std::vector<std::string> {"Host: h.example", "Accept: text/html, */*",
            "Accept-Encoding: identity", "Referer: https://h.example",
            "User-Agent: Mozilla/3.0 (compatible; Quendra)"}));
    EXPECT_FALSE(request.basicAuthentication);
    EXPECT_EQ(request.contentLength, -1);
}

TEST(HeaderFieldsTest, RequestLinesFollowTheFixedOrder)
{
    RequestHeaders request;
    request.host = "only.example";
    request.accept.clear();
    request.userAgent.clear();
    request.headerLines.addLine("Stale: line");
    request.buildHeaderLines();
    EXPECT_EQ(request.headerLines.lines(), (std::vector<std::string> {"Host: only.example"}));
    // A field without a value adds no line and leaves a custom line of its name alone.
    request.customHeaders.addLine("Accept-Language: mr");
    request.buildHeaderLines();
    EXPECT_EQ(request.headerLines.lines(),
        (std::vector<std::string> {"Accept-Language: mr", "Host: only.example"}));
    request.customHeaders.clear();

    request.connection = "close";
    request.contentVersion = "1";
    request.contentDisposition = "inline";
    request.contentEncoding = "gzip";
    request.contentLanguage = "en";
    request.setContentType("text/plain; charset=UTF-8");
    request.contentLength = 0;
    request.cacheControl = "no-cache";
    request.date = dateOf(1994, 11, 6, 8, 49, 37);
    request.eTag = "\"e\"";
    request.expires = dateOf(2001, 2, 3, 4, 5, 6);
    request.pragma = "no-cache";
    request.transferEncoding = "chunked";
    request.customHeaders.addLine("X-Custom: 1");
    request.proxyConnection = "keep-alive";
    request.accept = "*/*";
    request.acceptCharSet = "utf-8";
    request.acceptEncoding = "identity";
    request.acceptLanguage = "en";
    request.from = "me@example.org";
    request.referer = "https://only.example";
    request.userAgent = "agent";
    request.ranges = "bytes=0-1";
    request.lastModified = dateOf(2020, 1, 1, 0, 0, 0);
    request.username = "user";
    request.password = "pass";
    request.basicAuthentication = true;
    request.methodOverride = "PUT";
    request.buildHeaderLines();
    EXPECT_EQ(request.headerLines.lines(),
        (std::vector<std::string> {"Connection: close", "Content-Version: 1",
            "Content-Disposition: inline", "Content-Encoding: gzip", "Content-Language: en",
            "Content-Type: text/plain; charset=UTF-8", "Content-Length: 0",
            "Cache-control: no-cache", "Date: Sun, 06 Nov 1994 08:49:37 GMT", "ETag: \"e\"",
            "Expires: Sat, 03 Feb 2001 04:05:06 GMT", "Pragma: no-cache",
            "Transfer-Encoding: chunked", "X-Custom: 1", "Proxy-Connection: keep-alive",
            "Host: only.example", "Accept: */*", "Accept-Charset: utf-8",
            "Accept-Encoding: identity", "Accept-Language: en", "From: me@example.org",
            "Referer: https://only.example", "User-Agent: agent", "Range: bytes=0-1",
            "If-Modified-Since: Wed, 01 Jan 2020 00:00:00 GMT", "Authorization: Basic dXNlcjpwYXNz",
            "X-HTTP-Method-Override: PUT"}));

    // The Basic authenticator is kept: a clear turns the flag off but not the line.
    request.clear();
    request.buildHeaderLines();
    EXPECT_EQ(request.headerLines.value("Authorization"), "Basic dXNlcjpwYXNz");
}

// Servers refuse folded lines, so a request line over the fold length goes out whole, custom
// lines included.
TEST(HeaderFieldsTest, RequestValuesLongerThanTheLineLimitGoOutWhole)
{
    RequestHeaders request;
    request.setContentType("application/x-www-form-urlencoded");
    std::string referer;
    while (referer.size() < 3000) {
        referer += "segment, ";
    }
    request.referer = referer;
    request.customHeaders.setValue("X-Long", referer);
    request.buildHeaderLines();
    EXPECT_EQ(request.headerLines.lines(),
        (std::vector<std::string> {"Content-Type: application/x-www-form-urlencoded",
            "X-Long: " + referer, "Accept: text/html, */*", "Referer: " + referer,
            "User-Agent: Mozilla/3.0 (compatible; Quendra)"}));
}

TEST(HeaderFieldsTest, ResponseFieldsAreReadFromTheReceivedLines)
{
    ResponseHeaders response;
    EXPECT_EQ(response.contentType(), "text/html");
    EXPECT_EQ(response.charSet(), "ISO-8859-1");
    for (const char* line : {"Content-Type: application/json; charset=UTF-8",
             "Content-Length: 5000000000", "Content-Length: 1", "content-range: bytes 0-499/1234",
             "Date: Sun, 06 Nov 1994 08:49:37 GMT", "Last-Modified: Sunday, 06-Nov-94 08:49:37 GMT",
             "Expires: garbage", "Location: /next", "Server: test", "Connection: close",
             "Transfer-Encoding: chunked", "WWW-Authenticate: Basic realm=\"a\"",
             "WWW-Authenticate: Digest realm=\"b\"", "Proxy-Authenticate: Basic realm=\"p\"",
             "Accept-Ranges: bytes"}) {
        response.headerLines.addLine(line);
    }
    response.parseHeaderLines();
    EXPECT_EQ(response.contentType(), "application/json");
    EXPECT_EQ(response.charSet(), "UTF-8");
    EXPECT_EQ(response.contentLength, 5000000000);
    EXPECT_TRUE(response.hasContentLength());
    EXPECT_EQ(response.contentRangeUnits, "bytes");
    EXPECT_EQ(response.contentRangeStart, 0);
    EXPECT_EQ(response.contentRangeEnd, 499);
    EXPECT_EQ(response.contentRangeInstanceLength, 1234);
    EXPECT_EQ(response.date, dateOf(1994, 11, 6, 8, 49, 37));
    EXPECT_EQ(response.lastModified, dateOf(1994, 11, 6, 8, 49, 37));
    EXPECT_FALSE(response.expires.has_value());
    EXPECT_EQ(response.location, "/next");
    EXPECT_EQ(response.server, "test");
    EXPECT_EQ(response.connection, "close");
    EXPECT_EQ(response.transferEncoding, "chunked");
    EXPECT_EQ(response.wwwAuthenticate,
        (std::vector<std::string> {"Basic realm=\"a\"", "Digest realm=\"b\""}));
    EXPECT_EQ(response.proxyAuthenticate, (std::vector<std::string> {"Basic realm=\"p\""}));
    EXPECT_EQ(response.acceptRanges, "bytes");

    // The next response's lines replace every field; absent ones become empty.
    response.clear();
    response.headerLines.addLine("Content-Length: 0");
    response.parseHeaderLines();
    EXPECT_EQ(response.contentLength, 0);
    EXPECT_TRUE(response.hasContentLength());
    EXPECT_EQ(response.contentType(), "");
    EXPECT_EQ(response.location, "");
    EXPECT_TRUE(response.wwwAuthenticate.empty());
    EXPECT_FALSE(response.date.has_value());
    EXPECT_EQ(response.contentRangeStart, -1);
}

TEST(HeaderFieldsTest, OddContentLengthsAndRangesReadAsNone)
{
    struct Case
    {
        const char* length;
        std::int64_t expected;
        const char* range;
        std::int64_t start, end, instance;
    };
    const Case cases[] = {
        {"abc", -1, "bytes */1234", -1, -1, 1234},
        {"-5", -1, "bytes 5-/x", 5, -1, -1},
        {"99999999999999999999", -1, "bytes", -1, -1, -1},
        {" 42 ", 42, "", -1, -1, -1},
        {"12abc", -1, "none 1-2/3/4", 1, 2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        ResponseHeaders response;
        response.headerLines.addLine(std::string("Content-Length: ") + c.length);
        response.headerLines.addLine(std::string("Content-Range: ") + c.range);
        response.parseHeaderLines();
        EXPECT_EQ(response.contentLength, c.expected);
        EXPECT_EQ(response.contentRangeStart, c.start);
        EXPECT_EQ(response.contentRangeEnd, c.end);
        EXPECT_EQ(response.contentRangeInstanceLength, c.instance);
    }
}
