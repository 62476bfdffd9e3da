// Quendra on the desktop.
#include "DesktopSession.h"

#include "CommandLine.h"
#include "DesktopPage.h"
#include "ErrorReport.h"
#include "MarathiAidSettings.h"
#include "Pane.h"
#include "PaneFonts.h"
#include "PaneText.h"
#include "SelectionText.h"
#include "SpeechService.h"
#include "TextScript.h"
#include "TfrmMain.h"
#include "TranslationController.h"
#include "TranslationPopup.h"
#include "TrayIcon.h"

#include <QAction>
#include <QRadioButton>
#include <QStatusBar>

DesktopSession::DesktopSession(
    TfrmMain& window, TranslationController& controller, SingleInstance& instance)
    : QObject(&window)
    , m_window(window)
    , m_controller(controller)
    , m_shortcuts(new GlobalShortcuts(this))
    , m_popup(new TranslationPopup(controller,
          [this](const QString& source, const QString& translation, Direction direction) {
              raiseWindow();
              m_window
                  .findChild<QRadioButton*>(
                      direction == Direction::EnglishToMarathi ? "rbEngToChn" : "rbChnToEng")
                  ->setChecked(true);
              setPaneText(*m_window.findChild<Pane*>("E1"), source);
              setPaneText(*m_window.findChild<Pane*>("E2"), translation);
          }))
    , m_speech(new SpeechService(this))
    , m_tray(new TrayIcon(window, *this))
{
    DesktopPage::setDesktop({[this] { return m_shortcuts->problem(); }, &TrayIcon::available});
    connect(&instance, &SingleInstance::requested, this,
        [this](const InstanceRequest& request) { runCommand([&] { handle(request); }); });
    connect(m_shortcuts, &GlobalShortcuts::triggered, this,
        [this](GlobalShortcuts::Action action, bool shift) {
            runCommand([&] {
                switch (action) {
                case GlobalShortcuts::Action::Popup:
                    popupSelection(shift);
                    break;
                case GlobalShortcuts::Action::Window:
                    windowSelection(shift);
                    break;
                case GlobalShortcuts::Action::Speak:
                    speakSelection();
                    break;
                }
            });
        });
    connect(m_shortcuts, &GlobalShortcuts::problemFound, this,
        [this](const QString& problem) { tellShortcutProblem(problem); });
    // The Options dialog runs inside the window's handler, connected before this one.
    if (auto* options = m_window.findChild<QAction*>("miOptions")) {
        connect(options, &QAction::triggered, this,
            [this] { runCommand([this] { applySettings(); }); });
    }
    connect(m_speech, &SpeechService::finished, this, [this](int, const QString& problem) {
        if (!problem.isEmpty()) {
            m_window.findChild<QStatusBar*>("Bar")->showMessage(problem);
        }
    });
}

DesktopSession::~DesktopSession()
{
    DesktopPage::setDesktop({});
    delete m_popup;
}

void DesktopSession::start(const CommandLine& command)
{
    applySettings();
    // Started from --popup with none running: the window shows too, as a way to end Quendra.
    if (!command.tray || !m_tray->showAlone()) {
        m_window.show();
    }
    m_window.openFiles(command.arguments);
    if (command.popup) {
        popupSelection(false);
    }
}

void DesktopSession::handle(const InstanceRequest& request)
{
    switch (request.kind) {
    case InstanceRequest::Kind::Popup:
        popupSelection(false);
        break;
    case InstanceRequest::Kind::Show:
        raiseWindow();
        break;
    case InstanceRequest::Kind::Open:
        raiseWindow();
        m_window.openFiles(request.files);
        break;
    }
}

void DesktopSession::applySettings()
{
    m_settings = loadDesktopSettings();
    m_shortcuts->apply(m_settings);
    m_tray->applySettings(m_settings);
    const PaneFonts fonts = loadPaneFonts();
    QFont font(paneFamilies(fonts.output.family));
    font.setPointSize(fonts.output.pointSize);
    m_popup->setTextFont(font, loadMarathiAidSettings().romanLine);
}

void DesktopSession::raiseWindow()
{
    if (m_window.isMinimized()) {
        m_window.showNormal();
    }
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

std::optional<QString> DesktopSession::selection(SelectionSource source)
{
    const SelectionRead read = SelectionText::read(source, MaxPaneTextLength);
    switch (read.outcome) {
    case SelectionRead::Outcome::Text:
        return read.text;
    case SelectionRead::Outcome::Image:
        m_popup->showNotice(m_popup->text("strImage"));
        break;
    case SelectionRead::Outcome::Files:
        m_popup->showNotice(m_popup->text("strFiles"));
        break;
    case SelectionRead::Outcome::TooLarge:
        m_popup->showNotice(m_popup->text("strTooLarge").arg(MaxPaneTextLength));
        break;
    case SelectionRead::Outcome::NoAnswer:
        m_popup->showNotice(m_popup->text("strNoAnswer"));
        break;
    default:
        m_popup->showNotice(m_popup->text("strEmpty"));
        break;
    }
    return std::nullopt;
}

void DesktopSession::popupText(SelectionSource source, bool askService)
{
    if (const std::optional<QString> text = selection(source)) {
        m_popup->translate(*text, askService);
    }
}

void DesktopSession::popupSelection(bool askService)
{
    popupText(m_settings.source, askService);
}

void DesktopSession::popupClipboard()
{
    popupText(SelectionSource::ClipboardOnly, false);
}

void DesktopSession::windowSelection(bool askService)
{
    if (const std::optional<QString> text = selection(m_settings.source)) {
        raiseWindow();
        setPaneText(*m_window.findChild<Pane*>("E1"), *text);
        m_window.startTranslation(askService);
    }
}

void DesktopSession::speakSelection()
{
    if (const std::optional<QString> text = selection(m_settings.source)) {
        const std::optional<Direction> script
            = directionForScript(dominantScript(text->toStdU16String()));
        m_speech->speak(
            *text, std::string(sourceCodeOf(script.value_or(Direction::EnglishToMarathi))), 0);
    }
}

void DesktopSession::tellShortcutProblem(const QString& problem)
{
    m_window.findChild<QStatusBar*>("Bar")->showMessage(problem);
}
