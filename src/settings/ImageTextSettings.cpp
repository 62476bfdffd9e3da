// Reading and writing the settings of text from images.
#include "ImageTextSettings.h"

#include "IniHelpers.h"
#include "Params.h"

namespace {

constexpr const char* Section = "Images";

} // namespace

ImageTextSettings loadImageTextSettings()
{
    ImageTextSettings settings;
    settings.languages = iniReadString(SettingsFileName, Section, "Languages");
    if (settings.languages.empty()) {
        settings.languages = DefaultImageTextLanguages;
    }
    settings.translateAtOnce = iniReadBool(SettingsFileName, Section, "TranslateAtOnce");
    return settings;
}

void saveImageTextSettings(const ImageTextSettings& settings)
{
    iniWriteString(SettingsFileName, Section, "Languages", settings.languages);
    iniWriteBool(SettingsFileName, Section, "TranslateAtOnce", settings.translateAtOnce);
}
