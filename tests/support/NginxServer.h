// A real nginx on loopback for the HTTP tests and benchmarks: a plain and a TLS listener, a few
// fixed locations, and an access log that names each request's connection.
//
//   /small      200 "hello"            /form       200 "form ok" (any method)
//   /forbidden  403                    /redirect   302 with a Location
//   /big.bin    BigSize bytes          /close      200 "bye" with "Connection: close"
//   /chunked    200, chunked "hello\nworld\n" (when the echo module is installed)
//   /cookies    200 "set", with two cookies of CookieSize bytes each
//   /echo-cookie  200 with the request's "Cookie" value as its body
#pragma once

#include "ChildProcess.h"
#include "TestPki.h"

#include <memory>
#include <string>
#include <vector>

class NginxServer
{
public:
    static constexpr std::size_t BigSize = 5 * 1024 * 1024 + 123;
    static constexpr std::size_t CookieSize = 1000;

    struct AccessEntry
    {
        long connection; // nginx's connection serial number
        long requestNumber; // the request's number on its connection
        std::string requestLine;
        int status;
    };

    // Starts nginx with this identity on the TLS listener; throws when it does not come up.
    explicit NginxServer(const TlsIdentity& identity = TestPki::instance().server());
    ~NginxServer();

    int port() const { return m_port; }
    int tlsPort() const { return m_tlsPort; }
    std::string url(const std::string& path) const;
    std::string tlsUrl(const std::string& path) const;
    // The content served at /big.bin.
    std::string bigContent() const;
    bool hasChunked() const { return m_hasChunked; }

    std::vector<AccessEntry> accessEntries() const;
    // TLS handshakes nginx has completed (counted from its access log's $ssl_session_reused).
    int tlsConnections() const;

private:
    std::string m_directory;
    int m_port = 0;
    int m_tlsPort = 0;
    bool m_hasChunked = false;
    std::unique_ptr<ChildProcess> m_process;
};
