// The settings writing thread.
#include "DeferredWrites.h"

#include "IniHelpers.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Write
{
    std::string fileName;
    std::string section;
    std::string key;
    std::string value;

    bool sameKey(const Write& other) const
    {
        return std::tie(fileName, section, key)
            == std::tie(other.fileName, other.section, other.key);
    }
};

class Writer
{
public:
    ~Writer()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

    void post(Write write)
    {
        {
            std::lock_guard lock(m_mutex);
            auto same = std::find_if(m_pending.begin(), m_pending.end(),
                [&](const Write& pending) { return pending.sameKey(write); });
            if (same != m_pending.end()) {
                same->value = std::move(write.value);
            } else {
                m_pending.push_back(std::move(write));
            }
            if (!m_thread.joinable()) {
                m_thread = std::thread([this] { run(); });
            }
        }
        m_changed.notify_all();
    }

    void flush()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_pending.empty() && !m_writing; });
    }

    void setFailureHandler(std::function<void(const std::string&)> handler)
    {
        std::lock_guard lock(m_mutex);
        m_failed = std::move(handler);
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || !m_pending.empty(); });
            if (m_pending.empty()) {
                return;
            }
            std::vector<Write> batch = std::exchange(m_pending, {});
            m_writing = true;
            const auto failed = m_failed;
            lock.unlock();
            for (const Write& write : batch) {
                try {
                    iniWriteString(write.fileName, write.section, write.key, write.value);
                } catch (const std::exception& error) {
                    if (failed) {
                        failed(error.what());
                    }
                }
            }
            lock.lock();
            m_writing = false;
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Write> m_pending;
    bool m_writing = false;
    bool m_stop = false;
    std::function<void(const std::string&)> m_failed;
    std::thread m_thread;
};

Writer& writer()
{
    static Writer instance;
    return instance;
}

} // namespace

void DeferredWrites::writeString(const std::string& fileName, const std::string& section,
    const std::string& key, const std::string& value)
{
    iniForgetHeldContent(fileName);
    writer().post({fileName, section, key, value});
}

void DeferredWrites::flush()
{
    writer().flush();
}

void DeferredWrites::setFailureHandler(std::function<void(const std::string& message)> handler)
{
    writer().setFailureHandler(std::move(handler));
}
