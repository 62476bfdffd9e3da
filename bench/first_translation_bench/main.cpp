// first_translation_bench: the first translation after start-up against the second one, with
// and without the connection opened while the user types. The fake service sits behind a relay
// on loopback that makes a new connection cost what a real network would: 50 ms before the
// connection carries anything, and 50 ms more before the server's first answer (the TLS
// handshake). Requests on an open connection pass at loopback speed.
//
//   first_translation_bench [ROUNDS]
#include "FakeTranslationService.h"
#include "HttpClient.h"
#include "LoopbackListener.h"
#include "Preconnection.h"
#include "RequestProfile.h"
#include "TranslateText.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto ConnectDelay = 50ms;
constexpr auto HandshakeDelay = 50ms;

// The relay passes bytes on at once, as a router would, rather than holding them to merge them.
void sendAtOnce(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int connectToLoopback(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Copies bytes both ways until either side closes. What the server sends reaches the client
// after a delay: HandshakeDelay for its first bytes, answerDelay for the rest, in order.
void relayPair(int client, int server, std::chrono::milliseconds answerDelay)
{
    struct Pending
    {
        Clock::time_point due;
        std::string bytes;
    };
    std::deque<Pending> toClient;
    bool serverSpoke = false;
    char buffer[65536];
    pollfd fds[] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
    for (;;) {
        const auto wait = toClient.empty()
            ? 30000ms
            : std::chrono::ceil<std::chrono::milliseconds>(toClient.front().due - Clock::now());
        if (::poll(fds, 2, static_cast<int>(std::max<long long>(0, wait.count()))) < 0) {
            break;
        }
        while (!toClient.empty() && toClient.front().due <= Clock::now()) {
            const std::string& bytes = toClient.front().bytes;
            if (::write(client, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
                return;
            }
            toClient.pop_front();
        }
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            const ssize_t got = ::read(client, buffer, sizeof buffer);
            if (got <= 0 || ::write(server, buffer, static_cast<std::size_t>(got)) != got) {
                break;
            }
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            const ssize_t got = ::read(server, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            const auto delay = serverSpoke ? answerDelay : HandshakeDelay;
            serverSpoke = true;
            toClient.push_back(
                {Clock::now() + delay, std::string(buffer, static_cast<std::size_t>(got))});
        }
    }
}

// A loopback port in front of the service where every new connection is slow to set up.
class SlowNetwork
{
public:
    SlowNetwork(int servicePort, std::chrono::milliseconds answerDelay)
        : m_listener(listenOnLoopback(16, "slow network"))
        , m_servicePort(servicePort)
        , m_answerDelay(answerDelay)
        , m_acceptor([this] { acceptLoop(); })
    { }

    ~SlowNetwork()
    {
        m_stopping = true;
        ::shutdown(m_listener.fd, SHUT_RDWR);
        m_acceptor.join();
        ::close(m_listener.fd);
        for (std::thread& pair : m_pairs) {
            pair.join();
        }
    }

    std::string baseAddress() const
    {
        return "https://127.0.0.1:" + std::to_string(m_listener.port);
    }

private:
    void acceptLoop()
    {
        for (;;) {
            const int client = ::accept(m_listener.fd, nullptr, nullptr);
            if (client < 0 || m_stopping) {
                if (client >= 0) {
                    ::close(client);
                }
                return;
            }
            m_pairs.emplace_back([this, client] {
                std::this_thread::sleep_for(ConnectDelay);
                const int server = connectToLoopback(m_servicePort);
                if (server < 0) {
                    ::close(client);
                    return;
                }
                sendAtOnce(client);
                sendAtOnce(server);
                relayPair(client, server, m_answerDelay);
                ::close(client);
                ::close(server);
            });
        }
    }

    LoopbackListener m_listener;
    int m_servicePort;
    std::chrono::milliseconds m_answerDelay;
    std::atomic<bool> m_stopping {false};
    std::vector<std::thread> m_pairs;
    std::thread m_acceptor;
};

int portOf(const std::string& address)
{
    return std::atoi(address.c_str() + address.rfind(':') + 1);
}

struct Times
{
    double first = 0;
    double second = 0;
};

double translateOnce(HttpClient& client, const std::string& address, const std::u16string& text)
{
    CancelToken cancel;
    const Clock::time_point start = Clock::now();
    const TranslationOutcome outcome
        = translateText(client, {address, text, "en", "mr", {}}, cancel);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!outcome.succeeded()) {
        std::fprintf(stderr, "translation failed: %s\n", outcome.failure->reportText().c_str());
        std::exit(1);
    }
    return seconds;
}

Times run(bool preconnect, std::chrono::milliseconds answerDelay)
{
    FakeTranslationService service;
    service.translateEveryRequest();
    SlowNetwork network(portOf(service.baseAddress()), answerDelay);
    const std::string address = network.baseAddress();
    HttpClient client;
    client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    Preconnection preconnection(client);
    const auto ready
        = [&address](HttpClient& c) { prepareRequestHeaders(c, address, false, true); };
    ready(client);
    if (preconnect) {
        preconnection.start(address + "/", ready);
    }
    // The user types the first sentence.
    std::this_thread::sleep_for(400ms);
    Times times;
    {
        const ClientLock lock = preconnection.lockClient();
        times.first = translateOnce(client, address, u"Good morning. How are you today?");
        times.second = translateOnce(client, address, u"The boats went out early.");
    }
    return times;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* name, const std::vector<Times>& rounds)
{
    std::vector<double> first;
    std::vector<double> second;
    for (const Times& t : rounds) {
        first.push_back(t.first);
        second.push_back(t.second);
    }
    std::printf("%-26s first %7.1f ms   second %5.1f ms   first/second %5.2f\n", name,
        median(first) * 1000, median(second) * 1000, median(first) / median(second));
}

} // namespace

int main(int argc, char* argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf("connect +%lld ms, TLS handshake +%lld ms, medians of %d rounds\n",
        static_cast<long long>(ConnectDelay.count()),
        static_cast<long long>(HandshakeDelay.count()), rounds);
    // Answers at loopback speed, then 50 ms away as on a real network.
    for (const std::chrono::milliseconds answerDelay : {0ms, 50ms}) {
        std::vector<Times> cold;
        std::vector<Times> warm;
        for (int round = 0; round < rounds; ++round) {
            cold.push_back(run(false, answerDelay));
            warm.push_back(run(true, answerDelay));
        }
        std::printf("answers +%lld ms:\n", static_cast<long long>(answerDelay.count()));
        report("  without pre-connection", cold);
        report("  with pre-connection", warm);
    }
    std::printf("goal: first/second at most 1.10 with pre-connection\n");
    return 0;
}
