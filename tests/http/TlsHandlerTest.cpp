// TLS: the server's certificate and name are checked (also at the far end of a proxy tunnel),
// the tunnel's CONNECT head, what a proxy may not slip into the tunnel, and the time-out of a
// server that never answers.
#include "ClientFetch.h"
#include "ScriptedServer.h"

#include <gtest/gtest.h>

namespace {

using Then = ScriptedServer::Then;

const std::string& Ok = OkReply;

void trustTestCa(HttpClient& client)
{
    client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
}

void useProxy(HttpClient& client, const ScriptedServer& proxy)
{
    client.proxyParams().setProxyServer("127.0.0.1");
    client.proxyParams().setProxyPort(proxy.port());
}

} // namespace

// A server that accepts and never answers the handshake runs into the read time-out (shortened
// here; the client's own is thirty seconds).
TEST(TlsHandler, SilentServerTimesOut)
{
    ScriptedServer server;
    server.setOnAccept(ScriptedServer::OnAccept::StaySilent);
    HttpClient client;
    trustTestCa(client);
    client.setTimeLimits(std::chrono::milliseconds(300), HttpClient::ExchangeTimeLimit);
    EXPECT_EQ(fetch(client, "https://127.0.0.1:" + std::to_string(server.port()) + "/"),
        "!Socket Error # 10060\r\nConnection timed out.");
    EXPECT_FALSE(client.connected());
}

TEST(TlsHandler, VerifiedServerOnTlsRouteGetsNoConnectionLine)
{
    ScriptedServer server(TestPki::instance().server());
    server.addReply(Ok);
    server.addReply(Ok);
    HttpClient client;
    trustTestCa(client);
    EXPECT_EQ(fetch(client, server.baseUrl() + "/a"), "ok");
    client.setProtocolVersion(HttpClient::ProtocolVersion::Http10);
    // HTTP/1.0 would ask a plain connection to stay open; TLS routes send no "Connection" line.
    EXPECT_EQ(fetch(client, server.baseUrl() + "/b"), "ok");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    const std::string rest = "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
                             "User-Agent: Mozilla/3.0 (compatible; Quendra)\r\n\r\n";
    const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port());
    EXPECT_EQ(requests[0], "GET /a HTTP/1.1\r\n" + host + rest);
    EXPECT_EQ(requests[1], "GET /b HTTP/1.0\r\n" + host + rest);
    // An IP address is never sent as a server name.
    EXPECT_EQ(server.serverNames(), std::vector<std::string> {""});
}

TEST(TlsHandler, RefusesServersThatFailVerification)
{
    const TestPki& pki = TestPki::instance();
    const std::string step = "!Error connecting with SSL.\r\n";
    const std::string verifyFailed = "certificate verify failed";
    const struct
    {
        const char* name;
        std::optional<TlsIdentity> identity;
        bool trustTestCa;
        std::string reason;
    } cases[] = {
        {"self-signed", pki.selfSigned(), true, verifyFailed + " (self-signed certificate)"},
        {"not in the system store", pki.server(), false,
            verifyFailed + " (unable to get local issuer certificate)"},
        {"other host name", pki.otherHost(), true, verifyFailed + " (IP address mismatch)"},
        {"expired", pki.expired(), true, verifyFailed + " (certificate has expired)"},
        {"closed during the handshake", std::nullopt, true,
            "\r\nEOF was observed that violates the protocol"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.identity);
        if (!c.identity) {
            server.setOnAccept(ScriptedServer::OnAccept::Close);
        }
        server.addReply(Ok);
        HttpClient client;
        if (c.trustTestCa) {
            trustTestCa(client);
        }
        const std::string url = "https://127.0.0.1:" + std::to_string(server.port()) + "/";
        const std::string result = fetch(client, url);
        EXPECT_EQ(result.rfind(step, 0), 0u) << result;
        EXPECT_NE(result.find(c.reason), std::string::npos) << result;
        EXPECT_TRUE(server.requests().empty());
        EXPECT_FALSE(client.connected());
    }
}

TEST(TlsHandler, SystemTrustStoreHonoursSslCertFile)
{
    ScriptedServer server(TestPki::instance().server());
    server.addReply(Ok);
    HttpClient client;
    setenv("SSL_CERT_FILE", TestPki::instance().caCertFile().c_str(), 1);
    const std::string result = fetch(client, server.baseUrl() + "/");
    unsetenv("SSL_CERT_FILE");
    EXPECT_EQ(result, "ok");
}

