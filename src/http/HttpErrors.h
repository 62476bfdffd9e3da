// The failures of the HTTP transport besides the socket errors. Their texts are part of the
// transport's interface: callers compare some of them exactly.
#pragma once

#include "Exception.h"

#include <cstddef>
#include <string>

#define QUENDRA_HTTP_ERROR(Name, Text)                                                             \
    class Name : public Exception                                                                  \
    {                                                                                              \
    public:                                                                                        \
        Name()                                                                                     \
            : Exception(Text)                                                                      \
        { }                                                                                        \
    };

QUENDRA_HTTP_ERROR(ConnClosedGracefully, "Connection Closed Gracefully.")
QUENDRA_HTTP_ERROR(MaxLineLengthExceeded, "Max line length exceeded.")
QUENDRA_HTTP_ERROR(UnknownProtocol, "Unknown Protocol")
QUENDRA_HTTP_ERROR(IoHandlerInvalid, "IOHandler value is not valid")
QUENDRA_HTTP_ERROR(TlsLibraryUnavailable, "Could not load SSL library.")
QUENDRA_HTTP_ERROR(AlreadyConnected, "Already connected.")
QUENDRA_HTTP_ERROR(HostRequired, "A host is required.")
QUENDRA_HTTP_ERROR(PortRequired, "A port is required.")
QUENDRA_HTTP_ERROR(TooManyHeaderLines, "Too many header lines in the response.")
QUENDRA_HTTP_ERROR(DataBeforeTlsHandshake, "Unexpected data received before the TLS handshake.")

#undef QUENDRA_HTTP_ERROR

// An answer's body went past the client's limit, given in whole MiB.
class ResponseTooLarge : public Exception
{
public:
    explicit ResponseTooLarge(std::size_t limitBytes)
        : Exception("Response body exceeds the " + std::to_string(limitBytes >> 20) + " MiB limit.")
    { }
};

// The proxy's port is no TCP port; the text (ProxySettings::portProblem) names the proxy.
class ProxyPortInvalid : public Exception
{
public:
    using Exception::Exception;
};

// A step of setting up or using TLS failed; the text names the step and the library's reason.
class TlsError : public Exception
{
public:
    using Exception::Exception;
};

// A non-success answer: the message is the status line exactly as received.
class HttpProtocolError : public Exception
{
public:
    HttpProtocolError(const std::string& statusLine, int statusCode, std::string errorText)
        : Exception(statusLine)
        , m_statusCode(statusCode)
        , m_errorText(std::move(errorText))
    { }

    int statusCode() const { return m_statusCode; }
    const std::string& errorText() const { return m_errorText; }

private:
    int m_statusCode;
    std::string m_errorText;
};
