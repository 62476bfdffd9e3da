// The pop-up beside the pointer that translates text from another program (the selection): the
// translation (selectable, in the output pane's font), the romanisation line for Marathi, the
// direction, and Copy, Speak, Swap direction, Open in Quendra and Close. Esc or a click elsewhere
// closes it. It is one more view of the TranslationController: progress and Stop while a request
// runs, the failure's one report, the history re-used as in the window.
#pragma once

#include "Direction.h"

#include <QFrame>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class FormLanguage;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class SpeechService;
class TranslationController;
struct TranslationFailure;
struct TranslationResult;

class TranslationPopup : public QFrame
{
    Q_OBJECT

public:
    // Opens the text and its translation in the main window.
    using OpenInWindow = std::function<void(
        const QString& source, const QString& translation, Direction direction)>;

    TranslationPopup(TranslationController& controller, OpenInWindow openInWindow);
    ~TranslationPopup() override;

    // Shows the pop-up near the pointer and translates text; askService goes past the history.
    // A request of the pop-up still running is stopped and this one follows it.
    void translate(const QString& text, bool askService);
    // Shows the pop-up near the pointer with a notice in place of a translation.
    void showNotice(const QString& notice);
    // One of the pop-up's texts in the interface language, by name.
    QString text(const char* name) const;
    // The font of the translation: the output pane's, zoom included; the romanisation line
    // follows it when shown.
    void setTextFont(const QFont& font, bool romanLine);

    // The shown translation, empty while none is shown.
    const QString& translation() const { return m_translation; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void start();
    void showNearPointer();
    void fitTextHeight();
    // Grown or shrunk to its content, beside the pointer it was called to, inside that screen.
    void placeBesidePointer();
    void showBusy(bool busy);
    void showResult(const TranslationResult& result);
    void showFailure(const TranslationFailure& failure, const QString& partial);
    void showStatus(const QString& status);
    void showDirection(Direction direction);
    void copy();
    void speak();
    void swapDirection();
    void openInWindow();
    // The controller ended a request of the pop-up: the one waiting, if any, starts.
    void requestEnded();

    struct Ask
    {
        QString text;
        bool askService = false;
        std::optional<Direction> direction; // chosen by the user; else from the script
    };

    TranslationController& m_controller;
    OpenInWindow m_openInWindow;
    std::optional<Ask> m_pending;
    QString m_source;
    QString m_translation;
    Direction m_direction = Direction::EnglishToMarathi;
    QPoint m_pointer;

    QLabel* m_labDirection = nullptr;
    QPlainTextEdit* m_txtTranslation = nullptr;
    QLabel* m_labRoman = nullptr;
    bool m_romanShown = false;
    QLabel* m_labStatus = nullptr;
    QProgressBar* m_pbParts = nullptr;
    QPushButton* m_btnStop = nullptr;
    QPushButton* m_btnSpeak = nullptr;
    SpeechService* m_speech = nullptr;
    const FormLanguage* m_language = nullptr;
};
