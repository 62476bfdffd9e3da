// The main window's switch for romanised typing in the input pane: a toggle button by the pane and
// Ctrl+M. Whether the m17n tables can be had is checked in the background after start-up; without
// them the button is disabled and its tooltip says what to install.
#pragma once

#include <QObject>

class AvailabilityHint;
class BackgroundProbe;
class Pane;
class QAction;
class QToolButton;
class RomanTypingFilter;

class TypingToggle : public QObject
{
    Q_OBJECT

public:
    TypingToggle(QWidget* window, Pane& input);

    QToolButton* button() const { return m_button; }
    RomanTypingFilter& filter() const { return *m_filter; }

    // Takes the table from the settings file.
    void applySettings();
    // Starts the background check of the tables.
    void checkAvailability();
    // Switches typing on or off, as the button and Ctrl+M do.
    void toggle();

private:
    void setAvailable(const QString& problem);
    void showState();

    Pane& m_input;
    RomanTypingFilter* m_filter;
    QToolButton* m_button;
    QAction* m_shortcut;
    BackgroundProbe* m_probe;
    AvailabilityHint* m_hint;
};
