// Reading the program's own PNG images with libpng, which Qt's own PNG support links already.
// Qt's image reader would first look up the image plug-ins the system has, reading each one's
// description from disk, before it reads a single image.
#include "OwnImages.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <map>
#include <memory>
#include <png.h>
#include <utility>

namespace {

// libpng's byte order for the 32-bit pixels of QImage::Format_ARGB32 (0xAARRGGBB).
constexpr png_uint_32 ArgbBytes
    = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;

} // namespace

QImage readOwnPng(const QString& file)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = source.readAll();
    png_image png {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), bytes.size())) {
        return {};
    }
    png.format = ArgbBytes;
    QImage image(int(png.width), int(png.height), QImage::Format_ARGB32);
    if (image.isNull()
        || !png_image_finish_read(&png, nullptr, image.bits(), image.bytesPerLine(), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return image;
}

QIcon ownIcon(const QString& pattern, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes) {
        icon.addPixmap(QPixmap::fromImage(readOwnPng(pattern.arg(size))));
    }
    return icon;
}

namespace {

// A glyph's two drawings, each read at its first use and passed through prepare then.
class GlyphDrawings
{
public:
    GlyphDrawings(const QString& name, std::function<QImage(const QImage&)> prepare)
        : m_name(name)
        , m_prepare(std::move(prepare))
    { }

    // scale: 1, or 2 for the drawing at twice the size.
    QPixmap drawing(int scale)
    {
        QPixmap& read = scale == 1 ? m_single : m_twice;
        if (read.isNull()) {
            const QImage image = readOwnPng(
                QStringLiteral(":/icons/%1%2.png").arg(m_name, scale == 1 ? "" : "@2x"));
            if (!image.isNull()) {
                read = QPixmap::fromImage(m_prepare(image));
            }
        }
        return read;
    }

private:
    QString m_name;
    std::function<QImage(const QImage&)> m_prepare;
    QPixmap m_single;
    QPixmap m_twice;
};

// The drawings of a glyph in a look, shared by every icon showing it while any of them lives.
std::shared_ptr<GlyphDrawings> sharedDrawings(
    const QString& name, const QString& look, std::function<QImage(const QImage&)> prepare)
{
    static std::map<std::pair<QString, QString>, std::weak_ptr<GlyphDrawings>> shared;
    std::weak_ptr<GlyphDrawings>& entry = shared[{name, look}];
    std::shared_ptr<GlyphDrawings> drawings = entry.lock();
    if (!drawings) {
        drawings = std::make_shared<GlyphDrawings>(name, std::move(prepare));
        entry = drawings;
    }
    return drawings;
}

// Paints one of the program's glyphs from its drawings, reading each drawing at its first use:
// the window's first paint needs only those for the screen it is on.
class GlyphEngine : public QIconEngine
{
public:
    explicit GlyphEngine(std::shared_ptr<GlyphDrawings> drawings)
        : m_drawings(std::move(drawings))
    { }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return drawingFor(size).boundedTo(size);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap shown = m_drawings->drawing(scaleFor(size));
        if (shown.isNull()) {
            return shown;
        }
        if (shown.width() > size.width() || shown.height() > size.height()) {
            shown = shown.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        if (mode == QIcon::Normal) {
            return shown;
        }
        // Disabled or selected: as the style shows such icons.
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, shown, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(GlyphSize, GlyphSize), QSize(2 * GlyphSize, 2 * GlyphSize)};
    }

    QIconEngine* clone() const override { return new GlyphEngine(*this); }

    QString key() const override { return QStringLiteral("QuendraGlyph"); }

private:
    // The drawing for pixels of the size: the smaller one when it is enough.
    static int scaleFor(const QSize& size)
    {
        return size.width() > GlyphSize || size.height() > GlyphSize ? 2 : 1;
    }

    static QSize drawingFor(const QSize& size)
    {
        const int side = GlyphSize * scaleFor(size);
        return {side, side};
    }

    std::shared_ptr<GlyphDrawings> m_drawings;
};

} // namespace

QIcon ownGlyph(
    const QString& name, const QString& look, std::function<QImage(const QImage&)> prepare)
{
    return QIcon(new GlyphEngine(sharedDrawings(name, look, std::move(prepare))));
}
