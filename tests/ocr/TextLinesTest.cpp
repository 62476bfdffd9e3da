// Finding the lines of a picture, which decides between reading one line and reading a page, and
// how far small text is scaled up.
#include "GreyImage.h"
#include "TextImage.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

const char* const Paragraph = "महाराष्ट्रातील अनेक गावांमध्ये पावसाळ्याच्या सुरुवातीला शेतकरी "
                              "पेरणीची तयारी करतात. गावातील शाळेत विद्यार्थ्यांसाठी नवीन ग्रंथालय "
                              "सुरू झाले असून, तेथे इतिहास, विज्ञान आणि साहित्याची पुस्तके "
                              "उपलब्ध आहेत.";

TextLines linesOf(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    return findTextLines(toGrey({grey.constBits(), grey.width(), grey.height(),
        int(grey.bytesPerLine()), PixelFormat::Grey8}));
}

TEST(TextLines, CountsTheLinesOfSmallDevanagariWhoseSignsTouch)
{
    const struct
    {
        int pixelSize;
        int wrapWidth;
        int lines;
    } cases[] = {{12, 0, 1}, {12, 300, 4}, {16, 0, 1}, {16, 400, 4}, {24, 500, 4}};
    for (const auto& [pixelSize, wrapWidth, lines] : cases) {
        const QImage image = renderText(QString::fromUtf8(Paragraph),
            {"Noto Sans Devanagari", pixelSize, Qt::white, QColor(0x20, 0x20, 0x20), wrapWidth});
        const TextLines found = linesOf(image);
        EXPECT_EQ(found.count, lines) << pixelSize << " px in " << wrapWidth;
        EXPECT_GT(found.typicalHeight, pixelSize / 2);
        EXPECT_LE(found.typicalHeight, pixelSize * 3 / 2);
    }
}

// The panel is the commonest grey of the picture, and its rows have ink but no strokes.
TEST(TextLines, ADarkPanelIsNoLine)
{
    QImage image = renderText("One line of text beside a dark panel",
        {"Noto Sans Devanagari", 16, Qt::white, Qt::black, 0, 12});
    QImage screen(image.width(), image.height() * 6, QImage::Format_RGB32);
    screen.fill(QColor(0x30, 0x30, 0x30));
    QPainter(&screen).drawImage(0, 0, image);
    EXPECT_EQ(linesOf(screen).count, 1);
}

TEST(TextLines, SmallTextIsScaledUpAndLargeTextLeftAlone)
{
    const QImage small = renderText("small", {"Noto Sans Devanagari", 12});
    const QImage grey = small.convertToFormat(QImage::Format_Grayscale8);
    const GreyImage image
        = toGrey({grey.constBits(), grey.width(), grey.height(), int(grey.bytesPerLine())});
    const GreyImage scaled = scaledForRecognition(image, findTextLines(image));
    EXPECT_GT(scaled.width, image.width * 2);
    EXPECT_GT(scaled.dpi, 192);
    EXPECT_EQ(findTextLines(scaled).count, 1);

    const QImage large = renderText("large", {"Noto Sans Devanagari", 40})
                             .convertToFormat(QImage::Format_Grayscale8);
    const GreyImage largeImage
        = toGrey({large.constBits(), large.width(), large.height(), int(large.bytesPerLine())});
    EXPECT_EQ(scaledForRecognition(largeImage, findTextLines(largeImage)).width, largeImage.width);
}

} // namespace
