// The client against real peers on loopback: nginx over TLS (keep-alive proven by nginx's own
// connection numbers) and tinyproxy in front of it for the CONNECT tunnel.
#include "ClientFetch.h"
#include "HttpErrors.h"
#include "NginxServer.h"
#include "TinyproxyServer.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>

namespace {

class HttpClientPeers : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_nginx = std::make_unique<NginxServer>(); }
    static void TearDownTestSuite() { s_nginx.reset(); }

    void SetUp() override
    {
        m_client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
        m_logStart = s_nginx->accessEntries().size();
    }

    // nginx's log lines of this test.
    std::vector<NginxServer::AccessEntry> entries() const
    {
        auto all = s_nginx->accessEntries();
        return {all.begin() + static_cast<std::ptrdiff_t>(m_logStart), all.end()};
    }

    void useProxy(const TinyproxyServer& proxy)
    {
        m_client.proxyParams().setProxyServer("127.0.0.1");
        m_client.proxyParams().setProxyPort(proxy.port());
    }

    static std::unique_ptr<NginxServer> s_nginx;
    HttpClient m_client;
    std::size_t m_logStart = 0;
};

std::unique_ptr<NginxServer> HttpClientPeers::s_nginx;

struct ProbeRun
{
    int exitCode;
    std::string out;
    std::string err;
};

ProbeRun runProbe(const std::string& arguments)
{
    const std::string directory = makeTemporaryDirectory("quendra-probe");
    const int status = std::system((std::string(HTTP_PROBE) + " " + arguments + " >" + directory
        + "/out 2>" + directory + "/err")
                                       .c_str());
    ProbeRun run {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWholeFile(directory + "/out"),
        readWholeFile(directory + "/err")};
    std::filesystem::remove_all(directory);
    return run;
}

} // namespace

TEST_F(HttpClientPeers, KeepAliveCarriesGetsPostsAndErrorsOnOneTlsConnection)
{
    std::string answer;
    m_client.setKeepOrigProtocol(true);
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/small")), "hello");
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/forbidden")), "!HTTP/1.1 403 Forbidden");
    m_client.submitForm(s_nginx->tlsUrl("/form"), {"q=1", "sl=en"}, answer);
    EXPECT_EQ(answer, "form ok");
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/redirect")), "!HTTP/1.1 302 Moved Temporarily");
    EXPECT_EQ(m_client.response().location, s_nginx->tlsUrl("/small"));
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/small")), "hello");

    const auto log = entries();
    ASSERT_EQ(log.size(), 5u);
    for (const auto& entry : log) {
        EXPECT_EQ(entry.connection, log[0].connection) << entry.requestLine;
    }
    EXPECT_EQ(log[2].requestLine, "POST /form HTTP/1.1");
    EXPECT_EQ(log[4].requestNumber, log[0].requestNumber + 4);
    EXPECT_EQ(m_client.connectionCount(), 1);
}

TEST_F(HttpClientPeers, ConnectionCloseAnswerEndsTheConnection)
{
    EXPECT_EQ(fetch(m_client, s_nginx->url("/close")), "bye");
    EXPECT_FALSE(m_client.connected());
    EXPECT_EQ(fetch(m_client, s_nginx->url("/small")), "hello");
    const auto log = entries();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].connection, log[1].connection);
    EXPECT_EQ(m_client.connectionCount(), 2);
}

// Cookies of 2 KB make a "Cookie" line past the old fold length; nginx refuses folded lines with
// 400, so the line must go out whole.
TEST_F(HttpClientPeers, LongCookieLineIsAcceptedByNginx)
{
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/cookies")), "set");
    const std::string value(NginxServer::CookieSize, 'c');
    EXPECT_EQ(
        fetch(m_client, s_nginx->tlsUrl("/echo-cookie")), "first=" + value + "; second=" + value);
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/small")), "hello");
    EXPECT_EQ(m_client.connectionCount(), 1);
}

TEST_F(HttpClientPeers, LargeAndChunkedBodiesArriveWhole)
{
    std::string answer;
    m_client.fetchUrl(s_nginx->tlsUrl("/big.bin"), answer);
    EXPECT_TRUE(answer == s_nginx->bigContent()) << answer.size();
    if (s_nginx->hasChunked()) {
        EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/chunked")), "hello\nworld\n");
        EXPECT_EQ(m_client.response().transferEncoding, "chunked");
    }
    EXPECT_EQ(m_client.connectionCount(), 1);
}

TEST_F(HttpClientPeers, HttpsThroughTinyproxyTunnel)
{
    TinyproxyServer proxy({s_nginx->tlsPort(), "", ""});
    useProxy(proxy);
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/small")), "hello");
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/small")), "hello");
    EXPECT_EQ(m_client.connectionCount(), 1);
    const auto log = entries();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].connection, log[1].connection);
    EXPECT_NE(proxy.log().find("CONNECT 127.0.0.1:" + std::to_string(s_nginx->tlsPort())),
        std::string::npos);
}

TEST_F(HttpClientPeers, TinyproxyAsksForCredentialsAndTakesThem)
{
    TinyproxyServer proxy({s_nginx->tlsPort(), "quendra", "s3cret"});
    useProxy(proxy);
    EXPECT_EQ(
        fetch(m_client, s_nginx->tlsUrl("/small")), "!HTTP/1.0 407 Proxy Authentication Required");
    EXPECT_NE(m_client.proxyParams().authenticator(), nullptr);
    m_client.proxyParams().setProxyUsername("quendra");
    m_client.proxyParams().setProxyPassword("s3cret");
    EXPECT_EQ(fetch(m_client, s_nginx->tlsUrl("/small")), "hello");
}

TEST_F(HttpClientPeers, ProbeSendsProxyCredentialsAndReportsFailuresExactly)
{
    TinyproxyServer proxy({s_nginx->tlsPort(), "quendra", "s3cret"});
    const std::string common = "--proxy 127.0.0.1:" + std::to_string(proxy.port()) + " --ca "
        + TestPki::instance().caCertFile() + " ";
    const ProbeRun refused = runProbe(common + s_nginx->tlsUrl("/small"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "HTTP/1.0 407 Proxy Authentication Required");

    const ProbeRun granted
        = runProbe(common + "--proxy-user quendra:s3cret --repeat 3 " + s_nginx->tlsUrl("/small"));
    EXPECT_EQ(granted.exitCode, 0);
    EXPECT_EQ(granted.out, "hellohellohello");
    EXPECT_EQ(granted.err, "TCP connections: 1\n");
}

// A connection opened ahead of a request, on each route, is the one the request then uses.
TEST_F(HttpClientPeers, OpenedConnectionCarriesTheNextRequest)
{
    TinyproxyServer proxy({s_nginx->tlsPort(), "", ""});
    struct Route
    {
        const char* name;
        bool viaProxy;
        bool tls;
    };
    for (const Route route : {Route {"direct TLS", false, true}, Route {"tunnel", true, true},
             Route {"plain through the proxy", true, false}}) {
        SCOPED_TRACE(route.name);
        HttpClient client;
        client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
        if (route.viaProxy) {
            client.proxyParams().setProxyServer("127.0.0.1");
            client.proxyParams().setProxyPort(proxy.port());
        }
        const std::string url = route.tls ? s_nginx->tlsUrl("/small") : s_nginx->url("/small");
        client.openConnection(url);
        EXPECT_TRUE(client.connected());
        client.openConnection(url); // open already: kept
        EXPECT_EQ(fetch(client, url), "hello");
        // One TCP connection, so one handshake: the request went on the opened connection.
        EXPECT_EQ(client.connectionCount(), 1);
    }
}
