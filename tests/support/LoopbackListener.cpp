// Binding to port 0 of 127.0.0.1 and reading back the port the system chose.
#include "LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>

LoopbackListener listenOnLoopback(int backlog, const std::string& who)
{
    LoopbackListener listener;
    listener.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener.fd, reinterpret_cast<sockaddr*>(&address), length) != 0
        || ::listen(listener.fd, backlog) != 0
        || ::getsockname(listener.fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error(who + ": cannot listen on loopback");
    }
    listener.port = ntohs(address.sin_port);
    return listener;
}
