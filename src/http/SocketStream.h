// A connected TCP socket as a Stream. Receive and send time-outs, bounded by the exchange's
// deadline, turn a silent or dripping peer into socket error 10060 instead of a hang.
#pragma once

#include "Stream.h"

#include <string>

class AbortSwitch;

class SocketStream : public Stream
{
public:
    SocketStream() = default;
    ~SocketStream() override;
    SocketStream(const SocketStream&) = delete;
    SocketStream& operator=(const SocketStream&) = delete;

    // Resolves host ("LOCALHOST" and numeric addresses without the resolver) and connects, giving
    // up with 10060 after connectTimeoutMs and with 10004 once abortSwitch is thrown. The socket
    // stays attached to abortSwitch until it is closed.
    void connect(const std::string& host, int port, bool ipv6,
        int connectTimeoutMs = static_cast<int>(TimeLimits::DefaultPerOperation.count()),
        AbortSwitch* abortSwitch = nullptr);

    std::size_t read(char* data, std::size_t size) override;
    void write(std::span<const std::string_view> parts) override;
    bool waitReadable(int timeoutMs) override;
    void close() override;
    // Whether received bytes wait unread (a close by the peer does not count).
    bool hasPendingBytes() const;
    void setTimeLimits(const TimeLimits& limits) override { m_limits = limits; }
    // Sets the socket's receive and send time-outs to what the limits leave for the next call.
    // Runs before every receive and send, also those the TLS library makes; never throws.
    void armTimeouts();

    int handle() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    // Waits for a non-blocking connect to finish.
    void awaitConnect(int timeoutMs);

    int m_fd = -1;
    TimeLimits m_limits;
    long m_armedMs = -1; // the time-out the socket holds now
    AbortSwitch* m_abortSwitch = nullptr;
};
