// The Speak button by each pane: reads the pane's text aloud in the pane's language; a second
// press stops. Whether voices and a sound device are there is checked in the background after
// start-up; without them both buttons are disabled and their tooltip says why.
#pragma once

#include <QObject>
#include <array>

class AvailabilityHint;
class BackgroundProbe;
class Pane;
class QToolButton;
class SpeechService;

class SpeakButtons : public QObject
{
    Q_OBJECT

public:
    SpeakButtons(QWidget* window, Pane& input, Pane& output);

    // By pane tag: 0 the input pane, 1 the output pane.
    QToolButton* button(int tag) const { return m_buttons[tag != 0 ? 1 : 0]; }
    void checkAvailability();

private:
    void clicked(int tag);
    void setAvailable(const QString& problem);

    std::array<Pane*, 2> m_panes;
    std::array<QToolButton*, 2> m_buttons;
    SpeechService* m_speech;
    AvailabilityHint* m_hint;
    BackgroundProbe* m_probe = nullptr;
};
