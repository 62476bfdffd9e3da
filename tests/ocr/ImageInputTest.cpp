// Pictures that must be refused with a clear message before they cost memory or crash a decoder:
// sizes claimed by a header, cut-off files, empty and animated pictures.
#include "ImageInput.h"

#include "ImageText.h"
#include "TextImage.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void putBigEndian(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = char(value >> (24 - 8 * i));
    }
}

quint32 crc32(const char* data, int size)
{
    quint32 crc = 0xFFFFFFFF;
    for (int i = 0; i < size; ++i) {
        crc ^= quint8(data[i]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

// A real PNG whose header claims another size, with a valid checksum, so the decoder believes it.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QImage small(4, 4, QImage::Format_RGB32);
    small.fill(Qt::white);
    QByteArray png = encoded(small, "PNG");
    putBigEndian(png, 16, width);
    putBigEndian(png, 20, height);
    putBigEndian(png, 29, crc32(png.constData() + 12, 17));
    return png;
}

// A BMP header claiming a size, followed by no pixels at all.
QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    const auto putLittleEndian = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i) {
            bmp[at + i] = char(value >> (8 * i));
        }
    };
    putLittleEndian(2, 54);
    putLittleEndian(10, 54);
    putLittleEndian(14, 40);
    putLittleEndian(18, quint32(width));
    putLittleEndian(22, quint32(height));
    bmp[26] = 1; // planes
    bmp[28] = 24; // bits per pixel
    return bmp;
}

// Two 1 × 1 frames, white then black.
QByteArray animatedGif()
{
    const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0,
        0xFF, 0xFF, 0xFF, // palette: black, white
        0x21, 0xF9, 4, 0, 10, 0, 0, 0, // 0.1 s per frame
        0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, // frame 1: colour 1
        0x21, 0xF9, 4, 0, 10, 0, 0, 0, //
        0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, // frame 2: colour 0
        0x3B};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}

std::string errorReading(const QByteArray& data)
{
    try {
        readImageData(data);
    } catch (const OcrError& error) {
        return error.message();
    }
    return "no error";
}

TEST(ImageInput, RefusesBadPicturesWithAMessage)
{
    const QByteArray png = encoded(renderText("Cut short", {"Noto Sans Devanagari", 16}), "PNG");
    const struct
    {
        const char* what;
        QByteArray data;
        std::string message;
    } cases[] = {
        {"a 20,000 × 20,000 PNG", pngClaiming(20000, 20000),
            "The image is too large for text recognition: 20000 × 20000 pixels, more than 40 "
            "megapixels."},
        // Qt's reader gives no size for this header; its allocation limit stops the decoding.
        {"a 30,000 × 30,000 BMP", bmpClaiming(30000, 30000),
            "The pasted image could not be read: Unable to read image data."},
        {"a PNG of no width", pngClaiming(0, 100),
            "The pasted image could not be read: Unable to read image data."},
        {"a PNG cut in half", png.left(png.size() / 2),
            "The pasted image could not be read: Unable to read image data."},
        {"no bytes", QByteArray(),
            "The pasted image is in no format Quendra can read (PNG, JPEG, WebP, TIFF, BMP or "
            "GIF)."},
        {"text", QByteArray("Not a picture at all"),
            "The pasted image is in no format Quendra can read (PNG, JPEG, WebP, TIFF, BMP or "
            "GIF)."},
    };
    for (const auto& [what, data, message] : cases) {
        EXPECT_EQ(errorReading(data), message) << what;
    }
}

TEST(ImageInput, AnimationsGiveTheirFirstFrame)
{
    const QImage first = readImageData(animatedGif());
    ASSERT_EQ(first.size(), QSize(1, 1));
    EXPECT_EQ(first.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(ImageInput, FilesAreNamedInTheirMessages)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("missing.png");
    try {
        readImageFile(missing);
        FAIL() << "no error";
    } catch (const OcrError& error) {
        EXPECT_EQ(error.message(),
            "The image \"missing.png\" could not be opened: No such file or directory.");
    }
    const QString picture = folder.filePath("line.png");
    ASSERT_TRUE(renderText("A file", {"Noto Sans Devanagari", 16}).save(picture));
    EXPECT_EQ(
        readImageFile(picture).size(), renderText("A file", {"Noto Sans Devanagari", 16}).size());
}

// What a paste or a drop hands over.
TEST(ImageInput, FindsThePictureAmongPastedOrDroppedData)
{
    QTemporaryDir folder;
    const QImage line = renderText("Pasted", {"Noto Sans Devanagari", 16});
    const QString picture = folder.filePath("picture.png");
    const QString text = folder.filePath("picture.txt");
    ASSERT_TRUE(line.save(picture));
    QFile textFile(text);
    ASSERT_TRUE(textFile.open(QIODevice::WriteOnly));
    textFile.write("Only text");
    textFile.close();

    QMimeData bytes;
    bytes.setData("image/png", encoded(line, "PNG"));
    QMimeData decoded;
    decoded.setImageData(line);
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(text), QUrl::fromLocalFile(picture)});
    for (const QMimeData* data : {&bytes, &decoded, &file}) {
        EXPECT_TRUE(holdsImage(*data)) << data->formats().join(' ').toStdString();
        EXPECT_EQ(readImage(*data).size(), line.size());
    }

    QMimeData bomb;
    bomb.setData("image/png", pngClaiming(20000, 20000));
    EXPECT_THROW(readImage(bomb), OcrError);
    QMimeData textOnly;
    textOnly.setText("Only text");
    textOnly.setUrls({QUrl::fromLocalFile(text)});
    EXPECT_FALSE(holdsImage(textOnly));
    try {
        readImage(textOnly);
        FAIL() << "no error";
    } catch (const OcrError& error) {
        EXPECT_EQ(error.message(), "There is no picture to read text from.");
    }
}

TEST(ImageInput, SizesAreCheckedBeforeAnythingIsAllocated)
{
    const struct
    {
        long long width;
        long long height;
        bool accepted;
    } cases[] = {
        {8000, 5000, true},
        {8001, 5000, false},
        {1, 1, true},
        {0, 100, false},
        {100, 0, false},
        {-5, 100, false},
        {2147483647, 2147483647, false},
    };
    for (const auto& [width, height, accepted] : cases) {
        if (accepted) {
            EXPECT_NO_THROW(checkImageSize(width, height)) << width << " × " << height;
        } else {
            EXPECT_THROW(checkImageSize(width, height), OcrError) << width << " × " << height;
        }
    }
    TextRecogniser recogniser;
    try {
        recogniseImage(recogniser, QImage());
        FAIL() << "no error";
    } catch (const OcrError& error) {
        EXPECT_EQ(error.message(), "The image is empty: it has no pixels.");
    }
    const std::uint8_t pixels[6] = {};
    EXPECT_THROW(recogniser.recognise({pixels, 3, 2, 2, PixelFormat::Grey8}), OcrError);
    EXPECT_THROW(recogniser.recognise({pixels, 2, 2, 3, PixelFormat::Rgb24}), OcrError);
    EXPECT_THROW(recogniser.recognise({nullptr, 2, 2, 2, PixelFormat::Grey8}), OcrError);
}

} // namespace
