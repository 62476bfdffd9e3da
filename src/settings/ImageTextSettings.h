// The settings of text from images: the languages pictures are read in, and whether the text read
// is translated at once. They live in their own section of the settings file.
#pragma once

#include <string>

struct ImageTextSettings
{
    // Tesseract's language codes joined by "+".
    std::string languages;
    bool translateAtOnce = false;
};

inline constexpr const char* DefaultImageTextLanguages = "mar+eng";

// Reads SettingsFileName; no languages stored reads as DefaultImageTextLanguages.
ImageTextSettings loadImageTextSettings();
// Writes both keys; a failed write raises IniWriteError.
void saveImageTextSettings(const ImageTextSettings& settings);
