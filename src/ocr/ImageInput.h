// Pictures read for text recognition, with their size checked before their pixels are decoded:
// a file's header can claim any size, and a small file can unpack into gigabytes. Uses Qt's
// image readers, so every format the window shows can be read.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;

// The first frame of an animation. Raises OcrError with the user's words for an unreadable,
// empty or oversized picture.
QImage readImageFile(const QString& fileName);
// Encoded bytes, as a clipboard or a drop hands them over.
QImage readImageData(const QByteArray& data);

// Whether a paste or a drop hands over a picture: encoded image bytes, an image Qt already
// decoded, or a local file whose first bytes are a picture's.
bool holdsImage(const QMimeData& data);
// That picture, encoded bytes first, since only they let the size be checked before decoding.
QImage readImage(const QMimeData& data);
