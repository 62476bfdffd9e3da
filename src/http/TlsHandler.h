// The TLS settings of the HTTP client and the factory of its TLS channels. The library is
// loaded by the first handshake; each connection gets its own context and channel.
#pragma once

#include <memory>
#include <string>

class SocketStream;
class TlsStream;

class TlsHandler
{
public:
    // The cipher list used when none is set.
    static constexpr const char* DefaultCipherList = "AES:ALL:!aNULL:!eNULL:+RC4:@STRENGTH";

    // A PEM file of trusted certificates; empty means the system trust store.
    const std::string& rootCertFile() const { return m_rootCertFile; }
    void setRootCertFile(std::string file) { m_rootCertFile = std::move(file); }
    const std::string& cipherList() const { return m_cipherList; }
    void setCipherList(std::string list) { m_cipherList = std::move(list); }

    // Runs the client handshake on the connected socket. The server's certificate must chain to
    // a trusted root and name serverName (a host name or an IP address), which is also sent as
    // the server name indication when it is a name.
    std::unique_ptr<TlsStream> startTls(
        std::unique_ptr<SocketStream> socket, const std::string& serverName) const;

private:
    std::string m_rootCertFile;
    std::string m_cipherList;
};
