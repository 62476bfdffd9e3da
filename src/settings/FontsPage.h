// The Options dialog's page for the panes' fonts: a family and a size for the input pane and for
// the output pane. It shows fonts and tells which ones it shows; storing them is the dialog's.
#pragma once

#include "PaneFonts.h"

#include <QWidget>

class QFontComboBox;
class QLabel;
class QSpinBox;

class FontsPage : public QWidget
{
    Q_OBJECT

public:
    explicit FontsPage(QWidget* parent = nullptr);

    // A family left empty shows as the default family, and stays empty until the user picks one.
    void showFonts(const PaneFonts& fonts);
    const PaneFonts& fonts() const { return m_fonts; }
    // The page's controls in tab order.
    QList<QWidget*> controls() const;

private:
    struct Row
    {
        QLabel* label;
        QFontComboBox* family;
        QSpinBox* size;
    };

    Row addRow(const char* name, const QString& caption, int top, PaneFont PaneFonts::*font);
    void showFont(const Row& row, const PaneFont& font);

    PaneFonts m_fonts;
    Row m_input;
    Row m_output;
};
