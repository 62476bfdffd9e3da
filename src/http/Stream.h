// The byte transport under an HTTP connection: a TCP socket, or TLS on top of one. The exchange
// reads and writes through this interface only, so it never touches a socket itself.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

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
};
