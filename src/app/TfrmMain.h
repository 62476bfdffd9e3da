// The main window: the two panes, their buttons, the direction, the help menu and the status bar.
// It wires the features together; translating is the controller's, the pane and file commands
// are classes of their own.
#pragma once

#include "AnchorLayout.h"
#include "Direction.h"
#include "MainFormSetup.h"
#include "MainWindowWidgets.h"
#include "PaneCommands.h"
#include "TfrmRoot.h"

#include <QString>
#include <memory>

class DirectionControls;
class EditPane;
class FileCommands;
class FormLanguage;
class HelpMenu;
class HistoryCommands;
class ImageTextCommands;
class MainShortcuts;
class PanePrint;
class PaneStyles;
class ProxySettings;
class RomanLine;
class SpeakButtons;
class TranslationController;
class TranslationDisplay;
class TypingToggle;
class ViewPane;
struct HistoryEntry;

class TfrmMain : public TfrmRoot
{
    Q_OBJECT

public:
    explicit TfrmMain(const MainFormSetup& setup = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    void formShow();
    void formActivate();
    void refreshSettings();
    void applyDirection();
    void layoutLanguageLabels();
    void applyProxySettings();
    void rbEngToChnClick();
    void btnHelpClick();

    // The Translate command: Stop while a translation runs. A text the history holds is shown
    // from there unless askService is set (Shift+Translate, "Translate again").
    void btnTransClick(bool askService = false);
    void startTranslation(bool askService = false);
    void stopTranslation();
    bool translationRunning() const;

    // Files named on the command line, appended to the input pane as the Open command does; one
    // that cannot be read is reported and the rest still open.
    void openFiles(const QStringList& fileNames);
    // Puts a history entry back into both panes and its direction.
    void showHistoryEntry(const HistoryEntry& entry);

    void miOptionsClick();
    static void miAboutClick();

    // The HTTP client's proxy record.
    ProxySettings& proxyParams();

    const QString& lastSourceText() const { return m_paneCommands->lastSourceText(); }
    const QString& lastClipboardText() const { return m_paneCommands->lastClipboardText(); }
    const QString& lastTargetText() const { return m_paneCommands->lastTargetText(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void connectButtons();
    void createMenus();
    void createShortcuts();
    void connectController();

    // The controller turned the direction for the text's script.
    void directionFollowedText(Direction direction);
    void inputChanged();
    // The texts the window sets itself, in the interface language: after each translation.
    void showOwnTexts(const FormLanguage& language);

    MainFormSetup m_setup;
    std::unique_ptr<PaneStyles> m_paneStyles;
    std::unique_ptr<PaneStyles> m_outputStyles;
    std::unique_ptr<PanePrint> m_panePrint;
    TranslationController* m_controller;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<HistoryCommands> m_historyCommands;
    PaneCommands* m_paneCommands = nullptr;
    TranslationDisplay* m_display = nullptr;
    ImageTextCommands* m_imageText = nullptr;
    std::unique_ptr<HelpMenu> m_helpMenu;
    std::unique_ptr<DirectionControls> m_direction;
    // The Translate button was clicked with Shift held.
    bool m_shiftClick = false;
    bool m_shown = false;
    AnchorLayout m_layout;
    bool m_layoutReady = false;
    // A settings folder that could not be created, reported when the window first shows.
    QString m_settingsProblem;
    bool m_inputWasEmpty = true;

    MainWindowWidgets m_ui;
    EditPane* m_e1 = nullptr;
    ViewPane* m_e2 = nullptr;
    RomanLine* m_romanLine = nullptr;
    TypingToggle* m_typingToggle = nullptr;
    SpeakButtons* m_speakButtons = nullptr;
    FormLanguage* m_language = nullptr;
    MainShortcuts* m_shortcuts = nullptr;
};
