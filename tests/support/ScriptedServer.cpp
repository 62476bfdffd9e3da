// The scripted server's accept loop, request reader and TLS ends.
#include "ScriptedServer.h"

#include "LoopbackListener.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstring>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

SSL_CTX* serverContext(const TlsIdentity& identity)
{
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (SSL_CTX_use_certificate_chain_file(context, identity.certFile.c_str()) != 1
        || SSL_CTX_use_PrivateKey_file(context, identity.keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
        SSL_CTX_free(context);
        throw std::runtime_error("scripted server: cannot load " + identity.certFile);
    }
    return context;
}

std::size_t contentLength(const std::string& head)
{
    std::string lower = head;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::size_t found = lower.find("\r\ncontent-length:");
    return found == std::string::npos ? 0 : std::strtoul(head.c_str() + found + 17, nullptr, 10);
}

} // namespace

// One accepted connection, plain or TLS.
struct ScriptedServer::Peer
{
    int fd;
    SSL_CTX* context = nullptr;
    SSL* channel = nullptr;

    ~Peer() { endTls(); }

    bool startTls(const TlsIdentity& identity)
    {
        context = serverContext(identity);
        channel = SSL_new(context);
        SSL_set_fd(channel, fd);
        const bool ok = SSL_accept(channel) == 1;
        ERR_clear_error();
        return ok;
    }
    void endTls()
    {
        SSL_free(channel);
        SSL_CTX_free(context);
        channel = nullptr;
        context = nullptr;
    }
    long read(char* data, std::size_t size)
    {
        return channel != nullptr ? SSL_read(channel, data, static_cast<int>(size))
                                  : ::recv(fd, data, size, 0);
    }
    void write(
        const std::string& bytes, std::chrono::milliseconds drip, const std::atomic<bool>& stop)
    {
        std::size_t done = 0;
        while (done < bytes.size() && !(drip.count() > 0 && stop)) {
            const std::size_t piece = drip.count() > 0 ? 1 : bytes.size() - done;
            const long sent = channel != nullptr
                ? SSL_write(channel, bytes.data() + done, static_cast<int>(piece))
                : ::send(fd, bytes.data() + done, piece, MSG_NOSIGNAL);
            if (sent <= 0) {
                return;
            }
            done += static_cast<std::size_t>(sent);
            std::this_thread::sleep_for(drip);
        }
    }
    // Reads and drops everything until the client goes away.
    void drain()
    {
        char scratch[4096];
        while (read(scratch, sizeof scratch) > 0) { }
    }
};

ScriptedServer::ScriptedServer(std::optional<TlsIdentity> tls)
    : m_tls(std::move(tls))
{
    // TLS writes to a client that has gone must fail, not end the test program.
    std::signal(SIGPIPE, SIG_IGN);
    const LoopbackListener listener = listenOnLoopback(16, "scripted server");
    m_listenFd = listener.fd;
    m_port = listener.port;
    m_thread = std::thread([this] { serve(); });
}

ScriptedServer::~ScriptedServer()
{
    m_stop = true;
    ::shutdown(m_listenFd, SHUT_RDWR);
    if (const int fd = m_currentFd; fd >= 0) {
        ::shutdown(fd, SHUT_RDWR);
    }
    m_thread.join();
    ::close(m_listenFd);
}

std::string ScriptedServer::baseUrl() const
{
    return std::string(m_tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(m_port);
}

void ScriptedServer::addReply(std::string bytes, Then then)
{
    std::lock_guard guard(m_lock);
    m_replies.emplace_back(std::move(bytes), then);
}

void ScriptedServer::setResponder(Responder responder)
{
    std::lock_guard guard(m_lock);
    m_responder = std::move(responder);
}

std::vector<std::string> ScriptedServer::requests() const
{
    std::lock_guard guard(m_lock);
    return m_requests;
}

std::vector<int> ScriptedServer::requestConnections() const
{
    std::lock_guard guard(m_lock);
    return m_requestConnections;
}

std::vector<std::string> ScriptedServer::serverNames() const
{
    std::lock_guard guard(m_lock);
    return m_serverNames;
}

bool ScriptedServer::startTls(Peer& peer, const TlsIdentity& identity)
{
    const bool ok = peer.startTls(identity);
    const char* name = SSL_get_servername(peer.channel, TLSEXT_NAMETYPE_host_name);
    std::lock_guard guard(m_lock);
    m_serverNames.emplace_back(name != nullptr ? name : "");
    return ok;
}

void ScriptedServer::serve()
{
    while (!m_stop) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        m_currentFd = fd;
        ++m_connections;
        if (!m_stop) {
            serveConnection(fd);
        }
        m_currentFd = -1;
        ::close(fd);
    }
}

void ScriptedServer::serveConnection(int fd)
{
    Peer peer {fd};
    switch (m_onAccept.load()) {
    case OnAccept::StaySilent:
        peer.drain();
        return;
    case OnAccept::Close:
        // Reading on until the client goes keeps its bytes from provoking a reset.
        ::shutdown(fd, SHUT_WR);
        peer.drain();
        return;
    case OnAccept::RawReply: {
        char scratch[4096];
        if (peer.read(scratch, sizeof scratch) <= 0) {
            return;
        }
        std::pair<std::string, Then> first;
        {
            std::lock_guard guard(m_lock);
            if (m_replies.empty()) {
                return;
            }
            first = std::move(m_replies.front());
            m_replies.pop_front();
        }
        peer.write(first.first, m_dripInterval, m_stop);
        peer.drain();
        return;
    }
    case OnAccept::Serve:
        break;
    }
    if (m_tls && !startTls(peer, *m_tls)) {
        return;
    }
    for (std::string request; readRequest(peer, request);) {
        std::pair<std::string, Then> reply;
        {
            std::lock_guard guard(m_lock);
            m_requests.push_back(request);
            m_requestConnections.push_back(m_connections);
            if (m_grantTunnels && request.starts_with("CONNECT ")) {
                reply = {"HTTP/1.1 200 Connection established\r\n\r\n", Then::StartTls};
            } else if (m_replies.empty() && m_responder) {
                reply = m_responder(request);
            } else if (m_replies.empty()) {
                return;
            } else {
                reply = std::move(m_replies.front());
                m_replies.pop_front();
            }
        }
        peer.write(reply.first, m_dripInterval, m_stop);
        switch (reply.second) {
        case Then::KeepOpen:
            break;
        case Then::Close:
            if (peer.channel != nullptr) {
                SSL_shutdown(peer.channel);
            }
            return;
        case Then::Reset: {
            // The reply reaches the client before the reset does.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const linger abort {1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
            return;
        }
        case Then::StaySilent:
            peer.drain();
            return;
        case Then::StartTls:
            peer.endTls();
            if (!m_tunnelIdentity || !startTls(peer, *m_tunnelIdentity)) {
                return;
            }
            break;
        }
    }
}

bool ScriptedServer::readRequest(Peer& peer, std::string& request)
{
    request.clear();
    char block[16384];
    std::size_t headEnd;
    while ((headEnd = request.find("\r\n\r\n")) == std::string::npos) {
        const long received = peer.read(block, sizeof block);
        if (received <= 0) {
            return false;
        }
        request.append(block, static_cast<std::size_t>(received));
    }
    const std::size_t total = headEnd + 4 + contentLength(request.substr(0, headEnd + 2));
    while (request.size() < total) {
        const long received = peer.read(block, std::min(sizeof block, total - request.size()));
        if (received <= 0) {
            return false;
        }
        request.append(block, static_cast<std::size_t>(received));
    }
    return true;
}
