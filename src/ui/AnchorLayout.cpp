// Anchored places for a resizable window.
#include "AnchorLayout.h"

#include <QWidget>
#include <algorithm>

namespace {

// The gap between two columns beside a pane.
constexpr int ColumnGap = 2;

bool isColumn(AnchorLayout::Vertical vertical)
{
    return vertical == AnchorLayout::Vertical::BesideUpperPane
        || vertical == AnchorLayout::Vertical::BesideLowerPane;
}

} // namespace

AnchorLayout::AnchorLayout(QSize designSize, PaneRows panes, int minimumPaneHeight)
    : m_designSize(designSize)
    , m_panes(panes)
    , m_minimumPaneHeight(minimumPaneHeight)
    , m_size(designSize)
{ }

void AnchorLayout::add(QWidget* control, Horizontal horizontal, Vertical vertical)
{
    Entry added {control, control->geometry(), horizontal, vertical};
    if (isColumn(vertical)) {
        for (Entry& entry : m_entries) {
            if (entry.vertical != vertical) {
                continue;
            }
            if (entry.design.top() > added.design.top()) {
                ++entry.rank;
            } else {
                ++added.rank;
            }
        }
    }
    m_entries.push_back(added);
}

const AnchorLayout::Entry* AnchorLayout::firstOf(Vertical column) const
{
    for (const Entry& entry : m_entries) {
        if (entry.vertical == column && entry.rank == 0) {
            return &entry;
        }
    }
    return nullptr;
}

int AnchorLayout::countOf(Vertical column) const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
        [column](const Entry& entry) { return entry.vertical == column; }));
}

AnchorLayout::Grid AnchorLayout::gridFor(Vertical column, int paneHeight) const
{
    const Entry* first = firstOf(column);
    if (!first || paneHeight >= m_minimumPaneHeight) {
        return {};
    }
    const int count = countOf(column);
    const int pitch = first->design.height();
    // Rows of controls edge to edge, with a pixel to spare above and below; as many columns as
    // it takes, the rows shared out evenly among them.
    const int rowsThatFit = std::clamp((paneHeight - 2) / pitch, 1, count);
    const int columns = (count + rowsThatFit - 1) / rowsThatFit;
    const int rows = (count + columns - 1) / columns;
    return {columns, std::max(1, (paneHeight - rows * pitch) / 2)};
}

int AnchorLayout::columnsWidth(Vertical column, int paneHeight) const
{
    const Entry* first = firstOf(column);
    return first ? (gridFor(column, paneHeight).columns - 1) * (first->design.width() + ColumnGap)
                 : 0;
}

QRect AnchorLayout::besidePane(
    const Entry& entry, QRect rect, int paneTop, int paneHeight, int growth) const
{
    const int height = paneHeight + growth;
    const int designPaneTop
        = entry.vertical == Vertical::BesideUpperPane ? m_panes.upperTop : m_panes.lowerTop;
    const auto offsetOf = [&](const QRect& design) {
        const int offset = design.top() - designPaneTop;
        return growth < 0 && paneHeight > 0 ? offset * height / paneHeight : offset;
    };
    if (height >= m_minimumPaneHeight) {
        // One column that keeps its distances while the pane grows and closes up as it shrinks,
        // never closer than edge to edge.
        const int first = offsetOf(firstOf(entry.vertical)->design);
        rect.moveTop(paneTop + std::max(offsetOf(rect), first + entry.rank * rect.height()));
        return rect;
    }
    const Grid grid = gridFor(entry.vertical, height);
    // The last column stays where the one column was; the others are added to its left.
    const int row = entry.rank / grid.columns;
    const int column = entry.rank % grid.columns;
    rect.moveTop(paneTop + grid.top + row * rect.height());
    return rect.translated(-(grid.columns - 1 - column) * (rect.width() + ColumnGap), 0);
}

QRect AnchorLayout::placeFor(const Entry& entry, QSize size) const
{
    const int dx = size.width() - m_designSize.width();
    const int dy = size.height() - m_designSize.height();
    // The upper pane takes the first half; an odd pixel goes to the lower one.
    const int upper = dy / 2;
    const int lower = dy - upper;
    QRect rect = entry.design;
    // A size the layout does not set stays the control's own (a label grown for a longer text
    // keeps it): kept at the anchored side across, centred on the design place down, as labels
    // grow to fit their texts.
    const QSize own = entry.control->size();
    if (entry.horizontal == Horizontal::Right) {
        rect.setLeft(rect.right() + 1 - own.width());
    } else if (entry.horizontal == Horizontal::Left) {
        rect.setWidth(own.width());
    }
    if (entry.vertical != Vertical::UpperPane && entry.vertical != Vertical::LowerPane) {
        rect.setTop(rect.top() - (own.height() - rect.height()) / 2);
        rect.setHeight(own.height());
    }
    switch (entry.horizontal) {
    case Horizontal::Left:
    case Horizontal::Free:
        break;
    case Horizontal::Right:
        rect.translate(dx, 0);
        break;
    case Horizontal::Grow: {
        int width = rect.width() + dx;
        if (entry.vertical == Vertical::UpperPane) {
            width -= columnsWidth(Vertical::BesideUpperPane, m_panes.upperHeight + upper);
        } else if (entry.vertical == Vertical::LowerPane) {
            width -= columnsWidth(Vertical::BesideLowerPane, m_panes.lowerHeight + lower);
        }
        rect.setWidth(std::max(0, width));
        break;
    }
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
        return besidePane(entry, rect, m_panes.upperTop, m_panes.upperHeight, upper);
    case Vertical::BesideLowerPane:
        return besidePane(entry, rect, m_panes.lowerTop + upper, m_panes.lowerHeight, lower);
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
