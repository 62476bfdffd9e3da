// Reading the program's own PNG images without the image plug-ins.
#include "OwnImages.h"

#include <QImageReader>
#include <QPixmap>

QImage readOwnPng(const QString& file)
{
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon ownIcon(const QString& pattern, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes) {
        icon.addPixmap(QPixmap::fromImage(readOwnPng(pattern.arg(size))));
    }
    return icon;
}
