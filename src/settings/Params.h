// The user's settings in memory and the file they live in between runs.
#pragma once

#include <cstdint>
#include <string>

struct AppParams
{
    // 0 is English into Marathi, anything else Marathi into English.
    std::int32_t direction = 0;
    bool autoPaste = false;
    bool autoCopy = false;
    std::string displayLanguage;
    // true connects directly; false goes through the proxy below.
    bool noProxy = false;
    std::string address;
    // As typed; converted to a number only when the proxy is applied.
    std::string port;
    std::string userName;
    // Plain text, as stored in the file.
    std::string password;
    // The translation history: whether translations are recorded, whether a recorded one is shown
    // instead of asking the service again, and how many entries are kept.
    bool historyEnabled = true;
    bool historyReuse = true;
    std::int32_t historyLimit = 10000;
    // The direction follows the script of the text to translate; on unless the file says 0.
    bool autoDirection = true;
    // The history's CSV export writes texts a spreadsheet would run as formulas exactly as
    // recorded, instead of with a leading apostrophe.
    bool historyExportExact = false;
    // Typing into an empty input pane opens the service's connection ahead of Translate.
    bool preconnect = true;

    bool operator==(const AppParams&) const = default;
};

// The program's settings; GUI thread only. All zero, false or empty until loadSettings runs.
extern AppParams Params;

// Full path of the settings file: the executable's folder followed by "Lingvane.ini". Set once
// while the main window is created.
extern std::string SettingsFileName;

// Reads every key of SettingsFileName into Params, reading the file once; missing values take
// their defaults (a missing or empty NoProxy means a direct connection; history and its re-use
// are on, with at most 10,000 entries). While settings are held in memory, they are what it brings.
void loadSettings();

// Why the last loadSettings could not read the settings file (a folder, a FIFO, no permission),
// naming the file; empty when it was read or is missing. The defaults served instead, and with
// them a direct connection the file may not want.
const std::string& settingsReadProblem();

// When the settings file cannot be written, the user may keep values in memory until the program
// ends: loadSettings then brings these instead of the file's, and direction changes go to them.
// A later successful save of the Options dialog lets go of them.
void holdSettingsInMemory(const AppParams& params);
void releaseSettingsHeldInMemory();
bool settingsHeldInMemory();

// Stores a new translation direction: in the settings file (on the deferred writes' thread, so
// the caller never waits for the file), or with the settings held in memory.
void storeDirection(std::int32_t direction);
