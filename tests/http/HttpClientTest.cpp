// The exchange against a scripted server: the exact request bytes, the reading of every kind of
// answer, connection reuse, cookies, authentication and proxies.
#include "ClientFetch.h"
#include "HttpErrors.h"
#include "ScriptedServer.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using Then = ScriptedServer::Then;

const std::string& Ok = OkReply;

std::string commonLines(const std::string& host)
{
    return "Host: " + host
        + "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
          "User-Agent: Mozilla/3.0 (compatible; Quendra)\r\n";
}

std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

std::string hostOf(const ScriptedServer& server)
{
    return "127.0.0.1:" + std::to_string(server.port());
}

} // namespace

TEST(HttpClient, GetGoesOutInItsExactWireForm)
{
    ScriptedServer server;
    server.addReply(Ok);
    HttpClient client;
    client.request().host = "ignored.example";
    client.request().headerLines.addLine("X-Stale: 1");
    EXPECT_EQ(
        fetch(client, server.baseUrl() + "/translate_a/single?client=gtx&q=a%20b#frag"), "ok");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
        "GET /translate_a/single?client=gtx&q=a%20b HTTP/1.1\r\n" + commonLines(hostOf(server))
            + "\r\n");
}

// Spaces and control bytes in a URL never split the request head: in the path and query they go
// out percent-encoded, and a host name holding them cannot exist.
TEST(HttpClient, UrlBytesNeverSplitTheRequestHead)
{
    ScriptedServer server;
    server.addReply(Ok);
    HttpClient client;
    EXPECT_EQ(fetch(client, server.baseUrl() + "/a b\r\nX-Injected: 1/c\x7f?q=\t1 2"), "ok");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
        "GET /a%20b%0D%0AX-Injected:%201/c%7F?q=%091%202 HTTP/1.1\r\n" + commonLines(hostOf(server))
            + "\r\n");

    client.proxyParams().setProxyServer("127.0.0.1");
    client.proxyParams().setProxyPort(server.port());
    for (const char* url : {"http://service.invalid\r\nX-Injected: 1/", "https://a b/",
             "http://service.invalid:80\r\nX: 1/"}) {
        SCOPED_TRACE(url);
        EXPECT_EQ(fetch(client, url), "!Socket Error # 11001\r\nHost not found.");
    }
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(HttpClient, PostSendsFormBodyWithItsLength)
{
    ScriptedServer server;
    server.addReply(Ok);
    server.addReply(Ok);
    server.addReply(Ok);
    HttpClient client;
    std::string answer;
    client.setKeepOrigProtocol(true);
    client.submitForm(server.baseUrl() + "/form", {"sl=en", "tl=mr", "q=a+b "}, answer);
    EXPECT_EQ(answer, "ok");
    const std::string form = "Content-Type: application/x-www-form-urlencoded\r\n"
                             "Content-Length: 17\r\n";
    EXPECT_EQ(server.requests()[0],
        "POST /form HTTP/1.1\r\n" + form + commonLines(hostOf(server)) + "\r\nsl=en&tl=mr&q=a+b");

    // Without the original protocol kept, a POST closes the open connection and goes out as
    // HTTP/1.0; an answer without "keep-alive" then ends that connection too, and the version
    // returns afterwards.
    client.setKeepOrigProtocol(false);
    client.submitForm(server.baseUrl() + "/form", {"sl=en", "tl=mr", "q=a+b"}, answer);
    EXPECT_EQ(fetch(client, server.baseUrl() + "/after"), "ok");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].substr(0, 21), "POST /form HTTP/1.0\r\n");
    EXPECT_NE(requests[1].find("\r\nConnection: keep-alive\r\n"), std::string::npos);
    EXPECT_EQ(requests[2].substr(0, 21), "GET /after HTTP/1.1\r\n");
    EXPECT_EQ(server.requestConnections(), (std::vector<int> {1, 2, 3}));
    EXPECT_EQ(client.connectionCount(), 3);
}

