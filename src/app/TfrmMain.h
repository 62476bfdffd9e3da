// The main window: the two panes, their buttons, the direction, the help menu and the status bar,
// the settings refresh, and the Translate command with its completion.
#pragma once

#include "AnchorLayout.h"
#include "ClipboardText.h"
#include "MainFormSetup.h"
#include "TfrmRoot.h"

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class EditPane;
class FileCommands;
class HistoryCommands;
class MainShortcuts;
struct HistoryEntry;
class FormLanguage;
class PanePrint;
class ProxySettings;
class TranslationSession;
class Pane;
class PaneStyles;
class RomanLine;
class SpeakButtons;
class TypingToggle;
class ViewPane;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QToolButton;

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

    // Pane commands; sender is the button (or menu) whose tag names the pane.
    void btnCopyClick(const QObject* sender);
    void btnPasteClick(const QObject* sender);
    void btnClearClick(const QObject* sender);
    void btnSwapClick();
    void autoPaste();
    void e1ContextPopup(Pane* pane, const QPoint& position);
    void cut1Click();

    // The Translate command (Stop while a worker runs) and the two ends of a translation. A text
    // the history holds is shown from there unless askService is set (Shift+Translate,
    // "Translate again").
    void btnTransClick(bool askService = false);
    void startTranslation(bool askService = false);
    void inputChanged();
    void stopTranslation();
    void translationDone();
    void translationFailed();
    bool translationRunning() const { return m_translationRunning; }

    // Files named on the command line, appended to the input pane as the Open command does; one
    // that cannot be read is reported and the rest still open.
    void openFiles(const QStringList& fileNames);
    // Puts a history entry back into both panes and its direction.
    void showHistoryEntry(const HistoryEntry& entry);

    void miOptionsClick();
    static void miAboutClick();

    // The HTTP client's proxy record.
    ProxySettings& proxyParams();

    const QString& lastSourceText() const { return m_lastSourceText; }
    const QString& lastClipboardText() const { return m_lastClipboardText; }
    const QString& lastTargetText() const { return m_lastTargetText; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createShortcuts(QAction* options, QAction* print, QAction* quit);
    // A button glyph by name, readable on the window's palette.
    QIcon glyph(const QString& name) const;
    // Label colours and glyphs made again for the palette in use.
    void followPalette();
    QToolButton* addGlyphButton(
        const char* name, const char* icon, const QString& hint, int y, int tag);
    Pane& paneByTag(int tag);
    // Shows the history's translation of the source text when there is one to re-use.
    bool showReusedTranslation();
    // What follows a translation shown in the output pane: the automatic copy and the focus.
    void afterTranslationShown(const QString& translation);
    // Switches the direction as the other radio button would when the text is clearly in the
    // other language's script.
    void followTextDirection(const QString& text);
    void showPartProgress(int part, int partCount);
    void showStatusNote(const QString& note);
    // The texts the window sets itself, in the interface language: after each translation.
    void showOwnTexts(const FormLanguage& language);
    void showLanguageNames(const FormLanguage& language);
    // The Translate button becomes the Stop button; its caption is kept to be put back.
    void showStopCaption();
    // Runs a completion handler's own steps, then ends the busy state whatever they did and
    // applies deferred proxy changes; a failure of the steps is passed on afterwards.
    void endTranslation(const std::function<void()>& handlerSteps);
    // Ends the running state, with or without a worker, and applies the proxy changes that
    // waited for it.
    void leaveRunningState();
    void pasteInto(int tag);

    MainFormSetup m_setup;
    std::unique_ptr<PaneStyles> m_paneStyles;
    std::unique_ptr<PaneStyles> m_outputStyles;
    std::unique_ptr<PanePrint> m_panePrint;
    std::unique_ptr<TranslationSession> m_session;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<HistoryCommands> m_historyCommands;
    // The Translate button was clicked with Shift held.
    bool m_shiftClick = false;
    bool m_shown = false;
    AnchorLayout m_layout;
    bool m_layoutReady = false;
    // A settings folder that could not be created, reported when the window first shows.
    QString m_settingsProblem;
    // Set before the Translate command lets pending events run, cleared when the worker reported.
    bool m_translationRunning = false;
    bool m_inputWasEmpty = true;
    // A worker runs: the Translate button stops it.
    bool m_workerStarted = false;
    // The Translate button's caption in the interface language, while it is the Stop button.
    QString m_translateCaption;
    // What the status bar shows when no countdown runs.
    QString m_statusNote;
    // Proxy settings changed while a translation ran; applied once it has ended.
    bool m_proxyPending = false;

    QString m_lastSourceText;
    QString m_lastClipboardText;
    QString m_lastTargetText;
    ClipboardText m_clipboard;

    QLabel* m_lbl1 = nullptr;
    QLabel* m_labFrom = nullptr;
    QLabel* m_labFromLang = nullptr;
    QLabel* m_labTo = nullptr;
    QLabel* m_labToLang = nullptr;
    QLabel* m_imgLoad = nullptr;
    EditPane* m_e1 = nullptr;
    ViewPane* m_e2 = nullptr;
    QGroupBox* m_rgDirection = nullptr;
    QRadioButton* m_rbEngToChn = nullptr;
    QRadioButton* m_rbChnToEng = nullptr;
    QPushButton* m_btnHelp = nullptr;
    QPushButton* m_btnTrans = nullptr;
    QStatusBar* m_bar = nullptr;
    QProgressBar* m_pbParts = nullptr;
    QMenu* m_pmHelp = nullptr;
    QMenu* m_pmTrans = nullptr;
    RomanLine* m_romanLine = nullptr;
    TypingToggle* m_typingToggle = nullptr;
    SpeakButtons* m_speakButtons = nullptr;
    FormLanguage* m_language = nullptr;
    MainShortcuts* m_shortcuts = nullptr;
};
