// A stand-in for the main window: records what a worker reports, can refuse posts, and can act
// on a report (a test stops the translation at a chosen moment this way).
#pragma once

#include "TranslationWorker.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingHost : public TranslationHost
{
public:
    // The next `count` posts are refused.
    void refusePosts(int count) { m_refusals = count; }
    // Runs on the worker's thread after each progress report is recorded.
    void onReport(std::function<void(const std::string&)> action)
    {
        m_onReport = std::move(action);
    }

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

    void partStarted(int part, int partCount) override
    {
        report("progress " + std::to_string(part) + "/" + std::to_string(partCount));
    }

    void retryCountdown(int secondsLeft, const TranslationFailure&) override
    {
        report("wait " + std::to_string(secondsLeft));
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
    void report(const std::string& entry)
    {
        {
            std::lock_guard guard(m_lock);
            m_log.push_back(entry);
        }
        if (m_onReport) {
            m_onReport(entry);
        }
    }

    std::mutex m_lock;
    std::condition_variable m_posted;
    std::vector<std::string> m_log;
    std::function<void(const std::string&)> m_onReport;
    int m_refusals = 0;
    int m_postAttempts = 0;
};
