// The output pane.
#include "ViewPane.h"

ViewPane::ViewPane(PaneStyles& styles, QWidget* parent)
    : Pane(styles, 1, parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The keyboard still moves and selects, but a blinking caret would invite typing.
    setCursorWidth(0);
    // The typographic quotation marks and the no-break space end words here too.
    setWordDelimiters(QStringLiteral(" .;,:(){}\"/\\<>!?[]-+*=\u2018\u2019\u201C\u201D\u00A0"));
}
