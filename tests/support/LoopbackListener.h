// A listening socket on a free loopback port, for the test servers.
#pragma once

#include <string>

struct LoopbackListener
{
    int fd = -1;
    int port = 0;
};

// Raises std::runtime_error naming `who` when no port can be had.
LoopbackListener listenOnLoopback(int backlog, const std::string& who);
