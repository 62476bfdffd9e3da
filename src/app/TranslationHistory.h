// The link to the translation history: opens the history file when it is first needed, follows
// the history settings, records the request that succeeded, finds a translation to re-use, keeps
// the place of stepping back and forward, and hands the file's notices on. Writes and trimming run
// on threads of their own: a translation waits for the history file only to look a text up.
#pragma once

#include "Direction.h"
#include "HistoryEntry.h"

#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class HistoryStore;
class HistoryTrimmer;
class HistoryWriter;

class TranslationHistory
{
public:
    using NoticeHandler = std::function<void(const QString& notice)>;

    TranslationHistory(std::string path, NoticeHandler showNotice);
    ~TranslationHistory();

    // The store, opened on first use, for reading: the writes handed over before have reached it.
    HistoryStore& store();
    // Opens the store when the history is on and starts bringing the file down to the limit in the
    // background; a new limit starts that again. For a moment when the window has nothing to do.
    void prepare();
    // Until the writes handed over so far have reached the file, or the time is up.
    bool waitForWrites(std::chrono::milliseconds limit = std::chrono::milliseconds::max());

    // The entry to show instead of asking the service: history and re-use are on and the text
    // is held for the direction. Counts the use.
    std::optional<HistoryEntry> reuse(const QString& source, Direction direction);
    // Remembers what a request asked for; recordSuccess files it with its translation.
    void beginRequest(const QString& source, Direction direction);
    void recordSuccess(const QString& translation);

    // One entry older (Alt+Left) or newer (Alt+Right) than the last one stepped to; nothing past
    // either end. A new recording starts again from the newest.
    std::optional<HistoryEntry> stepOlder();
    std::optional<HistoryEntry> stepNewer();

    // Hands on what the store has to say about its file since the last time.
    void showNotices();

    // When an entry was last used, in local time to the minute.
    static QString timeText(const HistoryEntry& entry);
    // The status bar's word for an entry put back into the panes.
    static QString describe(const HistoryEntry& entry);

    static Direction directionOf(const HistoryEntry& entry);

    // How long a look-up waits for writes still under way (a recording of the same text).
    static constexpr std::chrono::milliseconds LookUpWait {40};

private:
    std::optional<HistoryEntry> stepTo(std::size_t position);
    HistoryStore& openStore();
    void followLimit();
    void write(std::function<void(HistoryStore&)> action);

    std::string m_path;
    NoticeHandler m_showNotice;
    std::unique_ptr<HistoryStore> m_store;
    std::unique_ptr<HistoryWriter> m_writer;
    std::unique_ptr<HistoryTrimmer> m_trimmer;
    std::size_t m_trimmedTo = 0;
    QString m_requestSource;
    Direction m_requestDirection = Direction::EnglishToMarathi;
    // Entries back from the newest that stepping reached; none before the first step.
    std::optional<std::size_t> m_position;
};
