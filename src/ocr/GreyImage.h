// The picture as the recogniser wants it: one byte of grey per pixel, rows without padding,
// prepared from whatever buffer the caller holds. No Qt here.
#pragma once

#include <cstdint>
#include <vector>

enum class PixelFormat
{
    Grey8,
    Rgb24
};

// A caller's pixels, borrowed for the length of one call.
struct ImageView
{
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // bytes from one row to the next
    PixelFormat format = PixelFormat::Grey8;
    int dpi = 96; // screenshots are 96 dots per inch; Tesseract is told, the scaling does not ask
};

struct GreyImage
{
    int width = 0;
    int height = 0;
    int dpi = 96;
    std::vector<std::uint8_t> pixels; // width * height bytes

    std::uint8_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Refuses an empty picture, and one above 40 megapixels before anything is allocated for it.
void checkImageSize(long long width, long long height);

// Copies the view into grey; a view whose sizes do not hold together raises OcrError.
GreyImage toGrey(const ImageView& view);

// The part of the picture that holds strokes, with a margin: blank parts of a screenshot only
// cost the recogniser time.
GreyImage croppedToText(const GreyImage& image);

// Light text on dark paper turned into dark text on light paper, which Tesseract reads without
// first trying the picture both ways.
GreyImage withDarkInk(GreyImage image);

// The bands of text that lie on top of one another, found from the rows with strokes: one band
// is a single line.
struct TextLines
{
    int count = 0;
    // The median height of the lines' cores, where most strokes are: vowel signs above and
    // below, ascenders and descenders mostly left out.
    int typicalHeight = 0;
};
TextLines findTextLines(const GreyImage& image);

// Scales small text up to the line height the recogniser reads best, never down, and never past
// a size that would only cost time.
GreyImage scaledForRecognition(const GreyImage& image, const TextLines& lines);
