// The output pane: read-only, tag 1 by default.
#pragma once

#include "Pane.h"

class ViewPane : public Pane
{
    Q_OBJECT

public:
    explicit ViewPane(PaneStyles& styles, QWidget* parent = nullptr);
};
