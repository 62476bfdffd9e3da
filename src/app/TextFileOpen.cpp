// Opening a text file on a worker thread, with progress and cancelling.
#include "TextFileOpen.h"

#include "Exception.h"
#include "Pane.h"
#include "PaneDocument.h"
#include "PaneText.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<int> readDelayForTest {0};

constexpr qint64 ReadPiece = 1 << 20;
constexpr int ProgressSteps = 1000;

// What the worker found; the pane is changed only on the GUI thread, and only after Loaded.
enum class Outcome
{
    Loaded,
    Unreadable,
    TooLarge,
    LongLine,
    NotText,
    NotRegular,
    Cancelled,
};

struct Load
{
    explicit Load(const PaneStyles& styles)
        : loaded(styles)
    { }

    std::atomic<bool> cancel {false};
    std::atomic<bool> done {false};
    std::atomic<int> progress {0}; // of ProgressSteps
    Outcome outcome = Outcome::Unreadable;
    bool windows1252 = false;
    PaneDocument loaded;
    // The loop that waits for the worker, while it does.
    std::mutex waitingLock;
    QEventLoop* waiting = nullptr;
};

// Control characters other than the white space of text (and escape, which coloured logs hold)
// are rare in text and common in every binary format.
bool isBinaryCharacter(char16_t c)
{
    return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\v' && c != u'\f' && c != u'\r'
        && c != 0x1B;
}

// Lines end where a file load ends them (CR, LF, form feed). A few stray controls, such as the
// odd U+0000 shown as "?", still make a text; more than one in fifty characters do not.
Outcome judgeText(const QString& text)
{
    qsizetype lineStart = 0;
    qsizetype binary = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || c == u'\r' || c == u'\f') {
            if (i - lineStart > MaxPaneLineLength) {
                return Outcome::LongLine;
            }
            lineStart = i + 1;
        } else if (isBinaryCharacter(c)) {
            ++binary;
        }
    }
    if (binary > 16 && binary * 50 > text.size()) {
        return Outcome::NotText;
    }
    return text.size() - lineStart > MaxPaneLineLength ? Outcome::LongLine : Outcome::Loaded;
}

bool isRegularFile(const QString& fileName)
{
    struct stat info
    { };
    return ::stat(QFile::encodeName(fileName).constData(), &info) != 0 || S_ISREG(info.st_mode);
}

void readFile(Load& load, const QString& fileName)
{
    // As a read from a stuck device would, this wait does not hear Cancel.
    if (const int delay = readDelayForTest.load(); delay > 0) {
        QThread::msleep(static_cast<unsigned long>(delay));
    }
    // Without waiting for a writer (a FIFO), and only a regular file, whatever took the name
    // since it was looked at.
    const int fd
        = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info
    { };
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        load.outcome = fd < 0 ? Outcome::Unreadable : Outcome::NotRegular;
        if (fd >= 0) {
            ::close(fd);
        }
        return;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    const qint64 size = file.size();
    if (size > TextFileOpen::MaxFileBytes) {
        load.outcome = Outcome::TooLarge;
        return;
    }
    // Read in pieces up to one byte past the limit, for files that grow or tell no size.
    QByteArray bytes;
    bytes.reserve(size);
    while (!load.cancel) {
        const QByteArray piece = file.read(ReadPiece);
        if (file.error() != QFileDevice::NoError) {
            return;
        }
        if (piece.isEmpty()) {
            break;
        }
        bytes += piece;
        if (bytes.size() > TextFileOpen::MaxFileBytes) {
            load.outcome = Outcome::TooLarge;
            return;
        }
        load.progress = size > 0 ? int(std::min<qint64>(bytes.size() * 500 / size, 500)) : 500;
    }
    if (load.cancel) {
        load.outcome = Outcome::Cancelled;
        return;
    }
    const QString text = load.loaded.decodeFileText(bytes, 0, &load.windows1252);
    bytes = QByteArray();
    load.progress = 600;
    load.outcome = judgeText(text);
    if (load.outcome != Outcome::Loaded || load.cancel) {
        load.outcome = load.cancel ? Outcome::Cancelled : load.outcome;
        return;
    }
    load.loaded.appendFileText(text, 0, 0, true);
    load.progress = 900;
    if (load.cancel) {
        load.outcome = Outcome::Cancelled;
    }
}

