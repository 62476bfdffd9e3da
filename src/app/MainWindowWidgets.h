// The main window's own controls, made in one place: the labels, the glyph buttons of the table,
// the direction group, the Help and Translate buttons and the status bar. The panes and the
// features' buttons are made by their owners; the window wires them all.
#pragma once

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QWidget;

struct MainWindowWidgets
{
    QLabel* lbl1 = nullptr;
    QLabel* labFrom = nullptr;
    QLabel* labFromLang = nullptr;
    QLabel* labTo = nullptr;
    QLabel* labToLang = nullptr;
    QLabel* imgLoad = nullptr;
    QGroupBox* rgDirection = nullptr;
    QRadioButton* rbEngToChn = nullptr;
    QRadioButton* rbChnToEng = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnTrans = nullptr;
    QStatusBar* bar = nullptr;
    QProgressBar* pbParts = nullptr;

    // Makes them as children of window, in the window's palette.
    static MainWindowWidgets create(QWidget* window);
};
