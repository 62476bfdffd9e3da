// Quendra's entry: the application object and the main window; closing the window ends the
// program.
#include "TfrmMain.h"
#include "TranslationWorker.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TfrmMain window;
    window.show();
    const int result = app.exec();
    // A worker still inside its exchange would meet the process's clean-up of the TLS library
    // and of Qt. Nothing is kept at exit, so leave at once instead.
    if (TranslationWorker::running() > 0) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