// Every answer is followed by a good one on the same script: the client must stay usable.
TEST(HttpClient, ReadsEveryKindOfAnswerAndStaysUsable)
{
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                "1A\r\nabcdefghijklmnopqrstuvwxyz\r\n5;x=y\r\n01234\r\n0\r\n"
                                "X-Trailer: done\r\n\r\n";
    const std::string manyLines = "HTTP/1.1 200 OK\r\n" + repeated("X-Line: 1\r\n", 256);
    const struct
    {
        const char* name;
        std::string reply;
        Then then;
        std::string expected; // the body, or "!" and the failure text; "?" for either
        bool reused; // the next exchange runs on the same connection
    } cases[] = {
        {"100 continue skipped", "HTTP/1.1 100 Continue\r\n\r\n" + Ok, Then::KeepOpen, "ok", true},
        {"chunked with trailer", chunked, Then::KeepOpen, "abcdefghijklmnopqrstuvwxyz01234", true},
        {"read to close", "HTTP/1.1 200 OK\r\n\r\nuntil close", Then::Close, "until close", false},
        {"shorter than length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", Then::Close,
            "short", false},
        {"connection close", "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 1\r\n\r\nx",
            Then::KeepOpen, "x", false},
        {"close before status", "", Then::Close, "!Connection Closed Gracefully.", false},
        {"close inside chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1A\r\nabc",
            Then::Close, "!Connection Closed Gracefully.", false},
        {"long status line", "HTTP/1.1 200 " + std::string(20000, 'x') + "\r\n\r\n", Then::KeepOpen,
            "!Max line length exceeded.", false},
        {"redirect", "HTTP/1.1 302 Found\r\nLocation: /elsewhere\r\nContent-Length: 3\r\n\r\nabc",
            Then::KeepOpen, "!HTTP/1.1 302 Found", true},
        {"forbidden", "HTTP/1.1 403 Forbidden\r\nContent-Length: 4\r\n\r\nnope", Then::KeepOpen,
            "!HTTP/1.1 403 Forbidden", true},
        {"garbage status", "garbage\r\nContent-Length: 0\r\n\r\n", Then::KeepOpen, "!garbage",
            true},
        {"informational", "HTTP/1.1 101 Switching\r\n\r\n", Then::KeepOpen,
            "!HTTP/1.1 101 Switching", true},
        {"no content", "HTTP/1.1 204 No Content\r\n\r\n", Then::KeepOpen, "", true},
        {"too many header lines", manyLines + "\r\n", Then::KeepOpen,
            "!Too many header lines in the response.", false},
        {"body over the bound", "HTTP/1.1 200 OK\r\nContent-Length: 67108865\r\n\r\n",
            Then::KeepOpen, "!Response body exceeds the 64 MiB limit.", false},
        {"chunk over the bound", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4000001\r\n",
            Then::KeepOpen, "!Response body exceeds the 64 MiB limit.", false},
        {"endless interim answers", repeated("HTTP/1.1 100 Continue\r\n\r\n", 300), Then::KeepOpen,
            "!Too many header lines in the response.", false},
        {"reset inside body", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", Then::Reset,
            "?", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.addReply(c.reply, c.then);
        server.addReply(Ok);
        HttpClient client;
        const std::string result = fetch(client, server.baseUrl() + "/a");
        if (c.expected != "?") {
            EXPECT_EQ(result, c.expected);
        } else {
            EXPECT_TRUE(
                result == "part" || result == "!Socket Error # 10054\r\nConnection reset by peer.")
                << result;
        }
        EXPECT_EQ(fetch(client, server.baseUrl() + "/b"), "ok");
        EXPECT_EQ(server.connectionCount(), c.reused ? 1 : 2);
    }
}

TEST(HttpClient, ChunkTrailerJoinsTheResponseLines)
{
    ScriptedServer server;
    server.addReply(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
        "1A\r\nabcdefghijklmnopqrstuvwxyz\r\n5\r\n01234\r\n0\r\nX-Trailer: done\r\n\r\n");
    HttpClient client;
    EXPECT_EQ(fetch(client, server.baseUrl() + "/"), "abcdefghijklmnopqrstuvwxyz01234");
    EXPECT_EQ(client.response().headerLines.value("X-Trailer"), "done");
}

// A lowered limit holds for every way a body can be delimited, and the client stays usable.
TEST(HttpClient, ALoweredBodyLimitEndsLargerAnswers)
{
    const std::string overOneMiB(std::size_t(1 << 20) + 1, 'x');
    const std::string replies[] = {
        "HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\n",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100001\r\n" + overOneMiB,
        "HTTP/1.1 200 OK\r\n\r\n" + overOneMiB,
    };
    for (const std::string& reply : replies) {
        ScriptedServer server;
        server.addReply(reply, Then::Close);
        server.addReply(Ok);
        HttpClient client;
        client.setMaxBodySize(1 << 20);
        EXPECT_EQ(
            fetch(client, server.baseUrl() + "/a"), "!Response body exceeds the 1 MiB limit.");
        EXPECT_EQ(fetch(client, server.baseUrl() + "/b"), "ok");
    }
}

TEST(HttpClient, ProtocolErrorCarriesCodeAndBody)
{
    ScriptedServer server;
    server.addReply("HTTP/1.1 403 Forbidden\r\nContent-Length: 4\r\n\r\nnope");
    HttpClient client;
    std::string answer;
    try {
        client.fetchUrl(server.baseUrl() + "/", answer);
        FAIL();
    } catch (const HttpProtocolError& error) {
        EXPECT_EQ(error.statusCode(), 403);
        EXPECT_EQ(error.errorText(), "nope");
    }
    EXPECT_EQ(answer, "");
}

TEST(HttpClient, ChangedTargetHostClosesTheConnection)
{
    ScriptedServer server;
    server.addReply(Ok);
    server.addReply(Ok);
    server.addReply(Ok);
    HttpClient client;
    const std::string port = std::to_string(server.port());
    EXPECT_EQ(fetch(client, "http://127.0.0.1:" + port + "/a"), "ok");
    EXPECT_EQ(fetch(client, "http://127.0.0.1:" + port + "/b"), "ok");
    // "LOCALHOST" is the loopback address without asking the resolver, but another host name.
    EXPECT_EQ(fetch(client, "http://LOCALHOST:" + port + "/c"), "ok");
    EXPECT_EQ(server.requestConnections(), (std::vector<int> {1, 1, 2}));
    EXPECT_NE(server.requests()[2].find("\r\nHost: LOCALHOST:" + port + "\r\n"), std::string::npos);
}

TEST(HttpClient, CookiesComeBackAndAuthenticatorIsKept)
{
    ScriptedServer server;
    server.addReply("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"q\"\r\n"
                    "Set-Cookie: NID=abc; Path=/\r\nContent-Length: 0\r\n\r\n");
    server.addReply(Ok);
    HttpClient client;
    EXPECT_EQ(fetch(client, server.baseUrl() + "/a"), "!HTTP/1.1 401 Unauthorized");
    EXPECT_EQ(fetch(client, server.baseUrl() + "/b"), "ok");
    const std::string second = server.requests().at(1);
    EXPECT_NE(second.find("\r\nAuthorization: Basic Og==\r\n"), std::string::npos) << second;
    EXPECT_NE(second.find("\r\nCookie: NID=abc\r\n"), std::string::npos) << second;
}

TEST(HttpClient, RefusesTargetsItCannotServe)
{
    HttpClient client;
    EXPECT_EQ(fetch(client, "gopher://127.0.0.1/x"), "!Unknown Protocol");
    client.setIoHandler(nullptr);
    EXPECT_EQ(fetch(client, "https://127.0.0.1/x"), "!IOHandler value is not valid");
    EXPECT_EQ(client.connectionCount(), 0);
}

TEST(HttpClient, RefusedConnectionGivesSocketError)
{
    int port;
    {
        ScriptedServer closed;
        port = closed.port();
    }
    HttpClient client;
    EXPECT_EQ(fetch(client, "http://127.0.0.1:" + std::to_string(port) + "/"),
        "!Socket Error # 10061\r\nConnection refused.");
}

// An opening ahead of a request fails as the request would, and leaves nothing open: a refused
// port, a server that never answers the handshake, an abort.
TEST(HttpClient, FailedOpeningLeavesNoConnection)
{
    int closedPort;
    {
        ScriptedServer closed;
        closedPort = closed.port();
    }
    ScriptedServer silent;
    silent.setOnAccept(ScriptedServer::OnAccept::StaySilent);
    const std::string silentUrl = "https://127.0.0.1:" + std::to_string(silent.port()) + "/";
    struct Case
    {
        std::string url;
        bool aborted;
        std::string message;
    };
    for (const Case& c : {Case {"http://127.0.0.1:" + std::to_string(closedPort) + "/", false,
                              "Socket Error # 10061\r\nConnection refused."},
             Case {silentUrl, false, "Socket Error # 10060\r\nConnection timed out."},
             Case {silentUrl, true, "Socket Error # 10004\r\nInterrupted system call."}}) {
        SCOPED_TRACE(c.url);
        HttpClient client;
        client.setTimeLimits(std::chrono::milliseconds(200), HttpClient::ExchangeTimeLimit);
        if (c.aborted) {
            client.abort();
        }
        try {
            client.openConnection(c.url);
            ADD_FAILURE() << "opened";
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), c.message);
        }
        EXPECT_FALSE(client.connected());
    }
}

