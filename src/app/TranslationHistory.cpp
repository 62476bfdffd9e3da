// Settings, notices and the stepping place around the history store.
#include "TranslationHistory.h"

#include "AppPaths.h"
#include "Exception.h"
#include "HistoryStore.h"
#include "InterfaceNumbers.h"
#include "Params.h"

#include <QDateTime>
#include <QDir>

TranslationHistory::TranslationHistory(std::string path, NoticeHandler showNotice)
    : m_path(std::move(path))
    , m_showNotice(std::move(showNotice))
{ }

TranslationHistory::~TranslationHistory() = default;

HistoryStore& TranslationHistory::store()
{
    if (!m_store) {
        if (m_path.empty()) {
            try {
                m_path = QDir(AppPaths::userDataFolder())
                             .filePath(QStringLiteral("history.sqlite3"))
                             .toLocal8Bit()
                             .toStdString();
            } catch (const Exception& error) {
                // The program goes on without a history; the store stays off.
                m_showNotice(QString::fromLocal8Bit(error.what()));
            }
        }
        HistoryOptions options;
        options.limit = static_cast<std::size_t>(Params.historyLimit);
        m_store = std::make_unique<HistoryStore>(m_path, options);
        showNotices();
    }
    m_store->setLimit(static_cast<std::size_t>(Params.historyLimit));
    return *m_store;
}

void TranslationHistory::showNotices()
{
    if (!m_store) {
        return;
    }
    for (const std::string& notice : m_store->takeNotices()) {
        m_showNotice(QString::fromLocal8Bit(notice));
    }
}

QString TranslationHistory::timeText(const HistoryEntry& entry)
{
    return InterfaceNumbers::digits(
        QDateTime::fromMSecsSinceEpoch(entry.usedAt).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

QString TranslationHistory::describe(const HistoryEntry& entry)
{
    if (entry.useCount == 1) {
        return QStringLiteral("From the history: last used %1, once.").arg(timeText(entry));
    }
    return QStringLiteral("From the history: last used %1, %2 times.")
        .arg(timeText(entry), InterfaceNumbers::number(entry.useCount));
}

Direction TranslationHistory::directionOf(const HistoryEntry& entry)
{
    return directionFromSourceCode(entry.sourceCode).value_or(Direction::MarathiToEnglish);
}

std::optional<HistoryEntry> TranslationHistory::reuse(const QString& source, Direction direction)
{
    if (!Params.historyEnabled || !Params.historyReuse) {
        return std::nullopt;
    }
    HistoryStore& history = store();
    auto entry
        = history.find(source.toStdU16String(), sourceCodeOf(direction), targetCodeOf(direction));
    if (entry) {
        history.markUsed(entry->id);
        m_position.reset();
    }
    showNotices();
    return entry;
}

void TranslationHistory::beginRequest(const QString& source, Direction direction)
{
    m_requestSource = source;
    m_requestDirection = direction;
}

void TranslationHistory::recordSuccess(const QString& translation)
{
    if (!Params.historyEnabled || m_requestSource.isEmpty() || translation.isEmpty()) {
        return;
    }
    store().record(m_requestSource.toStdU16String(), translation.toStdU16String(),
        sourceCodeOf(m_requestDirection), targetCodeOf(m_requestDirection));
    m_requestSource.clear();
    m_position.reset();
    showNotices();
}

std::optional<HistoryEntry> TranslationHistory::stepOlder()
{
    return stepTo(m_position ? *m_position + 1 : 0);
}

std::optional<HistoryEntry> TranslationHistory::stepNewer()
{
    if (!m_position || *m_position == 0) {
        return std::nullopt;
    }
    return stepTo(*m_position - 1);
}

std::optional<HistoryEntry> TranslationHistory::stepTo(std::size_t position)
{
    auto entries = store().list({}, 1, position);
    showNotices();
    if (entries.empty()) {
        return std::nullopt;
    }
    m_position = position;
    return std::move(entries.front());
}
