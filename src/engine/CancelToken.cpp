// Stop requests and waits that end early on one.
#include "CancelToken.h"

void CancelToken::cancel()
{
    {
        std::lock_guard guard(m_lock);
        m_cancelled = true;
    }
    m_changed.notify_all();
}

bool CancelToken::waitFor(std::chrono::milliseconds time) const
{
    std::unique_lock lock(m_lock);
    return !m_changed.wait_for(lock, time, [this] { return m_cancelled.load(); });
}
