// The settings of Quendra on the desktop: the global shortcuts, where a selection is read from,
// and the tray. They live in their own section of the settings file.
#pragma once

enum class SelectionSource
{
    SelectionThenClipboard,
    ClipboardOnly,
};

struct DesktopSettings
{
    // Ctrl+Alt+E (the pop-up), Ctrl+Alt+T (the window), Ctrl+Alt+S (read aloud).
    bool popupShortcut = true;
    bool windowShortcut = true;
    bool speakShortcut = true;
    SelectionSource source = SelectionSource::SelectionThenClipboard;
    // Closing the window leaves Quendra running with its tray icon.
    bool keepInTray = false;

    bool operator==(const DesktopSettings&) const = default;
};

// Reads SettingsFileName; a missing key reads as its default above.
DesktopSettings loadDesktopSettings();
// Writes the keys that changed from before; a failed write raises IniWriteError.
void saveDesktopSettings(const DesktopSettings& settings, const DesktopSettings& before);
