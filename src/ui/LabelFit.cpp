// Growing labels to their text.
#include "LabelFit.h"

#include <QLabel>
#include <algorithm>

namespace {

// The start of a span of length needed that replaces [start, start + length), grown on the side
// the alignment leaves free.
int grownStart(int start, int length, int needed, bool towardsStart, bool bothWays)
{
    if (bothWays) {
        return start - (needed - length) / 2;
    }
    return towardsStart ? start + length - needed : start;
}

// Back inside [0, room) as far as the span fits there.
int keptInside(int start, int length, int room)
{
    return std::max(0, std::min(start, room - length));
}

} // namespace

void fitLabelsToText(const QWidget& form)
{
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty()) {
            continue;
        }
        const QSize needed = label->sizeHint();
        QRect box = label->geometry();
        const Qt::Alignment alignment = label->alignment();
        if (needed.width() > box.width()) {
            box.setLeft(grownStart(box.left(), box.width(), needed.width(),
                alignment & Qt::AlignRight, alignment & Qt::AlignHCenter));
            box.setWidth(needed.width());
        }
        if (needed.height() > box.height()) {
            box.setTop(grownStart(box.top(), box.height(), needed.height(), false, true));
            box.setHeight(needed.height());
        }
        if (box != label->geometry()) {
            // Only a parent given its size: one a layout will size later has none to keep to yet.
            const QWidget* parent = label->parentWidget();
            if (parent && parent->testAttribute(Qt::WA_Resized)) {
                box.moveLeft(keptInside(box.left(), box.width(), parent->width()));
                box.moveTop(keptInside(box.top(), box.height(), parent->height()));
            }
            label->setGeometry(box);
        }
    }
}
