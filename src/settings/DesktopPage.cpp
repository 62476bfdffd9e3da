// The Desktop page of the Options dialog.
#include "DesktopPage.h"

#include "AutostartEntry.h"
#include "IniWriteError.h"
#include "MessageTexts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>

namespace {

DesktopPage::Desktop& desktop()
{
    static DesktopPage::Desktop hooks;
    return hooks;
}

template <typename T>
T* add(QBoxLayout* layout, QWidget* parent, const char* name, const char* text)
{
    auto* made = new T(QString::fromUtf8(text), parent);
    made->setObjectName(name);
    layout->addWidget(made);
    return made;
}

} // namespace

void DesktopPage::setDesktop(Desktop hooks)
{
    desktop() = std::move(hooks);
}

DesktopPage::DesktopPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("tsDesktop");
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    m_chkPopupShortcut = add<QCheckBox>(
        layout, this, "chkPopupShortcut", "Ctrl+Alt+E translates the selection in a pop-up.");
    m_chkWindowShortcut = add<QCheckBox>(
        layout, this, "chkWindowShortcut", "Ctrl+Alt+T translates the selection in the window.");
    m_chkSpeakShortcut
        = add<QCheckBox>(layout, this, "chkSpeakShortcut", "Ctrl+Alt+S reads the selection aloud.");
    m_labShortcutProblem = new QLabel(this);
    m_labShortcutProblem->setObjectName("labShortcutProblem");
    m_labShortcutProblem->setWordWrap(true);
    layout->addWidget(m_labShortcutProblem);
    auto* source = new QHBoxLayout;
    m_rbSelectionFirst
        = add<QRadioButton>(source, this, "rbSelectionFirst", "Selection, then clipboard");
    m_rbClipboardOnly = add<QRadioButton>(source, this, "rbClipboardOnly", "Clipboard only");
    layout->addLayout(source);
    m_chkKeepInTray = add<QCheckBox>(
        layout, this, "chkKeepInTray", "Keep running in the tray when the window is closed.");
    m_chkAutostart
        = add<QCheckBox>(layout, this, "chkAutostart", "Start Quendra in the tray when I log in.");
    layout->addStretch();
}

QList<QWidget*> DesktopPage::controls() const
{
    return {m_chkPopupShortcut, m_chkWindowShortcut, m_chkSpeakShortcut, m_rbSelectionFirst,
        m_rbClipboardOnly, m_chkKeepInTray, m_chkAutostart};
}

void DesktopPage::showSettings()
{
    m_stored = loadDesktopSettings();
    show(m_stored);
    m_chkAutostart->setChecked(AutostartEntry::exists());
    const QString problem = desktop().shortcutProblem ? desktop().shortcutProblem() : QString();
    m_labShortcutProblem->setText(problem);
    m_labShortcutProblem->setVisible(!problem.isEmpty());
    const bool tray = desktop().trayAvailable && desktop().trayAvailable();
    m_chkKeepInTray->setEnabled(tray);
    m_chkKeepInTray->setToolTip(tray ? QString()
                                     : MessageTexts::instance().translate(
                                         QStringLiteral("This desktop shows no tray icons.")));
}

void DesktopPage::selectDefaults()
{
    show(DesktopSettings {});
    m_chkAutostart->setChecked(false);
}

void DesktopPage::show(const DesktopSettings& settings)
{
    m_chkPopupShortcut->setChecked(settings.popupShortcut);
    m_chkWindowShortcut->setChecked(settings.windowShortcut);
    m_chkSpeakShortcut->setChecked(settings.speakShortcut);
    (settings.source == SelectionSource::ClipboardOnly ? m_rbClipboardOnly : m_rbSelectionFirst)
        ->setChecked(true);
    m_chkKeepInTray->setChecked(settings.keepInTray);
}

DesktopSettings DesktopPage::shown() const
{
    DesktopSettings settings;
    settings.popupShortcut = m_chkPopupShortcut->isChecked();
    settings.windowShortcut = m_chkWindowShortcut->isChecked();
    settings.speakShortcut = m_chkSpeakShortcut->isChecked();
    settings.source = m_rbClipboardOnly->isChecked() ? SelectionSource::ClipboardOnly
                                                     : SelectionSource::SelectionThenClipboard;
    settings.keepInTray = m_chkKeepInTray->isChecked();
    return settings;
}

void DesktopPage::saveSettings()
{
    const DesktopSettings settings = shown();
    saveDesktopSettings(settings, m_stored);
    m_stored = settings;
    if (m_chkAutostart->isChecked() != AutostartEntry::exists()
        && !AutostartEntry::setEnabled(m_chkAutostart->isChecked())) {
        throw IniWriteError(QFile::encodeName(AutostartEntry::path()).toStdString());
    }
}
