// The Speak buttons.
#include "SpeakButtons.h"

#include "AvailabilityHint.h"
#include "BackgroundProbe.h"
#include "Direction.h"
#include "ErrorReport.h"
#include "Pane.h"
#include "PaneText.h"
#include "Params.h"
#include "ReadableColour.h"
#include "SpeechService.h"

#include <QToolButton>

namespace {

const char* const Hint = "Read aloud (press again to stop)";

} // namespace

SpeakButtons::SpeakButtons(QWidget* window, Pane& input, Pane& output)
    : QObject(window)
    , m_panes {&input, &output}
    , m_buttons {new QToolButton(window), new QToolButton(window)}
    , m_speech(new SpeechService(this))
    , m_hint(new AvailabilityHint({m_buttons[0], m_buttons[1]}, Hint, this))
{
    for (int tag = 0; tag < 2; ++tag) {
        QToolButton* button = m_buttons[tag];
        button->setObjectName(tag == 0 ? "btnSpeak" : "btnSpeak2");
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::TabFocus);
        // The window's own glyph, made again by the window when the palette changes.
        button->setProperty("glyph", QStringLiteral("speak"));
        button->setIcon(
            readableGlyph(QStringLiteral("speak"), window->palette().color(QPalette::Window)));
        // Enabled once the background check has found voices and a sound device.
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this,
            [this, tag] { runCommand([this, tag] { clicked(tag); }); });
    }
    connect(m_speech, &SpeechService::finished, this, [this](int tag, const QString& problem) {
        button(tag)->setChecked(false);
        if (!problem.isEmpty()) {
            setAvailable(problem);
        }
    });
}

void SpeakButtons::checkAvailability()
{
    if (m_probe) {
        return;
    }
    m_probe = new BackgroundProbe(
        &SpeechService::check, [this](const QString& problem) { setAvailable(problem); }, this);
    m_probe->start();
}

void SpeakButtons::clicked(int tag)
{
    const bool again = m_speech->isSpeaking() && m_speech->speakingTag() == tag;
    m_speech->stop();
    if (again) {
        return;
    }
    const QString text = getPaneText(*m_panes[tag]);
    if (text.isEmpty()) {
        button(tag)->setChecked(false);
        return;
    }
    // The input pane holds the source language, the output pane the target.
    const Direction direction = directionFromSetting(Params.direction);
    const Direction spoken = tag == 0 ? direction : opposite(direction);
    button(tag)->setChecked(true);
    m_speech->speak(text, std::string(sourceCodeOf(spoken)), tag);
}

void SpeakButtons::setAvailable(const QString& problem)
{
    m_hint->setProblem(problem);
}
