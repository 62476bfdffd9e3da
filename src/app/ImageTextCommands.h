// Text from images in the main window: a picture opened, pasted with Ctrl+V, dropped on the window
// or taken from an area of the screen is read on the recognition thread while the status bar shows
// the progress and a Stop button. The text replaces the input pane's as one undo step, the
// direction follows its script, and with "translate recognised text at once" set it is
// translated. Notices (no text found, low confidence, stopped) go to the status bar; the pane
// keeps its text whenever nothing was read.
#pragma once

#include "Direction.h"

#include <QImage>
#include <QObject>
#include <functional>

class EditPane;
class ImageRecognition;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class ScreenArea;
class TranslationController;

class ImageTextCommands : public QObject
{
public:
    struct WindowHooks
    {
        // The window's Translate command.
        std::function<void()> translate;
        // The text's script turned the direction.
        std::function<void(Direction)> directionFollowed;
    };

    ImageTextCommands(QWidget* window, EditPane& input, QStatusBar* bar,
        TranslationController& translations, WindowHooks hooks);
    ~ImageTextCommands() override;

    // Raises OcrError (with the user's words) for a picture that cannot be read or when Tesseract
    // or a language's data is missing.
    void openImage(const QString& fileName);
    void readImage(const QImage& image);
    // "Text from screen area...": the user picks an area of the screen.
    void readScreenArea();
    void stop();
    bool reading() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectRecognition();
    bool pasteFromClipboard();
    bool takeDrop(QEvent* event);
    void showProgress(bool running);
    void showNotice(const char* englishText, const QString& detail = {});
    void textRead(const QString& text, double confidence);

    EditPane& m_input;
    QStatusBar* m_bar;
    TranslationController& m_translations;
    WindowHooks m_hooks;
    ImageRecognition* m_recognition;
    ScreenArea* m_screenArea;
    QLabel* m_progressText;
    QProgressBar* m_progress;
    QPushButton* m_stop;
    QTimer* m_poll;
};
