// POSIX sockets behind the Stream interface.
#include "SocketStream.h"

#include "AbortSwitch.h"
#include "SocketError.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace {

struct ResolvedAddress
{
    sockaddr_storage address {};
    socklen_t length = 0;
};

// A dotted quad of numbers 0 to 255 is used as it stands; inet_pton is strict enough for that.
bool parseLiteral(const std::string& host, bool ipv6, ResolvedAddress& out)
{
    if (ipv6) {
        auto* address = reinterpret_cast<sockaddr_in6*>(&out.address);
        address->sin6_family = AF_INET6;
        out.length = sizeof(sockaddr_in6);
        return inet_pton(AF_INET6, host.c_str(), &address->sin6_addr) == 1;
    }
    auto* address = reinterpret_cast<sockaddr_in*>(&out.address);
    address->sin_family = AF_INET;
    out.length = sizeof(sockaddr_in);
    if (strcasecmp(host.c_str(), "LOCALHOST") == 0) {
        address->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return true;
    }
    return inet_pton(AF_INET, host.c_str(), &address->sin_addr) == 1;
}

ResolvedAddress resolve(const std::string& host, int port, bool ipv6)
{
    // A port beyond 16 bits must not wrap round to some other service's port.
    if (port < 1 || port > 65535) {
        SocketError::raise(10049);
    }
    ResolvedAddress result;
    if (!parseLiteral(host, ipv6, result)) {
        addrinfo hints {};
        hints.ai_family = ipv6 ? AF_INET6 : AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* list = nullptr;
        if (int error = getaddrinfo(host.c_str(), nullptr, &hints, &list); error != 0) {
            SocketError::raise(SocketError::codeFromResolver(error));
        }
        std::memcpy(&result.address, list->ai_addr, list->ai_addrlen);
        result.length = list->ai_addrlen;
        freeaddrinfo(list);
    }
    const auto networkPort = htons(static_cast<uint16_t>(port));
    if (ipv6) {
        reinterpret_cast<sockaddr_in6*>(&result.address)->sin6_port = networkPort;
    } else {
        reinterpret_cast<sockaddr_in*>(&result.address)->sin_port = networkPort;
    }
    return result;
}

} // namespace

SocketStream::~SocketStream()
{
    close();
}

void SocketStream::connect(
    const std::string& host, int port, bool ipv6, int connectTimeoutMs, AbortSwitch* abortSwitch)
{
    const ResolvedAddress target = resolve(host, port, ipv6);
    m_fd = ::socket(target.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (m_fd < 0) {
        SocketError::raiseErrno(errno);
    }
    m_abortSwitch = abortSwitch;
    if (m_abortSwitch) {
        m_abortSwitch->attach(m_fd);
    }
    // Without a time-out of its own a connect to a host that drops the packets takes the kernel's
    // two minutes; non-blocking, it can be timed and abandoned.
    const int flags = ::fcntl(m_fd, F_GETFL);
    ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    const int result
        = ::connect(m_fd, reinterpret_cast<const sockaddr*>(&target.address), target.length);
    if (result < 0 && errno != EINPROGRESS && errno != EINTR) {
        const int error = errno;
        close();
        SocketError::raiseErrno(error);
    }
    if (result < 0) {
        awaitConnect(connectTimeoutMs);
    }
    ::fcntl(m_fd, F_SETFL, flags);
}

void SocketStream::awaitConnect(int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (m_abortSwitch && m_abortSwitch->aborted()) {
            close();
            SocketError::raise(10004);
        }
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                  .count();
        if (left <= 0) {
            close();
            SocketError::raise(10060);
        }
        // Short slices: a shut-down socket that is still connecting does not always wake poll.
        pollfd entry {m_fd, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, 20)));
        if (ready < 0 && errno != EINTR) {
            const int error = errno;
            close();
            SocketError::raiseErrno(error);
        }
        if (ready > 0) {
            break;
        }
    }
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length);
    if (m_abortSwitch && m_abortSwitch->aborted()) {
        error = EINTR;
    }
    if (error != 0) {
        close();
        SocketError::raiseErrno(error);
    }
}

void SocketStream::armTimeouts()
{
    const long milliseconds = static_cast<long>(m_limits.nextWait().count());
    if (milliseconds == m_armedMs || m_fd < 0) {
        return;
    }
    const timeval limit {milliseconds / 1000, (milliseconds % 1000) * 1000};
    ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(m_fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    m_armedMs = milliseconds;
}

std::size_t SocketStream::read(char* data, std::size_t size)
{
    for (;;) {
        armTimeouts();
        const ssize_t received = ::recv(m_fd, data, size, 0);
        if (received >= 0) {
            return static_cast<std::size_t>(received);
        }
        if (errno != EINTR) {
            SocketError::raiseErrno(errno);
        }
    }
}

void SocketStream::write(std::span<const std::string_view> parts)
{
    std::vector<iovec> pieces;
    pieces.reserve(parts.size());
    for (std::string_view part : parts) {
        if (!part.empty()) {
            pieces.push_back({const_cast<char*>(part.data()), part.size()});
        }
    }
    std::size_t first = 0;
    while (first < pieces.size()) {
        msghdr message {};
        message.msg_iov = pieces.data() + first;
        message.msg_iovlen = pieces.size() - first;
        armTimeouts();
        // MSG_NOSIGNAL: a reset peer gives an error, never SIGPIPE.
        ssize_t sent = ::sendmsg(m_fd, &message, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            SocketError::raiseErrno(errno);
        }
        while (first < pieces.size() && static_cast<std::size_t>(sent) >= pieces[first].iov_len) {
            sent -= static_cast<ssize_t>(pieces[first].iov_len);
            ++first;
        }
        if (first < pieces.size()) {
            pieces[first].iov_base = static_cast<char*>(pieces[first].iov_base) + sent;
            pieces[first].iov_len -= static_cast<std::size_t>(sent);
        }
    }
}

bool SocketStream::waitReadable(int timeoutMs)
{
    pollfd entry {m_fd, POLLIN, 0};
    int result;
    do {
        result = ::poll(&entry, 1, timeoutMs);
    } while (result < 0 && errno == EINTR);
    return result > 0;
}

bool SocketStream::hasPendingBytes() const
{
    char byte;
    ssize_t peeked;
    do {
        peeked = ::recv(m_fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    } while (peeked < 0 && errno == EINTR);
    return peeked > 0;
}

void SocketStream::close()
{
    if (m_fd >= 0) {
        if (m_abortSwitch) {
            m_abortSwitch->detach(m_fd);
        }
        ::close(m_fd);
        m_fd = -1;
    }
}
