// How the main window shows the translations the controller runs for it: the wait line and the
// busy image, Stop on the Translate button, the part progress, the countdown and notes in the
// status bar, and the result or the failure in the output pane.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class PaneCommands;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class TranslationController;
class ViewPane;
struct TranslationFailure;
struct TranslationResult;

class TranslationDisplay : public QObject
{
public:
    struct Controls
    {
        QPushButton* translate;
        QLabel* busyImage;
        QProgressBar* parts;
        QStatusBar* bar;
        ViewPane* output;
    };
    // One of the window's own texts in the interface language, by name.
    using OwnText = std::function<QString(const char* name)>;

    TranslationDisplay(TranslationController& controller, const QObject* view, Controls controls,
        PaneCommands& paneCommands, OwnText ownText);

    // The translation is about to go to the service.
    void showWaiting();
    // The Translate button shows Stop.
    bool showsStop() const { return !m_translateCaption.isEmpty(); }
    // The interface language put the Translate caption back: Stop again while a translation runs.
    void languageChanged();
    // What the status bar shows when no countdown runs.
    void showStatusNote(const QString& note);

private:
    void showStopCaption();
    void showIdle();
    void showResult(const TranslationResult& result);
    void showFailure(const TranslationFailure& failure, const QString& partial);
    void showPartProgress(int part, int partCount);
    void showCountdown(int secondsLeft);

    Controls m_controls;
    PaneCommands& m_paneCommands;
    OwnText m_ownText;
    // The Translate button's caption in the interface language, while it is the Stop button.
    QString m_translateCaption;
    QString m_statusNote;
};