TEST(TlsHandler, TunnelCarriesExactConnectHeadAndChecksTheTargetName)
{
    const struct
    {
        const char* name;
        std::string connectAnswer;
        TlsIdentity farEnd;
        bool accepted;
    } cases[] = {
        // A cookie the proxy sets is not the target's: it is neither stored nor sent.
        {"granted", "HTTP/1.0 200 Connection established\r\nSet-Cookie: pc=1\r\n\r\n",
            TestPki::instance().server(), true},
        {"empty answer", "\r\n", TestPki::instance().server(), true},
        {"wrong name at the far end", "HTTP/1.0 200 Connection established\r\n\r\n",
            TestPki::instance().otherHost(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer proxy;
        proxy.setTunnelIdentity(c.farEnd);
        proxy.addReply(c.connectAnswer, Then::StartTls);
        proxy.addReply(Ok);
        HttpClient client;
        trustTestCa(client);
        useProxy(client, proxy);
        const std::string result = fetch(client, "https://localhost/translate_a/single?q=1");
        const auto requests = proxy.requests();
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests[0],
            "CONNECT localhost:443 HTTP/1.1\r\nPragma: no-cache\r\n"
            "Proxy-Connection: keep-alive\r\nHost: localhost\r\n"
            "Accept: text/html, */*\r\n"
            "User-Agent: Mozilla/3.0 (compatible; Quendra)\r\n\r\n");
        if (!c.accepted) {
            EXPECT_EQ(result.rfind("!Error connecting with SSL.\r\n", 0), 0u) << result;
            continue;
        }
        EXPECT_EQ(result, "ok");
        EXPECT_EQ(proxy.serverNames(), std::vector<std::string> {"localhost"});
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1],
            "GET /translate_a/single?q=1 HTTP/1.1\r\nHost: localhost\r\n"
            "Accept: text/html, */*\r\nAccept-Encoding: identity\r\n"
            "User-Agent: Mozilla/3.0 (compatible; Quendra)\r\n\r\n");
        ASSERT_NE(client.cookieManager(), nullptr);
        EXPECT_TRUE(client.cookieManager()->cookies().empty());
    }
}

TEST(TlsHandler, TunnelIsKeptForItsTargetOnly)
{
    ScriptedServer proxy;
    proxy.setTunnelIdentity(TestPki::instance().server());
    proxy.setGrantTunnels(true);
    proxy.addReply(Ok);
    proxy.addReply(Ok);
    proxy.addReply(Ok);
    HttpClient client;
    trustTestCa(client);
    useProxy(client, proxy);
    EXPECT_EQ(fetch(client, "https://localhost/a"), "ok");
    EXPECT_EQ(fetch(client, "https://localhost/b"), "ok");
    EXPECT_EQ(fetch(client, "https://127.0.0.1/c"), "ok");
    std::vector<std::string> lines;
    for (const std::string& request : proxy.requests()) {
        lines.push_back(request.substr(0, request.find("\r\n")));
    }
    EXPECT_EQ(lines,
        (std::vector<std::string> {"CONNECT localhost:443 HTTP/1.1", "GET /a HTTP/1.1",
            "GET /b HTTP/1.1", "CONNECT 127.0.0.1:443 HTTP/1.1", "GET /c HTTP/1.1"}));
    EXPECT_EQ(proxy.requestConnections(), (std::vector<int> {1, 1, 1, 2, 2}));
}

TEST(TlsHandler, ProxyCredentialsGoToTheProxyOnlyNeverThroughTheTunnel)
{
    ScriptedServer proxy;
    proxy.setTunnelIdentity(TestPki::instance().server());
    proxy.setGrantTunnels(true);
    proxy.addReply(Ok);
    HttpClient client;
    trustTestCa(client);
    useProxy(client, proxy);
    client.proxyParams().setProxyUsername("user");
    client.proxyParams().setProxyPassword("secret");
    EXPECT_EQ(fetch(client, "https://localhost/a"), "ok");
    const auto requests = proxy.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(
        requests[0].find("\r\nProxy-Authorization: Basic dXNlcjpzZWNyZXQ=\r\n"), std::string::npos);
    EXPECT_EQ(requests[1].find("Proxy-Authorization"), std::string::npos);
}

TEST(TlsHandler, RefusedTunnelFailsWithTheProxyStatusLine)
{
    ScriptedServer proxy;
    proxy.addReply("HTTP/1.1 403 Filtered\r\nContent-Length: 0\r\n\r\n");
    HttpClient client;
    useProxy(client, proxy);
    EXPECT_EQ(fetch(client, "https://localhost/"), "!HTTP/1.1 403 Filtered");
}

// Bytes a proxy sends in the clear right behind its answer to CONNECT would be read as the
// server's answer once TLS runs; they fail the exchange instead, and the connection is closed.
TEST(TlsHandler, BytesBehindTheConnectAnswerFailTheExchange)
{
    const std::string forged = "HTTP/1.1 200 OK\r\nContent-Length: 19\r\n\r\n[[[\"FORGED\",null]]]";
    for (const std::string connectAnswer :
        {"HTTP/1.1 200 Connection established\r\n\r\n", "\r\n"}) {
        SCOPED_TRACE(connectAnswer);
        ScriptedServer proxy;
        proxy.setTunnelIdentity(TestPki::instance().server());
        proxy.addReply(connectAnswer + forged, Then::StartTls);
        proxy.addReply(Ok);
        HttpClient client;
        trustTestCa(client);
        useProxy(client, proxy);
        EXPECT_EQ(fetch(client, "https://localhost/translate_a/single?q=1"),
            "!Unexpected data received before the TLS handshake.");
        EXPECT_FALSE(client.connected());
        EXPECT_EQ(proxy.requests().size(), 1u);
    }
}
