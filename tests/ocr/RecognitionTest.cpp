// Recognition of text drawn as a 96-dot-per-inch screen shows it, through the whole path a window
// takes: QImage, grey, line finding and scaling, Tesseract, cleaning, composed Unicode.
#include "ImageText.h"
#include "TextImage.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

std::string readText(const QImage& image, OcrOptions options = {})
{
    TextRecogniser recogniser(std::move(options));
    return recogniseImage(recogniser, image).text;
}

struct Line
{
    const char* text;
    const char* family;
    int pixelSize;
};

class RecognisedLine : public testing::TestWithParam<Line>
{ };

// A letter or two may go wrong; a conjunct that falls apart or a lost word may not.
TEST_P(RecognisedLine, ReadsBackAsDrawn)
{
    const Line line = GetParam();
    const QString text = QString::fromUtf8(line.text);
    const std::string read = readText(renderText(text, {line.family, line.pixelSize}));
    EXPECT_LE(characterErrorRate(text, QString::fromStdString(read)), 3.0) << read;
}

INSTANTIATE_TEST_SUITE_P(MarathiAndEnglish, RecognisedLine,
    testing::Values(Line {"आरोग्य केंद्राने सूचना दिली आहे", "Noto Sans Devanagari", 16},
        Line {"विद्यार्थ्यांसाठी नवीन ग्रंथालय सुरू झाले", "Lohit Marathi", 16},
        // Small text is scaled up before reading: unscaled, the conjuncts fall apart.
        Line {"राष्ट्रीय विद्यार्थ्यांनी उद्घाटन कृष्ण श्रद्धा", "Noto Sans Devanagari", 11},
        Line {"The council will meet next Tuesday.", "Noto Sans Devanagari", 12}));

// Tesseract reads most of these dandas of small Lohit Marathi as vertical bars.
TEST(Recognition, DandasReadAsBarsComeBackAsDandas)
{
    const QString text
        = QString::fromUtf8("राम म्हणाला । आज शाळेला सुट्टी आहे ॥ १ ॥ सीता म्हणाली । मग आपण बागेत जाऊ ।");
    const QString read = QString::fromStdString(readText(renderText(text, {"Lohit Marathi", 11})));
    EXPECT_EQ(read.count(QChar(0x0964)), 3) << read.toStdString();
    EXPECT_FALSE(read.contains('|')) << read.toStdString();
}

TEST(Recognition, KeepsLineBreaksAndReadsThePageAsAPage)
{
    TextRecogniser recogniser;
    const OcrResult result = recogniseImage(recogniser,
        renderText(QString::fromUtf8("पुढील आठवड्यात सभा होणार आहे\nThe school library is open\n\n"
                                     "रस्त्यांची दुरुस्ती होईल"),
            {"Noto Sans Devanagari", 16}));
    EXPECT_EQ(
        result.text, "पुढील आठवड्यात सभा होणार आहे\nThe school library is open\n\nरस्त्यांची दुरुस्ती होईल");
    ASSERT_EQ(result.words.size(), 13u);
    EXPECT_EQ(result.words.front().text, "पुढील");
    EXPECT_GT(result.averageConfidence, 80);
    EXPECT_LE(result.averageConfidence, 100);
    EXPECT_GT(result.elapsed.count(), 0);
}

// Screenshots with transparent parts, such as a window's rounded corners, arrive with alpha.
TEST(Recognition, TransparentPaperCountsAsWhite)
{
    const QImage drawn = renderText("Transparent paper", {"Noto Sans Devanagari", 16});
    QImage transparent(drawn.size(), QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            // Ink stays as opaque dark grey; paper becomes fully transparent black.
            const int ink = 255 - qGray(drawn.pixel(x, y));
            transparent.setPixel(x, y, qRgba(0, 0, 0, ink));
        }
    }
    EXPECT_EQ(readText(transparent), "Transparent paper");
}

