// Anchored places for a resizable window.
#include "AnchorLayout.h"

#include <QWidget>
#include <algorithm>

namespace {

// A distance below a pane's top, kept while the pane grows, shrunk with it while it is shorter.
int besidePane(int y, int paneTop, int paneHeight, int shift, int growth)
{
    const int offset = y - paneTop;
    const int scaled
        = growth < 0 && paneHeight > 0 ? offset * (paneHeight + growth) / paneHeight : offset;
    return paneTop + shift + scaled;
}

} // namespace

AnchorLayout::AnchorLayout(QSize designSize, PaneRows panes)
    : m_designSize(designSize)
    , m_panes(panes)
    , m_size(designSize)
{ }

void AnchorLayout::add(QWidget* control, Horizontal horizontal, Vertical vertical)
{
    m_entries.push_back({control, control->geometry(), horizontal, vertical});
}

QRect AnchorLayout::placeFor(const Entry& entry, QSize size) const
{
    const int dx = size.width() - m_designSize.width();
    const int dy = size.height() - m_designSize.height();
    // The upper pane takes the first half; an odd pixel goes to the lower one.
    const int upper = dy / 2;
    const int lower = dy - upper;
    QRect rect = entry.design;
    switch (entry.horizontal) {
    case Horizontal::Left:
    case Horizontal::Free:
        break;
    case Horizontal::Right:
        rect.translate(dx, 0);
        break;
    case Horizontal::Grow:
        rect.setWidth(std::max(0, rect.width() + dx));
        break;
    }
    switch (entry.vertical) {
    case Vertical::Top:
        break;
    case Vertical::UpperPane:
        rect.setHeight(std::max(0, rect.height() + upper));
        break;
    case Vertical::Middle:
        rect.translate(0, upper);
        break;
    case Vertical::LowerPane:
        rect.translate(0, upper);
        rect.setHeight(std::max(0, rect.height() + lower));
        break;
    case Vertical::Bottom:
        rect.translate(0, dy);
        break;
    case Vertical::BesideUpperPane:
        rect.moveTop(besidePane(rect.top(), m_panes.upperTop, m_panes.upperHeight, 0, upper));
        break;
    case Vertical::BesideLowerPane:
        rect.moveTop(besidePane(rect.top(), m_panes.lowerTop, m_panes.lowerHeight, upper, lower));
        break;
    }
    return rect;
}

void AnchorLayout::apply(QSize size)
{
    m_size = size;
    for (const Entry& entry : m_entries) {
        const QRect rect = placeFor(entry, size);
        if (entry.horizontal == Horizontal::Free) {
            entry.control->move(entry.control->x(), rect.y());
        } else {
            entry.control->setGeometry(rect);
        }
    }
}

QRect AnchorLayout::place(const QWidget* control) const
{
    for (const Entry& entry : m_entries) {
        if (entry.control == control) {
            return placeFor(entry, m_size);
        }
    }
    return {};
}
