// Brings a history file down to its limit away from the window: a thread of its own opens its
// own store on the file and runs its trim steps until nothing is left to do or it is told to stop.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

class HistoryTrimmer
{
public:
    // Starts at once. The window's store reports what is wrong with the file; the trimmer's own
    // notices are dropped, and a file it cannot write ends it.
    HistoryTrimmer(std::string path, std::size_t limit);
    // Stops after the step under way, which is short, and waits for the thread.
    ~HistoryTrimmer();
    HistoryTrimmer(const HistoryTrimmer&) = delete;
    HistoryTrimmer& operator=(const HistoryTrimmer&) = delete;

    bool finished() const { return m_finished; }

private:
    void run(const std::string& path, std::size_t limit);

    std::atomic<bool> m_stop {false};
    std::atomic<bool> m_finished {false};
    std::thread m_thread;
};
