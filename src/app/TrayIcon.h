// The tray icon: Show/Hide, Translate selection, Translate clipboard, Options and Quit. When the
// settings say so, closing the window leaves Quendra running there (said once). Where the desktop
// has no tray, there is no icon and closing the window ends the program.
#pragma once

#include "DesktopSettings.h"

#include <QObject>

class DesktopSession;
class QSystemTrayIcon;
class TfrmMain;

class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(TfrmMain& window, DesktopSession& session);

    // Whether the desktop shows tray icons at all.
    static bool available();
    void applySettings(const DesktopSettings& settings);
    // Shows the icon with the window hidden (--tray); false where there is no tray.
    bool showAlone();

    static QStringList messageLines();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create();

    TfrmMain& m_window;
    DesktopSession& m_session;
    QSystemTrayIcon* m_icon = nullptr;
    bool m_keep = false;
    bool m_alone = false;
    bool m_told = false;
};
