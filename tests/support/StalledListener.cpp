// Filling a listen queue of length zero.
#include "StalledListener.h"

#include "LoopbackListener.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

StalledListener::StalledListener()
{
    const LoopbackListener listener = listenOnLoopback(0, "stalled listener");
    m_listenFd = listener.fd;
    m_port = listener.port;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(m_port));
    // Connect until one connect does not complete: from then on the queue stays full.
    for (int i = 0; i < 16; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        m_fillers.push_back(fd);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            continue;
        }
        pollfd entry {fd, POLLOUT, 0};
        if (errno == EINPROGRESS && ::poll(&entry, 1, 200) == 0) {
            return;
        }
    }
    throw std::runtime_error("stalled listener: the listen queue never filled");
}

StalledListener::~StalledListener()
{
    for (const int fd : m_fillers) {
        ::close(fd);
    }
    ::close(m_listenFd);
}
