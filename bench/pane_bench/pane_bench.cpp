// Times the two large pane transfers of the main window: filling the output pane with a
// 10,000-line translation (setPaneText) and reading a 10,000-line input pane (getPaneText), each
// through the very functions the window calls. Prints the median of several runs in milliseconds.
#include "EditPane.h"
#include "PaneText.h"
#include "ViewPane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int LineCount = 10000;
constexpr int Runs = 9;

QStringList sampleLines()
{
    QStringList lines;
    for (int i = 0; i < LineCount; ++i) {
        lines << QString::fromUtf8("Line %1: नमस्कार, the quick brown fox jumps over the lazy dog.")
                     .arg(i);
    }
    return lines;
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

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
    return 0;
}
