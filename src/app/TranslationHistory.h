// The link to the translation history: opens the history file when it is first needed, follows
// the history settings, records the request that succeeded, finds a translation to re-use, keeps
// the place of stepping back and forward, and hands the file's notices on.
#pragma once

#include "Direction.h"
#include "HistoryEntry.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class HistoryStore;

class TranslationHistory
{
public:
    using NoticeHandler = std::function<void(const QString& notice)>;

    TranslationHistory(std::string path, NoticeHandler showNotice);
    ~TranslationHistory();

    // The store, opened on first use.
    HistoryStore& store();

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

private:
    std::optional<HistoryEntry> stepTo(std::size_t position);

    std::string m_path;
    NoticeHandler m_showNotice;
    std::unique_ptr<HistoryStore> m_store;
    QString m_requestSource;
    Direction m_requestDirection = Direction::EnglishToMarathi;
    // Entries back from the newest that stepping reached; none before the first step.
    std::optional<std::size_t> m_position;
};
