// Reading and writing the Marathi aids' settings.
#include "MarathiAidSettings.h"

#include "IniHelpers.h"
#include "Params.h"

namespace {

constexpr const char* Section = "Marathi";

} // namespace

MarathiAidSettings loadMarathiAidSettings()
{
    MarathiAidSettings settings;
    settings.romanLine = iniReadBool(SettingsFileName, Section, "RomanLine");
    settings.plainEyelashRa = iniReadBool(SettingsFileName, Section, "PlainEyelashRa");
    settings.typingTable = iniReadString(SettingsFileName, Section, "TypingTable");
    if (settings.typingTable.empty()) {
        settings.typingTable = DefaultTypingTable;
    }
    return settings;
}

void saveRomanLine(bool shown)
{
    iniWriteBool(SettingsFileName, Section, "RomanLine", shown);
}

void saveTypingTable(const std::string& table)
{
    iniWriteString(SettingsFileName, Section, "TypingTable", table);
}
