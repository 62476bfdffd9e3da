// The common base of the program's windows: font, background colour and the shared creation step.
#pragma once

#include <QDialog>

class TfrmRoot : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmRoot(QWidget* parent = nullptr);

protected:
    // The base creation step a derived window runs once its controls exist: every plain panel
    // (QFrame) whose colour differs from the button face paints its own background.
    void formCreate();

    // A new desktop palette: the window takes its button face again.
    bool event(QEvent* event) override;

private:
    void paintInButtonFace(QPalette colours);
};
