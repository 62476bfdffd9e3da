// The translation pop-up.
#include "TranslationPopup.h"

#include "ClipboardText.h"
#include "DirectionControls.h"
#include "ErrorReport.h"
#include "FormLanguage.h"
#include "MarathiRomaniser.h"
#include "SpeechService.h"
#include "TranslationController.h"
#include "TranslationMessages.h"
#include "TranslationTexts.h"

#include <QBoxLayout>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// The texts the pop-up sets itself; the language files hold them in other languages.
const QStringList OwnTexts = {
    QStringLiteral("strEnglish=English"),
    QStringLiteral("strMarathi=Marathi"),
    QStringLiteral("strDirection=%1 → %2"),
    QStringLiteral("strWait=Translation, please wait ..."),
    QStringLiteral("strFromHistory=From the history. Hold Shift with the shortcut to ask the "
                   "service again."),
    QStringLiteral("strEmpty=Nothing is selected, and the clipboard holds no text."),
    QStringLiteral("strImage=The selection is a picture. Select text to translate it."),
    QStringLiteral("strFiles=The selection is a list of files. Select text to translate it."),
    QStringLiteral("strTooLarge=The selection is longer than %1 characters, more than Quendra "
                   "takes at once."),
    QStringLiteral("strNoAnswer=The program holding the selection did not answer within a "
                   "second."),
};

// Room between the pointer and the pop-up's corner, so the pointer does not cover the text.
constexpr QPoint PointerGap(12, 16);
// Characters per line the translation gets before it wraps.
constexpr int LineCharacters = 48;
// The lines the translation's box shows at the least and at the most (it scrolls beyond).
constexpr int MinimumLines = 2;
constexpr int MaximumLines = 12;

