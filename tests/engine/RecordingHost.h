// A stand-in for the main window: records what a worker shows and posts, and can refuse posts.
#pragma once

#include "TranslationWorker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

class RecordingHost : public TranslationHost
{
public:
    // The next `count` posts are refused.
    void refusePosts(int count) { m_refusals = count; }

    bool postEvent(TranslationEvent event) override
    {
        std::lock_guard guard(m_lock);
        ++m_postAttempts;
        if (m_refusals > 0) {
            --m_refusals;
            return false;
        }
        m_log.push_back(event == TranslationEvent::Done ? "event: done" : "event: failed");
        m_posted.notify_all();
        return true;
    }

    void showMessage(const std::string& text) override
    {
        std::lock_guard guard(m_lock);
        m_log.push_back("message: " + text);
    }

    // Waits for a posted event and returns everything recorded.
    std::vector<std::string> waitForEvent()
    {
        std::unique_lock lock(m_lock);
        m_posted.wait_for(lock, std::chrono::seconds(90),
            [this] { return !m_log.empty() && m_log.back().starts_with("event"); });
        return m_log;
    }

    int postAttempts()
    {
        std::lock_guard guard(m_lock);
        return m_postAttempts;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_posted;
    std::vector<std::string> m_log;
    int m_refusals = 0;
    int m_postAttempts = 0;
};
