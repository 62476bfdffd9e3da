// Writes to a history file away from the window: a thread of its own opens its own store on the
// file and runs the writes handed to it in order, so a recording that waits for a trim step
// never holds up the window.
#pragma once

#include "HistoryStore.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HistoryWriter
{
public:
    using Write = std::function<void(HistoryStore& store)>;

    // Opens the store on the thread, before the first write.
    HistoryWriter(std::string path, HistoryOptions options);
    // Runs the writes handed over so far, then ends the thread.
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    void post(Write write);
    // Waits until every write handed over has run, or until the time is up; true when none is
    // left.
    bool waitForWrites(std::chrono::milliseconds limit = std::chrono::milliseconds::max());
    // What the writing store had to say about the file since the last call, oldest first.
    std::vector<std::string> takeNotices();

private:
    void run(const std::string& path, HistoryOptions options);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Write> m_writes;
    // A write taken from the queue and running.
    bool m_writing = false;
    bool m_stop = false;
    std::vector<std::string> m_notices;
    std::thread m_thread;
};
