// The settings globals and the one place that reads the settings file into them.
#include "Params.h"

#include "IniHelpers.h"

#include <optional>

namespace {

// A missing or empty key takes its default; any other value is read as the helpers read it.
bool readBool(const std::string& file, const char* section, const char* key, bool fallback)
{
    return iniReadString(file, section, key).empty() ? fallback : iniReadBool(file, section, key);
}

std::optional<AppParams> heldSettings;

} // namespace

AppParams Params;
std::string SettingsFileName;

void holdSettingsInMemory(const AppParams& params)
{
    heldSettings = params;
}

void releaseSettingsHeldInMemory()
{
    heldSettings.reset();
}

bool settingsHeldInMemory()
{
    return heldSettings.has_value();
}

void storeDirection(std::int32_t direction)
{
    if (heldSettings) {
        heldSettings->direction = direction;
        return;
    }
    iniWriteInteger(SettingsFileName, "General", "Direction", direction);
}

void loadSettings()
{
    if (heldSettings) {
        Params = *heldSettings;
        return;
    }
    const std::string& file = SettingsFileName;
    Params.direction = iniReadInteger(file, "General", "Direction");
    Params.autoPaste = iniReadBool(file, "General", "AutoPaste");
    Params.autoCopy = iniReadBool(file, "General", "AutoCopy");
    Params.autoDirection = readBool(file, "General", "AutoDirection", true);
    Params.displayLanguage = iniReadString(file, "General", "DisplayLanguage");
    Params.noProxy = iniReadBool(file, "Connection", "NoProxy");
    if (iniReadString(file, "Connection", "NoProxy").empty()) {
        Params.noProxy = true;
    }
    Params.address = iniReadString(file, "Connection", "Address");
    Params.port = iniReadString(file, "Connection", "Port");
    Params.userName = iniReadString(file, "Connection", "UserName");
    Params.password = iniReadString(file, "Connection", "Password");
    Params.historyEnabled = readBool(file, "History", "Enabled", true);
    Params.historyReuse = readBool(file, "History", "Reuse", true);
    const std::int32_t limit = iniReadInteger(file, "History", "Limit");
    Params.historyLimit = limit > 0 ? limit : AppParams {}.historyLimit;
}
