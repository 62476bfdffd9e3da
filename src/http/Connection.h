// One client connection: the transport stream (plain or TLS), what it is connected to, and the
// buffered reading of lines and blocks that the exchange is built on.
#pragma once

#include "Stream.h"

#include <memory>
#include <string>
#include <vector>

class AbortSwitch;
class TlsHandler;

class Connection
{
public:
    static constexpr std::size_t BufferSize = 32768;
    static constexpr std::size_t MaxLineLength = 16384;

    Connection();
    ~Connection();

    // Connects in the clear; fails with AlreadyConnected while a connection is open. The socket
    // gives up connecting after connectTimeoutMs and answers abortSwitch (see SocketStream).
    void connect(const std::string& host, int port, bool ipv6, int connectTimeoutMs,
        AbortSwitch* abortSwitch = nullptr);
    // Takes a stream that is already connected to host and port.
    void open(std::unique_ptr<Stream> stream, const std::string& host, int port, bool ipv6);
    // Turns the open connection into TLS, verifying the server as serverName.
    void startTls(const TlsHandler& handler, const std::string& serverName);
    void close();
    // Bounds every later receive and send, on this connection and on those opened later.
    void setTimeLimits(const TimeLimits& limits);

    bool isOpen() const { return m_stream != nullptr; }
    bool isTls() const { return m_tls; }
    const std::string& host() const { return m_host; }
    int port() const { return m_port; }
    bool ipv6() const { return m_ipv6; }
    // "host:port" of the target a proxy tunnel leads to; empty without a tunnel.
    const std::string& tunnelTarget() const { return m_tunnelTarget; }
    void setTunnelTarget(std::string target) { m_tunnelTarget = std::move(target); }
    // The peer closed its side (noticed by a read).
    bool closedByPeer() const { return m_closedByPeer; }
    // TCP connections opened so far.
    int connectCount() const { return m_connectCount; }

    // A line up to LF, without CR LF; raises MaxLineLengthExceeded beyond MaxLineLength bytes
    // and ConnClosedGracefully when the peer has closed and nothing is left.
    std::string readLine();
    // Appends up to size bytes to out, waiting for at least one; 0 when the peer has closed.
    std::size_t readInto(std::string* out, std::size_t size);
    // Sends the parts as one write.
    void write(std::span<const std::string_view> parts);
    // Drops bytes left unread and notes a close by the peer that is already waiting.
    void discardUnread();
    // Whether data arrives within timeoutMs.
    bool waitForData(int timeoutMs);

private:
    std::size_t buffered() const { return m_end - m_begin; }
    // Reads more into the buffer; false when the peer has closed.
    bool fill();
    std::size_t readStream(char* data, std::size_t size);

    std::unique_ptr<Stream> m_stream;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::string m_host;
    int m_port = 0;
    bool m_ipv6 = false;
    bool m_tls = false;
    bool m_closedByPeer = false;
    std::string m_tunnelTarget;
    TimeLimits m_limits;
    int m_connectCount = 0;
};
