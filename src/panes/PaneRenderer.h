// Puts a pane document into a QTextDocument: every line as a block (a line break item's block
// marked as continuing the paragraph before it), line ends inside a text as line separators, tab
// items as tabs, and the fonts, colours and alignments of the styles other than the plain one.
#pragma once

#include "PaneDocument.h"

#include <QTextFormat>
#include <vector>

class QTextBlock;
class QTextDocument;

namespace PaneRenderer {

// The block format property of a block that continues the paragraph of the block before it.
constexpr int ContinuesParagraph = QTextFormat::UserProperty + 1;
bool continuesParagraph(const QTextBlock& block);

// Replaces the content of target; returns the position of each item's first character. With
// pageBreaks an item that starts a page also starts a block that begins a new page. When target
// keeps an undo history, the replacement is one step of it.
std::vector<int> fill(QTextDocument& target, const PaneDocument& model, bool pageBreaks);

} // namespace PaneRenderer
