// Prints the text Tesseract reads in pictures, with the confidence and time on stderr:
//   ocr-probe [--lang mar+eng] [--line | --page] [--raw] [--languages] IMAGE...
#include "ImageInput.h"
#include "ImageText.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    OcrOptions options;
    QStringList images;
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--lang" && i + 1 < arguments.size()) {
            options.languages = arguments[++i].toStdString();
        } else if (argument == "--line") {
            options.layout = PageLayout::SingleLine;
        } else if (argument == "--page") {
            options.layout = PageLayout::Page;
        } else if (argument == "--raw") {
            options.prepare = false;
        } else if (argument == "--languages") {
            for (const std::string& code : TextRecogniser::installedLanguages()) {
                std::printf("%s\n", code.c_str());
            }
        } else {
            images << argument;
        }
    }
    TextRecogniser recogniser(options);
    int status = 0;
    for (const QString& image : images) {
        try {
            const OcrResult result = recogniseImage(recogniser, readImageFile(image));
            std::printf("%s\n", result.text.c_str());
            std::fprintf(stderr, "%s: %zu words, confidence %.1f %%, %lld ms\n", qPrintable(image),
                result.words.size(), result.averageConfidence,
                static_cast<long long>(result.elapsed.count()));
        } catch (const Exception& error) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(image), error.what());
            status = 1;
        }
    }
    return status;
}
