// The exchange: target, route, request head, response head, body and the decision to keep the
// connection.
#include "HttpClient.h"

#include "AsciiText.h"
#include "HttpErrors.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

int defaultPort(std::string_view scheme)
{
    if (equalsIgnoreCase(scheme, "http")) {
        return 80;
    }
    if (equalsIgnoreCase(scheme, "https")) {
        return 443;
    }
    return equalsIgnoreCase(scheme, "ftp") ? 21 : 0;
}

// The port text as a number; 80 when it is not one.
int portNumber(std::string_view text)
{
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc() && end == text.data() + text.size() ? port : 80;
}

int statusCodeOf(std::string_view statusLine)
{
    const std::size_t space = statusLine.find(' ');
    if (space == std::string_view::npos) {
        return -1;
    }
    std::string_view rest = trimmed(statusLine.substr(space + 1));
    rest = rest.substr(0, rest.find(' '));
    int code = -1;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), code);
    return error == std::errc() && end == rest.data() + rest.size() && !rest.empty() ? code : -1;
}

bool isControlOrSpace(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

// A space or control byte would end or split the request line, so it goes out percent-encoded.
std::string escapedForRequestLine(std::string_view text)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (isControlOrSpace(c)) {
            const auto byte = static_cast<unsigned char>(c);
            result += '%';
            result += hexDigits[byte >> 4];
            result += hexDigits[byte & 0x0F];
        } else {
            result += c;
        }
    }
    return result;
}

bool containsIgnoreCase(std::string_view text, std::string_view part)
{
    return toLowerAscii(text).find(toLowerAscii(part)) != std::string::npos;
}

} // namespace

HttpClient::HttpClient()
    : m_tlsHandler(std::make_unique<TlsHandler>())
{ }

HttpClient::~HttpClient() = default;

void HttpClient::fetchUrl(const std::string& url, std::string& answer)
{
    runExchange("GET", url, std::nullopt, answer);
}

void HttpClient::submitForm(
    const std::string& url, const std::vector<std::string>& fields, std::string& answer)
{
    if (m_request.contentType().empty() || equalsIgnoreCase(m_request.contentType(), "text/html")) {
        m_request.setContentType("application/x-www-form-urlencoded");
    }
    std::string text;
    for (const std::string& field : fields) {
        text += field + "\r\n";
    }
    std::string body;
    std::string_view rest = trimmed(text);
    for (std::size_t lineEnd; (lineEnd = rest.find("\r\n")) != std::string_view::npos;) {
        body.append(rest.substr(0, lineEnd)).append("&");
        rest.remove_prefix(lineEnd + 2);
    }
    body.append(rest);

    if (m_keepOrigProtocol) {
        runExchange("POST", url, body, answer);
        return;
    }
    m_connection.close();
    const ProtocolVersion saved = m_protocolVersion;
    m_protocolVersion = ProtocolVersion::Http10;
    try {
        runExchange("POST", url, body, answer);
    } catch (...) {
        m_protocolVersion = saved;
        throw;
    }
    m_protocolVersion = saved;
}

void HttpClient::runExchange(const char* method, const std::string& url,
    std::optional<std::string_view> body, std::string& answer)
{
    m_request.method = method;
    m_request.body = body;
    try {
        startClock();
        prepareTarget(url);
        openRoute();
        readHead(m_connection.readLine());
        // Interim answers are skipped, but a server may not send them without end.
        for (int interim = 0; m_response.statusCode == 100; ++interim) {
            if (interim == MaxHeaderLines) {
                throw TooManyHeaderLines();
            }
            readHead(m_connection.readLine());
        }
        judgeResponse(answer);
    } catch (const HttpProtocolError&) {
        // The error body was read to its end: the connection may still serve.
        finishExchange(true);
        throw;
    } catch (...) {
        // Anything else leaves the connection in an unknown state.
        finishExchange(false);
        throw;
    }
    finishExchange(true);
}