TEST(HttpClient, PortOutsideTheTcpRangeIsRefusedNotWrapped)
{
    // 65536 + 80 would otherwise land on port 80, 100000 on 34464. (A proxy's port is checked
    // with the proxy settings.)
    for (const int port : {65616, 100000}) {
        SCOPED_TRACE(port);
        HttpClient client;
        EXPECT_EQ(fetch(client, "http://127.0.0.1:" + std::to_string(port) + "/"),
            "!Socket Error # 10049\r\nCannot assign requested address.");
    }
}

TEST(HttpClient, PlainProxyGetsTheAbsoluteUrlOnOneConnection)
{
    const struct
    {
        const char* url;
        const char* requestLine;
        const char* host;
    } cases[] = {
        {"http://service.invalid:8080/x?y=1", "GET http://service.invalid:8080/x?y=1 HTTP/1.1",
            "service.invalid:8080"},
        {"http://service.invalid:80/p", "GET http://service.invalid/p HTTP/1.1", "service.invalid"},
        {"http://user:pw@service.invalid/a\\b/c?q=\\#frag",
            "GET http://service.invalid/a/b/c?q=\\ HTTP/1.1", "service.invalid"},
        {"http://[::1]:8080/v6", "GET http://[::1]:8080/v6 HTTP/1.1", "[::1]:8080"},
        {"http://service.invalid", "GET http://service.invalid/ HTTP/1.1", "service.invalid"},
    };
    ScriptedServer proxy;
    HttpClient client;
    client.proxyParams().setProxyServer("127.0.0.1");
    client.proxyParams().setProxyPort(proxy.port());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        proxy.addReply(Ok);
        EXPECT_EQ(fetch(client, c.url), "ok");
        EXPECT_EQ(proxy.requests().back(),
            std::string(c.requestLine) + "\r\n" + commonLines(c.host) + "\r\n");
    }
    EXPECT_EQ(proxy.connectionCount(), 1);
}

