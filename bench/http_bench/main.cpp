// http_bench: 1000 sequential GETs and 1000 form POSTs of a small answer over one kept-alive TLS
// connection to a local nginx, with our client and with one curl process fetching the same URLs;
// prints wall times, the ratio, TLS handshakes, and (when strace is installed) system calls per
// request on the reused connection.
//
//   http_bench [COUNT]
#include "ChildProcess.h"
#include "HttpClient.h"
#include "NginxServer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Our client: count exchanges on one client; POSTs carry a small form.
void runClient(bool post, const std::string& url, const std::string& caFile, int count)
{
    HttpClient client;
    client.ioHandler()->setRootCertFile(caFile);
    client.setKeepOrigProtocol(true);
    const std::vector<std::string> form = {"sl=en", "tl=mr", "q=hello+world"};
    for (int i = 0; i < count; ++i) {
        std::string answer;
        if (post) {
            client.submitForm(url, form, answer);
        } else {
            client.fetchUrl(url, answer);
        }
    }
}

// A curl config that fetches the URL count times in one process.
std::string curlConfig(const std::string& directory, const std::string& url, int count)
{
    const std::string file = directory + "/curl-" + std::to_string(count) + ".conf";
    std::ofstream config(file);
    for (int i = 0; i < count; ++i) {
        config << "url = \"" << url << "\"\noutput = \"/dev/null\"\n";
    }
    return file;
}

int run(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string curlCommand(bool post, const std::string& config, const std::string& caFile)
{
    return "curl -s --cacert " + caFile + (post ? " -d 'sl=en&tl=mr&q=hello+world'" : "") + " -K "
        + config;
}

// System calls of a command under strace -c -f (the "total" line), or -1 without strace.
long systemCalls(const std::string& command, const std::string& directory)
{
    const std::string out = directory + "/strace.txt";
    if (run("strace -f -c -o " + out + " " + command + " >/dev/null 2>&1") != 0) {
        return -1;
    }
    std::istringstream report(readWholeFile(out));
    for (std::string line; std::getline(report, line);) {
        if (line.find("total") != std::string::npos) {
            std::istringstream fields(line);
            double percent, seconds;
            long usecs, calls;
            fields >> percent >> seconds >> usecs >> calls;
            return calls;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::string(argv[1]) == "--client-only") {
        runClient(std::string(argv[2]) == "post", argv[3], argv[4], std::atoi(argv[5]));
        return 0;
    }
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string self = argv[0];
    NginxServer nginx;
    const std::string ca = TestPki::instance().caCertFile();
    const std::string directory = makeTemporaryDirectory("quendra-bench");
    const bool haveStrace = run("strace -V >/dev/null 2>&1") == 0;

    std::printf("%d sequential requests over one kept-alive TLS connection to nginx\n", count);
    std::printf("%-5s %12s %12s %8s %10s %10s %14s %14s\n", "", "ours (s)", "curl (s)", "ratio",
        "ours hs", "curl hs", "ours calls/req", "curl calls/req");
    for (const bool post : {false, true}) {
        const std::string url = nginx.tlsUrl(post ? "/form" : "/small");

        int handshakes = nginx.tlsConnections();
        auto start = Clock::now();
        runClient(post, url, ca, count);
        const double ours = secondsSince(start);
        const int ourHandshakes = nginx.tlsConnections() - handshakes;

        const std::string config = curlConfig(directory, url, count);
        handshakes = nginx.tlsConnections();
        start = Clock::now();
        if (run(curlCommand(post, config, ca)) != 0) {
            std::cerr << "curl failed\n";
            return 1;
        }
        const double curl = secondsSince(start);
        const int curlHandshakes = nginx.tlsConnections() - handshakes;

        // Calls per request on the reused connection: the run of count minus the run of one.
        double ourCalls = -1;
        double curlCalls = -1;
        if (haveStrace && count > 1) {
            const auto ourRun = [&](int n) {
                return systemCalls(self + " --client-only " + (post ? "post " : "get ") + url + " "
                        + ca + " " + std::to_string(n),
                    directory);
            };
            const auto curlRun = [&](int n) {
                return systemCalls(curlCommand(post, curlConfig(directory, url, n), ca), directory);
            };
            ourCalls = double(ourRun(count) - ourRun(1)) / (count - 1);
            curlCalls = double(curlRun(count) - curlRun(1)) / (count - 1);
        }
        std::printf("%-5s %12.3f %12.3f %8.2f %10d %10d %14.1f %14.1f\n", post ? "POST" : "GET",
            ours, curl, ours / curl, ourHandshakes, curlHandshakes, ourCalls, curlCalls);
    }
    std::filesystem::remove_all(directory);
    std::printf(
        "ratio = ours / curl; hs = TLS handshakes seen by nginx; calls/req from strace -c -f "
        "(-1: strace missing)\n");
    return 0;
}
