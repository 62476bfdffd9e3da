// The client's proxy settings, and the proxy credentials sent with requests.
#pragma once

#include "Authenticator.h"

#include <memory>
#include <string>

class ProxySettings
{
public:
    const std::string& proxyServer() const { return m_proxyServer; }
    // A server that differs (letter case ignored) discards the proxy authenticator.
    void setProxyServer(std::string server);
    int proxyPort() const { return m_proxyPort; }
    // A port that differs discards the proxy authenticator.
    void setProxyPort(int port);
    const std::string& proxyUsername() const { return m_proxyUsername; }
    void setProxyUsername(std::string username) { m_proxyUsername = std::move(username); }
    const std::string& proxyPassword() const { return m_proxyPassword; }
    void setProxyPassword(std::string password) { m_proxyPassword = std::move(password); }
    bool basicAuthentication() const { return m_basicAuthentication; }
    void setBasicAuthentication(bool on) { m_basicAuthentication = on; }

    const Authenticator* authenticator() const { return m_authenticator.get(); }
    // Kept after a proxy asked for credentials (a 407 answer).
    void setAuthenticator(std::unique_ptr<Authenticator> authenticator);

    // The user's choice from other: server, port, credentials, basic authentication. The kept
    // authenticator stays while server and port do.
    void takeChoice(const ProxySettings& other);
    // Server, user name and password empty, port 0; the authenticator stays.
    void clear();

    // Empty while no proxy is set or its port is a TCP port (1 to 65535); otherwise the report
    // that names the proxy as host:port. Nothing goes through such a proxy.
    std::string portProblem() const;

    // The "Proxy-Authorization" value for the next request, or empty: the kept authenticator's
    // value, else Basic credentials when basic authentication is on or a user name is set. It
    // carries the user's proxy password, so it belongs only on requests the proxy itself reads
    // (a CONNECT, or a request on the plain proxy route), never inside a tunnel to the server.
    std::string authorization() const;

private:
    std::string m_proxyServer;
    int m_proxyPort = 0;
    std::string m_proxyUsername;
    std::string m_proxyPassword;
    bool m_basicAuthentication = false;
    std::unique_ptr<Authenticator> m_authenticator;
};