[[noreturn]] void throwNotRegular(const QString& name)
{
    throw Exception(
        QStringLiteral("%1 is not a regular file (a FIFO, socket or device) and was not "
                       "opened")
            .arg(name)
            .toStdString());
}

} // namespace

TextFileOpen::TextFileOpen(QWidget* parent, Pane& pane, const QString& fileName)
    : m_parent(parent)
    , m_pane(pane)
    , m_fileName(fileName)
{ }

void TextFileOpen::setReadDelayForTest(int ms)
{
    readDelayForTest = ms;
}

bool TextFileOpen::run()
{
    const QString name = QFileInfo(m_fileName).fileName();
    // A FIFO, socket or device would have the worker wait for a writer, or read without end.
    if (!isRegularFile(m_fileName)) {
        throwNotRegular(name);
    }
    // Shared with the worker: after a Cancel the window goes on at once, and a worker stuck in
    // a read ends by itself later.
    const auto shared = std::make_shared<Load>(m_pane.styles());
    Load& load = *shared;
    QEventLoop loop;
    load.waiting = &loop;
    std::thread worker([shared, fileName = m_fileName] {
        Load& load = *shared;
        try {
            readFile(load, fileName);
        } catch (...) {
            load.outcome = Outcome::Unreadable;
        }
        load.done = true;
        // Wakes the loop below at once rather than at its next tick.
        const std::lock_guard lock(load.waitingLock);
        if (load.waiting) {
            QMetaObject::invokeMethod(
                load.waiting, [] {}, Qt::QueuedConnection);
        }
    });

    QProgressDialog progress(QStringLiteral("Opening %1...").arg(name), QStringLiteral("Cancel"), 0,
        ProgressSteps, m_parent);
    progress.setWindowTitle(QStringLiteral("Quendra"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(INT_MAX); // shown below, once the load has run long enough
    const auto cancel = [&load] { load.cancel = true; };
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, cancel);
    QObject::connect(&progress, &QDialog::rejected, &progress, cancel);
    QTimer tick;
    tick.start(50);
    QElapsedTimer elapsed;
    elapsed.start();
    while (!load.done && !load.cancel) {
        const bool shown = elapsed.elapsed() >= ProgressDelayMs;
        if (shown && !progress.isVisible() && !load.cancel) {
            progress.show();
        }
        if (progress.isVisible()) {
            progress.setValue(load.progress);
        }
        // Until the progress box stands in front of the window, clicks and keys wait, so that
        // nothing changes the pane under the load.
        loop.processEvents(QEventLoop::WaitForMoreEvents
            | (progress.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    }
    {
        const std::lock_guard lock(load.waitingLock);
        load.waiting = nullptr;
    }
    if (load.cancel) {
        load.done ? worker.join() : worker.detach();
        m_cancelled = true;
        return false;
    }
    worker.join();
    if (progress.isVisible()) {
        progress.setValue(ProgressSteps * 95 / 100);
    }

    switch (load.outcome) {
    case Outcome::Loaded:
        m_windows1252 = load.windows1252;
        m_pane.appendDocument(std::move(load.loaded));
        m_pane.format();
        return true;
    case Outcome::TooLarge:
        throw Exception(QStringLiteral("%1 is larger than %2 MB and was not opened")
                            .arg(name)
                            .arg(MaxFileBytes >> 20)
                            .toStdString());
    case Outcome::LongLine:
        throw Exception(
            QStringLiteral("%1 has a line longer than %2 characters and was not opened")
                .arg(name, QLocale(QLocale::English).toString(qlonglong(MaxPaneLineLength)))
                .toStdString());
    case Outcome::NotRegular:
        throwNotRegular(name);
    case Outcome::NotText:
        throw Exception(
            QStringLiteral("%1 is not a text file and was not opened").arg(name).toStdString());
    case Outcome::Cancelled:
        m_cancelled = true;
        break;
    case Outcome::Unreadable:
        break;
    }
    return false;
}
