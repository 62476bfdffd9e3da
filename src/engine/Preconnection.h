// Opens the connection a translation will use while the user is still writing its text, so that
// the first Translate only has to send its request. Whoever uses the shared client holds its lock
// for as long as it does; taking the lock waits for an opening under way, which then serves.
// A failed opening is silent: the next request opens its own connection as it always did.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class HttpClient;

// Held by whoever uses a shared client, for as long as it does.
using ClientLock = std::unique_lock<std::timed_mutex>;

class Preconnection
{
public:
    // Readies the client (request profile, proxy) for the connection.
    using Setup = std::function<void(HttpClient&)>;

    // A healthy network opens a connection well within this; an opening that takes longer is
    // given up when a request wants the client, which then connects with its own time limit
    // instead of waiting out the opening's first.
    static constexpr std::chrono::milliseconds OpeningWaitLimit {3000};

    explicit Preconnection(
        HttpClient& client, std::chrono::milliseconds openingWaitLimit = OpeningWaitLimit);
    // Ends an opening under way and waits for its thread.
    ~Preconnection();
    Preconnection(const Preconnection&) = delete;
    Preconnection& operator=(const Preconnection&) = delete;

    // Starts opening the connection for url on a thread of its own, unless the client is in use,
    // already connected or being connected. setup runs first, on the calling thread, while no one
    // else uses the client.
    void start(std::string url, const Setup& setup);
    // The client is the holder's alone until the lock is released. Waits for an opening under
    // way, for the opening wait limit at most.
    ClientLock lockClient();
    // Closes a kept connection; false, leaving it alone, while the client is in use.
    bool dropConnection();
    bool opening() const { return m_opening; }

private:
    void open(const std::string& url);

    HttpClient& m_client;
    std::chrono::milliseconds m_openingWaitLimit;
    std::timed_mutex m_clientLock;
    std::thread m_opener;
    std::atomic<bool> m_opening {false};
};
