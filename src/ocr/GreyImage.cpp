// Grey conversion, line finding and scaling for the recogniser: small screen text is read far
// better once its lines are a few dozen pixels high.
#include "GreyImage.h"

#include "OcrError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr long long MaximumPixels = 40'000'000;
// The height of a line's core (vowel signs above and below left out) that Tesseract's Marathi
// and English models read best, measured on text drawn at 12 to 24 pixels in two fonts: 28 pixels
// beat 34 and 40, and beat scaling screenshots to 300 dots per inch.
constexpr double TargetLineHeight = 28.0;
constexpr double LargestScale = 4.0;
// Past this size a larger picture only costs the recogniser time.
constexpr double LargestScaledPixels = 16'000'000.0;

std::uint8_t luminance(const std::uint8_t* rgb)
{
    return static_cast<std::uint8_t>((77 * rgb[0] + 150 * rgb[1] + 29 * rgb[2]) >> 8);
}

double scaleFor(const GreyImage& image, const TextLines& lines)
{
    if (lines.count == 0) {
        return 1;
    }
    const double pixels = double(image.width) * image.height;
    double scale = std::clamp(TargetLineHeight / lines.typicalHeight, 1.0, LargestScale);
    if (pixels * scale * scale > LargestScaledPixels) {
        scale = std::max(1.0, std::sqrt(LargestScaledPixels / pixels));
    }
    return scale;
}

// Strokes, not dark pixels, mark text: a dark panel, a photograph's sky or light text on a dark
// window have no strokes.
bool isStroke(const GreyImage& image, int x, int y)
{
    constexpr int StrokeContrast = 48;
    return std::abs(image.at(x, y) - image.at(x - 1, y)) >= StrokeContrast;
}

GreyImage copyOf(const GreyImage& image, int left, int top, int width, int height)
{
    GreyImage copy {
        width, height, image.dpi, std::vector<std::uint8_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const auto row = image.pixels.begin() + std::ptrdiff_t(top + y) * image.width + left;
        std::copy(row, row + width, copy.pixels.begin() + std::ptrdiff_t(y) * width);
    }
    return copy;
}

} // namespace

void checkImageSize(long long width, long long height)
{
    if (width <= 0 || height <= 0) {
        throw OcrError("The image is empty: it has no pixels.");
    }
    if (width * height > MaximumPixels) {
        throw OcrError("The image is too large for text recognition: " + std::to_string(width)
            + " × " + std::to_string(height) + " pixels, more than 40 megapixels.");
    }
}

GreyImage toGrey(const ImageView& view)
{
    checkImageSize(view.width, view.height);
    const int bytesPerPixel = view.format == PixelFormat::Rgb24 ? 3 : 1;
    if (!view.pixels || view.stride < view.width * bytesPerPixel) {
        throw OcrError("The image's pixels do not match its size.");
    }
    GreyImage grey {view.width, view.height, view.dpi > 0 ? view.dpi : 96,
        std::vector<std::uint8_t>(std::size_t(view.width) * view.height)};
    for (int y = 0; y < view.height; ++y) {
        const std::uint8_t* row = view.pixels + std::size_t(y) * view.stride;
        std::uint8_t* out = grey.pixels.data() + std::size_t(y) * view.width;
        if (bytesPerPixel == 1) {
            std::copy(row, row + view.width, out);
            continue;
        }
        for (int x = 0; x < view.width; ++x) {
            out[x] = luminance(row + 3 * x);
        }
    }
    return grey;
}

GreyImage scaledForRecognition(const GreyImage& image, const TextLines& lines)
{
    const double scale = scaleFor(image, lines);
    if (scale < 1.05) {
        return image;
    }
    const int width = std::max(1, int(std::lround(image.width * scale)));
    const int height = std::max(1, int(std::lround(image.height * scale)));
    GreyImage scaled {width, height, int(std::lround(image.dpi * scale)),
        std::vector<std::uint8_t>(std::size_t(width) * height)};
    // Bilinear: each output pixel blends the four source pixels around its centre.
    for (int y = 0; y < height; ++y) {
        const double sy = std::clamp((y + 0.5) / scale - 0.5, 0.0, image.height - 1.0);
        const int y0 = int(sy);
        const int y1 = std::min(y0 + 1, image.height - 1);
        const double fy = sy - y0;
        for (int x = 0; x < width; ++x) {
            const double sx = std::clamp((x + 0.5) / scale - 0.5, 0.0, image.width - 1.0);
            const int x0 = int(sx);
            const int x1 = std::min(x0 + 1, image.width - 1);
            const double fx = sx - x0;
            const double top = image.at(x0, y0) * (1 - fx) + image.at(x1, y0) * fx;
            const double bottom = image.at(x0, y1) * (1 - fx) + image.at(x1, y1) * fx;
            scaled.pixels[std::size_t(y) * width + x]
                = static_cast<std::uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
        }
    }
    return scaled;
}

GreyImage croppedToText(const GreyImage& image)
{
    constexpr int Margin = 16;
    int left = image.width;
    int right = -1;
    int top = image.height;
    int bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 1; x < image.width; ++x) {
            if (isStroke(image, x, y)) {
                left = std::min(left, x - 1);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return image;
    }
    left = std::max(0, left - Margin);
    top = std::max(0, top - Margin);
    right = std::min(image.width - 1, right + Margin);
    bottom = std::min(image.height - 1, bottom + Margin);
    return copyOf(image, left, top, right - left + 1, bottom - top + 1);
}

GreyImage withDarkInk(GreyImage image)
{
    std::uint64_t sum = 0;
    for (const std::uint8_t grey : image.pixels) {
        sum += grey;
    }
    if (sum < std::uint64_t(128) * image.pixels.size()) {
        for (std::uint8_t& grey : image.pixels) {
            grey = std::uint8_t(255 - grey);
        }
    }
    return image;
}

TextLines findTextLines(const GreyImage& image)
{
    std::vector<int> inkPerRow(image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 1; x < image.width; ++x) {
            inkPerRow[y] += isStroke(image, x, y);
        }
    }
    // The vowel signs of one line can reach into the rows of the next, so only rows with a fair
    // share of strokes belong to a line.
    const int busiest = *std::max_element(inkPerRow.begin(), inkPerRow.end());
    const int threshold = std::max(1, busiest / 20);
    std::vector<int> bandHeights;
    bool inBand = false;
    for (const int ink : inkPerRow) {
        const bool inked = ink >= threshold;
        if (inked && !inBand) {
            bandHeights.push_back(0);
        }
        if (inked) {
            ++bandHeights.back();
        }
        inBand = inked;
    }
    if (bandHeights.empty()) {
        return {};
    }
    // Dots above the head-stroke, underlines and specks make thin bands of their own.
    const int tallest = *std::max_element(bandHeights.begin(), bandHeights.end());
    std::erase_if(bandHeights, [tallest](int height) { return height * 5 < tallest * 2; });
    std::nth_element(
        bandHeights.begin(), bandHeights.begin() + bandHeights.size() / 2, bandHeights.end());
    return {int(bandHeights.size()), bandHeights[bandHeights.size() / 2]};
}
