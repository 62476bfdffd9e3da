// Shutting the attached socket down from another thread.
#include "AbortSwitch.h"

#include <sys/socket.h>

void AbortSwitch::abort()
{
    std::lock_guard guard(m_lock);
    m_aborted = true;
    if (m_fd >= 0) {
        ::shutdown(m_fd, SHUT_RDWR);
    }
}

void AbortSwitch::attach(int fd)
{
    std::lock_guard guard(m_lock);
    m_fd = fd;
    if (m_aborted) {
        ::shutdown(fd, SHUT_RDWR);
    }
}

void AbortSwitch::detach(int fd)
{
    std::lock_guard guard(m_lock);
    if (m_fd == fd) {
        m_fd = -1;
    }
}
