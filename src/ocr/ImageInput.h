// Pictures read for text recognition, with their size checked before their pixels are decoded:
// a file's header can claim any size, and a small file can unpack into gigabytes. Uses Qt's
// image readers, so every format the window shows can be read.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The first frame of an animation. Raises OcrError with the user's words for an unreadable,
// empty or oversized picture.
QImage readImageFile(const QString& fileName);
// Encoded bytes, as a clipboard or a drop hands them over.
QImage readImageData(const QByteArray& data);
