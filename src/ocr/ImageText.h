// Text from a decoded picture: the window's, the clipboard's or a screen area's. Hands the pixels
// to the recogniser as grey and gives the text back in Unicode's composed form, as typed text is.
#pragma once

#include "TextRecogniser.h"

#include <QImage>

// Transparent parts count as white paper. Raises what TextRecogniser::recognise raises.
OcrResult recogniseImage(TextRecogniser& recogniser, const QImage& image, OcrJob* job = nullptr);
