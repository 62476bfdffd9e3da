// Character error rate and time of text recognition, per font, size and paper, on paragraphs this
// program draws itself as a 96-dot-per-inch screenshot shows them. Beside each prepared reading
// stands Tesseract's reading of the same picture as it comes (grey, unscaled, uncleaned), and a
// 1280 × 720 screenshot full of text is timed on its own.
//   ocr_bench [--show]   (--show prints every reading)
#include "ImageText.h"
#include "TextImage.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString Marathi
    = QString::fromUtf8("महाराष्ट्रातील अनेक गावांमध्ये पावसाळ्याच्या सुरुवातीला शेतकरी पेरणीची तयारी करतात. "
                        "गावातील शाळेत विद्यार्थ्यांसाठी नवीन ग्रंथालय सुरू झाले असून, तेथे इतिहास, विज्ञान आणि "
                        "साहित्याची पुस्तके उपलब्ध आहेत. आरोग्य केंद्राने सूचना दिली आहे की सर्व नागरिकांनी स्वच्छ "
                        "पाणी प्यावे आणि ताप आल्यास त्वरित डॉक्टरांचा सल्ला घ्यावा. संत ज्ञानेश्वरांनी ज्ञानेश्वरी "
                        "लिहिली। ती मराठी भाषेतील श्रेष्ठ ग्रंथांपैकी एक मानली जाते।");

const QString English = QString::fromUtf8(
    "The village council will meet next Tuesday to discuss the repair of the main road and the "
    "new water supply. Farmers are asked to register for the seed programme before the end of "
    "the month. The school library is now open every weekday from nine to five, and children "
    "may borrow up to three books at a time.");

struct Reading
{
    double errorRate = 100;
    long long milliseconds = 0;
    QString text;
};

Reading readText(TextRecogniser& recogniser, const QImage& image, const QString& expected)
{
    Reading reading;
    try {
        const OcrResult result = recogniseImage(recogniser, image);
        reading.text = QString::fromStdString(result.text);
        reading.milliseconds = result.elapsed.count();
    } catch (const Exception& error) {
        reading.text = QString::fromStdString(error.message());
    }
    reading.errorRate = characterErrorRate(expected, reading.text);
    return reading;
}

// A screen full of text: both paragraphs, over and over, in a 1280 × 720 window.
QImage screenshot()
{
    const QString pair = Marathi + "\n\n" + English + "\n\n";
    QImage text = renderText(pair + pair + pair + pair + pair,
        {"Noto Sans Devanagari", 16, Qt::white, QColor(0x20, 0x20, 0x20), 1240, 20});
    return text.copy(0, 0, 1280, 720);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const bool show = app.arguments().contains("--show");
    OcrOptions raw;
    raw.prepare = false;
    raw.layout = PageLayout::Page;
    TextRecogniser prepared;
    TextRecogniser unprepared(raw);

    std::printf("%-22s %-8s %4s %-6s %6s %8s %9s %9s\n", "font", "text", "px", "paper", "CER %",
        "ms", "raw CER %", "raw ms");
    for (const QString family : {"Noto Sans Devanagari", "Lohit Marathi"}) {
        for (const auto& [language, text] :
            {std::pair {"Marathi", Marathi}, std::pair {"English", English}}) {
            for (const int size : {12, 16, 24}) {
                for (const auto& [paperName, paper] : {std::pair {"white", QColor(Qt::white)},
                         std::pair {"grey", QColor(0xe6, 0xe6, 0xe6)}}) {
                    const QImage image = renderText(
                        text, {family, size, paper, QColor(0x20, 0x20, 0x20), 620, 12});
                    if (getenv("SAVE")) {
                        image.save(QString("/tmp/ocr-%1-%2-%3-%4.png")
                                       .arg(family.left(4), language)
                                       .arg(size)
                                       .arg(paperName));
                    }
                    const Reading ours = readText(prepared, image, text);
                    const Reading theirs = readText(unprepared, image, text);
                    std::printf("%-22s %-8s %4d %-6s %6.2f %8lld %9.2f %9lld\n", qPrintable(family),
                        language, size, paperName, ours.errorRate, ours.milliseconds,
                        theirs.errorRate, theirs.milliseconds);
                    if (show) {
                        std::printf(
                            "%s\n---\n%s\n===\n", qPrintable(ours.text), qPrintable(theirs.text));
                    }
                }
            }
        }
    }
    const QImage screen = screenshot();
    if (getenv("SAVE"))
        screen.save("/tmp/ocr-screen.png");
    for (int turn = 0; turn < 3; ++turn) {
        const Reading ours = readText(prepared, screen, {});
        const Reading theirs = readText(unprepared, screen, {});
        std::printf("1280 x 720 screenshot: %lld ms prepared, %lld ms raw\n", ours.milliseconds,
            theirs.milliseconds);
    }
    return 0;
}
