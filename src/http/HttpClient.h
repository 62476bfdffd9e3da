// The HTTP/1.1 client: GET and form POST over one connection that is kept while the server allows
// it, directly or through a proxy (a CONNECT tunnel for https), with TLS, cookies and the failure
// texts the rest of the program relies on. Used by one thread at a time.
#pragma once

#include "AbortSwitch.h"
#include "Connection.h"
#include "CookieStore.h"
#include "HttpErrors.h"
#include "HttpRequest.h"
#include "HttpResponse.h"
#include "ProxySettings.h"
#include "SocketError.h"
#include "SocketStream.h"
#include "TlsHandler.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

class HttpClient
{
public:
    enum class ProtocolVersion
    {
        Http10,
        Http11,
    };

    // Bounds against a hostile server.
    static constexpr int MaxHeaderLines = 255;
    static constexpr std::size_t MaxBodySize = 64u << 20;
    // A single receive or send waits at most this long, and a whole exchange (connection, tunnel,
    // handshake, request and answer) takes at most ExchangeTimeLimit, however a server spreads
    // its bytes; both end with socket error 10060.
    static constexpr std::chrono::milliseconds ReadTimeout = TimeLimits::DefaultPerOperation;
    static constexpr std::chrono::milliseconds ExchangeTimeLimit {120000};

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GET; on success answer holds the body (appended to what it held).
    void fetchUrl(const std::string& url, std::string& answer);
    // POST of the "name=value" fields as a form body; on success answer holds the body.
    void submitForm(
        const std::string& url, const std::vector<std::string>& fields, std::string& answer);

    // Opens the connection an exchange with url would use (TCP, the proxy's tunnel, TLS) without
    // sending a request, so that the next exchange only sends; an open one that fits is kept.
    // Fails as an exchange would, and leaves no connection open then.
    void openConnection(const std::string& url);

    HttpRequest& request() { return m_request; }
    const HttpResponse& response() const { return m_response; }
    ProxySettings& proxyParams() { return m_proxyParams; }
    // Created by the first response; null before.
    CookieStore* cookieManager() { return m_cookies.get(); }
    // The TLS handler (root certificate file, cipher list); null means https is refused.
    TlsHandler* ioHandler() { return m_tlsHandler.get(); }
    void setIoHandler(std::unique_ptr<TlsHandler> handler) { m_tlsHandler = std::move(handler); }

    ProtocolVersion protocolVersion() const { return m_protocolVersion; }
    void setProtocolVersion(ProtocolVersion version) { m_protocolVersion = version; }
    bool allowCookies() const { return m_allowCookies; }
    void setAllowCookies(bool on) { m_allowCookies = on; }
    // Off: a form POST closes an open connection and goes out as HTTP/1.0.
    bool keepOrigProtocol() const { return m_keepOrigProtocol; }
    void setKeepOrigProtocol(bool on) { m_keepOrigProtocol = on; }

    // Tests shorten the limits so that they never wait out the real ones.
    void setTimeLimits(std::chrono::milliseconds readTimeout, std::chrono::milliseconds exchange)
    {
        m_readTimeout = readTimeout;
        m_exchangeTimeLimit = exchange;
    }
    // Any thread: ends the exchange under way (its socket is shut down, a connect gives up with
    // socket error 10004) and refuses new ones until resetAbort.
    void abort() { m_abortSwitch.abort(); }
    // By the thread that runs the exchanges, while none runs.
    void resetAbort() { m_abortSwitch.reset(); }
    // A caller that knows its answers are small lowers the body limit (whole MiB, at most
    // MaxBodySize), so that a hostile answer costs no more than that to receive.
    void setMaxBodySize(std::size_t bytes) { m_maxBodySize = std::min(bytes, MaxBodySize); }
    // How long a connect may take before it fails with socket error 10060.
    void setConnectTimeout(int milliseconds) { m_connectTimeoutMs = milliseconds; }

    bool connected() const { return m_connection.isOpen(); }
    void disconnect() { m_connection.close(); }
    // TCP connections opened by this client so far.
    int connectionCount() const { return m_connection.connectCount(); }

private:
    struct Target
    {
        std::string protocol;
        std::string host;
        std::string port;
        std::string path;
        std::string document;
        std::string query;
        std::string username;
        std::string password;
        bool ipv6 = false;
    };

    void runExchange(const char* method, const std::string& url,
        std::optional<std::string_view> body, std::string& answer);
    // Starts the time limit of an exchange (or of an opening ahead of one); an abort ends it here.
    void startClock();
    // Decides, after success or failure, whether the connection stays open.
    void finishExchange(bool mayReuse);
    void prepareTarget(const std::string& url);
    RouteKind chooseRoute();
    void openRoute();
    void connectRoute(RouteKind route);
    void openTunnel();
    void ensureConnection(bool tls);
    void sendRequest(HttpRequest& request, bool toTarget);
    enum class CookieSource
    {
        Target, // the answer comes from the target: its cookies are stored
        Ignore, // a proxy's answer to CONNECT: nothing it sets is stored
    };
    // Takes a status line and reads the header lines after it.
    void readHead(std::string statusLine, CookieSource cookies = CookieSource::Target);
    void judgeResponse(std::string& answer);
    // Reads the body into sink, or discards it when sink is null.
    void readBody(std::string* sink);
    void readChunkedBody(std::string* sink);
    void readCounted(std::string* sink, std::size_t length, bool mustComplete);
    [[noreturn]] void raiseProtocolFailure();
    bool computeReuse() const;
    CookieTarget cookieTarget() const;
    std::string bracketedHost() const;
    std::string hostAndPort() const;

    HttpRequest m_request;
    HttpResponse m_response;
    ProxySettings m_proxyParams;
    std::unique_ptr<CookieStore> m_cookies;
    std::unique_ptr<TlsHandler> m_tlsHandler;
    Connection m_connection;
    AbortSwitch m_abortSwitch;
    int m_connectTimeoutMs = static_cast<int>(TimeLimits::DefaultPerOperation.count());
    Target m_target;
    std::string m_connectHost;
    int m_connectPort = 0;
    bool m_connectIpv6 = false;
    std::size_t m_bodyBytes = 0;
    std::size_t m_maxBodySize = MaxBodySize;
    std::chrono::milliseconds m_readTimeout = ReadTimeout;
    std::chrono::milliseconds m_exchangeTimeLimit = ExchangeTimeLimit;
    ProtocolVersion m_protocolVersion = ProtocolVersion::Http11;
    bool m_allowCookies = true;
    bool m_keepOrigProtocol = false;
};
