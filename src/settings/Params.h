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

    bool operator==(const AppParams&) const = default;
};

// The program's settings; GUI thread only. All zero, false or empty until loadSettings runs.
extern AppParams Params;

// Full path of the settings file: the executable's folder followed by "Lingvane.ini". Set once
// while the main window is created.
extern std::string SettingsFileName;

// Reads every key of SettingsFileName into Params, one file access per value; missing values take
// their defaults (a missing or empty NoProxy means a direct connection; history and its re-use
// are on, with at most 10,000 entries). While settings are held in memory, they are what it brings.
void loadSettings();

// When the settings file cannot be written, the user may keep values in memory until the program
// ends: loadSettings then brings these instead of the file's, and direction changes go to them.
// A later successful save of the Options dialog lets go of them.
void holdSettingsInMemory(const AppParams& params);
void releaseSettingsHeldInMemory();
bool settingsHeldInMemory();

// Stores a new translation direction: in the settings file, or with the settings held in memory.
void storeDirection(std::int32_t direction);
