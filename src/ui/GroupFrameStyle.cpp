// A rounded frame in the palette's colours where Fusion would draw its frame image.
#include "GroupFrameStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

namespace {

// Between the title and the frame's top edge.
constexpr int FrameGap = 3;

} // namespace

GroupFrameStyle::GroupFrameStyle()
    : QProxyStyle(QApplication::style()->name())
{ }

void GroupFrameStyle::applyTo(QGroupBox* box)
{
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        return;
    }
    auto* style = new GroupFrameStyle;
    style->setParent(box);
    box->setStyle(style);
}

void GroupFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
    QPainter* painter, const QWidget* widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Below the title, where Fusion puts its frame: a titled box's frame starts a title line and
    // a small gap down, so the line never runs through the title's letters.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool titled = !box || box->isCheckable() || !box->title().isEmpty();
    const int top = FrameGap
        + (titled ? std::max(option->fontMetrics.height(),
               pixelMetric(PM_ExclusiveIndicatorHeight, option, widget))
                  : 0);
    const QRectF frame = QRectF(option->rect.adjusted(0, top, -1, -1)).translated(0.5, 0.5);
    const QColor window = option->palette.color(QPalette::Window);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(window.lightness() > 128 ? window.darker(130) : window.lighter(160));
    painter->drawRoundedRect(frame, 2, 2);
    painter->restore();
}
