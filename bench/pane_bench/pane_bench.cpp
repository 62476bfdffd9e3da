// Times the large pane transfers of the main window through the very functions the window calls.
//
// First the two 10,000-line transfers: filling the output pane (setPaneText) and reading an
// input pane the user typed into (getPaneText). Then a big text of 10 MB UTF-8 in 150,000 mixed
// English and Marathi lines, each case in a process of its own so that its peak memory is its
// own: a translation's result and a paste (setPaneText), opening it as a file, and reading it
// back. Prints milliseconds and the peak growth of resident memory as a multiple of the text's
// UTF-8 size, beside the goals.
//
//   pane_bench                 everything
//   pane_bench --case NAME     one big-text case in this process (result, paste, open, read,
//                              read-typed)
#include "EditPane.h"
#include "MemoryPolicy.h"
#include "PaneText.h"
#include "ProcessStatus.h"
#include "TextFileOpen.h"
#include "ViewPane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int LineCount = 10000;
constexpr int Runs = 9;

constexpr int BigLineCount = 150000;
constexpr qsizetype BigTextBytes = 10'000'000;

QStringList sampleLines()
{
    QStringList lines;
    for (int i = 0; i < LineCount; ++i) {
        lines << QString::fromUtf8("Line %1: नमस्कार, the quick brown fox jumps over the lazy dog.")
                     .arg(i);
    }
    return lines;
}

// 150,000 lines of about 10 MB UTF-8 together: English and Marathi sentences of varied length,
// some lines mixed, some empty, some with a tab.
QString bigText(const QString& lineEnd)
{
    static const char* const marathi[] = {"सुप्रभात", "तुम्ही", "कसे", "आहात", "आज", "हवामान", "खूप",
        "छान", "आहे", "मला", "पुस्तक", "वाचायला", "आवडते", "आम्ही", "उद्या", "मुंबईला", "जाणार", "आहोत"};
    static const char* const english[] = {"good", "morning", "how", "are", "you", "today", "the",
        "weather", "is", "very", "nice", "I", "like", "to", "read", "books", "we", "will", "go",
        "Mumbai", "tomorrow", "school", "starts", "early"};
    std::uint32_t seed = 17;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const qsizetype bytesPerLine = BigTextBytes / BigLineCount - lineEnd.size();
    QByteArray utf8;
    utf8.reserve(BigTextBytes + 4096);
    for (int i = 0; i < BigLineCount; ++i) {
        const qsizetype lineStart = utf8.size();
        const unsigned kind = next() % 16;
        if (kind != 0) {
            const qsizetype length = bytesPerLine / 2 + qsizetype(next() % unsigned(bytesPerLine));
            while (utf8.size() - lineStart < length) {
                const bool useMarathi = kind < 7 || (kind < 12 && next() % 2 == 0);
                utf8 += useMarathi ? marathi[next() % std::size(marathi)]
                                   : english[next() % std::size(english)];
                utf8 += kind == 15 && next() % 8 == 0 ? '\t' : ' ';
            }
            utf8.chop(1);
            utf8 += '.';
        }
        utf8 += lineEnd.toLatin1();
    }
    return QString::fromUtf8(utf8);
}

