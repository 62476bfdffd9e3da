// The settings globals and the one place that reads the settings file into them.
#include "Params.h"

#include "IniHelpers.h"

AppParams Params;
std::string SettingsFileName;
std::string CurrentLangFile;

void loadSettings()
{
    const std::string& file = SettingsFileName;
    Params.translator = 0;
    Params.direction = iniReadInteger(file, "General", "Direction");
    Params.autoPaste = iniReadBool(file, "General", "AutoPaste");
    Params.autoCopy = iniReadBool(file, "General", "AutoCopy");
    Params.displayLanguage = iniReadString(file, "General", "DisplayLanguage");
    Params.noProxy = iniReadBool(file, "Connection", "NoProxy");
    if (iniReadString(file, "Connection", "NoProxy").empty()) {
        Params.noProxy = true;
    }
    Params.address = iniReadString(file, "Connection", "Address");
    Params.port = iniReadString(file, "Connection", "Port");
    Params.userName = iniReadString(file, "Connection", "UserName");
    Params.password = iniReadString(file, "Connection", "Password");
}
