// http-probe: runs the HTTP client from the command line, for developers and tests.
//
//   http-probe [--proxy HOST:PORT] [--proxy-user USER:PASS] [--ca FILE]
//              [--form NAME=VALUE ...] [--repeat N] URL
//
// Writes the answer's body to standard output. On failure writes the exception's message exactly
// to standard error and exits 1. With --repeat the same exchange runs N times on one client, and
// the number of TCP connections it opened is written to standard error at the end.
#include "HttpClient.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: http-probe [--proxy HOST:PORT] [--proxy-user USER:PASS] [--ca FILE] "
                 "[--form NAME=VALUE ...] [--repeat N] URL\n";
    return 2;
}

// Splits "left:right" at its last or first colon.
std::pair<std::string, std::string> split(const std::string& text, bool atLast)
{
    const std::size_t colon = atLast ? text.rfind(':') : text.find(':');
    if (colon == std::string::npos) {
        return {text, {}};
    }
    return {text.substr(0, colon), text.substr(colon + 1)};
}

} // namespace

int main(int argc, char** argv)
{
    HttpClient client;
    // Steady state of the program: a POST keeps HTTP/1.1 and the open connection.
    client.setKeepOrigProtocol(true);
    std::vector<std::string> fields;
    bool post = false;
    int repeat = 1;
    std::string url;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--proxy" && hasValue) {
            const auto [host, port] = split(argv[++i], true);
            client.proxyParams().setProxyServer(host);
            client.proxyParams().setProxyPort(std::atoi(port.c_str()));
        } else if (option == "--proxy-user" && hasValue) {
            const auto [user, password] = split(argv[++i], false);
            client.proxyParams().setProxyUsername(user);
            client.proxyParams().setProxyPassword(password);
            client.proxyParams().setBasicAuthentication(true);
        } else if (option == "--ca" && hasValue) {
            client.ioHandler()->setRootCertFile(argv[++i]);
        } else if (option == "--form" && hasValue) {
            fields.emplace_back(argv[++i]);
            post = true;
        } else if (option == "--repeat" && hasValue) {
            repeat = std::atoi(argv[++i]);
        } else if (option.starts_with("--") || !url.empty()) {
            return usage();
        } else {
            url = option;
        }
    }
    if (url.empty() || repeat < 1) {
        return usage();
    }
    try {
        for (int run = 0; run < repeat; ++run) {
            std::string answer;
            if (post) {
                client.submitForm(url, fields, answer);
            } else {
                client.fetchUrl(url, answer);
            }
            std::fwrite(answer.data(), 1, answer.size(), stdout);
        }
    } catch (const Exception& error) {
        std::fflush(stdout);
        std::cerr << error.message();
        return 1;
    }
    std::fflush(stdout);
    if (repeat > 1) {
        std::cerr << "TCP connections: " << client.connectionCount() << "\n";
    }
    return 0;
}
