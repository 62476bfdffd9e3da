// Text from images in the real main window: each way a picture comes in, Stop, a picture with no
// text, a picture while a translation runs, the direction and the translation that follow.
#include "FakeTranslationService.h"
#include "FileDialogs.h"
#include "MainFormFixture.h"
#include "PaneText.h"
#include "ScreenAreaOverlay.h"
#include "TextImage.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QUrl>

namespace {

const QString EnglishLine = QStringLiteral("The council will meet next Tuesday.");

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A picture copied from an image viewer or a browser: encoded bytes, no text.
void copyImage(const QImage& image, const QString& text = {})
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), pngOf(image));
    if (!text.isEmpty()) {
        data->setText(text);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

class ImageTextTest : public MainFormFixture
{
protected:
    void SetUp() override { openWindow(); }

    void openWindow()
    {
        MainFormSetup setup;
        setup.serviceBaseAddress = service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
        open(setup);
        input = control<Pane>("E1");
        output = control<Pane>("E2");
        stop = control<QPushButton>("btnOcrStop");
        bar = control<QStatusBar>("Bar");
    }

    void TearDown() override
    {
        EXPECT_TRUE(settle());
        MainFormFixture::TearDown();
    }

    // Lets the GUI run until neither a reading nor a translation runs.
    bool settle()
    {
        QDeadlineTimer deadline(30000);
        const auto busy
            = [this] { return m_form && (stop->isVisible() || m_form->translationRunning()); };
        while (busy() && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return !busy();
    }

    void pressPaste()
    {
        input->setFocus();
        QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    }

    FakeTranslationService service;
    QTemporaryDir m_files;
    Pane* input = nullptr;
    Pane* output = nullptr;
    QPushButton* stop = nullptr;
    QStatusBar* bar = nullptr;
};

TEST_F(ImageTextTest, EachWayInFillsTheInputPaneAsOneUndoStep)
{
    const QImage line = renderText(EnglishLine, {"Noto Sans Devanagari", 16});
    const QString file = m_files.filePath("notice.png");
    ASSERT_TRUE(line.save(file));
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Ctrl+V",
            [&] {
                copyImage(line);
                pressPaste();
            }},
        {"drop on the input pane",
            [&] {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(file)});
                const QPointF at(20, 20);
                QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(input->viewport(), &enter);
                EXPECT_TRUE(enter.isAccepted());
                QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(input->viewport(), &drop);
            }},
        {"Open",
            [&] {
                FileDialogs::setNextFileName(file, 1);
                QTest::mouseClick(control<QAbstractButton>("btnOpen"), Qt::LeftButton);
            }},
    };
    for (const auto& [way, bringIn] : ways) {
        SCOPED_TRACE(way);
        setPaneText(*input, "before");
        bringIn();
        EXPECT_TRUE(stop->isVisible());
        ASSERT_TRUE(settle());
        EXPECT_LE(characterErrorRate(EnglishLine, getPaneText(*input)), 3.0)
            << getPaneText(*input).toStdString();
        EXPECT_TRUE(m_messages.shown.empty());
        input->setFocus();
        QTest::keyClick(input, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(getPaneText(*input), "before");
    }

    // Text wins over the picture some programs copy with it: Ctrl+V pastes the text.
    copyImage(line, "typed words");
    setPaneText(*input, "");
    pressPaste();
    EXPECT_FALSE(stop->isVisible());
    EXPECT_EQ(getPaneText(*input), "typed words");
}

TEST_F(ImageTextTest, MarathiTextTurnsTheDirectionAndIsTranslatedAtOnceWhenSet)
{
    writeSettings("[General]\r\nDirection=0\r\n[Images]\r\nTranslateAtOnce=1\r\n");
    m_form->refreshSettings();
    service.translateEveryRequest();
    const QString marathi = QString::fromUtf8("आरोग्य केंद्राने सूचना दिली आहे");
    copyImage(renderText(marathi, {"Noto Sans Devanagari", 16}));
    pressPaste();
    ASSERT_TRUE(settle());
    EXPECT_LE(characterErrorRate(marathi, getPaneText(*input)), 5.0)
        << getPaneText(*input).toStdString();
    EXPECT_TRUE(control<QRadioButton>("rbChnToEng")->isChecked());
    EXPECT_TRUE(getPaneText(*output).startsWith("[en] ")) << getPaneText(*output).toStdString();
    ASSERT_EQ(service.texts().size(), 1u);
}

