// A loopback port where a connect never completes: its listen queue is full and nothing accepts,
// so the kernel drops every further handshake, as a host behind a dropping firewall does.
#pragma once

#include <vector>

class StalledListener
{
public:
    StalledListener();
    ~StalledListener();
    StalledListener(const StalledListener&) = delete;
    StalledListener& operator=(const StalledListener&) = delete;

    int port() const { return m_port; }

private:
    int m_listenFd = -1;
    int m_port = 0;
    std::vector<int> m_fillers;
};
