// The frame of a group box, drawn by hand under the Fusion style. Fusion draws it from an image
// file that it reads with format detection, and that loads every image plug-in of the system
// before the window can first be painted. Under other styles the style's own frame is kept.
#pragma once

#include <QProxyStyle>

class QGroupBox;

class GroupFrameStyle : public QProxyStyle
{
public:
    // Gives box a style of its own that is this one (owned by the box).
    static void applyTo(QGroupBox* box);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;

private:
    GroupFrameStyle();
};