void HttpClient::openConnection(const std::string& url)
{
    m_request.body.reset();
    try {
        startClock();
        prepareTarget(url);
        connectRoute(chooseRoute());
    } catch (...) {
        m_connection.close();
        throw;
    }
}

void HttpClient::startClock()
{
    m_connection.setTimeLimits({m_readTimeout, TimeLimits::Clock::now() + m_exchangeTimeLimit});
    if (m_abortSwitch.aborted()) {
        SocketError::raise(10004);
    }
}

void HttpClient::finishExchange(bool mayReuse)
{
    m_request.body.reset(); // it points into the caller's data
    m_response.reuseConnection = mayReuse && computeReuse();
    if (!m_response.reuseConnection) {
        m_connection.close();
    }
}

void HttpClient::prepareTarget(const std::string& url)
{
    // A fragment never goes on the wire.
    std::string_view rest = std::string_view(url).substr(0, url.find('#'));
    Target parsed;
    if (const std::size_t mark = rest.find('?'); mark != std::string_view::npos) {
        parsed.query = escapedForRequestLine(rest.substr(mark + 1));
        rest = rest.substr(0, mark);
    }
    std::string before(rest);
    std::replace(before.begin(), before.end(), '\\', '/');
    rest = before;
    bool hasHost = false;
    if (const std::size_t schemeEnd = rest.find("://"); schemeEnd != std::string_view::npos) {
        hasHost = true;
        parsed.protocol = rest.substr(0, schemeEnd);
        rest.remove_prefix(schemeEnd + 3);
        std::string_view authority = rest.substr(0, rest.find('/'));
        rest.remove_prefix(authority.size());
        if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
            const std::string_view user = authority.substr(0, at);
            const std::size_t colon = user.find(':');
            parsed.username = user.substr(0, colon);
            if (colon != std::string_view::npos) {
                parsed.password = user.substr(colon + 1);
            }
            authority.remove_prefix(at + 1);
        }
        std::size_t portMark = authority.find(':');
        if (authority.starts_with('[')) {
            const std::size_t close = authority.find(']');
            parsed.host = authority.substr(1, close == std::string_view::npos ? close : close - 1);
            parsed.ipv6 = true;
            portMark = authority.find(':', close == std::string_view::npos ? 0 : close);
        } else {
            parsed.host = authority.substr(0, portMark);
        }
        if (portMark != std::string_view::npos) {
            parsed.port = authority.substr(portMark + 1);
        }
        // Such a name cannot exist, and on the way to a proxy it would split the request head.
        if (std::any_of(authority.begin(), authority.end(), isControlOrSpace)) {
            SocketError::raise(11001);
        }
    }
    const std::size_t slash = rest.rfind('/');
    if (slash != std::string_view::npos) {
        parsed.path = escapedForRequestLine(rest.substr(0, slash + 1));
        parsed.document = escapedForRequestLine(rest.substr(slash + 1));
    } else {
        parsed.document = escapedForRequestLine(rest);
    }

    if (!parsed.username.empty()) {
        m_request.username = parsed.username;
        m_request.password = parsed.password;
    }
    m_target.username = m_request.username;
    m_target.password = m_request.password;
    if (hasHost || parsed.path.starts_with('/')) {
        m_target.path = parsed.path.empty() ? "/" : parsed.path;
    } else {
        m_target.path = (m_target.path.empty() ? "/" : m_target.path) + parsed.path;
    }
    m_target.document = parsed.document;
    m_target.query = parsed.query;
    if (hasHost) {
        m_target.host = parsed.host;
        m_target.ipv6 = parsed.ipv6;
    }
    if (!parsed.protocol.empty()) {
        m_target.protocol = parsed.protocol;
    } else {
        m_target.protocol = equalsIgnoreCase(m_target.protocol, "https") ? "https" : "http";
    }
    if (!parsed.port.empty()) {
        m_target.port = parsed.port;
    } else if (const int port = defaultPort(m_target.protocol); port == 80 || port == 443) {
        m_target.port = std::to_string(port);
    } else if (m_target.port.empty()) {
        throw UnknownProtocol();
    }

    m_request.target = m_target.path + m_target.document;
    if (!m_target.query.empty()) {
        m_request.target += "?" + m_target.query;
    }
    m_request.contentLength
        = m_request.body ? static_cast<std::int64_t>(m_request.body->size()) : -1;
    const int port = defaultPort(m_target.protocol);
    const bool defaultForScheme
        = (port == 80 || port == 443) && m_target.port == std::to_string(port);
    m_request.host = defaultForScheme ? bracketedHost() : hostAndPort();
}

