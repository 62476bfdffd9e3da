// The opening of the service's connection ahead of the first request.
#include "Preconnection.h"

#include "HttpClient.h"

Preconnection::Preconnection(HttpClient& client, std::chrono::milliseconds openingWaitLimit)
    : m_client(client)
    , m_openingWaitLimit(openingWaitLimit)
{ }

Preconnection::~Preconnection()
{
    if (m_opening) {
        m_client.abort();
    }
    if (m_opener.joinable()) {
        m_opener.join();
    }
}

void Preconnection::start(std::string url, const Setup& setup)
{
    if (m_opening) {
        return;
    }
    {
        const std::unique_lock lock(m_clientLock, std::try_to_lock);
        if (!lock || m_client.connected()) {
            return;
        }
        // A stop that ended the last translation must not end this opening.
        m_client.resetAbort();
        setup(m_client);
    }
    if (m_opener.joinable()) {
        m_opener.join(); // an earlier opening, finished
    }
    m_opening = true;
    m_opener = std::thread([this, url = std::move(url)] {
        open(url);
        m_opening = false;
    });
}

void Preconnection::open(const std::string& url)
{
    const std::lock_guard lock(m_clientLock);
    try {
        m_client.openConnection(url);
    } catch (...) {
        // Nothing is lost: the request will connect by itself and report what goes wrong then.
    }
}

ClientLock Preconnection::lockClient()
{
    ClientLock lock(m_clientLock, std::defer_lock);
    if (lock.try_lock_for(m_openingWaitLimit)) {
        return lock;
    }
    // An opening that takes this long is stuck (a network that drops its packets, say): it ends
    // at once, and the caller, who resets the abort before its first request, connects itself.
    if (m_opening) {
        m_client.abort();
    }
    lock.lock();
    return lock;
}

bool Preconnection::dropConnection()
{
    const std::unique_lock lock(m_clientLock, std::try_to_lock);
    if (!lock) {
        return false;
    }
    m_client.disconnect();
    return true;
}
