// The Options dialog's page for Quendra on the desktop: the desktop-wide keys (each can be turned
// off), where the selection is read from, keeping Quendra in the tray, and starting it with the
// session. What the desktop allows (the keys it gave, a tray) comes from the program through a
// hook, since the dialog knows nothing of the desktop.
#pragma once

#include "DesktopSettings.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QRadioButton;

class DesktopPage : public QWidget
{
    Q_OBJECT

public:
    struct Desktop
    {
        // What keeps the keys from working, in the interface language; empty when nothing does.
        std::function<QString()> shortcutProblem;
        // Whether the desktop shows tray icons.
        std::function<bool()> trayAvailable;
    };
    static void setDesktop(Desktop desktop);

    explicit DesktopPage(QWidget* parent = nullptr);

    void showSettings();
    void selectDefaults();
    // Writes what changed; raises IniWriteError on a failed write. The autostart entry follows
    // the check box.
    void saveSettings();
    QList<QWidget*> controls() const;

private:
    DesktopSettings shown() const;
    void show(const DesktopSettings& settings);

    DesktopSettings m_stored;
    QCheckBox* m_chkPopupShortcut;
    QCheckBox* m_chkWindowShortcut;
    QCheckBox* m_chkSpeakShortcut;
    QLabel* m_labShortcutProblem;
    QRadioButton* m_rbSelectionFirst;
    QRadioButton* m_rbClipboardOnly;
    QCheckBox* m_chkKeepInTray;
    QCheckBox* m_chkAutostart;
};
