// The main window's text from images.
#include "ImageTextCommands.h"

#include "ClipboardText.h"
#include "DirectionControls.h"
#include "EditPane.h"
#include "ErrorReport.h"
#include "ImageInput.h"
#include "ImageRecognition.h"
#include "ImageTextMessages.h"
#include "ImageTextSettings.h"
#include "PaneText.h"
#include "Params.h"
#include "ScreenArea.h"
#include "TextScript.h"
#include "TranslationController.h"
#include "TranslationMessages.h"
#include "TranslationTexts.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace {

// Under this mean confidence of the words, the user is asked to check the text.
constexpr double TrustedConfidence = 60;
constexpr int ProgressPollMs = 100;

std::string languagesToRead()
{
    return loadImageTextSettings().languages;
}

} // namespace

ImageTextCommands::ImageTextCommands(QWidget* window, EditPane& input, QStatusBar* bar,
    TranslationController& translations, WindowHooks hooks)
    : QObject(window)
    , m_input(input)
    , m_bar(bar)
    , m_translations(translations)
    , m_hooks(std::move(hooks))
    , m_recognition(new ImageRecognition(this))
    , m_screenArea(new ScreenArea(window))
    , m_progressText(new QLabel(bar))
    , m_progress(new QProgressBar(bar))
    , m_stop(new QPushButton(bar))
    , m_poll(new QTimer(this))
{
    m_progress->setObjectName("pbOcr");
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(120);
    m_stop->setObjectName("btnOcrStop");
    for (QWidget* widget : std::initializer_list<QWidget*> {m_progressText, m_progress, m_stop}) {
        // Permanent: the status bar's notes do not hide them.
        bar->addPermanentWidget(widget);
        widget->hide();
    }
    m_poll->setInterval(ProgressPollMs);
    connect(
        m_poll, &QTimer::timeout, this, [this] { m_progress->setValue(m_recognition->percent()); });
    connect(m_stop, &QPushButton::clicked, this, [this] { stop(); });
    connectRecognition();
    connect(m_screenArea, &ScreenArea::picked, this,
        [this](const QImage& image) { runCommand([&] { readImage(image); }); });
    connect(m_screenArea, &ScreenArea::failed, this,
        [](const QString& message) { reportError(message); });
    window->setAcceptDrops(true);
    for (QObject* watched : {static_cast<QObject*>(window), static_cast<QObject*>(&input),
             static_cast<QObject*>(input.viewport())}) {
        watched->installEventFilter(this);
    }
}

ImageTextCommands::~ImageTextCommands() = default;

void ImageTextCommands::connectRecognition()
{
    connect(m_recognition, &ImageRecognition::recognised, this,
        [this](const QString& text, double confidence) {
            showProgress(false);
            runCommand([&] { textRead(text, confidence); });
        });
    connect(m_recognition, &ImageRecognition::nothingFound, this, [this] {
        showProgress(false);
        showNotice(NoTextFound().what());
    });
    connect(m_recognition, &ImageRecognition::stopped, this, [this] {
        showProgress(false);
        showNotice(ImageTextMessages::Stopped);
    });
    connect(m_recognition, &ImageRecognition::failed, this, [this](const QString& message) {
        showProgress(false);
        reportError(message);
    });
}

bool ImageTextCommands::reading() const
{
    return m_recognition->busy();
}

void ImageTextCommands::openImage(const QString& fileName)
{
    readImage(readImageFile(fileName));
}

void ImageTextCommands::readImage(const QImage& image)
{
    // One thing at a time in the input pane: a text read while a translation of it runs would
    // no longer be what is translated.
    if (m_recognition->busy()) {
        showNotice(ImageTextMessages::AlreadyReading);
        return;
    }
    if (m_translations.busy()) {
        showNotice(ImageTextMessages::TranslationRuns);
        return;
    }
    const std::string languages = languagesToRead();
    TextRecogniser::checkInstalled(ocrOptionsFor(languages));
    m_recognition->start(image, languages);
    showProgress(true);
}

void ImageTextCommands::readScreenArea()
{
    if (m_recognition->busy()) {
        showNotice(ImageTextMessages::AlreadyReading);
        return;
    }
    // Said before the user picks an area, not after.
    TextRecogniser::checkInstalled(ocrOptionsFor(languagesToRead()));
    m_screenArea->start();
}

void ImageTextCommands::stop()
{
    m_recognition->stop();
}

void ImageTextCommands::showProgress(bool running)
{
    m_progressText->setText(ImageTextMessages::inLanguage(ImageTextMessages::Reading));
    m_stop->setText(TranslationMessages::inLanguage(TranslationTexts::StopCaption));
    m_progress->setValue(0);
    for (QWidget* widget : std::initializer_list<QWidget*> {m_progressText, m_progress, m_stop}) {
        widget->setVisible(running);
    }
    if (running) {
        m_poll->start();
    } else {
        m_poll->stop();
    }
}

void ImageTextCommands::showNotice(const char* englishText, const QString& detail)
{
    const QString english = QString::fromUtf8(englishText);
    m_bar->showMessage(
        ImageTextMessages::inLanguage(detail.isEmpty() ? english : english.arg(detail)));
}

void ImageTextCommands::textRead(const QString& text, double confidence)
{
    setPaneText(m_input, ClipboardText::toPaneLineEnds(text));
    m_input.setFocus();
    // As a translation would: a text in the other language's script turns the direction.
    const std::optional<Direction> wanted = Params.autoDirection
        ? directionForScript(dominantScript(text.toStdU16String()))
        : std::nullopt;
    if (wanted && *wanted != DirectionControls::current()) {
        m_hooks.directionFollowed(*wanted);
    }
    // After the direction's note, which it is more important than.
    if (confidence < TrustedConfidence) {
        showNotice(ImageTextMessages::LowConfidence, QString::number(std::lround(confidence)));
    }
    if (!loadImageTextSettings().translateAtOnce) {
        return;
    }
    if (m_translations.busy()) {
        showNotice(ImageTextMessages::NotTranslated);
    } else {
        m_hooks.translate();
    }
}

bool ImageTextCommands::pasteFromClipboard()
{
    // Text wins: programs that copy text often add a picture of it.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || data->hasText() || !holdsImage(*data)) {
        return false;
    }
    runCommand([&] { readImage(::readImage(*data)); });
    return true;
}

bool ImageTextCommands::takeDrop(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData() || !holdsImage(*drop->mimeData())) {
        return false;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        runCommand([&] { readImage(::readImage(*drop->mimeData())); });
    }
    return true;
}

bool ImageTextCommands::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == &m_input && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)
            && pasteFromClipboard()) {
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (takeDrop(event)) {
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
