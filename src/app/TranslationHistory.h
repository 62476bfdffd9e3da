// The main window's link to the translation history: opens the history file when it is first
// needed, follows the history settings, records the request that succeeded, finds a translation
// to re-use, keeps the place of stepping back and forward, and shows the file's notices.
#pragma once

#include "HistoryEntry.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>

class HistoryStore;

class TranslationHistory
{
public:
    explicit TranslationHistory(std::string path);
    ~TranslationHistory();

    // The store, opened on first use.
    HistoryStore& store();

    // The entry to show instead of asking the service: history and re-use are on and the text
    // is held for the direction. Counts the use.
    std::optional<HistoryEntry> reuse(const QString& source, int direction);
    // Remembers what a request asked for; recordSuccess files it with its translation.
    void beginRequest(const QString& source, int direction);
    void recordSuccess(const QString& translation);

    // One entry older (Alt+Left) or newer (Alt+Right) than the last one stepped to; nothing past
    // either end. A new recording starts again from the newest.
    std::optional<HistoryEntry> stepOlder();
    std::optional<HistoryEntry> stepNewer();

    // Shows what the store has to say about its file since the last time.
    void showNotices();

    // When an entry was last used, in local time to the minute.
    static QString timeText(const HistoryEntry& entry);
    // The status bar's word for an entry put back into the panes.
    static QString describe(const HistoryEntry& entry);

    // Language codes of a direction setting, and back.
    static std::pair<std::string, std::string> codesOf(int direction);
    static int directionOf(const HistoryEntry& entry);

private:
    std::optional<HistoryEntry> stepTo(std::size_t position);

    std::string m_path;
    std::unique_ptr<HistoryStore> m_store;
    QString m_requestSource;
    int m_requestDirection = 0;
    // Entries back from the newest that stepping reached; none before the first step.
    std::optional<std::size_t> m_position;
};
