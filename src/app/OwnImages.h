// The program's own images (glyphs, the application icon), read from its resources with Qt's
// built-in PNG reader alone. A reader left to detect the format would first load every image
// plug-in the system has (a dozen libraries and several megabytes) to ask each whether it knows
// the file; the window's first paint needs none of them.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The PNG image in file; a null image when it cannot be read.
QImage readOwnPng(const QString& file);

// An icon of the PNG files in the pattern, with "%1" replaced by each of sizes.
QIcon ownIcon(const QString& pattern, std::initializer_list<int> sizes);
