// "Text from screen area...": the user picks an area of the screen and gets its picture. On X11
// the window steps aside, the screen is grabbed and the user drags a rectangle on an overlay; on
// Wayland, where programs may not read the screen, the desktop's screenshot portal asks the user
// (org.freedesktop.portal.Screenshot over D-Bus).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QWidget;

class ScreenArea : public QObject
{
    Q_OBJECT

public:
    explicit ScreenArea(QWidget* window);

    // Ends with picked or failed, or with neither when the user cancels.
    void start();

    // Tests: the screenshot portal is asked on the bus at this address, whatever the platform;
    // empty for the session bus on Wayland only.
    static void setPortalBusForTest(const QString& address);

signals:
    void picked(const QImage& image);
    // In English; the error report shows it in the interface language.
    void failed(const QString& message);

private slots:
    // The portal's answer: 0 done, 1 cancelled by the user, 2 refused.
    void portalResponse(uint response, const QVariantMap& results);

private:
    void grabAndPick();
    void comeBack();
    void askPortal();
    void disconnectPortal();

    QWidget* m_window;
    QString m_requestPath;
    QByteArray m_windowGeometry;
};
