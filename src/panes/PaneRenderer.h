// Puts a pane document into a QTextDocument: paragraphs as blocks, line breaks as line separators,
// tab items as tabs, and the fonts, colours and alignments of the styles other than the plain one.
#pragma once

#include "PaneDocument.h"

#include <vector>

class QTextDocument;

namespace PaneRenderer {

// Replaces the content of target; returns the position of each item's first character. With
// pageBreaks an item that starts a page also starts a block that begins a new page.
std::vector<int> fill(QTextDocument& target, const PaneDocument& model, bool pageBreaks);

} // namespace PaneRenderer
