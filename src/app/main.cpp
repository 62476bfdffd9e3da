// Quendra's entry: the application object and the main window; closing the window ends the
// program.
#include "TfrmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TfrmMain window;
    window.show();
    return app.exec();
}
