// Work the window does not need in order to appear (loading libraries, opening devices) waits
// until it has been painted once, so that it neither delays the first paint nor competes with it
// for the processor.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

class AfterFirstPaint : public QObject
{
    Q_OBJECT

public:
    // Runs work on the GUI thread after the window's first paint; should the window not be
    // painted within a few seconds (hidden, minimised at start), it runs then.
    static void run(QWidget* window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AfterFirstPaint(QWidget* window, std::function<void()> work);
    void finish();

    std::function<void()> m_work;
};
