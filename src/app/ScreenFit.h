// Keeps the main window's least size within the screen it is on: set with the window's first size
// before it shows, and again when it moves to another screen or that screen's free area changes
// (a laptop's screen at a high scale beside a large one, a panel added).
#pragma once

#include <QMetaObject>
#include <QObject>

class QScreen;
class QWidget;

class ScreenFit : public QObject
{
public:
    // Sizes window for the screen it is on; owned by window.
    explicit ScreenFit(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QScreen* screen);
    void fitMinimum();

    QWidget* m_window;
    QMetaObject::Connection m_areaChanged;
    bool m_following = false;
};
