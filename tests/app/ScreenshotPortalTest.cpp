// "Text from screen area…" through the desktop's screenshot portal, as on Wayland: a stand-in
// portal answers on a private bus the test starts with dbus-daemon.
#include "MainFormFixture.h"
#include "PaneText.h"
#include "ScreenArea.h"
#include "TextImage.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");

// Answers as a desktop's portal does: the request object's path at once, the user's outcome
// later as that object's Response signal.
class FakeScreenshotPortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    explicit FakeScreenshotPortal(const QDBusConnection& bus)
        : m_bus(bus)
    { }

    uint response = 0;
    QString file;
    int asked = 0;
    bool interactive = false;

public slots:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options, const QDBusMessage& call)
    {
        ++asked;
        interactive = options.value("interactive").toBool();
        const QString path = "/org/freedesktop/portal/desktop/request/"
            + call.service().mid(1).replace(u'.', u'_') + u'/'
            + options.value("handle_token").toString();
        QTimer::singleShot(50, this, [this, path] {
            QDBusMessage signal
                = QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
            signal << response << QVariantMap {{"uri", QUrl::fromLocalFile(file).toString()}};
            m_bus.send(signal);
        });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection m_bus;
};

class ScreenshotPortalTest : public MainFormFixture
{
protected:
    void SetUp() override
    {
        m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(m_daemon.waitForReadyRead(5000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        ScreenArea::setPortalBusForTest(m_address);
        open();
        input = control<Pane>("E1");
    }

    void TearDown() override
    {
        MainFormFixture::TearDown();
        ScreenArea::setPortalBusForTest({});
        QDBusConnection::disconnectFromBus("quendra-portal-test");
        QDBusConnection::disconnectFromBus("fake-portal");
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // Ctrl+Shift+O, then the GUI runs until the reading, if any, has ended.
    void askForScreenArea()
    {
        QTest::keyClick(m_form.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::qWait(300);
        auto* stop = control<QWidget>("btnOcrStop");
        QDeadlineTimer deadline(20000);
        while (stop->isVisible() && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    QProcess m_daemon;
    QString m_address;
    QTemporaryDir m_files;
    Pane* input = nullptr;
};

TEST_F(ScreenshotPortalTest, ThePortalsPictureIsReadAndACancelOrAMissingPortalChangesNothing)
{
    setPaneText(*input, "kept");
    // No portal on the bus: the user is told what is missing.
    askForScreenArea();
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.shown[0].text.startsWith(
        "Text from a screen area needs the desktop's screenshot portal"));
    EXPECT_EQ(getPaneText(*input), "kept");

    QDBusConnection bus = QDBusConnection::connectToBus(m_address, "fake-portal");
    FakeScreenshotPortal portal(bus);
    ASSERT_TRUE(bus.registerObject(
        "/org/freedesktop/portal/desktop", &portal, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(PortalService));
    portal.file = m_files.filePath("screenshot.png");
    const QString line = QStringLiteral("The council will meet next Tuesday.");
    ASSERT_TRUE(renderText(line).save(portal.file));

    // The user cancels in the desktop's dialog.
    portal.response = 1;
    askForScreenArea();
    EXPECT_EQ(portal.asked, 1);
    EXPECT_TRUE(portal.interactive);
    EXPECT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(getPaneText(*input), "kept");

    portal.response = 0;
    askForScreenArea();
    EXPECT_EQ(portal.asked, 2);
    EXPECT_EQ(m_messages.shown.size(), 1u);
    EXPECT_LE(characterErrorRate(line, getPaneText(*input)), 3.0)
        << getPaneText(*input).toStdString();
}

} // namespace

#include "ScreenshotPortalTest.moc"