TEST_F(ImageTextTest, NoTextStopAndARunningTranslationLeaveThePaneAsItWas)
{
    setPaneText(*input, "kept");
    QImage blank(400, 120, QImage::Format_RGB32);
    blank.fill(Qt::white);
    copyImage(blank);
    pressPaste();
    ASSERT_TRUE(settle());
    EXPECT_EQ(getPaneText(*input), "kept");
    EXPECT_EQ(bar->currentMessage(), "No text found in the image.");

    // A page of text takes seconds to read; Stop ends it at once.
    QString page;
    for (int i = 0; i < 30; ++i) {
        page += EnglishLine + u' ';
    }
    copyImage(renderText(page, {"Noto Sans Devanagari", 14, Qt::white, Qt::black, 1200}));
    pressPaste();
    ASSERT_TRUE(stop->isVisible());
    QDeadlineTimer deadline(3000);
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(settle());
    EXPECT_FALSE(deadline.hasExpired());
    EXPECT_EQ(getPaneText(*input), "kept");
    EXPECT_EQ(bar->currentMessage(), "Reading the image was stopped.");

    // While a translation runs, a picture is refused, not read into the text being translated.
    service.stayMute();
    QTest::mouseClick(control<QAbstractButton>("btnTrans"), Qt::LeftButton);
    QTest::qWait(200);
    ASSERT_TRUE(m_form->translationRunning());
    copyImage(renderText(EnglishLine));
    pressPaste();
    EXPECT_FALSE(stop->isVisible());
    EXPECT_EQ(bar->currentMessage(),
        "A translation is running: bring the image again when it has finished.");
    EXPECT_EQ(getPaneText(*input), "kept");
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(ImageTextTest, AnUnreadablePictureIsReportedAndThePaneKept)
{
    setPaneText(*input, "kept");
    const QString file = m_files.filePath("cut.png");
    QFile cut(file);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(pngOf(renderText(EnglishLine)).left(100));
    cut.close();
    m_form->openFiles({file});
    ASSERT_TRUE(settle());
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.shown[0].text.startsWith("The image \"cut.png\" could not be read"))
        << m_messages.shown[0].text.toStdString();
    EXPECT_EQ(getPaneText(*input), "kept");
}

// The area dragged on the overlay comes back in the screenshot's own pixels, also when the
// screen's pixels are twice as many as the overlay's; Esc and a mere click cancel.
TEST(ScreenAreaOverlay, GivesTheDraggedAreaOrNothing)
{
    QImage screenshot(800, 600, QImage::Format_RGB32);
    screenshot.fill(Qt::white);
    enum class End
    {
        Drag,
        Click,
        Esc
    };
    for (const End end : {End::Drag, End::Click, End::Esc}) {
        std::optional<QImage> picked;
        auto* overlay = new ScreenAreaOverlay(
            screenshot, QRect(0, 0, 400, 300), "hint", [&](const QImage& area) { picked = area; });
        QPointer<ScreenAreaOverlay> alive(overlay);
        overlay->show();
        if (end == End::Esc) {
            QTest::keyClick(overlay, Qt::Key_Escape);
        } else {
            const QPoint to = end == End::Drag ? QPoint(110, 60) : QPoint(11, 21);
            QTest::mousePress(overlay, Qt::LeftButton, {}, QPoint(10, 20));
            QMouseEvent move(
                QEvent::MouseMove, to, overlay->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(overlay, &move);
            QTest::mouseRelease(overlay, Qt::LeftButton, {}, to);
        }
        ASSERT_TRUE(picked.has_value());
        EXPECT_EQ(picked->size(), end == End::Drag ? QSize(200, 80) : QSize(0, 0));
        QApplication::processEvents();
        EXPECT_TRUE(alive.isNull() || !alive->isVisible());
    }
}

// Ctrl+Shift+O steps the window aside, grabs the screen and shows it under the overlay; Esc
// brings the window back untouched, a drag over a picture of text reads it.
TEST_F(ImageTextTest, TextFromScreenAreaReadsTheDraggedArea)
{
    setPaneText(*input, "kept");
    QLabel picture;
    picture.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    picture.setPixmap(QPixmap::fromImage(renderText(EnglishLine)));
    picture.move(40, 40);
    picture.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picture));
    const auto overlay = [] {
        QDeadlineTimer deadline(5000);
        for (;;) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == "frmScreenArea" && widget->isVisible()) {
                    return widget;
                }
            }
            if (deadline.hasExpired()) {
                return static_cast<QWidget*>(nullptr);
            }
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    };
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "Esc" : "drag");
        m_form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClick(m_form.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_FALSE(m_form->isVisible());
        QWidget* shown = overlay();
        ASSERT_NE(shown, nullptr);
        if (cancel) {
            QTest::keyClick(shown, Qt::Key_Escape);
        } else {
            const QPoint from = shown->mapFromGlobal(picture.geometry().topLeft());
            const QPoint to = shown->mapFromGlobal(picture.geometry().bottomRight());
            QTest::mousePress(shown, Qt::LeftButton, {}, from);
            QMouseEvent move(
                QEvent::MouseMove, to, shown->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(shown, &move);
            QTest::mouseRelease(shown, Qt::LeftButton, {}, to);
        }
        EXPECT_TRUE(m_form->isVisible());
        ASSERT_TRUE(settle());
        EXPECT_TRUE(m_messages.shown.empty());
    }
    EXPECT_LE(characterErrorRate(EnglishLine, getPaneText(*input)), 3.0)
        << getPaneText(*input).toStdString();
}

} // namespace
