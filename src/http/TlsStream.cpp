// TLS channels through OpenSSL over a blocking socket whose receive and send time-outs are set:
// a time-out shows up as a retry condition with errno EAGAIN and becomes socket error 10060.
#include "TlsStream.h"

#include "HttpErrors.h"
#include "OpenSsl.h"
#include "SocketError.h"

#include <cerrno>
#include <fcntl.h>
#include <openssl/err.h>

namespace {

bool isTimeout(int savedErrno)
{
    return savedErrno == EAGAIN || savedErrno == EWOULDBLOCK;
}

bool isUnexpectedEof(unsigned long error)
{
    return ERR_GET_LIB(error) == ERR_LIB_SSL
        && ERR_GET_REASON(error) == SSL_R_UNEXPECTED_EOF_WHILE_READING;
}

// The library's reason for the oldest queued error, with the certificate check's own verdict
// when that is what failed.
std::string libraryReason(SSL* channel)
{
    const OpenSsl& ssl = openSsl();
    const char* data = nullptr;
    int flags = 0;
    const unsigned long error = ssl.ERR_get_error_all(nullptr, nullptr, nullptr, &data, &flags);
    char text[256];
    ssl.ERR_error_string_n(error, text, sizeof text);
    std::string reason = text;
    if (data != nullptr && (flags & ERR_TXT_STRING) != 0 && *data != '\0') {
        reason += std::string(" (") + data + ")";
    } else if (channel != nullptr && ssl.SSL_get_verify_result(channel) != X509_V_OK) {
        reason += std::string(" (")
            + ssl.X509_verify_cert_error_string(ssl.SSL_get_verify_result(channel)) + ")";
    }
    return reason;
}

} // namespace

TlsStream::TlsStream(std::unique_ptr<SocketStream> socket, SSL_CTX* context)
    : m_socket(std::move(socket))
    , m_context(context)
{ }

TlsStream::~TlsStream()
{
    close();
}

void TlsStream::raiseFailure(const std::string& step, SSL* channel, int result, int savedErrno)
{
    const OpenSsl& ssl = openSsl();
    const int kind = channel != nullptr ? ssl.SSL_get_error(channel, result) : SSL_ERROR_SSL;
    const unsigned long queued = ssl.ERR_peek_error();
    const auto compose = [&step](const std::string& reason) {
        return step.empty() ? reason : step + "\r\n" + reason;
    };
    if (queued == 0
        && (kind == SSL_ERROR_SYSCALL || kind == SSL_ERROR_WANT_READ
            || kind == SSL_ERROR_WANT_WRITE)) {
        if (savedErrno != 0) {
            ssl.ERR_clear_error();
            SocketError::raiseErrno(savedErrno);
        }
        throw TlsError(compose("EOF was observed that violates the protocol"));
    }
    if (isUnexpectedEof(queued)) {
        ssl.ERR_clear_error();
        throw TlsError(compose("EOF was observed that violates the protocol"));
    }
    std::string reason = libraryReason(channel);
    ssl.ERR_clear_error();
    throw TlsError(compose(reason));
}

std::size_t TlsStream::read(char* data, std::size_t size)
{
    const OpenSsl& ssl = openSsl();
    for (;;) {
        ssl.ERR_clear_error();
        errno = 0;
        const int received
            = ssl.SSL_read(m_channel, data, static_cast<int>(std::min<std::size_t>(size, 1 << 30)));
        const int savedErrno = errno;
        if (received > 0) {
            return static_cast<std::size_t>(received);
        }
        const int kind = ssl.SSL_get_error(m_channel, received);
        if (kind == SSL_ERROR_ZERO_RETURN) {
            return 0;
        }
        if ((kind == SSL_ERROR_WANT_READ || kind == SSL_ERROR_WANT_WRITE)
            && !isTimeout(savedErrno)) {
            continue;
        }
        // A peer that drops the connection without a close notify has still ended it.
        if ((kind == SSL_ERROR_SYSCALL && ssl.ERR_peek_error() == 0 && savedErrno == 0)
            || isUnexpectedEof(ssl.ERR_peek_error())) {
            ssl.ERR_clear_error();
            return 0;
        }
        raiseFailure({}, m_channel, received, savedErrno);
    }
}

void TlsStream::write(std::span<const std::string_view> parts)
{
    const OpenSsl& ssl = openSsl();
    // One buffer so that head and body leave in as few records and writes as possible.
    std::string joined;
    std::string_view whole;
    if (parts.size() == 1) {
        whole = parts.front();
    } else {
        for (std::string_view part : parts) {
            joined += part;
        }
        whole = joined;
    }
    while (!whole.empty()) {
        ssl.ERR_clear_error();
        errno = 0;
        const int sent = ssl.SSL_write(m_channel, whole.data(),
            static_cast<int>(std::min<std::size_t>(whole.size(), 1 << 30)));
        const int savedErrno = errno;
        if (sent > 0) {
            whole.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        const int kind = ssl.SSL_get_error(m_channel, sent);
        if ((kind == SSL_ERROR_WANT_READ || kind == SSL_ERROR_WANT_WRITE)
            && !isTimeout(savedErrno)) {
            continue;
        }
        raiseFailure({}, m_channel, sent, savedErrno);
    }
}

bool TlsStream::waitReadable(int timeoutMs)
{
    const OpenSsl& ssl = openSsl();
    // With read-ahead, received records may wait inside the library, unseen by the socket.
    if (ssl.SSL_has_pending(m_channel) == 1) {
        return true;
    }
    if (!m_socket->waitReadable(timeoutMs)) {
        return false;
    }
    // The socket may hold only records without data (a session ticket, say): peek without
    // blocking so that such records do not count as data.
    const int fd = m_socket->handle();
    const int flags = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    ssl.ERR_clear_error();
    char byte;
    const int peeked = ssl.SSL_peek(m_channel, &byte, 1);
    const bool waiting = peeked > 0 || ssl.SSL_get_error(m_channel, peeked) != SSL_ERROR_WANT_READ;
    ssl.ERR_clear_error();
    fcntl(fd, F_SETFL, flags);
    return waiting;
}

void TlsStream::close()
{
    const OpenSsl& ssl = openSsl();
    if (m_channel != nullptr) {
        if (ssl.SSL_is_init_finished(m_channel) && m_socket->isOpen()) {
            // Close notify, without waiting for the peer's; a failure here changes nothing.
            ssl.SSL_shutdown(m_channel);
        }
        ssl.SSL_free(m_channel);
        m_channel = nullptr;
        ssl.ERR_clear_error();
    }
    if (m_context != nullptr) {
        ssl.SSL_CTX_free(m_context);
        m_context = nullptr;
    }
    m_socket->close();
}