TEST(Recognition, AStoppedJobEndsAndTheRecogniserStaysUsable)
{
    const QImage line = renderText("Stop here", {"Noto Sans Devanagari", 16});
    TextRecogniser recogniser;
    OcrJob stoppedEarly;
    stoppedEarly.stopRequested = true;
    EXPECT_THROW(recogniseImage(recogniser, line, &stoppedEarly), AbortException);
    EXPECT_EQ(recogniseImage(recogniser, line).text, "Stop here");

    // Stopped from another thread once the reading has begun, as the window's Stop does.
    QString page;
    for (int paragraph = 0; paragraph < 3; ++paragraph) {
        page += QString::fromUtf8("महाराष्ट्रातील अनेक गावांमध्ये पावसाळ्याच्या सुरुवातीला शेतकरी "
                                  "पेरणीची तयारी करतात. The village council will meet next "
                                  "Tuesday to discuss the repair of the main road.\n");
    }
    OcrJob job;
    std::atomic<bool> finished {false};
    std::thread stopper([&] {
        while (!finished && job.percent == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        job.stopRequested = true;
    });
    EXPECT_THROW(recogniseImage(recogniser,
                     renderText(page,
                         {"Noto Sans Devanagari", 16, Qt::white, QColor(0x20, 0x20, 0x20), 800}),
                     &job),
        AbortException);
    finished = true;
    stopper.join();
    EXPECT_GT(job.percent, 0);
    EXPECT_LT(job.percent, 100);
    // A Stop that comes after its job is over touches no other job.
    EXPECT_EQ(recogniseImage(recogniser, line).text, "Stop here");
}

// Tesseract reads the box's edge as a line holding "|".
TEST(Recognition, APictureWithoutTextSaysSo)
{
    QImage blank(300, 120, QImage::Format_RGB32);
    blank.fill(QColor(0xe6, 0xe6, 0xe6));
    QPainter(&blank).fillRect(20, 20, 100, 60, Qt::darkBlue);
    try {
        readText(blank);
        FAIL() << "no error";
    } catch (const NoTextFound& error) {
        EXPECT_STREQ(error.what(), "No text found in the image.");
    }
}

TEST(Recognition, MissingLanguageDataNamesThePackageToInstall)
{
    QTemporaryDir empty;
    const QImage line = renderText("Any text", {"Noto Sans Devanagari", 16});
    const struct
    {
        std::string languages;
        std::string message;
    } cases[] = {
        {"mar+eng",
            "Tesseract's data for Marathi is not installed: install the Debian package "
            "tesseract-ocr-mar."},
        {"eng",
            "Tesseract's data for English is not installed: install the Debian package "
            "tesseract-ocr-eng."},
        {"chi_sim",
            "Tesseract's data for the language \"chi_sim\" is not installed: install the "
            "Debian package tesseract-ocr-chi-sim."},
        {"mar+../eng", "\"mar+../eng\" is not a list of Tesseract languages such as mar+eng."},
        {"", "\"\" is not a list of Tesseract languages such as mar+eng."},
    };
    for (const auto& [languages, message] : cases) {
        const OcrOptions options {languages, empty.path().toStdString()};
        try {
            TextRecogniser::checkInstalled(options);
            FAIL() << languages;
        } catch (const OcrError& error) {
            EXPECT_EQ(error.message(), message);
        }
        try {
            readText(line, options);
            FAIL() << languages;
        } catch (const OcrError& error) {
            EXPECT_EQ(error.message(), message);
        }
    }
    EXPECT_TRUE(TextRecogniser::installedLanguages(empty.path().toStdString()).empty());
    const auto installed = TextRecogniser::installedLanguages();
    EXPECT_NE(std::find(installed.begin(), installed.end(), "mar"), installed.end());
    EXPECT_NE(std::find(installed.begin(), installed.end(), "eng"), installed.end());
}

// A data file cut short by a full disk or a broken download. Tesseract itself would go on
// without the second language and read Marathi's English words as Marathi.
TEST(Recognition, DamagedLanguageDataIsReportedNotRead)
{
    const struct
    {
        std::string damaged;
        std::string name;
    } cases[] = {{"mar", "Marathi"}, {"eng", "English"}};
    for (const auto& [damaged, name] : cases) {
        QTemporaryDir folder;
        for (const std::string code : {"mar", "eng"}) {
            QFile source(QString::fromStdString(
                TextRecogniser::defaultTessdataFolder() + "/" + code + ".traineddata"));
            ASSERT_TRUE(source.open(QIODevice::ReadOnly));
            QFile copy(folder.filePath(QString::fromStdString(code + ".traineddata")));
            ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
            copy.write(source.read(code == damaged ? 4096 : source.size()));
        }
        const std::string path = folder.path().toStdString();
        try {
            readText(renderText("Any text", {"Noto Sans Devanagari", 16}), {"mar+eng", path});
            FAIL() << damaged;
        } catch (const OcrError& error) {
            EXPECT_EQ(error.message(),
                "Tesseract could not read its data for " + name + " in " + path
                    + ": install the Debian package tesseract-ocr-" + damaged + " again.");
        }
    }
}

} // namespace
