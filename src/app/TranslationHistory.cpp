// Settings, notices and the stepping place around the history store.
#include "TranslationHistory.h"

#include "AppPaths.h"
#include "Exception.h"
#include "HistoryStore.h"
#include "HistoryTrimmer.h"
#include "HistoryWriter.h"
#include "InterfaceNumbers.h"
#include "Params.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>
#include <iterator>

TranslationHistory::TranslationHistory(std::string path, NoticeHandler showNotice)
    : m_path(std::move(path))
    , m_showNotice(std::move(showNotice))
{ }

TranslationHistory::~TranslationHistory() = default;

HistoryStore& TranslationHistory::store()
{
    waitForWrites();
    return openStore();
}

HistoryStore& TranslationHistory::openStore()
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
        if (m_store->state() == HistoryStore::State::Ready) {
            m_writer = std::make_unique<HistoryWriter>(m_path, options);
        }
    }
    followLimit();
    return *m_store;
}

void TranslationHistory::followLimit()
{
    const auto limit = static_cast<std::size_t>(Params.historyLimit);
    m_store->setLimit(limit);
    if (!m_writer || limit == m_trimmedTo) {
        return;
    }
    m_writer->post([limit](HistoryStore& store) { store.setLimit(limit); });
    // The trimmer under way stops after its step; the new one starts from what it left.
    m_trimmer.reset();
    m_trimmer = std::make_unique<HistoryTrimmer>(m_path, limit);
    m_trimmedTo = limit;
}

void TranslationHistory::prepare()
{
    if (Params.historyEnabled) {
        openStore();
    }
}

bool TranslationHistory::waitForWrites(std::chrono::milliseconds limit)
{
    const bool done = !m_writer || m_writer->waitForWrites(limit);
    showNotices();
    return done;
}

void TranslationHistory::write(std::function<void(HistoryStore&)> action)
{
    if (m_writer) {
        m_writer->post(std::move(action));
    }
}

void TranslationHistory::showNotices()
{
    if (!m_store) {
        return;
    }
    std::vector<std::string> notices = m_store->takeNotices();
    if (m_writer) {
        std::ranges::move(m_writer->takeNotices(), std::back_inserter(notices));
    }
    for (const std::string& notice : notices) {
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
    // A recording of this very text may still be under way; a trim step it waits for is not.
    waitForWrites(LookUpWait);
    auto entry = openStore().find(
        source.toStdU16String(), sourceCodeOf(direction), targetCodeOf(direction));
    if (entry) {
        write([id = entry->id](HistoryStore& store) { store.markUsed(id); });
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
    openStore();
    write([source = m_requestSource.toStdU16String(), translation = translation.toStdU16String(),
              direction = m_requestDirection](HistoryStore& store) {
        store.record(source, translation, sourceCodeOf(direction), targetCodeOf(direction));
    });
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
