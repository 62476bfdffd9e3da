// How the main window's controls follow a resize: the panes grow, the buttons keep their places
// beside the panes, the bottom row follows the bottom edge.
#pragma once

#include "AnchorLayout.h"

class QWidget;

// The design size of the main window's client area and the rows of its two panes there.
inline constexpr QSize MainWindowDesignSize {528, 545};
inline constexpr AnchorLayout::PaneRows MainWindowPanes {45, 178, 249, 178};
// The least height of a pane: its column of 25-pixel buttons, 30 apart at the design size, may
// close up to 25 apart but not further.
inline constexpr int MainWindowMinimumPaneHeight = 148;

// Adds every direct child control of window to layout, as they are placed at the design size.
// Controls named in the table get their anchors from it; any other control follows from where it
// sits: right of the panes it follows the right edge and stays beside its pane; left of them, what
// is above or beside the input pane stays, what is beside the output pane moves with it, and
// what is below the panes follows the bottom edge. A control
// whose dynamic property "anchored" is false is left alone (its owner places it).
void anchorMainWindowControls(AnchorLayout& layout, QWidget* window);