std::string HttpClient::bracketedHost() const
{
    return m_target.ipv6 ? "[" + m_target.host + "]" : m_target.host;
}

std::string HttpClient::hostAndPort() const
{
    return bracketedHost() + ":" + m_target.port;
}

RouteKind HttpClient::chooseRoute()
{
    const bool tls = equalsIgnoreCase(m_target.protocol, "https");
    if (tls && !m_tlsHandler) {
        throw IoHandlerInvalid();
    }
    RouteKind route;
    bool fits;
    if (m_proxyParams.proxyServer().empty()) {
        m_connectHost = m_target.host;
        m_connectPort = portNumber(m_target.port);
        m_connectIpv6 = m_target.ipv6;
        route = tls ? RouteKind::DirectTls : RouteKind::Direct;
        fits = m_connection.isTls() == tls && m_connection.tunnelTarget().empty();
    } else {
        // Refused here, before any connection: the lower layers would name only the number.
        if (std::string problem = m_proxyParams.portProblem(); !problem.empty()) {
            throw ProxyPortInvalid(problem);
        }
        m_connectHost = m_proxyParams.proxyServer();
        m_connectPort = m_proxyParams.proxyPort();
        m_connectIpv6 = m_connectHost.find(':') != std::string::npos;
        route = tls ? RouteKind::ProxyTls : RouteKind::Proxy;
        // A plain connection to the proxy serves any target (and can be tunnelled); a tunnel
        // leads to one target only.
        fits = !m_connection.isTls() || (tls && m_connection.tunnelTarget() == hostAndPort());
    }
    fits = fits && m_connection.ipv6() == m_connectIpv6
        && equalsIgnoreCase(m_connection.host(), m_connectHost)
        && m_connection.port() == m_connectPort;
    if (m_connection.isOpen() && !fits) {
        m_connection.close();
    }
    return route;
}

void HttpClient::openRoute()
{
    const RouteKind route = chooseRoute();
    m_request.route = route;
    const bool http10 = m_protocolVersion == ProtocolVersion::Http10;
    switch (route) {
    case RouteKind::Direct:
        if (http10 && m_request.connection.empty()) {
            m_request.connection = "keep-alive";
        }
        break;
    case RouteKind::Proxy: {
        m_request.target = m_target.protocol + "://" + bracketedHost();
        if (m_target.port != std::to_string(defaultPort(m_target.protocol))) {
            m_request.target += ":" + m_target.port;
        }
        m_request.target += m_target.path + m_target.document;
        if (!m_target.query.empty()) {
            m_request.target += "?" + m_target.query;
        }
        if (http10 && m_request.connection.empty()) {
            m_request.proxyConnection = "keep-alive";
        }
        break;
    }
    case RouteKind::DirectTls:
    case RouteKind::ProxyTls:
        m_request.connection.clear();
        break;
    }
    if (!containsIgnoreCase(m_request.acceptEncoding, "identity")) {
        m_request.acceptEncoding = m_request.acceptEncoding.empty()
            ? "identity"
            : m_request.acceptEncoding + ", identity";
    }
    connectRoute(route);
    sendRequest(m_request, true);
}

void HttpClient::connectRoute(RouteKind route)
{
    if (route == RouteKind::ProxyTls) {
        openTunnel();
    } else {
        ensureConnection(route == RouteKind::DirectTls);
    }
}

