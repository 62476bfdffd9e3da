// The writing thread.
#include "HistoryWriter.h"

#include <utility>

HistoryWriter::HistoryWriter(std::string path, HistoryOptions options)
    : m_thread([this, path = std::move(path), options] { run(path, options); })
{ }

HistoryWriter::~HistoryWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void HistoryWriter::post(Write write)
{
    {
        std::lock_guard lock(m_mutex);
        m_writes.push_back(std::move(write));
    }
    m_changed.notify_all();
}

bool HistoryWriter::waitForWrites(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_mutex);
    const auto done = [this] { return m_writes.empty() && !m_writing; };
    if (limit == std::chrono::milliseconds::max()) {
        m_changed.wait(lock, done);
        return true;
    }
    return m_changed.wait_for(lock, limit, done);
}

std::vector<std::string> HistoryWriter::takeNotices()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_notices, {});
}

void HistoryWriter::run(const std::string& path, HistoryOptions options)
{
    HistoryStore store(path, options);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || !m_writes.empty(); });
        if (m_writes.empty()) {
            return;
        }
        Write write = std::move(m_writes.front());
        m_writes.pop_front();
        m_writing = true;
        lock.unlock();
        write(store);
        std::vector<std::string> notices = store.takeNotices();
        lock.lock();
        m_notices.insert(m_notices.end(), notices.begin(), notices.end());
        m_writing = false;
        m_changed.notify_all();
    }
}
