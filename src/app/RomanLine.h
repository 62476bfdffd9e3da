// The romanisation line: under the pane that holds Marathi, that pane's whole text in ISO 15919
// Latin letters, for readers who do not read Devanagari; wrapped, scrollable, at the pane's zoomed
// size, and without the pane's notice (the wait line, a failure). A toggle button shows and hides
// it; the choice is kept in the settings file.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class Pane;
struct MarathiAidSettings;
class QPlainTextEdit;
class QTimer;
class QToolButton;

class RomanLine : public QObject
{
    Q_OBJECT

public:
    // The panes keep the geometry they have now as their place without the line.
    RomanLine(QWidget* window, Pane& input, Pane& output);

    QToolButton* toggle() const { return m_toggle; }
    QPlainTextEdit* line() const { return m_line; }

    // The pane that holds Marathi, by tag (0 the input pane, 1 the output pane).
    void setMarathiPane(int tag);
    // Shows or hides the line and spells the eyelash ra as the settings say.
    void applySettings(const MarathiAidSettings& settings);
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The toggle's click: shows or hides and remembers the choice.
    void toggleClicked(bool checked);
    void follow();
    void refresh();
    // The Marathi pane's size, zoom included.
    void followFont();
    int lineHeight(int placeHeight) const;

    std::array<Pane*, 2> m_panes;
    std::array<QRect, 2> m_paneGeometry;
    std::function<QRect(int tag)> m_panePlace;
    int m_marathi = 1;
    bool m_plainEyelashRa = false;
    bool m_shown = false;
    QPlainTextEdit* m_line;
    QToolButton* m_toggle;
    // Coalesces the many changes of one edit into one refresh.
    QTimer* m_refresh;
    QMetaObject::Connection m_textChanged;
    QString m_shownSource;
};