void HttpClient::ensureConnection(bool tls)
{
    // A connection the last answer did not allow to keep is closed already.
    m_connection.discardUnread();
    if (!m_connection.isOpen()) {
        m_connection.connect(
            m_connectHost, m_connectPort, m_connectIpv6, m_connectTimeoutMs, &m_abortSwitch);
        if (tls) {
            m_connection.startTls(*m_tlsHandler, m_target.host);
        }
    }
}

void HttpClient::openTunnel()
{
    ensureConnection(false);
    if (!m_connection.tunnelTarget().empty()) {
        return; // the kept tunnel already leads to this target
    }
    HttpRequest connect;
    connect.userAgent = m_request.userAgent;
    connect.host = m_request.host;
    connect.pragma = "no-cache";
    connect.method = "CONNECT";
    connect.target = hostAndPort();
    connect.proxyConnection = "keep-alive";
    sendRequest(connect, false);

    std::string statusLine = m_connection.readLine();
    if (statusLine.empty()) {
        // Some proxies answer a granted tunnel with nothing but an empty line.
        m_response.clear();
        m_response.statusLine = "HTTP/1.0 200 OK";
        m_response.statusCode = 200;
        m_response.connection = "close";
    } else {
        // Cookies in the proxy's answer are the proxy's word, not the target's.
        readHead(std::move(statusLine), CookieSource::Ignore);
    }
    if (m_response.statusCode < 200 || m_response.statusCode > 299) {
        std::string unused;
        judgeResponse(unused);
    }
    m_connection.startTls(*m_tlsHandler, m_target.host);
    m_connection.setTunnelTarget(hostAndPort());
}

void HttpClient::sendRequest(HttpRequest& request, bool toTarget)
{
    request.buildHeaderLines();
    // The proxy's credentials go only where the proxy itself reads them: the CONNECT and the
    // plain proxy route. A direct request or one inside a tunnel would hand them to the server.
    const bool proxyReads = !toTarget || request.route == RouteKind::Proxy;
    if (proxyReads && !m_proxyParams.proxyServer().empty()) {
        request.headerLines.addValue("Proxy-Authorization", m_proxyParams.authorization());
    }
    if (toTarget && m_allowCookies && m_cookies) {
        m_cookies->addCookieLine(cookieTarget(), request.headerLines);
    }
    std::string head = request.method + " " + request.target
        + (m_protocolVersion == ProtocolVersion::Http10 ? " HTTP/1.0\r\n" : " HTTP/1.1\r\n");
    for (const std::string& line : request.headerLines.lines()) {
        if (!line.empty()) {
            head.append(line).append("\r\n");
        }
    }
    head.append("\r\n");
    const std::string_view parts[] = {head, request.body.value_or(std::string_view())};
    m_connection.write(parts);
}

void HttpClient::readHead(std::string statusLine, CookieSource cookies)
{
    m_response.clear();
    m_response.statusCode = statusCodeOf(statusLine);
    m_response.statusLine = std::move(statusLine);
    try {
        for (std::string line = m_connection.readLine(); !line.empty();
             line = m_connection.readLine()) {
            if (m_response.headerLines.count() >= MaxHeaderLines) {
                throw TooManyHeaderLines();
            }
            m_response.headerLines.addLine(std::move(line));
        }
    } catch (const ConnClosedGracefully&) {
        // A server that closes inside the head has still said what it had to say.
    }
    m_response.parseHeaderLines();
    if (m_allowCookies && cookies == CookieSource::Target) {
        if (!m_cookies) {
            m_cookies = std::make_unique<CookieStore>();
        }
        m_cookies->storeResponseCookies(
            m_response.headerLines.values("Set-Cookie"), cookieTarget());
    }
}

