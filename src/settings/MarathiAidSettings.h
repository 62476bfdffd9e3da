// The settings of the Marathi aids: the romanisation line under the Marathi pane and the table
// romanised typing uses. They live in their own section of the settings file.
#pragma once

#include <string>

struct MarathiAidSettings
{
    bool romanLine = false;
    // The romanisation line writes the eyelash ra as a plain r instead of ISO's r with a breve.
    bool plainEyelashRa = false;
    // An m17n input method of the Marathi language, by its file name without ".mim".
    std::string typingTable;
};

// The table romanised typing starts with: ITRANS, the scheme most romanised typists know.
inline constexpr const char* DefaultTypingTable = "mr-itrans";

// Reads SettingsFileName; a missing table reads as DefaultTypingTable.
MarathiAidSettings loadMarathiAidSettings();
// Each writes one key at once; a failed write raises IniWriteError.
void saveRomanLine(bool shown);
void saveTypingTable(const std::string& table);
