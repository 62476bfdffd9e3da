// Base window settings shared by the main window, the Options dialog and the About box.
#include "TfrmRoot.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QPalette>

TfrmRoot::TfrmRoot(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmRoot");
    setWindowTitle("frmRoot");
    // Derived windows set their own sizes; this is only the starting size.
    resize(255, 129);

    paintInButtonFace(palette());
    setAutoFillBackground(true);

    QFont tahoma("Tahoma");
    tahoma.setPointSize(9);
    setFont(tahoma);
    // A dialog without a parent opens centred on the screen, one with a parent centred on it.
}

void TfrmRoot::paintInButtonFace(QPalette colours)
{
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
}

bool TfrmRoot::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange) {
        paintInButtonFace(QApplication::palette(this));
    }
    return handled;
}

void TfrmRoot::formCreate()
{
    const QColor buttonFace = palette().color(QPalette::Button);
    for (QFrame* frame : findChildren<QFrame*>()) {
        if (frame->metaObject() == &QFrame::staticMetaObject
            && frame->palette().color(QPalette::Window) != buttonFace) {
            frame->setAutoFillBackground(true);
        }
    }
}