void HttpClient::judgeResponse(std::string& answer)
{
    const int code = m_response.statusCode;
    if (code >= 200 && code <= 299) {
        readBody(code == 204 || m_request.method == "HEAD" ? nullptr : &answer);
        return;
    }
    if (code == 401 && !m_request.authenticator) {
        m_request.authenticator = Authenticator::fromChallenges(m_response.wwwAuthenticate);
    } else if (code == 407 && !m_proxyParams.authenticator()) {
        m_proxyParams.setAuthenticator(Authenticator::fromChallenges(m_response.proxyAuthenticate));
    }
    raiseProtocolFailure();
}

void HttpClient::readBody(std::string* sink)
{
    const bool chunked = containsIgnoreCase(m_response.transferEncoding, "chunked");
    if (!chunked && m_response.contentLength == 0) {
        return;
    }
    const int code = m_response.statusCode;
    if (m_request.method == "HEAD" || (code >= 100 && code <= 199) || code == 204 || code == 304) {
        return;
    }
    if (code >= 300 && code <= 399 && !m_connection.waitForData(5000)) {
        return;
    }
    m_bodyBytes = 0;
    if (chunked) {
        readChunkedBody(sink);
    } else if (m_response.contentLength > 0) {
        if (static_cast<std::uint64_t>(m_response.contentLength) > m_maxBodySize) {
            throw ResponseTooLarge(m_maxBodySize);
        }
        const auto length = static_cast<std::size_t>(m_response.contentLength);
        if (sink != nullptr) {
            sink->reserve(sink->size() + length);
        }
        readCounted(sink, length, false);
    } else {
        readCounted(sink, std::numeric_limits<std::size_t>::max(), false);
    }
}

void HttpClient::readChunkedBody(std::string* sink)
{
    for (;;) {
        const std::string line = m_connection.readLine();
        const std::string_view sizeText = trimmed(std::string_view(line).substr(0, line.find(';')));
        std::uint64_t size = 0;
        const auto [end, error]
            = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size, 16);
        if (error == std::errc::result_out_of_range) {
            throw ResponseTooLarge(m_maxBodySize);
        }
        if (error != std::errc() || end != sizeText.data() + sizeText.size() || size == 0) {
            break;
        }
        if (size > m_maxBodySize - m_bodyBytes) {
            throw ResponseTooLarge(m_maxBodySize);
        }
        readCounted(sink, static_cast<std::size_t>(size), true);
        m_connection.readLine();
    }
    for (std::string line = m_connection.readLine(); !line.empty();
         line = m_connection.readLine()) {
        if (m_response.headerLines.count() >= MaxHeaderLines) {
            throw TooManyHeaderLines();
        }
        m_response.headerLines.addLine(std::move(line));
    }
}

void HttpClient::readCounted(std::string* sink, std::size_t length, bool mustComplete)
{
    while (length > 0) {
        const std::size_t received
            = m_connection.readInto(sink, std::min(length, Connection::BufferSize));
        if (received == 0) {
            if (mustComplete) {
                throw ConnClosedGracefully();
            }
            return; // the server ended the body by closing
        }
        length -= received;
        m_bodyBytes += received;
        if (m_bodyBytes > m_maxBodySize) {
            throw ResponseTooLarge(m_maxBodySize);
        }
    }
}

void HttpClient::raiseProtocolFailure()
{
    std::string errorText;
    readBody(&errorText);
    throw HttpProtocolError(m_response.statusLine, m_response.statusCode, std::move(errorText));
}

bool HttpClient::computeReuse() const
{
    if (!m_connection.isOpen() || m_connection.closedByPeer()) {
        return false;
    }
    const auto says = [this](std::string_view value) {
        return equalsIgnoreCase(trimmed(m_response.connection), value)
            || equalsIgnoreCase(trimmed(m_response.proxyConnection), value);
    };
    return m_protocolVersion == ProtocolVersion::Http11 ? !says("close") : says("keep-alive");
}

CookieTarget HttpClient::cookieTarget() const
{
    return {toLowerAscii(m_target.protocol), m_target.host, m_target.path + m_target.document};
}
