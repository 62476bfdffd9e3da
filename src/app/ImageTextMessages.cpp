// Text from images under the names the language files give its texts.
#include "ImageTextMessages.h"

#include "MessageTexts.h"

#include <QStringList>

void ImageTextMessages::addToMessageTable()
{
    const auto line = [](const char* name, const char* englishText) {
        return QString::fromLatin1(name) + u'=' + QString::fromUtf8(englishText);
    };
    MessageTexts::instance().addKnownTexts({
        line("msgOcrReading", Reading),
        line("msgOcrStopped", Stopped),
        line("msgOcrLowConfidence", LowConfidence),
        line("msgOcrBusy", AlreadyReading),
        line("msgOcrTranslationRuns", TranslationRuns),
        line("msgOcrNotTranslated", NotTranslated),
        line("msgImageFilter", ImageFilter),
        line("msgScreenAreaHint", ScreenAreaHint),
        line("msgScreenNotCaptured", ScreenNotCaptured),
        line("msgNoScreenshotPortal", NoPortal),
        line("msgScreenshotPortalFailed", PortalFailed),
        // The recogniser's and the picture reader's own texts.
        line("msgOcrNoText", "No text found in the image."),
        line("msgOcrNoLibrary",
            "Text from images needs the Tesseract library: install the "
            "Debian package libtesseract5."),
        line("msgOcrNoData",
            "Tesseract's data for %1 is not installed: install the Debian package %2."),
        line("msgOcrBadData",
            "Tesseract could not read its data for %1 in %2: install the Debian "
            "package %3 again."),
        line("msgOcrBadLanguages", "\"%1\" is not a list of Tesseract languages such as mar+eng."),
        line("msgOcrTooLong", "Text recognition took longer than a minute and was stopped."),
        line("msgOcrFailed", "Tesseract could not read the image."),
        line("msgImageEmpty", "The image is empty: it has no pixels."),
        line("msgImageTooLarge",
            "The image is too large for text recognition: %1 × %2 pixels, "
            "more than 40 megapixels."),
        line("msgImageFormat",
            "The image \"%1\" is in no format Quendra can read (PNG, JPEG, "
            "WebP, TIFF, BMP or GIF)."),
        line("msgImageUnreadable", "The image \"%1\" could not be read: %2."),
        line("msgImageUnopened", "The image \"%1\" could not be opened: %2."),
        line("msgPastedFormat",
            "The pasted image is in no format Quendra can read (PNG, JPEG, "
            "WebP, TIFF, BMP or GIF)."),
        line("msgPastedUnreadable", "The pasted image could not be read: %1."),
        line("msgNoPicture", "There is no picture to read text from."),
    });
}

QString ImageTextMessages::inLanguage(const QString& englishText)
{
    return MessageTexts::instance().translate(englishText);
}
