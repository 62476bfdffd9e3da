// The main window's controls in one table (name, design place, pane, glyph, hint, anchors), and how
// they follow a resize: the panes grow, the buttons keep their places beside the panes, the bottom
// row follows the bottom edge.
#pragma once

#include "AnchorLayout.h"

#include <span>

class QWidget;

// The design size of the main window's client area and the rows of its two panes there.
inline constexpr QSize MainWindowDesignSize {528, 545};
inline constexpr AnchorLayout::PaneRows MainWindowPanes {45, 178, 249, 178};
// The least height of a pane with its column of 25-pixel buttons, 30 apart at the design size,
// closed up to 25 apart; a shorter pane has its buttons in rows of several columns.
inline constexpr int MainWindowMinimumPaneHeight = 148;
// The least height of a pane on a short screen: two rows of its buttons.
inline constexpr int MainWindowShortPaneHeight = 52;

// The room for a window's client area on a screen with this much free area: less its frame,
// which is not known before the window is shown.
QSize windowRoom(QSize available);

// The main window's least and first client size on a screen with this much room for the window
// and its frame: the design size when it fits, the panes shorter when it does not.
struct MainWindowSizes
{
    QSize minimum;
    QSize initial;
};
MainWindowSizes mainWindowSizes(QSize available);

// One control of the main window. The table lists them in the order keyboard focus walks them.
struct MainWindowControl
{
    const char* name;
    // At the design size, in the control's parent (the direction group for its radio buttons).
    // A label is placed at the corner and takes the size of its text.
    QRect place;
    // The pane a control serves: 0 the input pane, 1 the output pane.
    int pane;
    // The glyph and hint of a button the window makes itself; null for the other controls.
    const char* glyph;
    const char* hint;
    AnchorLayout::Horizontal horizontal;
    AnchorLayout::Vertical vertical;
};

extern const std::span<const MainWindowControl> MainWindowControls;

// Puts every control of the table at its design place and gives it its pane as the "tag"
// property; then sets the tab order to the table's.
void placeMainWindowControls(QWidget* window);
// Adds the table's controls that are direct children of window to layout, as they are placed at
// the design size.
void anchorMainWindowControls(AnchorLayout& layout, QWidget* window);
