// The romanisation line: under the pane that holds Marathi, the paragraph at that pane's cursor in
// ISO 15919 Latin letters, for readers who do not read Devanagari. A toggle button shows and hides
// it; the choice is kept in the settings file.
#pragma once

#include <QObject>
#include <QRect>
#include <array>
#include <functional>

class Pane;
class QLabel;
class QTimer;
class QToolButton;

class RomanLine : public QObject
{
    Q_OBJECT

public:
    // The panes keep the geometry they have now as their place without the line.
    RomanLine(QWidget* window, Pane& input, Pane& output);

    QToolButton* toggle() const { return m_toggle; }
    QLabel* line() const { return m_line; }

    // The pane that holds Marathi, by tag (0 the input pane, 1 the output pane).
    void setMarathiPane(int tag);
    // Shows or hides the line; the settings file is not touched.
    void setShown(bool shown);
    bool shown() const { return m_shown; }

    // Where each pane's place is now (by tag), for a window that moves its panes; by default the
    // geometry they had when the line was made.
    void setPanePlaces(std::function<QRect(int tag)> panePlace)
    {
        m_panePlace = std::move(panePlace);
    }
    // Lays the panes and the line out again in their places.
    void place();

private:
    // The toggle's click: shows or hides and remembers the choice.
    void toggleClicked(bool checked);
    void follow();
    void refresh();

    std::array<Pane*, 2> m_panes;
    std::array<QRect, 2> m_paneGeometry;
    std::function<QRect(int tag)> m_panePlace;
    int m_marathi = 1;
    bool m_shown = false;
    QLabel* m_line;
    QToolButton* m_toggle;
    // Coalesces the many changes of one edit into one refresh.
    QTimer* m_refresh;
    QMetaObject::Connection m_textChanged;
    QMetaObject::Connection m_cursorMoved;
};
