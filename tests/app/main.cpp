// The application tests run with one QApplication on the offscreen platform.
#include "AppStartup.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Two screens side by side: the large one first, where windows open, and to its right the
    // room a 1366 x 768 screen has at 200 %.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" APP_TEST_SCREENS);
    // Windows and programs that do not name a local stand-in for the translation service reach a
    // closed loopback port: typing into a pane opens the service's connection.
    qputenv("QUENDRA_SERVICE_ADDRESS", "https://127.0.0.1:1");
    QApplication app(argc, argv);
    AppStartup::wireProgram();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
