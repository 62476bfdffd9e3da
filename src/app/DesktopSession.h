// Quendra on the desktop, beside its window: requests of later starts (files, --show, --popup),
// the desktop-wide shortcuts, the pop-up that translates the selection, reading the selection
// aloud, and the tray icon. It drives the window as a user would, through its public commands.
#pragma once

#include "DesktopSettings.h"
#include "GlobalShortcuts.h"
#include "SingleInstance.h"

#include <QObject>

struct CommandLine;
class SpeechService;
class TfrmMain;
class TranslationController;
class TranslationPopup;
class TrayIcon;

class DesktopSession : public QObject
{
    Q_OBJECT

public:
    DesktopSession(TfrmMain& window, TranslationController& controller, SingleInstance& instance);
    ~DesktopSession() override;

    // What this start was asked for: the window (or only the tray icon), files, the pop-up.
    void start(const CommandLine& command);
    void handle(const InstanceRequest& request);

    // The selection (else the clipboard) translated in the pop-up; in the window; read aloud.
    void popupSelection(bool askService);
    void windowSelection(bool askService);
    void speakSelection();
    // The clipboard's text in the pop-up (the tray's command).
    void popupClipboard();

    // The settings file changed (the Options dialog closed): keys and tray follow.
    void applySettings();
    TranslationPopup& popup() { return *m_popup; }
    GlobalShortcuts& shortcuts() { return *m_shortcuts; }

private:
    void raiseWindow();
    void popupText(SelectionSource source, bool askService);
    // The selection's text, or nothing after the pop-up said why there is none.
    std::optional<QString> selection(SelectionSource source);
    void tellShortcutProblem(const QString& problem);

    TfrmMain& m_window;
    TranslationController& m_controller;
    DesktopSettings m_settings;
    GlobalShortcuts* m_shortcuts;
    TranslationPopup* m_popup;
    SpeechService* m_speech;
    TrayIcon* m_tray;
};