// Proxy credentials are for a configured proxy alone: neither a kept proxy authenticator nor a user
// name and password without a proxy server (a half-written settings file) reach a server directly.
TEST(HttpClient, ProxyCredentialsNeverGoOnADirectRoute)
{
    ScriptedServer server;
    server.addReply("HTTP/1.0 407 Proxy Authentication Required\r\n"
                    "Proxy-Authenticate: Basic realm=\"p\"\r\nContent-Length: 0\r\n\r\n");
    server.addReply(Ok);
    server.addReply(Ok);
    server.addReply(Ok);
    ScriptedServer tlsServer(TestPki::instance().server());
    tlsServer.addReply(Ok);
    HttpClient client;
    client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
    client.proxyParams().setProxyServer("127.0.0.1");
    client.proxyParams().setProxyPort(server.port());
    EXPECT_EQ(
        fetch(client, "http://service.invalid/a"), "!HTTP/1.0 407 Proxy Authentication Required");
    EXPECT_EQ(fetch(client, "http://service.invalid/b"), "ok");
    client.proxyParams().clear();
    EXPECT_NE(client.proxyParams().authenticator(), nullptr);
    EXPECT_EQ(fetch(client, server.baseUrl() + "/c"), "ok");
    client.proxyParams().setProxyUsername("user");
    client.proxyParams().setProxyPassword("secret");
    EXPECT_EQ(fetch(client, server.baseUrl() + "/d"), "ok");
    EXPECT_EQ(fetch(client, tlsServer.baseUrl() + "/e"), "ok");

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].find("Proxy-Authorization"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\nProxy-Authorization: Basic Og==\r\n"), std::string::npos);
    requests.push_back(tlsServer.requests().at(0));
    for (std::size_t i = 2; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].find("Proxy-Authorization"), std::string::npos) << requests[i];
    }
}

// A read that fails inside the body leaves the answer with exactly the bytes that arrived.
TEST(HttpClient, FailureInsideTheBodyKeepsExactlyTheBytesReceived)
{
    const std::string timedOut = "Socket Error # 10060\r\nConnection timed out.";
    const std::string reset = "Socket Error # 10054\r\nConnection reset by peer.";
    const struct
    {
        const char* name;
        bool tls;
        Then then;
        std::string failure;
    } cases[] = {
        {"reset", false, Then::Reset, reset},
        {"time-out", false, Then::StaySilent, timedOut},
        {"reset over TLS", true, Then::Reset, reset},
        {"time-out over TLS", true, Then::StaySilent, timedOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.tls ? std::optional(TestPki::instance().server()) : std::nullopt);
        server.addReply("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", c.then);
        HttpClient client;
        client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
        client.setTimeLimits(std::chrono::milliseconds(300), std::chrono::seconds(10));
        std::string answer = "earlier ";
        try {
            client.fetchUrl(server.baseUrl() + "/", answer);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), c.failure);
        }
        EXPECT_EQ(answer, "earlier part");
        EXPECT_FALSE(client.connected());
    }
}

