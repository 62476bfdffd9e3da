// The area picker.
#include "ScreenAreaOverlay.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// Smaller drags are taken for a click.
constexpr int SmallestSide = 4;

} // namespace

ScreenAreaOverlay::ScreenAreaOverlay(const QImage& screenshot, const QRect& screenGeometry,
    const QString& hint, std::function<void(const QImage&)> picked)
    : QWidget(nullptr,
        Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::BypassWindowManagerHint)
    , m_screenshot(screenshot)
    , m_hint(hint)
    , m_picked(std::move(picked))
{
    setObjectName("frmScreenArea");
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::CrossCursor);
    setGeometry(screenGeometry);
}

QRect ScreenAreaOverlay::selection() const
{
    // The pixels between the two corners, the one under the pointer's end not included.
    const QPoint topLeft(std::min(m_start.x(), m_end.x()), std::min(m_start.y(), m_end.y()));
    return QRect(
        topLeft, QSize(std::abs(m_end.x() - m_start.x()), std::abs(m_end.y() - m_start.y())));
}

void ScreenAreaOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_screenshot);
    // Dimmed around the area, so what will be read stands out.
    QRegion outside(rect());
    if (m_dragging) {
        outside -= selection();
    }
    painter.setClipRegion(outside);
    painter.fillRect(rect(), QColor(0, 0, 0, 110));
    painter.setClipping(false);
    if (m_dragging) {
        painter.setPen(QPen(QColor(0x33, 0x99, 0xff), 2));
        painter.drawRect(selection());
    }
    QFont font = painter.font();
    font.setPixelSize(18);
    painter.setFont(font);
    const QRect band(0, 0, width(), 48);
    painter.fillRect(band, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, m_hint);
}

void ScreenAreaOverlay::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish({});
        return;
    }
    QWidget::keyPressEvent(event);
}

void ScreenAreaOverlay::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        finish({});
        return;
    }
    m_start = m_end = event->position().toPoint();
    m_dragging = true;
    update();
}

void ScreenAreaOverlay::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        m_end = event->position().toPoint();
        update();
    }
}

void ScreenAreaOverlay::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        return;
    }
    m_end = event->position().toPoint();
    const QRect area = selection();
    if (area.width() < SmallestSide || area.height() < SmallestSide) {
        finish({});
        return;
    }
    // The screenshot holds device pixels; the overlay is laid out in logical ones.
    const double scale = double(m_screenshot.width()) / double(width());
    const QRect pixels(int(area.x() * scale), int(area.y() * scale), int(area.width() * scale),
        int(area.height() * scale));
    finish(m_screenshot.copy(pixels));
}

void ScreenAreaOverlay::finish(const QImage& area)
{
    // Once: the overlay closes before the caller goes on.
    const auto picked = std::exchange(m_picked, {});
    close();
    if (picked) {
        picked(area);
    }
}
