// Connecting, TLS upgrade and buffered reads, with the rules for a peer that goes away.
#include "Connection.h"

#include "HttpErrors.h"
#include "SocketError.h"
#include "SocketStream.h"
#include "TlsHandler.h"
#include "TlsStream.h"

#include <algorithm>
#include <cstring>

Connection::Connection()
    : m_buffer(BufferSize)
{ }

Connection::~Connection()
{
    close();
}

void Connection::connect(
    const std::string& host, int port, bool ipv6, int connectTimeoutMs, AbortSwitch* abortSwitch)
{
    if (isOpen()) {
        throw AlreadyConnected();
    }
    if (host.empty()) {
        throw HostRequired();
    }
    if (port <= 0) {
        throw PortRequired();
    }
    auto socket = std::make_unique<SocketStream>();
    socket->connect(host, port, ipv6, connectTimeoutMs, abortSwitch);
    open(std::move(socket), host, port, ipv6);
}

void Connection::open(std::unique_ptr<Stream> stream, const std::string& host, int port, bool ipv6)
{
    m_stream = std::move(stream);
    m_stream->setTimeLimits(m_limits);
    m_host = host;
    m_port = port;
    m_ipv6 = ipv6;
    m_tls = false;
    m_closedByPeer = false;
    m_tunnelTarget.clear();
    m_begin = m_end = 0;
    ++m_connectCount;
}

void Connection::startTls(const TlsHandler& handler, const std::string& serverName)
{
    // TLS goes on a plain socket only.
    if (m_tls || dynamic_cast<SocketStream*>(m_stream.get()) == nullptr) {
        throw IoHandlerInvalid();
    }
    // A TLS server never speaks first. Bytes already here came from whoever sits on the clear
    // link (a proxy, right behind its answer to CONNECT); read later, they would pass for the
    // verified server's.
    if (buffered() > 0 || static_cast<SocketStream*>(m_stream.get())->hasPendingBytes()) {
        close();
        throw DataBeforeTlsHandshake();
    }
    // The socket moves into the TLS stream; if the handshake fails, it is gone with it.
    std::unique_ptr<SocketStream> socket(static_cast<SocketStream*>(m_stream.release()));
    try {
        m_stream = handler.startTls(std::move(socket), serverName);
    } catch (...) {
        close();
        throw;
    }
    m_tls = true;
}

void Connection::close()
{
    m_stream.reset();
    m_begin = m_end = 0;
    m_tls = false;
    m_tunnelTarget.clear();
}

void Connection::setTimeLimits(const TimeLimits& limits)
{
    m_limits = limits;
    if (m_stream) {
        m_stream->setTimeLimits(limits);
    }
}

std::size_t Connection::readStream(char* data, std::size_t size)
{
    if (m_closedByPeer || !isOpen()) {
        return 0;
    }
    try {
        const std::size_t received = m_stream->read(data, size);
        m_closedByPeer = received == 0;
        return received;
    } catch (const SocketError& error) {
        if (error.code() != 10053 && error.code() != 10054 && error.code() != 10058) {
            throw;
        }
        // A dropped connection still lets the caller use what already arrived.
        m_closedByPeer = true;
        m_stream.reset();
        if (buffered() == 0) {
            throw;
        }
        return 0;
    }
}

bool Connection::fill()
{
    if (m_begin == m_end) {
        m_begin = m_end = 0;
    } else if (m_end == m_buffer.size()) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, buffered());
        m_end -= m_begin;
        m_begin = 0;
    }
    const std::size_t received = readStream(m_buffer.data() + m_end, m_buffer.size() - m_end);
    m_end += received;
    return received > 0;
}

std::string Connection::readLine()
{
    std::size_t scanned = 0;
    for (;;) {
        const char* start = m_buffer.data() + m_begin;
        const char* found
            = static_cast<const char*>(std::memchr(start + scanned, '\n', buffered() - scanned));
        if (found != nullptr) {
            std::size_t length = static_cast<std::size_t>(found - start);
            if (length > MaxLineLength) {
                throw MaxLineLengthExceeded();
            }
            m_begin += length + 1;
            if (length > 0 && start[length - 1] == '\r') {
                --length;
            }
            return std::string(start, length);
        }
        scanned = buffered();
        if (scanned > MaxLineLength) {
            throw MaxLineLengthExceeded();
        }
        if (!fill()) {
            if (buffered() == 0) {
                throw ConnClosedGracefully();
            }
            // The last line of a connection may lack its LF.
            std::string line(m_buffer.data() + m_begin, buffered());
            m_begin = m_end;
            return line;
        }
    }
}

std::size_t Connection::readInto(std::string* out, std::size_t size)
{
    if (buffered() > 0) {
        const std::size_t taken = std::min(size, buffered());
        if (out != nullptr) {
            out->append(m_buffer.data() + m_begin, taken);
        }
        m_begin += taken;
        return taken;
    }
    if (out == nullptr) {
        return fill() ? readInto(nullptr, size) : 0;
    }
    // Large blocks go straight into the caller's string.
    const std::size_t oldSize = out->size();
    const std::size_t block = std::min(size, BufferSize);
    out->resize(oldSize + block);
    std::size_t received = 0;
    try {
        received = readStream(out->data() + oldSize, block);
    } catch (...) {
        // The caller keeps exactly what arrived, without the room made for this read.
        out->resize(oldSize);
        throw;
    }
    out->resize(oldSize + received);
    return received;
}

void Connection::write(std::span<const std::string_view> parts)
{
    if (!isOpen()) {
        throw ConnClosedGracefully();
    }
    m_stream->write(parts);
}

void Connection::discardUnread()
{
    m_begin = m_end = 0;
    if (!isOpen() || m_closedByPeer) {
        return;
    }
    try {
        while (m_stream->waitReadable(0) && fill()) {
            m_begin = m_end = 0;
        }
    } catch (const Exception&) {
        // However the idle connection failed (a reset, a TLS alert), the request needs a new one.
        m_closedByPeer = true;
    }
    if (m_closedByPeer) {
        close();
    }
}

bool Connection::waitForData(int timeoutMs)
{
    return buffered() > 0 || (isOpen() && !m_closedByPeer && m_stream->waitReadable(timeoutMs));
}
