// A connected TCP socket as a Stream. Receive and send time-outs turn a silent peer into socket
// error 10060 instead of a hang.
#pragma once

#include "Stream.h"

#include <string>

class SocketStream : public Stream
{
public:
    // The time-out every connection gets for a single receive or send.
    static constexpr int DefaultTimeoutMs = 30000;

    SocketStream() = default;
    ~SocketStream() override;
    SocketStream(const SocketStream&) = delete;
    SocketStream& operator=(const SocketStream&) = delete;

    // Resolves host ("LOCALHOST" and numeric addresses without the resolver) and connects.
    void connect(const std::string& host, int port, bool ipv6);
    void setTimeouts(int milliseconds);

    std::size_t read(char* data, std::size_t size) override;
    void write(std::span<const std::string_view> parts) override;
    bool waitReadable(int timeoutMs) override;
    void close() override;

    int handle() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
