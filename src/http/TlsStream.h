// A TLS channel over a connected socket, as a Stream. It owns the socket, the context and the
// channel, and ends with a close notify.
#pragma once

#include "SocketStream.h"

#include <memory>
#include <string>

typedef struct ssl_ctx_st SSL_CTX;
typedef struct ssl_st SSL;

class TlsStream : public Stream
{
public:
    TlsStream(std::unique_ptr<SocketStream> socket, SSL_CTX* context);
    ~TlsStream() override;
    TlsStream(const TlsStream&) = delete;
    TlsStream& operator=(const TlsStream&) = delete;

    std::size_t read(char* data, std::size_t size) override;
    void write(std::span<const std::string_view> parts) override;
    bool waitReadable(int timeoutMs) override;
    void close() override;
    void setTimeLimits(const TimeLimits& limits) override { m_socket->setTimeLimits(limits); }

    // Takes ownership of the channel made from this stream's context.
    void adoptChannel(SSL* channel) { m_channel = channel; }
    SocketStream& socket() { return *m_socket; }

    // Raises the failure of a TLS call: the step's text, CR LF and the library's reason; a
    // system-level error becomes its socket error; an end of the connection without a TLS close
    // gives "EOF was observed that violates the protocol".
    [[noreturn]] static void raiseFailure(
        const std::string& step, SSL* channel, int result, int savedErrno);

private:
    std::unique_ptr<SocketStream> m_socket;
    SSL_CTX* m_context;
    SSL* m_channel = nullptr;
};
