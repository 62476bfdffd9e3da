// The trimming thread.
#include "HistoryTrimmer.h"

#include "HistoryStore.h"

HistoryTrimmer::HistoryTrimmer(std::string path, std::size_t limit)
    : m_thread([this, path = std::move(path), limit] { run(path, limit); })
{ }

HistoryTrimmer::~HistoryTrimmer()
{
    m_stop = true;
    m_thread.join();
}

void HistoryTrimmer::run(const std::string& path, std::size_t limit)
{
    HistoryStore store(path, {.limit = limit});
    while (!m_stop && store.trimStep()) { }
    m_finished = true;
}
