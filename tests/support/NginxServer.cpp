// nginx configuration, start-up and access log reading.
#include "NginxServer.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace {

const char* EchoModule = "/usr/lib/nginx/modules/ngx_http_echo_module.so";

} // namespace

NginxServer::NginxServer(const TlsIdentity& identity)
    : m_directory(makeTemporaryDirectory("quendra-nginx"))
    , m_port(ChildProcess::freeLoopbackPort())
    , m_tlsPort(ChildProcess::freeLoopbackPort())
    , m_hasChunked(::access(EchoModule, R_OK) == 0)
{
    writeWholeFile(m_directory + "/big.bin", bigContent());
    const std::string& d = m_directory;
    std::ostringstream conf;
    // The workers must read the 0700 temporary folders, so they run as the user who started us.
    if (::geteuid() == 0) {
        conf << "user root root;\n";
    }
    if (m_hasChunked) {
        conf << "load_module " << EchoModule << ";\n";
    }
    conf << "worker_processes 1;\ndaemon off;\npid " << d << "/nginx.pid;\n"
         << "error_log " << d << "/error.log;\n"
         << "events { worker_connections 256; }\n"
         << "http {\n"
         << "  client_body_temp_path " << d << "/body;\n  proxy_temp_path " << d << "/proxy;\n"
         << "  fastcgi_temp_path " << d << "/fastcgi;\n  uwsgi_temp_path " << d << "/uwsgi;\n"
         << "  scgi_temp_path " << d << "/scgi;\n"
         << "  log_format conn '$connection $connection_requests $ssl_session_reused "
            "\"$request\" $status';\n"
         << "  access_log " << d << "/access.log conn;\n"
         << "  default_type text/plain;\n  keepalive_requests 100000;\n  keepalive_timeout 60s;\n"
         << "  server {\n"
         << "    listen 127.0.0.1:" << m_port << ";\n"
         << "    listen 127.0.0.1:" << m_tlsPort << " ssl;\n"
         << "    ssl_certificate " << identity.certFile << ";\n"
         << "    ssl_certificate_key " << identity.keyFile << ";\n"
         << "    root " << d << ";\n"
         << "    location = /small { return 200 \"hello\"; }\n"
         << "    location = /form { return 200 \"form ok\"; }\n"
         << "    location = /forbidden { return 403; }\n"
         << "    location = /redirect { return 302 /small; }\n"
         << "    location = /close { keepalive_timeout 0; return 200 \"bye\"; }\n"
         << "    location = /cookies {\n";
    for (const char* name : {"first", "second"}) {
        conf << "      add_header Set-Cookie \"" << name << "=" << std::string(CookieSize, 'c')
             << "; Path=/\";\n";
    }
    conf << "      return 200 \"set\";\n    }\n"
         << "    location = /echo-cookie { return 200 \"$http_cookie\"; }\n";
    if (m_hasChunked) {
        conf << "    location = /chunked { echo \"hello\"; echo \"world\"; }\n";
    }
    conf << "  }\n}\n";
    writeWholeFile(d + "/nginx.conf", conf.str());
    m_process
        = std::make_unique<ChildProcess>(std::vector<std::string> {"nginx", "-e", d + "/error.log",
                                             "-p", d, "-c", d + "/nginx.conf"},
            d + "/output.log");
    if (!ChildProcess::waitUntilListening(m_port, 5000)
        || !ChildProcess::waitUntilListening(m_tlsPort, 5000)) {
        throw std::runtime_error("nginx did not start: " + readWholeFile(d + "/error.log"));
    }
}

NginxServer::~NginxServer()
{
    m_process.reset();
    std::filesystem::remove_all(m_directory);
}

std::string NginxServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string NginxServer::tlsUrl(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(m_tlsPort) + path;
}

std::string NginxServer::bigContent() const
{
    std::string content(BigSize, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>('a' + (i * 7 + i / 4099) % 26);
    }
    return content;
}

std::vector<NginxServer::AccessEntry> NginxServer::accessEntries() const
{
    // nginx writes its log line when a request ends, which may be just after the answer.
    usleep(50000);
    std::vector<AccessEntry> entries;
    std::istringstream log(readWholeFile(m_directory + "/access.log"));
    for (std::string line; std::getline(log, line);) {
        AccessEntry entry {};
        std::istringstream fields(line);
        std::string reused;
        fields >> entry.connection >> entry.requestNumber >> reused;
        const std::size_t open = line.find('"');
        const std::size_t close = line.rfind('"');
        entry.requestLine = line.substr(open + 1, close - open - 1);
        entry.status = std::stoi(line.substr(close + 1));
        entries.push_back(entry);
    }
    return entries;
}

int NginxServer::tlsConnections() const
{
    // $ssl_session_reused is "." or "r" on the TLS listener and "-" on the plain one; the first
    // request of a TLS connection stands for its handshake.
    int handshakes = 0;
    std::istringstream log(readWholeFile(m_directory + "/access.log"));
    for (std::string line; std::getline(log, line);) {
        std::istringstream fields(line);
        long connection = 0;
        long number = 0;
        std::string reused;
        fields >> connection >> number >> reused;
        handshakes += number == 1 && reused != "-" ? 1 : 0;
    }
    return handshakes;
}
