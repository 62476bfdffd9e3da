// One start of a window for the start-up benchmark. Built twice: startup_probe makes Quendra's main
// window as the program does, startup_bare (linked with Qt Widgets alone) a bare window of the
// same size with one text edit. At the window's first paint it prints the milliseconds since the
// launcher's clock reading in QUENDRA_LAUNCH_NS (CLOCK_REALTIME nanoseconds taken just before the
// start), the resident kilobytes and the milliseconds the main thread has run, then quits.
#include "ProcessStatus.h"

#if QUENDRA_WINDOW
#include "AppStartup.h"
#include "FontConfigPreload.h"
#include "MemoryPolicy.h"
#include "TfrmMain.h"
#endif

#include <QApplication>
#include <QEvent>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

// The processor time of the calling thread: unlike the time to the paint, it leaves out waiting
// for the display server and for the other core, so it shows small changes that the paint's
// spread from start to start hides.
double threadCpuMs()
{
    timespec used {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return double(used.tv_sec) * 1e3 + double(used.tv_nsec) / 1e6;
}

double msSinceLaunch()
{
    const char* launch = std::getenv("QUENDRA_LAUNCH_NS");
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const double nowNs = double(now.tv_sec) * 1e9 + double(now.tv_nsec);
    return launch ? (nowNs - std::strtod(launch, nullptr)) / 1e6 : 0;
}

// Notes the first paint of anything inside the window.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget* window)
        : m_window(window)
    { }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!m_seen && event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            m_seen = true;
            const double ms = msSinceLaunch();
            // Reported once the paint has finished.
            QTimer::singleShot(0, [ms] {
                std::printf("%.1f %ld %.2f\n", ms, statusKb("VmRSS:"), threadCpuMs());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* m_window;
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
#if QUENDRA_WINDOW
    returnBigBlocksToTheSystem();
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    AppStartup::wireProgram();
    std::unique_ptr<QWidget> window = std::make_unique<TfrmMain>();
#else
    QApplication app(argc, argv);
    auto window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(new QTextEdit);
    // The size of Quendra's window: the window system's buffer for a window's pixels grows with
    // its area, which is the design's and no cost of the program.
    window->resize(528, 545);
#endif
    FirstPaint firstPaint(window.get());
    app.installEventFilter(&firstPaint);
    window->show();
    return app.exec();
}