QPushButton* addButton(QBoxLayout* row, QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

TranslationPopup::TranslationPopup(TranslationController& controller, OpenInWindow openInWindow)
    : QFrame(nullptr, Qt::Popup)
    , m_controller(controller)
    , m_openInWindow(std::move(openInWindow))
    , m_speech(new SpeechService(this))
{
    setObjectName("frmPopup");
    setFrameShape(QFrame::Box);
    setAttribute(Qt::WA_DeleteOnClose, false);
    createControls();
    // The handler runs the first time before the constructor returns.
    new FormLanguage(this, {"labDirection", "labStatus", "labRoman"}, OwnTexts,
        [this](const FormLanguage& language) {
            m_language = &language;
            showDirection(m_direction);
        });

    using Controller = TranslationController;
    const auto on = [this](auto signal, auto show) {
        connect(&m_controller, signal, this, [this, show](const auto&... values) {
            if (m_controller.serves(this)) {
                runCommand([&] { show(values...); });
            }
        });
    };
    on(&Controller::started, [this](Direction direction) {
        showDirection(direction);
        showBusy(true);
    });
    on(&Controller::directionChosen, [this](Direction direction) { showDirection(direction); });
    on(&Controller::progress, [this](int part, int count) {
        m_pbParts->setFormat(TranslationMessages::inLanguage(TranslationTexts::PartProgress));
        m_pbParts->setRange(0, count);
        m_pbParts->setValue(part);
    });
    on(&Controller::countdown, [this](int secondsLeft) {
        showStatus(TranslationMessages::inLanguage(TranslationTexts::fillIn(
            TranslationTexts::RetryCountdown, {std::to_string(secondsLeft)})));
    });
    on(&Controller::finished, [this](const TranslationResult& result) { showResult(result); });
    on(&Controller::failed, [this](const TranslationFailure& failure, const QString& partial) {
        showFailure(failure, partial);
    });
    on(&Controller::stopped, [this](const TranslationFailure& failure, const QString& partial) {
        showFailure(failure, partial);
    });
    connect(m_speech, &SpeechService::finished, this, [this](int, const QString& problem) {
        if (!problem.isEmpty()) {
            showStatus(problem);
        }
    });
}

TranslationPopup::~TranslationPopup() = default;

void TranslationPopup::createControls()
{
    auto* layout = new QVBoxLayout(this);
    m_labDirection = new QLabel(this);
    m_labDirection->setObjectName("labDirection");
    layout->addWidget(m_labDirection);

    m_txtTranslation = new QPlainTextEdit(this);
    m_txtTranslation->setObjectName("txtTranslation");
    m_txtTranslation->setReadOnly(true);
    m_txtTranslation->setTextInteractionFlags(
        Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_txtTranslation->installEventFilter(this);
    layout->addWidget(m_txtTranslation, 1);

    m_labRoman = new QLabel(this);
    m_labRoman->setObjectName("labRoman");
    m_labRoman->setWordWrap(true);
    m_labRoman->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_labRoman);

    auto* progress = new QHBoxLayout;
    m_pbParts = new QProgressBar(this);
    m_pbParts->setObjectName("pbParts");
    progress->addWidget(m_pbParts, 1);
    m_btnStop = addButton(progress, this, "btnStop", QStringLiteral("&Stop"));
    layout->addLayout(progress);

    m_labStatus = new QLabel(this);
    m_labStatus->setObjectName("labStatus");
    m_labStatus->setWordWrap(true);
    layout->addWidget(m_labStatus);

    auto* buttons = new QHBoxLayout;
    const auto button
        = [&](const char* name, const QString& caption, void (TranslationPopup::*command)()) {
              QPushButton* made = addButton(buttons, this, name, caption);
              connect(made, &QPushButton::clicked, this,
                  [this, command] { runCommand([&] { (this->*command)(); }); });
              return made;
          };
    button("btnCopy", QStringLiteral("&Copy"), &TranslationPopup::copy);
    m_btnSpeak = button("btnSpeak", QStringLiteral("S&peak"), &TranslationPopup::speak);
    button("btnSwap", QStringLiteral("S&wap direction"), &TranslationPopup::swapDirection);
    button("btnOpen", QStringLiteral("&Open in Quendra"), &TranslationPopup::openInWindow);
    buttons->addStretch();
    button("btnClose", QStringLiteral("Close"), &QWidget::hide);
    layout->addLayout(buttons);
    connect(m_btnStop, &QPushButton::clicked, this, [this] { m_controller.stop(); });
    showBusy(false);
}

QString TranslationPopup::text(const char* name) const
{
    return m_language->text(QString::fromLatin1(name));
}

void TranslationPopup::setTextFont(const QFont& font, bool romanLine)
{
    m_txtTranslation->setFont(font);
    m_labRoman->setFont(font);
    m_romanShown = romanLine;
    const QFontMetrics metrics(font);
    m_txtTranslation->setMinimumWidth(metrics.averageCharWidth() * LineCharacters);
    fitTextHeight();
}

void TranslationPopup::fitTextHeight()
{
    // As high as the text (its wrapped lines), within a few lines and a dozen.
    m_txtTranslation->document()->adjustSize();
    const int lines = std::clamp(
        int(m_txtTranslation->document()->size().height()), MinimumLines, MaximumLines);
    const int margins = int(2 * m_txtTranslation->document()->documentMargin())
        + 2 * m_txtTranslation->frameWidth();
    m_txtTranslation->setFixedHeight(
        lines * QFontMetrics(m_txtTranslation->font()).lineSpacing() + margins);
}

void TranslationPopup::translate(const QString& text, bool askService)
{
    m_pending = Ask {text, askService, std::nullopt};
    start();
    showNearPointer();
}

void TranslationPopup::showNotice(const QString& notice)
{
    if (!m_controller.busy() || !m_controller.serves(this)) {
        m_translation.clear();
        m_txtTranslation->clear();
        m_labRoman->hide();
    }
    showStatus(notice);
    showNearPointer();
}

void TranslationPopup::start()
{
    if (!m_pending) {
        return;
    }
    if (m_controller.busy()) {
        // A newer request replaces the pop-up's own; the window's runs to its end.
        if (m_controller.serves(this)
            && m_controller.state() != TranslationController::State::Stopping) {
            m_controller.stop();
        }
        showStatus(text("strWait"));
        return;
    }
    const Ask ask = *std::exchange(m_pending, std::nullopt);
    m_source = ask.text;
    m_translation.clear();
    m_txtTranslation->clear();
    m_labRoman->hide();
    showStatus({});
    TranslationAsk request;
    request.text = ask.text;
    request.direction = ask.direction.value_or(DirectionControls::current());
    request.fromScript = !ask.direction;
    request.askService = ask.askService;
    request.view = this;
    request.beforeSending = [this] { showStatus(text("strWait")); };
    m_controller.translate(request);
}

void TranslationPopup::requestEnded()
{
    showBusy(false);
    if (m_pending) {
        // After every handler of the ending has run.
        QTimer::singleShot(0, this, [this] { start(); });
    }
}

void TranslationPopup::showNearPointer()
{
    m_pointer = QCursor::pos();
    placeBesidePointer();
    show();
    raise();
    activateWindow();
    m_txtTranslation->setFocus();
}

void TranslationPopup::placeBesidePointer()
{
    adjustSize();
    const QPoint pointer = m_pointer;
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    const QRect room = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    QRect place(pointer + PointerGap, size().boundedTo(room.size()));
    // Beside the pointer, but on the side with room when the pointer is near an edge.
    if (place.right() > room.right()) {
        place.moveRight(std::max(room.left(), pointer.x() - PointerGap.x()));
    }
    if (place.bottom() > room.bottom()) {
        place.moveBottom(std::max(room.top(), pointer.y() - PointerGap.y()));
    }
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() - place.width() + 1));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() - place.height() + 1));
    setGeometry(place);
}

