// The size a picture claims is checked from its header before Qt decodes it, and Qt's own
// allocation limit stands behind that for formats that do not say.
#include "ImageInput.h"

#include "GreyImage.h"
#include "OcrError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

namespace {

// Qt's own ceiling on one decoded picture, in megabytes: 40 megapixels of 32-bit colour, for
// formats whose header does not give the size.
constexpr int AllocationLimitMegabytes = 160;

QString encodedFormat(const QMimeData& data)
{
    for (const QString& format : data.formats()) {
        if (format.startsWith("image/")) {
            return format;
        }
    }
    return {};
}

QString imageFile(const QMimeData& data)
{
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile() && !QImageReader::imageFormat(url.toLocalFile()).isEmpty()) {
            return url.toLocalFile();
        }
    }
    return {};
}

OcrError failure(const QString& what, const QString& how)
{
    return OcrError((what + how).toStdString());
}

QImage read(QIODevice& device, const QString& what)
{
    QImageReader reader(&device);
    reader.setAllocationLimit(AllocationLimitMegabytes);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        throw failure(
            what, " is in no format Quendra can read (PNG, JPEG, WebP, TIFF, BMP or GIF).");
    }
    const QSize size = reader.size();
    if (size.isValid()) {
        checkImageSize(size.width(), size.height());
    }
    QImage image = reader.read();
    if (image.isNull()) {
        throw failure(what, " could not be read: " + reader.errorString() + ".");
    }
    checkImageSize(image.width(), image.height());
    return image;
}

} // namespace

QImage readImageFile(const QString& fileName)
{
    const QString what = "The image \"" + QFileInfo(fileName).fileName() + "\"";
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw failure(what, " could not be opened: " + file.errorString() + ".");
    }
    return read(file, what);
}

QImage readImageData(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, "The pasted image");
}

bool holdsImage(const QMimeData& data)
{
    return !encodedFormat(data).isEmpty() || data.hasImage() || !imageFile(data).isEmpty();
}

QImage readImage(const QMimeData& data)
{
    if (const QString format = encodedFormat(data); !format.isEmpty()) {
        return readImageData(data.data(format));
    }
    if (data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        checkImageSize(image.width(), image.height());
        return image;
    }
    if (const QString file = imageFile(data); !file.isEmpty()) {
        return readImageFile(file);
    }
    throw OcrError("There is no picture to read text from.");
}
