// Certificates made at test time: a test CA and server identities signed by it (valid for
// 127.0.0.1 and localhost unless named otherwise), plus the bad ones a client must refuse.
#pragma once

#include <string>
#include <vector>

// A certificate and its private key, as PEM files.
struct TlsIdentity
{
    std::string certFile;
    std::string keyFile;
};

class TestPki
{
public:
    // Made once per process, in a fresh temporary folder.
    static const TestPki& instance();

    const std::string& directory() const { return m_directory; }
    // The root a client trusts to accept the servers below (HttpClient: setRootCertFile).
    const std::string& caCertFile() const { return m_caCertFile; }

    // Signed by the test CA for 127.0.0.1 and localhost.
    const TlsIdentity& server() const { return m_server; }
    // Self-signed for 127.0.0.1 and localhost: no trusted root.
    const TlsIdentity& selfSigned() const { return m_selfSigned; }
    // Signed by the test CA for other.example only.
    const TlsIdentity& otherHost() const { return m_otherHost; }
    // Signed by the test CA for 127.0.0.1 and localhost, expired yesterday.
    const TlsIdentity& expired() const { return m_expired; }

    // A new identity signed by the test CA for these DNS names or IP addresses.
    TlsIdentity issue(const std::vector<std::string>& names) const;

private:
    TestPki();
    ~TestPki();

    std::string m_directory;
    std::string m_caCertFile;
    std::string m_caKeyFile;
    TlsIdentity m_server;
    TlsIdentity m_selfSigned;
    TlsIdentity m_otherHost;
    TlsIdentity m_expired;
};
