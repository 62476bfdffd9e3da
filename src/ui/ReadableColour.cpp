// Readable text colours.
#include "ReadableColour.h"

#include "OwnImages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr double MinimumContrast = 4.5;
// For a single small letter: its thin strokes are drawn partly covered, lighter than the colour.
constexpr double LetterContrast = 7.0;
// Enough for strokes of a picture, which need not be read as text.
constexpr double MinimumGraphicContrast = 3.0;
constexpr double DarkLuminance = 0.18;

double channel(double value)
{
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF())
        + 0.0722 * channel(colour.blueF());
}

// In 8 bits a channel, as pictures and the screen hold it, so its contrast is the one shown.
QColor mixed(const QColor& from, const QColor& to, double share)
{
    const auto mix = [share](float a, float b) { return a + (b - a) * share; };
    const QColor exact = QColor::fromRgbF(mix(from.redF(), to.redF()),
        mix(from.greenF(), to.greenF()), mix(from.blueF(), to.blueF()));
    return QColor(exact.rgb());
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

namespace {

QColor withContrast(const QColor& wanted, const QColor& background, double minimum)
{
    if (contrastRatio(wanted, background) >= minimum) {
        return wanted;
    }
    const QColor target
        = luminance(background) < DarkLuminance ? QColor(Qt::white) : QColor(Qt::black);
    // The smallest share of the target that is enough, to a hundredth.
    for (int step = 1; step <= 100; ++step) {
        const QColor candidate = mixed(wanted, target, step / 100.0);
        if (contrastRatio(candidate, background) >= minimum) {
            return candidate;
        }
    }
    return target;
}

} // namespace

QColor readableColour(const QColor& wanted, const QColor& background)
{
    return withContrast(wanted, background, MinimumContrast);
}

namespace {

QImage readableImage(const QImage& drawn, const QColor& background)
{
    QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 0) {
                continue;
            }
            QColor readable = withContrast(pixel, background, MinimumGraphicContrast);
            readable.setAlpha(pixel.alpha());
            image.setPixelColor(x, y, readable);
        }
    }
    return image;
}

} // namespace

QIcon readableGlyph(const QString& name, const QColor& background)
{
    if (luminance(background) >= DarkLuminance) {
        return ownGlyph(name, QString(), [](const QImage& image) { return image; });
    }
    return ownGlyph(name, background.name(QColor::HexArgb),
        [background](const QImage& image) { return readableImage(image, background); });
}

void makeLettersReadable(QWidget* control)
{
    // The palette the control would have of its own, so a new palette is followed.
    const QPalette inherited = control->parentWidget() ? control->parentWidget()->palette()
                                                       : QApplication::palette(control);
    QPalette colours = control->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor onWindow = withContrast(inherited.color(group, QPalette::ButtonText),
            inherited.color(group, QPalette::Window), LetterContrast);
        colours.setColor(group, QPalette::ButtonText,
            withContrast(onWindow, inherited.color(group, QPalette::Button), LetterContrast));
    }
    control->setPalette(colours);
}

namespace {

QColor windowColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

// background: the window's, which the label shows through.
void colourLabel(QLabel* label, const QColor& background)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText,
        readableColour(label->property("designColour").value<QColor>(), background));
    label->setPalette(colours);
}

} // namespace

void setDesignColour(QLabel* label, const QColor& colour)
{
    label->setProperty("designColour", colour);
    colourLabel(label, windowColour(label->window()));
}

void followPalette(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->property("designColour").isValid()) {
            colourLabel(label, windowColour(window));
        }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->property("glyph").isValid()) {
            button->setIcon(
                readableGlyph(button->property("glyph").toString(), windowColour(window)));
        } else if (qobject_cast<QToolButton*>(button)) {
            makeLettersReadable(button);
        }
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        for (QAction* item : menu->actions()) {
            if (item->property("glyph").isValid()) {
                item->setIcon(
                    readableGlyph(item->property("glyph").toString(), windowColour(menu)));
            }
        }
    }
}
