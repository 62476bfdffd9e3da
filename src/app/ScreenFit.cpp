// The main window's size against its screen.
#include "ScreenFit.h"

#include "MainWindowLayout.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

ScreenFit::ScreenFit(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    const MainWindowSizes sizes = mainWindowSizes(window->screen()->availableGeometry().size());
    window->setMinimumSize(sizes.minimum);
    window->resize(sizes.initial);
    // The window's screen can be watched once it has a native window, when it first shows.
    window->installEventFilter(this);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && !m_following && m_window->windowHandle()) {
        m_following = true;
        connect(m_window->windowHandle(), &QWindow::screenChanged, this, &ScreenFit::follow);
        follow(m_window->windowHandle()->screen());
    }
    return QObject::eventFilter(watched, event);
}

void ScreenFit::follow(QScreen* screen)
{
    disconnect(m_areaChanged);
    if (screen) {
        m_areaChanged
            = connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFit::fitMinimum);
        fitMinimum();
    }
}

void ScreenFit::fitMinimum()
{
    m_window->setMinimumSize(
        mainWindowSizes(m_window->screen()->availableGeometry().size()).minimum);
}
