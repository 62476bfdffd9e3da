// Places a window's controls when it is resized: each control keeps the place it was given for the
// window's design size and follows the window's right and bottom edges as its anchors say. The two
// panes share the extra height, so what sits by the input pane stays by it and what sits by the
// output pane moves down with it. A column of controls beside a pane closes up as the pane gets
// shorter; once it no longer fits beside the pane it wraps into rows of several columns, and the
// pane gives up the width of the added columns.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

class AnchorLayout
{
public:
    enum class Horizontal
    {
        Left, // keeps its x and width
        Right, // moves with the right edge
        Grow, // keeps its x, its width grows with the window
        Free, // x and width belong to someone else; only the vertical anchor applies
    };
    enum class Vertical
    {
        Top, // keeps its y and height
        UpperPane, // keeps its y, its height grows by the upper pane's share of the extra height
        Middle, // moves down by the upper pane's share
        LowerPane, // moves down by the upper pane's share, grows by the lower pane's share
        Bottom, // moves with the bottom edge
        // Beside a pane: keeps its distance to the pane's top, a distance that shrinks with the
        // pane when the pane is shorter than at the design size, so a column stays beside it;
        // the controls beside one pane form one column in the order of their design tops.
        BesideUpperPane,
        BesideLowerPane,
    };

    // Rows of the two panes at the design size.
    struct PaneRows
    {
        int upperTop;
        int upperHeight;
        int lowerTop;
        int lowerHeight;
    };

    // minimumPaneHeight: the least height at which a column beside a pane still fits as one
    // column by closing up; below it the column wraps.
    AnchorLayout(QSize designSize, PaneRows panes, int minimumPaneHeight);

    // The control's present geometry is its place at the design size.
    void add(QWidget* control, Horizontal horizontal, Vertical vertical);
    // Moves every control for a client area of this size.
    void apply(QSize size);
    // Where the last apply put the control (its design place before any).
    QRect place(const QWidget* control) const;

private:
    struct Entry
    {
        QWidget* control;
        QRect design;
        Horizontal horizontal;
        Vertical vertical;
        // Place in its column beside a pane, counted from the top.
        int rank = 0;
    };
    // How a column beside a pane is set out at a pane height.
    struct Grid
    {
        int columns = 1;
        int top = 0; // offset of the first row below the pane's top
    };
    QRect placeFor(const Entry& entry, QSize size) const;
    QRect besidePane(const Entry& entry, QRect rect, int paneTop, int paneHeight, int growth) const;
    Grid gridFor(Vertical column, int paneHeight) const;
    // The pane's width given up to the columns added beside it.
    int columnsWidth(Vertical column, int paneHeight) const;
    const Entry* firstOf(Vertical column) const;
    int countOf(Vertical column) const;

    QSize m_designSize;
    PaneRows m_panes;
    int m_minimumPaneHeight;
    QSize m_size;
    std::vector<Entry> m_entries;
};
