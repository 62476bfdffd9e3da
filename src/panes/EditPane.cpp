// The input pane.
#include "EditPane.h"

EditPane::EditPane(PaneStyles& styles, QWidget* parent)
    : Pane(styles, 0, parent)
{
    setWordDelimiters(QStringLiteral(" .;,:(){}\"/\\<>!?[]-+*=") + QChar(0x61AD) + QChar(0x6442));
}
