// The desktop tests run on an X server of their own (Xvfb on a free display number), with the
// xcb platform, so key grabs, selections and a second start meet a real server.
#include "AppStartup.h"
#include "XServer.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    XServer server;
    if (!server.start()) {
        std::fprintf(stderr, "desktop_tests: Xvfb did not start\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QUENDRA_SERVICE_ADDRESS", "https://127.0.0.1:1");
    // The one-instance socket goes to a runtime folder of the test's own.
    const QByteArray runtime = server.runtimeFolder().toLocal8Bit();
    qputenv("XDG_RUNTIME_DIR", runtime);
    QApplication app(argc, argv);
    AppStartup::wireProgram();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