void TranslationPopup::showBusy(bool busy)
{
    if (busy) {
        m_pbParts->setRange(0, 0);
        m_pbParts->setFormat({});
    }
    m_pbParts->setVisible(busy);
    m_btnStop->setVisible(busy);
    m_btnStop->setText(TranslationMessages::inLanguage(TranslationTexts::StopCaption));
}

void TranslationPopup::showResult(const TranslationResult& result)
{
    m_source = result.source;
    m_translation = result.translation;
    m_txtTranslation->setPlainText(ClipboardText::toClipboardLineEnds(result.translation));
    fitTextHeight();
    showDirection(result.direction);
    showStatus(result.reused ? text("strFromHistory") : QString());
    const QString marathi
        = result.direction == Direction::EnglishToMarathi ? result.translation : result.source;
    m_labRoman->setText(
        QString::fromStdU16String(MarathiRomaniser::romanise(marathi.toStdU16String())));
    m_labRoman->setVisible(m_romanShown);
    requestEnded();
    placeBesidePointer();
}

void TranslationPopup::showFailure(const TranslationFailure& failure, const QString& partial)
{
    m_translation = partial;
    m_txtTranslation->setPlainText(ClipboardText::toClipboardLineEnds(partial));
    fitTextHeight();
    showStatus(TranslationMessages::reportOf(failure));
    requestEnded();
}

void TranslationPopup::showStatus(const QString& status)
{
    m_labStatus->setText(status);
    m_labStatus->setVisible(!status.isEmpty());
    if (isVisible()) {
        placeBesidePointer();
    }
}

void TranslationPopup::showDirection(Direction direction)
{
    m_direction = direction;
    const QString english = text("strEnglish");
    const QString marathi = text("strMarathi");
    const bool fromEnglish = direction == Direction::EnglishToMarathi;
    m_labDirection->setText(
        text("strDirection").arg(fromEnglish ? english : marathi, fromEnglish ? marathi : english));
}

void TranslationPopup::copy()
{
    // A selection's line ends come as paragraph separators.
    const QString selected
        = m_txtTranslation->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
    ClipboardText clipboard;
    clipboard.write(selected.isEmpty() ? m_translation : selected);
}

void TranslationPopup::speak()
{
    if (m_speech->isSpeaking()) {
        m_speech->stop();
        return;
    }
    if (!m_translation.isEmpty()) {
        m_speech->speak(m_translation, std::string(targetCodeOf(m_direction)), 0);
    }
}

void TranslationPopup::swapDirection()
{
    if (m_source.isEmpty()) {
        return;
    }
    m_pending = Ask {m_source, false, opposite(m_direction)};
    start();
}

void TranslationPopup::openInWindow()
{
    hide();
    m_openInWindow(m_source, m_translation, m_direction);
}

void TranslationPopup::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        runCommand([this] { copy(); });
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        hide();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool TranslationPopup::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+C copies the whole translation when nothing is selected, as the Copy button does.
    if (watched == m_txtTranslation && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        runCommand([this] { copy(); });
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
