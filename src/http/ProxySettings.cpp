// Proxy settings and the proxy credentials they produce.
#include "ProxySettings.h"

#include "AsciiText.h"

void ProxySettings::setProxyServer(std::string server)
{
    if (!equalsIgnoreCase(server, m_proxyServer)) {
        m_authenticator.reset();
    }
    m_proxyServer = std::move(server);
}

void ProxySettings::setProxyPort(int port)
{
    if (port != m_proxyPort) {
        m_authenticator.reset();
    }
    m_proxyPort = port;
}

void ProxySettings::takeChoice(const ProxySettings& other)
{
    setProxyServer(other.m_proxyServer);
    setProxyPort(other.m_proxyPort);
    m_proxyUsername = other.m_proxyUsername;
    m_proxyPassword = other.m_proxyPassword;
    m_basicAuthentication = other.m_basicAuthentication;
}

void ProxySettings::setAuthenticator(std::unique_ptr<Authenticator> authenticator)
{
    m_authenticator = std::move(authenticator);
}

void ProxySettings::clear()
{
    m_proxyServer.clear();
    m_proxyPort = 0;
    m_proxyUsername.clear();
    m_proxyPassword.clear();
}

std::string ProxySettings::portProblem() const
{
    if (m_proxyServer.empty() || (m_proxyPort >= 1 && m_proxyPort <= 65535)) {
        return {};
    }
    const bool ipv6 = m_proxyServer.find(':') != std::string::npos;
    const std::string host = ipv6 ? "[" + m_proxyServer + "]" : m_proxyServer;
    return "The proxy " + host + ":" + std::to_string(m_proxyPort)
        + " has no valid port: a port is a number from 1 to 65535.";
}

std::string ProxySettings::authorization() const
{
    if (m_authenticator) {
        return m_authenticator->authorization(m_proxyUsername, m_proxyPassword);
    }
    if (m_basicAuthentication || !m_proxyUsername.empty()) {
        return BasicAuthenticator().authorization(m_proxyUsername, m_proxyPassword);
    }
    return {};
}