double medianMs(const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double cpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Starts counting the peak of resident memory anew from what the process holds now.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void smallTransfers()
{
    const QStringList lines = sampleLines();
    PaneStyles styles;
    styles.textStyle(0).fontName = "Arial";

    ViewPane output(styles);
    output.resize(478, 178);
    output.show();
    const QString translation = lines.join(QStringLiteral("\r\n"));
    const double fill = medianMs([&] {
        setPaneText(output, translation);
        QCoreApplication::processEvents();
    });

    EditPane input(styles);
    input.resize(478, 178);
    input.show();
    const QString typed = lines.join('\n');
    qsizetype length = 0;
    // The text arrives as the user's edit, so each read starts with items taken from the widget.
    const double read = medianMs([&] {
        input.setPlainText(typed);
        length = getPaneText(input).size();
    });
    const double setOnly = medianMs([&] { input.setPlainText(typed); });

    std::printf("fill output pane, %d lines: %.1f ms\n", LineCount, fill);
    std::printf(
        "read input pane, %d lines:  %.1f ms (of which the widget's own setPlainText %.1f ms)\n",
        LineCount, read, setOnly);
    std::printf("read %lld characters\n", static_cast<long long>(length));
}

struct BigCase
{
    const char* name;
    const char* what;
    double goalMs;
};

const BigCase bigCases[] = {
    {"result", "translation's result into the output pane", 1000},
    {"paste", "paste into the input pane", 1000},
    {"open", "open as a file into the input pane", 1000},
    {"read", "getPaneText of the pasted text", 300},
    {"read-typed", "getPaneText after the user edited the pane", 300},
};

// One big-text case; prints "ms peakMiB".
int runBigCase(const QString& name)
{
    PaneStyles styles;
    styles.textStyle(0).fontName = "Arial";
    ViewPane output(styles);
    EditPane input(styles);
    for (Pane* pane : {static_cast<Pane*>(&output), static_cast<Pane*>(&input)}) {
        pane->resize(478, 178);
        pane->show();
    }
    QCoreApplication::processEvents();

    QTemporaryDir folder;
    const QString fileName = folder.filePath("big.txt");
    QString text;
    if (name == "open") {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(bigText("\r\n").toUtf8()) < 0) {
            return 1;
        }
    } else {
        text = bigText(QStringLiteral("\r\n"));
    }
    if (name.startsWith("read")) {
        setPaneText(input, text);
        QCoreApplication::processEvents();
        if (name == "read-typed") {
            input.moveCursor(QTextCursor::End);
            input.insertPlainText(QStringLiteral("!"));
        }
    }

    resetPeak();
    const long before = statusKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuMs();
    qsizetype length = 0;
    if (name == "result") {
        setPaneText(output, text);
    } else if (name == "paste") {
        setPaneText(input, text);
    } else if (name == "open") {
        if (!TextFileOpen(&input, input, fileName).run()) {
            return 1;
        }
    } else {
        length = getPaneText(input).size();
    }
    QCoreApplication::processEvents();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const double cpu = cpuMs() - cpuBefore;
    const long peak = statusKb("VmHWM:");
    if (name.startsWith("read") && length == 0) {
        return 1;
    }
    std::printf("%.1f %.1f %.1f\n", ms, cpu, (peak - before) / 1024.0);
    return 0;
}

void bigTransfers(const char* self)
{
    const double textMiB = static_cast<double>(bigText("\r\n").toUtf8().size()) / (1 << 20);
    std::printf("\nbig text: %d lines, %.1f MiB UTF-8 (goal: under the time, peak growth under "
                "10 x the text)\n",
        BigLineCount, textMiB);
    for (const BigCase& big : bigCases) {
        QProcess child;
        child.start(QString::fromLocal8Bit(self), {"--case", big.name});
        child.waitForFinished(-1);
        double ms = 0;
        double cpu = 0;
        double peakMiB = 0;
        if (child.exitCode() != 0
            || std::sscanf(
                   child.readAllStandardOutput().constData(), "%lf %lf %lf", &ms, &cpu, &peakMiB)
                != 3) {
            std::printf("%-46s failed: %s\n", big.what, child.readAllStandardError().constData());
            continue;
        }
        std::printf("%-44s %7.1f ms (cpu %6.1f, goal %4.0f)  peak +%6.1f MiB = %4.1f x the text\n",
            big.what, ms, cpu, big.goalMs, peakMiB, peakMiB / textMiB);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // As the program itself does at start-up.
    returnBigBlocksToTheSystem();
    QApplication app(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--case") == 0) {
        return runBigCase(QString::fromLocal8Bit(argv[2]));
    }
    smallTransfers();
    bigTransfers(argv[0]);
    return 0;
}
