// Reading and writing the desktop settings.
#include "DesktopSettings.h"

#include "IniHelpers.h"
#include "Params.h"

namespace {

constexpr const char* Section = "Desktop";

bool readFlag(const char* key, bool fallback)
{
    const std::string value = trimBlanks(iniReadString(SettingsFileName, Section, key));
    return value.empty() ? fallback : iniReadBool(SettingsFileName, Section, key);
}

void writeFlag(const char* key, bool value, bool before)
{
    if (value != before) {
        iniWriteBool(SettingsFileName, Section, key, value);
    }
}

} // namespace

DesktopSettings loadDesktopSettings()
{
    const DesktopSettings defaults;
    DesktopSettings settings;
    settings.popupShortcut = readFlag("PopupShortcut", defaults.popupShortcut);
    settings.windowShortcut = readFlag("WindowShortcut", defaults.windowShortcut);
    settings.speakShortcut = readFlag("SpeakShortcut", defaults.speakShortcut);
    settings.source = readFlag("ClipboardOnly", false) ? SelectionSource::ClipboardOnly
                                                       : SelectionSource::SelectionThenClipboard;
    settings.keepInTray = readFlag("KeepInTray", defaults.keepInTray);
    return settings;
}

void saveDesktopSettings(const DesktopSettings& settings, const DesktopSettings& before)
{
    writeFlag("PopupShortcut", settings.popupShortcut, before.popupShortcut);
    writeFlag("WindowShortcut", settings.windowShortcut, before.windowShortcut);
    writeFlag("SpeakShortcut", settings.speakShortcut, before.speakShortcut);
    writeFlag("ClipboardOnly", settings.source == SelectionSource::ClipboardOnly,
        before.source == SelectionSource::ClipboardOnly);
    writeFlag("KeepInTray", settings.keepInTray, before.keepInTray);
}
