// The tray icon and its menu.
#include "TrayIcon.h"

#include "DesktopSession.h"
#include "ErrorReport.h"
#include "MessageTexts.h"
#include "OwnImages.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

const QString StillRunning = QStringLiteral(
    "Quendra keeps running in the tray. Choose Quit in the tray icon's menu to end it.");
const QString MenuTexts[] = {QStringLiteral("Show/Hide"), QStringLiteral("Translate selection"),
    QStringLiteral("Translate clipboard"), QStringLiteral("Options..."), QStringLiteral("Quit")};

} // namespace

TrayIcon::TrayIcon(TfrmMain& window, DesktopSession& session)
    : QObject(&session)
    , m_window(window)
    , m_session(session)
{
    window.installEventFilter(this);
}

bool TrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QStringList TrayIcon::messageLines()
{
    QStringList lines {QStringLiteral("msgStillInTray=") + StillRunning,
        QStringLiteral("msgNoTray=This desktop shows no tray icons.")};
    for (int i = 0; i < int(std::size(MenuTexts)); ++i) {
        lines += QStringLiteral("msgTrayMenu%1=%2").arg(i).arg(MenuTexts[i]);
    }
    return lines;
}

void TrayIcon::applySettings(const DesktopSettings& settings)
{
    m_keep = settings.keepInTray && available();
    if (m_keep && !m_icon) {
        create();
    }
    if (m_icon) {
        m_icon->setVisible(m_keep || m_alone);
    }
}

bool TrayIcon::showAlone()
{
    if (!available()) {
        return false;
    }
    m_alone = true;
    if (!m_icon) {
        create();
    }
    m_icon->show();
    return true;
}

void TrayIcon::create()
{
    m_icon = new QSystemTrayIcon(
        ownIcon(QStringLiteral(":/appicon/quendra-%1.png"), {16, 24, 32, 48, 64}), this);
    m_icon->setToolTip(QStringLiteral("Quendra"));
    auto* menu = new QMenu(&m_window);
    const MessageTexts& texts = MessageTexts::instance();
    const auto add = [&](int text, std::function<void()> command) {
        menu->addAction(texts.translate(MenuTexts[text]), this, guarded(std::move(command)));
    };
    add(0, [this] { m_window.setVisible(!m_window.isVisible()); });
    add(1, [this] { m_session.popupSelection(false); });
    add(2, [this] { m_session.popupClipboard(); });
    add(3, [this] {
        m_window.miOptionsClick();
        m_session.applySettings();
    });
    add(4, [] { QApplication::quit(); });
    m_icon->setContextMenu(menu);
    connect(
        m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
            if (why == QSystemTrayIcon::Trigger) {
                m_window.setVisible(!m_window.isVisible());
            }
        });
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Close && m_keep) {
        static_cast<QCloseEvent*>(event)->ignore();
        m_window.hide();
        if (!std::exchange(m_told, true)) {
            m_icon->showMessage(
                QStringLiteral("Quendra"), MessageTexts::instance().translate(StillRunning));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
