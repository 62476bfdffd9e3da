// The program's own images (glyphs, the application icon), read from its resources as the PNG
// files they are. A Qt image reader, even one told the format, first surveys every image plug-in
// the system has, and one left to detect the format loads them all (a dozen libraries and several
// megabytes) to ask each whether it knows the file; the window's first paint needs none of them.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <functional>

// The PNG image in file; a null image when it cannot be read.
QImage readOwnPng(const QString& file);

// An icon of the PNG files in the pattern, with "%1" replaced by each of sizes.
QIcon ownIcon(const QString& pattern, std::initializer_list<int> sizes);

// The side of the program's glyphs in pixels at the usual density.
constexpr int GlyphSize = 16;

// One of the program's glyphs by name: ":/icons/<name>.png", and its drawing at twice the size,
// "<name>@2x.png", for screens of twice the density. Each drawing is read the first time a paint
// asks for it, and passed through prepare then. look names what prepare does: the icons of a
// glyph in one look share their drawings, so buttons showing the same glyph read it once.
QIcon ownGlyph(
    const QString& name, const QString& look, std::function<QImage(const QImage&)> prepare);
