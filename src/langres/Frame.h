// A reusable panel of controls placed inside a window. It owns the controls built on it, so a
// form translator on the window leaves them to a translator placed on the frame itself.
#pragma once

#include <QFrame>

class Frame : public QFrame
{
    Q_OBJECT

public:
    explicit Frame(QWidget* parent = nullptr)
        : QFrame(parent)
    { }
};
