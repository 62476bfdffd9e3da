// Desktop-wide shortcuts over the X server's key grabs.
#include "GlobalShortcuts.h"

#include "MessageTexts.h"
#include "X11KeyGrab.h"

namespace {

struct Key
{
    GlobalShortcuts::Action action;
    bool DesktopSettings::*setting;
    std::uint32_t keySym; // lower case: the key as it is without Shift
    const char* name;
};

const Key Keys[] = {
    {GlobalShortcuts::Action::Popup, &DesktopSettings::popupShortcut, 'e', "Ctrl+Alt+E"},
    {GlobalShortcuts::Action::Window, &DesktopSettings::windowShortcut, 't', "Ctrl+Alt+T"},
    {GlobalShortcuts::Action::Speak, &DesktopSettings::speakShortcut, 's', "Ctrl+Alt+S"},
};

const QString KeyTaken = QStringLiteral("%1 is held by another program.");
const QString NoKeys = QStringLiteral("This desktop gives programs no keys of their own.");
const QString UseCommands = QStringLiteral(
    "Bind \"quendra --popup\" or \"quendra --show\" to a key in the desktop's keyboard settings "
    "instead.");

} // namespace

GlobalShortcuts::GlobalShortcuts(QObject* parent)
    : QObject(parent)
    , m_grab(X11KeyGrab::create(this))
{
    if (m_grab) {
        connect(m_grab, &X11KeyGrab::pressed, this,
            [this](int index, bool shift) { emit triggered(Keys[index].action, shift); });
    }
}

QStringList GlobalShortcuts::messageLines()
{
    return {QStringLiteral("msgShortcutTaken=") + KeyTaken,
        QStringLiteral("msgNoGlobalShortcuts=") + NoKeys,
        QStringLiteral("msgUseCommandLine=") + UseCommands};
}

void GlobalShortcuts::apply(const DesktopSettings& settings)
{
    m_taken.clear();
    const bool anyWanted = std::any_of(
        std::begin(Keys), std::end(Keys), [&](const Key& key) { return settings.*key.setting; });
    m_unavailable = anyWanted && !m_grab;
    if (m_grab) {
        m_grab->ungrabAll();
        for (int index = 0; index < int(std::size(Keys)); ++index) {
            const Key& key = Keys[index];
            if (settings.*key.setting && !m_grab->grabCtrlAlt(key.keySym, index)) {
                m_taken += QString::fromLatin1(key.name);
            }
        }
    }
    const QString now = problem();
    if (!now.isEmpty() && now != m_told) {
        emit problemFound(now);
    }
    m_told = now;
}

QString GlobalShortcuts::problem() const
{
    const MessageTexts& texts = MessageTexts::instance();
    QStringList lines;
    if (m_unavailable) {
        lines += texts.translate(NoKeys);
    }
    for (const QString& key : m_taken) {
        lines += texts.translate(KeyTaken.arg(key));
    }
    if (!lines.isEmpty()) {
        lines += texts.translate(UseCommands);
    }
    return lines.join(u' ');
}
