// tinyproxy configuration and start-up.
#include "TinyproxyServer.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

TinyproxyServer::TinyproxyServer(const Options& options)
    : m_directory(makeTemporaryDirectory("quendra-tinyproxy"))
    , m_port(ChildProcess::freeLoopbackPort())
{
    std::ostringstream conf;
    conf << "Port " << m_port << "\nListen 127.0.0.1\nTimeout 60\nAllow 127.0.0.1\n"
         << "ConnectPort " << options.connectPort << "\n"
         << "LogFile \"" << m_directory << "/tinyproxy.log\"\nLogLevel Info\n"
         << "PidFile \"" << m_directory << "/tinyproxy.pid\"\n"
         << "MaxClients 50\nDisableViaHeader Yes\n";
    if (!options.user.empty()) {
        conf << "BasicAuth " << options.user << " " << options.password << "\n";
    }
    writeWholeFile(m_directory + "/tinyproxy.conf", conf.str());
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string> {"tinyproxy", "-d", "-c", m_directory + "/tinyproxy.conf"},
        m_directory + "/output.log");
    if (!ChildProcess::waitUntilListening(m_port, 5000)) {
        throw std::runtime_error("tinyproxy did not start: " + log());
    }
}

TinyproxyServer::~TinyproxyServer()
{
    m_process.reset();
    std::filesystem::remove_all(m_directory);
}

std::string TinyproxyServer::log() const
{
    return readWholeFile(m_directory + "/tinyproxy.log")
        + readWholeFile(m_directory + "/output.log");
}
