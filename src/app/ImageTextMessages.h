// The texts of text from images, in the interface language: the recogniser's and the picture
// reader's failures, made without knowing the interface language, and the window's own notices.
#pragma once

#include <QString>

namespace ImageTextMessages {

inline constexpr const char* Reading = "Reading the text in the image ...";
inline constexpr const char* Stopped = "Reading the image was stopped.";
inline constexpr const char* LowConfidence
    = "The image was hard to read (%1 % sure): please check the text.";
inline constexpr const char* AlreadyReading = "Text is being read from an image already.";
inline constexpr const char* TranslationRuns
    = "A translation is running: bring the image again when it has finished.";
inline constexpr const char* NotTranslated
    = "The text was not translated at once: a translation was running.";
inline constexpr const char* ImageFilter
    = "Images (*.png *.jpg *.jpeg *.webp *.tif *.tiff *.bmp *.gif)";
inline constexpr const char* ScreenAreaHint = "Drag over the text to read. Esc cancels.";
inline constexpr const char* ScreenNotCaptured = "The screen could not be captured.";
inline constexpr const char* NoPortal
    = "Text from a screen area needs the desktop's screenshot portal (the package "
      "xdg-desktop-portal and one for the desktop), which does not answer here.";
inline constexpr const char* PortalFailed = "The desktop's screenshot portal failed: %1";

// Makes the texts known to the message table; the program calls it before any is shown.
void addToMessageTable();

// One of these texts, or a failure of the recogniser or the picture reader, in the interface
// language.
QString inLanguage(const QString& englishText);

} // namespace ImageTextMessages
