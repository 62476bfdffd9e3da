// The size a picture claims is checked from its header before Qt decodes it, and Qt's own
// allocation limit stands behind that for formats that do not say.
#include "ImageInput.h"

#include "GreyImage.h"
#include "OcrError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Qt's own ceiling on one decoded picture, in megabytes: 40 megapixels of 32-bit colour, for
// formats whose header does not give the size.
constexpr int AllocationLimitMegabytes = 160;

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
