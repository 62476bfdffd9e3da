// How the main window's controls follow a resize: the panes grow, the buttons keep their places
// beside the panes, the bottom row follows the bottom edge.
#pragma once

#include "AnchorLayout.h"

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

// Adds every direct child control of window to layout, as they are placed at the design size.
// Controls named in the table get their anchors from it; any other control follows from where it
// sits: right of the panes it follows the right edge and stays beside its pane; left of them, what
// is above or beside the input pane stays, what is beside the output pane moves with it, and
// what is below the panes follows the bottom edge. A control
// whose dynamic property "anchored" is false is left alone (its owner places it).
void anchorMainWindowControls(AnchorLayout& layout, QWidget* window);
