// The console's text from images.
#include "ConsoleOcr.h"

#include "AppStartup.h"
#include "CommandLine.h"
#include "ConsoleTranslation.h"
#include "ImageInput.h"
#include "ImageRecognition.h"
#include "ImageText.h"
#include "ImageTextSettings.h"

#include <QFileInfo>
#include <algorithm>

namespace {

void writeLine(std::FILE* file, const QString& text)
{
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
    std::fflush(file);
}

void reportFailure(std::FILE* errors, const QString& reason)
{
    writeLine(errors, QStringLiteral("quendra: ") + reason);
}

std::string languagesToRead(const ConsoleOcrSetup& setup)
{
    if (!setup.languages.isEmpty()) {
        return setup.languages.toStdString();
    }
    AppStartup::useSettingsFile();
    return loadImageTextSettings().languages;
}

// The first language asked for whose data is not installed; empty when all are.
QString missingLanguage(const QString& languages)
{
    const std::vector<std::string> installed = TextRecogniser::installedLanguages();
    for (const QString& code : languages.split(u'+')) {
        if (std::find(installed.begin(), installed.end(), code.toStdString()) == installed.end()) {
            return code;
        }
    }
    return {};
}

QString installedList()
{
    QStringList codes;
    for (const std::string& code : TextRecogniser::installedLanguages()) {
        codes += QString::fromStdString(code);
    }
    return codes.isEmpty() ? QStringLiteral("none") : codes.join(QStringLiteral(", "));
}

// The picture's text without the line ends after it; empty after a failure, which is reported.
QString readPicture(TextRecogniser& recogniser, const QString& fileName, std::FILE* errors)
{
    QImage image;
    try {
        image = readImageFile(fileName);
    } catch (const OcrError& failure) {
        // The reading's texts name the picture themselves.
        reportFailure(errors, QString::fromUtf8(failure.what()));
        return {};
    }
    try {
        QString text = QString::fromStdString(recogniseImage(recogniser, image).text);
        while (text.endsWith(u'\n')) {
            text.chop(1);
        }
        return text;
    } catch (const OcrError& failure) {
        reportFailure(errors,
            QFileInfo(fileName).fileName() + QStringLiteral(": ")
                + QString::fromUtf8(failure.what()));
        return {};
    }
}

} // namespace

int recogniseOnConsole(const ConsoleOcrSetup& setup)
{
    if (!setup.languages.isEmpty()) {
        if (const QString missing = missingLanguage(setup.languages); !missing.isEmpty()) {
            reportFailure(setup.errors,
                QStringLiteral("No data for the language '%1' is installed (installed: %2).")
                    .arg(missing, installedList()));
            return ExitUsage;
        }
    }
    const std::string languages = languagesToRead(setup);
    try {
        TextRecogniser::checkInstalled(ocrOptionsFor(languages));
    } catch (const OcrError& missing) {
        reportFailure(setup.errors, QString::fromUtf8(missing.what()));
        return ExitFailure;
    }
    TextRecogniser recogniser(ocrOptionsFor(languages));
    QStringList texts;
    bool failed = false;
    for (const QString& fileName : setup.images) {
        const QString text = readPicture(recogniser, fileName, setup.errors);
        failed = failed || text.isEmpty();
        if (!text.isEmpty()) {
            texts += text;
        }
    }
    const QString all = texts.join(QStringLiteral("\n\n"));
    if (!setup.translate) {
        if (!all.isEmpty()) {
            writeLine(setup.output, all);
        }
        return failed ? ExitFailure : ExitSuccess;
    }
    if (all.isEmpty()) {
        return ExitFailure;
    }
    ConsoleTranslationSetup translation;
    translation.texts = QStringList {all};
    translation.from = setup.from;
    translation.output = setup.output;
    translation.errors = setup.errors;
    const int translated = translateOnConsole(translation);
    return failed ? ExitFailure : translated;
}
