// The bridge from Qt's pictures to the recogniser, and from its UTF-8 to composed Unicode.
#include "ImageText.h"

#include <QPainter>
#include <QString>
#include <cmath>

namespace {

QImage greyOnWhite(const QImage& image)
{
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_Grayscale8);
    }
    QImage paper(image.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, image);
    return paper.convertToFormat(QImage::Format_Grayscale8);
}

int dotsPerInch(const QImage& image)
{
    const int dpi = int(std::lround(image.dotsPerMeterY() * 0.0254));
    return dpi > 0 ? dpi : 96;
}

} // namespace

OcrResult recogniseImage(TextRecogniser& recogniser, const QImage& image, OcrJob* job)
{
    checkImageSize(image.width(), image.height());
    const QImage grey = greyOnWhite(image);
    OcrResult result = recogniser.recognise(
        {grey.constBits(), grey.width(), grey.height(), int(grey.bytesPerLine()),
            PixelFormat::Grey8, dotsPerInch(image)},
        job);
    result.text = QString::fromStdString(result.text)
                      .normalized(QString::NormalizationForm_C)
                      .toStdString();
    return result;
}
