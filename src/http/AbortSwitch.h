// Lets another thread end a client's blocking socket work: a connect in progress gives up, and a
// read or write blocked on the socket returns at once because the socket is shut down.
#pragma once

#include <atomic>
#include <mutex>

class AbortSwitch
{
public:
    // Any thread. Stays on until reset.
    void abort();
    // Before the next use, by the thread that uses the sockets.
    void reset() { m_aborted = false; }
    bool aborted() const { return m_aborted; }

    // The socket in use. Its owner detaches it before closing it, so abort() never touches a
    // number the system may already have handed out again.
    void attach(int fd);
    void detach(int fd);

private:
    std::mutex m_lock;
    int m_fd = -1;
    std::atomic<bool> m_aborted {false};
};
