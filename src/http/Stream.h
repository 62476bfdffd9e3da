// The byte transport under an HTTP connection: a TCP socket, or TLS on top of one. The exchange
// reads and writes through this interface only, so it never touches a socket itself.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <span>
#include <string_view>

// How long a transport may wait: for any one receive or send, and for the whole of an exchange.
struct TimeLimits
{
    using Clock = std::chrono::steady_clock;

    // The limit every connection has for one receive or send.
    static constexpr std::chrono::milliseconds DefaultPerOperation {30000};

    std::chrono::milliseconds perOperation = DefaultPerOperation;
    Clock::time_point deadline = Clock::time_point::max();

    // The wait the next receive or send may take from now; at least a millisecond, since a
    // socket takes no wait at all as no limit.
    std::chrono::milliseconds nextWait() const
    {
        const auto remaining
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return std::max(std::min(perOperation, remaining), std::chrono::milliseconds(1));
    }
};

class Stream
{
public:
    virtual ~Stream() = default;

    // Reads what is available, at most size bytes, waiting for at least one; 0 means the peer
    // has closed its side.
    virtual std::size_t read(char* data, std::size_t size) = 0;
    // Sends every part, in order, as one write where the transport allows it.
    virtual void write(std::span<const std::string_view> parts) = 0;
    // Whether data (or the peer's close) is waiting, after waiting at most timeoutMs.
    virtual bool waitReadable(int timeoutMs) = 0;
    virtual void close() = 0;
    // Bounds every later receive and send; a transport that cannot wait ignores them.
    virtual void setTimeLimits(const TimeLimits&) { }
};
