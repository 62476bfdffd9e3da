// A real tinyproxy on loopback that lets CONNECT through to one port (the nginx TLS listener)
// and, when credentials are given, answers 407 to requests without them.
#pragma once

#include "ChildProcess.h"

#include <memory>
#include <string>

class TinyproxyServer
{
public:
    struct Options
    {
        int connectPort = 0; // the only port CONNECT may reach
        std::string user; // with a user, Basic credentials are required
        std::string password;
    };

    explicit TinyproxyServer(const Options& options);
    ~TinyproxyServer();

    int port() const { return m_port; }
    std::string log() const;

private:
    std::string m_directory;
    int m_port = 0;
    std::unique_ptr<ChildProcess> m_process;
};
