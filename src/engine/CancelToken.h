// A translation's stop request: set by any thread, seen by the translating thread between steps
// and during its waits.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class CancelToken
{
public:
    void cancel();
    bool cancelled() const { return m_cancelled; }
    // Only while nobody translates with this token.
    void reset() { m_cancelled = false; }
    // Waits for the time given; false when the token is or becomes cancelled.
    bool waitFor(std::chrono::milliseconds time) const;

private:
    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::atomic<bool> m_cancelled {false};
};
