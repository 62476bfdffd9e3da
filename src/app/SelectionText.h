// The text another program shows selected, for the pop-up and the desktop shortcuts: the X11
// primary selection (what is highlighted) when the settings say so, else the clipboard. On X11
// both are read over a connection of our own with a time limit; elsewhere, and for a selection
// this program owns, through Qt's clipboard.
#pragma once

#include "DesktopSettings.h"
#include "X11Selection.h"

namespace SelectionText {

// Lines end in CR LF, as in the panes; a selection of only blanks reads as empty. Texts longer
// than maxCharacters are refused.
SelectionRead read(SelectionSource source, qsizetype maxCharacters);

} // namespace SelectionText
