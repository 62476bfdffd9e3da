// The input pane: editable, tag 0 by default.
#pragma once

#include "Pane.h"

class EditPane : public Pane
{
    Q_OBJECT

public:
    explicit EditPane(PaneStyles& styles, QWidget* parent = nullptr);
};
