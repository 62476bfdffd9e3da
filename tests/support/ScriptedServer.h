// A loopback server that plays a script: for each request it reads (head and Content-Length body)
// it records the exact bytes and answers with the next scripted reply. Connections are served
// one after another, which is how the client under test uses them.
#pragma once

#include "TestPki.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class ScriptedServer
{
public:
    enum class Then
    {
        KeepOpen, // wait for the next request on this connection
        Close, // close the connection (a FIN)
        Reset, // drop the connection with a reset, a moment after the reply
        StaySilent, // keep the connection open and answer nothing more
        StartTls, // the far end of a tunnel: TLS handshake with the tunnel identity, then go on
    };

    // With an identity every connection starts with a TLS handshake.
    explicit ScriptedServer(std::optional<TlsIdentity> tls = std::nullopt);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" or "https://..." for a TLS server.
    std::string baseUrl() const;

    // Sends bytes after the next request is read, then does what `then` says. A request with no
    // reply left gets its connection closed.
    void addReply(std::string bytes, Then then = Then::KeepOpen);
    // Answers every request that finds no scripted reply left (called with the server's lock
    // held: it must not call back into the server).
    using Responder = std::function<std::pair<std::string, Then>(const std::string& request)>;
    void setResponder(Responder responder);
    // The identity presented after a reply with Then::StartTls.
    void setTunnelIdentity(TlsIdentity identity) { m_tunnelIdentity = std::move(identity); }
    // Acting as a proxy: every CONNECT is granted (and recorded) without using a scripted reply,
    // and TLS with the tunnel identity follows; the scripted replies answer what comes through.
    // This is how a test plays an https service under its real host name on loopback.
    void setGrantTunnels(bool on) { m_grantTunnels = on; }
    // What happens to a connection before anything is read from it.
    enum class OnAccept
    {
        Serve, // (TLS handshake, then) read requests and play the script
        StaySilent, // read and drop everything, answer nothing, not even a TLS handshake
        Close, // end our side at once: the client reads the end of the stream
        RawReply, // answer the first bytes received, whatever they are, with the first reply
                  // (in the clear, even on a TLS server), then read and drop the rest
    };
    void setOnAccept(OnAccept behaviour) { m_onAccept = behaviour; }
    // Replies go out one byte at a time with this pause after each byte (zero: in one write).
    void setDripInterval(std::chrono::milliseconds interval) { m_dripInterval = interval; }

    // The bytes of every request read so far, in order.
    std::vector<std::string> requests() const;
    // The connection (counted from 1) each request came on.
    std::vector<int> requestConnections() const;
    int connectionCount() const { return m_connections; }
    // The server name each TLS handshake asked for (empty without one).
    std::vector<std::string> serverNames() const;

private:
    struct Peer;

    void serve();
    void serveConnection(int fd);
    bool readRequest(Peer& peer, std::string& request);
    bool startTls(Peer& peer, const TlsIdentity& identity);

    std::optional<TlsIdentity> m_tls;
    std::optional<TlsIdentity> m_tunnelIdentity;
    int m_listenFd = -1;
    int m_port = 0;
    std::atomic<bool> m_stop {false};
    std::atomic<OnAccept> m_onAccept {OnAccept::Serve};
    std::atomic<bool> m_grantTunnels {false};
    std::atomic<std::chrono::milliseconds> m_dripInterval {std::chrono::milliseconds(0)};
    std::atomic<int> m_connections {0};
    std::atomic<int> m_currentFd {-1};
    mutable std::mutex m_lock;
    std::deque<std::pair<std::string, Then>> m_replies;
    Responder m_responder;
    std::vector<std::string> m_requests;
    std::vector<int> m_requestConnections;
    std::vector<std::string> m_serverNames;
    std::thread m_thread;
};
