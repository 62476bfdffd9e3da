// Picking an area of the screen.
#include "ScreenArea.h"

#include "ImageInput.h"
#include "ImageTextMessages.h"
#include "OcrError.h"
#include "ScreenAreaOverlay.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
// Long enough for the window manager to take the window off the screen before it is grabbed.
constexpr int StepAsideMs = 250;

QString& portalBusForTest()
{
    static QString address;
    return address;
}

QDBusConnection portalBus()
{
    return portalBusForTest().isEmpty()
        ? QDBusConnection::sessionBus()
        : QDBusConnection::connectToBus(portalBusForTest(), QStringLiteral("quendra-portal-test"));
}

} // namespace

ScreenArea::ScreenArea(QWidget* window)
    : QObject(window)
    , m_window(window)
{ }

void ScreenArea::setPortalBusForTest(const QString& address)
{
    portalBusForTest() = address;
}

void ScreenArea::start()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
        || !portalBusForTest().isEmpty()) {
        askPortal();
        return;
    }
    // Window managers place a window shown again anew; it comes back where it was.
    m_windowGeometry = m_window->saveGeometry();
    m_window->hide();
    QTimer::singleShot(StepAsideMs, this, [this] { grabAndPick(); });
}

void ScreenArea::grabAndPick()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    const QImage shot = screen ? screen->grabWindow(0).toImage() : QImage();
    if (shot.isNull()) {
        comeBack();
        emit failed(QString::fromUtf8(ImageTextMessages::ScreenNotCaptured));
        return;
    }
    auto* overlay = new ScreenAreaOverlay(shot, screen->geometry(),
        ImageTextMessages::inLanguage(QString::fromUtf8(ImageTextMessages::ScreenAreaHint)),
        [this](const QImage& area) {
            comeBack();
            if (!area.isNull()) {
                emit picked(area);
            }
        });
    overlay->show();
    // The overlay bypasses the window manager, which would otherwise give it the keyboard.
    overlay->activateWindow();
    overlay->grabKeyboard();
}

void ScreenArea::comeBack()
{
    m_window->restoreGeometry(m_windowGeometry);
    m_window->show();
    m_window->activateWindow();
}

void ScreenArea::askPortal()
{
    QDBusConnection bus = portalBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(PortalService)) {
        emit failed(QString::fromUtf8(ImageTextMessages::NoPortal));
        return;
    }
    disconnectPortal();
    // The portal answers on a request object whose path follows from our bus name and a token;
    // listening there before asking means no answer is missed.
    static int requests = 0;
    const QString token = QStringLiteral("quendra%1").arg(++requests);
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    m_requestPath = PortalPath + QStringLiteral("/request/") + sender + u'/' + token;
    bus.connect(PortalService, m_requestPath, RequestInterface, QStringLiteral("Response"), this,
        SLOT(portalResponse(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath,
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    // Interactive: the desktop lets the user choose the area.
    call << QString()
         << QVariantMap {
                {QStringLiteral("handle_token"), token}, {QStringLiteral("interactive"), true}};
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            if (call->isError()) {
                disconnectPortal();
                emit failed(QString::fromUtf8(ImageTextMessages::PortalFailed)
                                .arg(call->error().message()));
            }
        });
}

void ScreenArea::portalResponse(uint response, const QVariantMap& results)
{
    disconnectPortal();
    if (response == 1) {
        return;
    }
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (response != 0 || !uri.isLocalFile()) {
        emit failed(QString::fromUtf8(ImageTextMessages::PortalFailed)
                        .arg(QStringLiteral("response %1").arg(response)));
        return;
    }
    try {
        emit picked(readImageFile(uri.toLocalFile()));
    } catch (const OcrError& error) {
        emit failed(QString::fromUtf8(error.what()));
    }
}

void ScreenArea::disconnectPortal()
{
    if (!m_requestPath.isEmpty()) {
        portalBus().disconnect(PortalService, m_requestPath, RequestInterface,
            QStringLiteral("Response"), this, SLOT(portalResponse(uint, QVariantMap)));
        m_requestPath.clear();
    }
}
