// A picture of the screen laid over the whole screen, on which the user drags a rectangle around
// the text to read. Esc, or a click without a drag, cancels.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>

class ScreenAreaOverlay : public QWidget
{
public:
    // picked gets the area in the screenshot's own pixels, or an empty image when cancelled.
    ScreenAreaOverlay(const QImage& screenshot, const QRect& screenGeometry, const QString& hint,
        std::function<void(const QImage&)> picked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect selection() const;
    void finish(const QImage& area);

    QImage m_screenshot;
    QString m_hint;
    std::function<void(const QImage&)> m_picked;
    QPoint m_start;
    QPoint m_end;
    bool m_dragging = false;
};
