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
#include <thread>

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
    PaneDocument loaded;
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

void readFile(Load& load, const QString& fileName)
{
    if (const int delay = readDelayForTest.load(); delay > 0) {
        for (int waited = 0; waited < delay && !load.cancel; waited += 10) {
            QThread::msleep(10);
        }
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
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
    const QString text = load.loaded.decodeFileText(bytes, 0);
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
    Load load(m_pane.styles());
    QEventLoop loop;
    QEventLoop* const waiting = &loop; // outlives the worker, which is joined below
    std::thread worker([&load, fileName = m_fileName, waiting] {
        try {
            readFile(load, fileName);
        } catch (...) {
            load.outcome = Outcome::Unreadable;
        }
        load.done = true;
        // Wakes the loop below at once rather than at its next tick.
        QMetaObject::invokeMethod(
            waiting, [] {}, Qt::QueuedConnection);
    });

    const QString name = QFileInfo(m_fileName).fileName();
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
    while (!load.done) {
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
    worker.join();
    if (progress.isVisible()) {
        progress.setValue(ProgressSteps * 95 / 100);
    }

    switch (load.outcome) {
    case Outcome::Loaded:
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
