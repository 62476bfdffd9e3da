#include "TextImage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

QImage renderText(const QString& text, const TextStyle& style)
{
    QFont font(style.family);
    font.setPixelSize(style.pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics metrics(font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (style.wrapWidth > 0 ? Qt::TextWordWrap : 0);
    const QRect box = style.wrapWidth > 0
        ? metrics.boundingRect(QRect(0, 0, style.wrapWidth, 100000), flags, text)
        : metrics.boundingRect(QRect(0, 0, 100000, 100000), flags, text);

    QImage image(box.width() + 2 * style.margin, box.height() + 2 * style.margin,
        QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(style.paper);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(style.ink);
    painter.drawText(QRect(style.margin, style.margin, box.width(), box.height()), flags, text);
    return image;
}