// A server that spreads its answer thin, each byte well within the read time-out, still meets the
// exchange's deadline: in the body, and inside one TLS record during the handshake.
TEST(HttpClient, DrippingServerIsEndedByTheExchangeDeadline)
{
    const struct
    {
        const char* name;
        bool tls;
        std::string reply;
    } cases[] = {
        {"body", false, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(1000, 'x')},
        // A handshake record announced as 16 KiB long, its bytes sent one by one.
        {"TLS record", true, std::string("\x16\x03\x03\x40\x00", 5) + std::string(16384, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.setDripInterval(std::chrono::milliseconds(10));
        if (c.tls) {
            server.setOnAccept(ScriptedServer::OnAccept::RawReply);
        }
        server.addReply(c.reply);
        HttpClient client;
        client.setTimeLimits(std::chrono::seconds(2), std::chrono::milliseconds(400));
        std::string answer;
        const std::string url = std::string(c.tls ? "https" : "http")
            + "://127.0.0.1:" + std::to_string(server.port()) + "/";
        try {
            client.fetchUrl(url, answer);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), "Socket Error # 10060\r\nConnection timed out.");
        }
        EXPECT_EQ(answer, std::string(answer.size(), 'x'));
        EXPECT_LT(answer.size(), 1000u);
    }
}

// A flood of big cookies from many hosts leaves the store and the next request head bounded.
TEST(HttpClient, CookieFloodStaysWithinBounds)
{
    std::string flood = "HTTP/1.1 200 OK\r\n";
    for (int i = 0; i < 250; ++i) {
        // Every other cookie is too big to keep; the rest are just within the bound.
        const std::size_t size = i % 2 == 0 ? 4000 : 16000;
        flood
            += "Set-Cookie: c" + std::to_string(i) + "=" + std::string(size, 'v') + "; Path=/\r\n";
    }
    flood += "Content-Length: 2\r\n\r\nok";
    ScriptedServer proxy;
    HttpClient client;
    client.proxyParams().setProxyServer("127.0.0.1");
    client.proxyParams().setProxyPort(proxy.port());
    for (int host = 0; host < 12; ++host) {
        proxy.addReply(flood);
        EXPECT_EQ(fetch(client, "http://h" + std::to_string(host) + ".flood.test/"), "ok");
    }
    proxy.addReply(Ok);
    EXPECT_EQ(fetch(client, "http://h11.flood.test/"), "ok");

    const std::string head = proxy.requests().back();
    const std::size_t cookieLine = head.find("\r\nCookie: ");
    ASSERT_NE(cookieLine, std::string::npos);
    EXPECT_LE(head.find("\r\n", cookieLine + 2) - cookieLine - 2, CookieStore::MaxCookieLineLength);
    EXPECT_LT(head.size(), CookieStore::MaxCookieLineLength + 1024);
    const std::vector<Cookie> cookies = client.cookieManager()->cookies();
    EXPECT_EQ(cookies.size(), CookieStore::DefaultMaxCookies);
    std::size_t bytes = 0;
    for (const Cookie& cookie : cookies) {
        bytes += cookie.name.size() + cookie.value.size();
    }
    EXPECT_LE(bytes, CookieStore::DefaultMaxCookies * CookieStore::MaxCookieSize);
}

// A kept connection that the server closes while the client is idle is noticed before the next
// request, which then goes out on a new connection instead of failing.
TEST(HttpClient, ConnectionClosedWhileIdleIsReplaced)
{
    for (const bool tls : {false, true}) {
        SCOPED_TRACE(tls ? "tls" : "plain");
        ScriptedServer server(tls ? std::optional(TestPki::instance().server()) : std::nullopt);
        server.addReply(Ok, Then::Close);
        server.addReply(Ok);
        HttpClient client;
        client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
        EXPECT_EQ(fetch(client, server.baseUrl() + "/a"), "ok");
        EXPECT_TRUE(client.connected());
        // Time for the server's end of the connection to reach the idle client.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(fetch(client, server.baseUrl() + "/b"), "ok");
        EXPECT_EQ(server.requestConnections(), (std::vector<int> {1, 2}));
    }
}
