// The romanised typing switch.
#include "TypingToggle.h"

#include "AvailabilityHint.h"
#include "BackgroundProbe.h"
#include "ErrorReport.h"
#include "M17nEngine.h"
#include "MarathiAidSettings.h"
#include "Pane.h"
#include "ReadableColour.h"
#include "RomanTypingFilter.h"

#include <QAction>
#include <QToolButton>

namespace {

const char* const OnHint = "Romanised typing: Latin keys type Marathi (Ctrl+M)";

} // namespace

TypingToggle::TypingToggle(QWidget* window, Pane& input)
    : QObject(window)
    , m_input(input)
    , m_filter(new RomanTypingFilter(&input))
    , m_button(new QToolButton(window))
    , m_shortcut(new QAction(window))
    , m_probe(nullptr)
    , m_hint(new AvailabilityHint({m_button}, OnHint, this))
{
    m_button->setObjectName("btnRomanTyping");
    m_button->setText(QStringLiteral("अ"));
    m_button->setCheckable(true);
    m_button->setAutoRaise(true);
    makeLettersReadable(m_button);
    m_button->setFocusPolicy(Qt::TabFocus);
    connect(m_button, &QToolButton::clicked, this, [this] { runCommand([this] { toggle(); }); });

    m_shortcut->setObjectName("actRomanTyping");
    m_shortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_shortcut->setShortcutContext(Qt::WindowShortcut);
    window->addAction(m_shortcut);
    connect(m_shortcut, &QAction::triggered, this, [this] {
        if (m_button->isEnabled()) {
            runCommand([this] { toggle(); });
        }
    });
}

void TypingToggle::applySettings()
{
    m_filter->setTable(loadMarathiAidSettings().typingTable);
    if (m_filter->isEnabled() || m_filter->error().isEmpty()) {
        showState();
        return;
    }
    // The new table could not be opened.
    setAvailable(m_filter->error());
}

void TypingToggle::checkAvailability()
{
    if (m_probe) {
        return;
    }
    const std::string table = m_filter->table();
    m_probe = new BackgroundProbe([table] { M17nEngine::open(table); },
        [this](const QString& problem) { setAvailable(problem); }, this);
    m_probe->start();
}

void TypingToggle::toggle()
{
    if (!m_filter->setEnabled(!m_filter->isEnabled())) {
        setAvailable(m_filter->error());
        return;
    }
    showState();
    m_input.setFocus();
}

void TypingToggle::setAvailable(const QString& problem)
{
    m_hint->setProblem(problem);
    showState();
}

void TypingToggle::showState()
{
    m_button->setChecked(m_filter->isEnabled());
}
