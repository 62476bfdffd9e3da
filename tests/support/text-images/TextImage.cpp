// Test pictures drawn with Qt's fonts, and the error rate of a reading against what was drawn.
#include "TextImage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <vector>

QImage renderText(const QString& text, const InkStyle& style)
{
    QFont font(style.family);
    font.setPixelSize(style.pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics metrics(font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (style.wrapWidth > 0 ? Qt::TextWordWrap : 0);
    // The text is laid out in the same rectangle it was measured in: a narrower one would wrap it
    // again, and the lines pushed down would fall outside the picture.
    const QRect layout(0, 0, style.wrapWidth > 0 ? style.wrapWidth : 100000, 100000);
    const QRect box = metrics.boundingRect(layout, flags, text);

    QImage image(
        box.width() + 2 * style.margin, box.height() + 2 * style.margin, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(style.paper);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(style.ink);
    painter.drawText(
        layout.translated(style.margin - box.x(), style.margin - box.y()), flags, text);
    return image;
}

namespace {

std::u32string comparable(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C).simplified().toStdU32String();
}

} // namespace

double characterErrorRate(const QString& expected, const QString& read)
{
    const std::u32string a = comparable(expected);
    const std::u32string b = comparable(read);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return 100.0 * double(row[b.size()]) / double(std::max<std::size_t>(a.size(), 1));
}
