// The panes' zoom keys.
#include "PaneZoom.h"

#include "Pane.h"
#include "PaneStyles.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

namespace {

// Beyond this the text is either unreadable or a few words a pane.
constexpr int MaxZoomPoints = 60;

} // namespace

PaneZoom::PaneZoom(QWidget* window, QList<Pane*> panes)
    : QObject(window)
    , m_panes(std::move(panes))
{
    const auto bind = [this, window](const QKeySequence& keys, void (PaneZoom::*action)()) {
        auto* shortcut = new QShortcut(keys, window);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    // Ctrl+= as well: on many keyboards plus is the shifted "=".
    bind(QKeySequence::ZoomIn, &PaneZoom::zoomIn);
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), &PaneZoom::zoomIn);
    bind(QKeySequence::ZoomOut, &PaneZoom::zoomOut);
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), &PaneZoom::reset);
}

void PaneZoom::zoomIn()
{
    apply(m_points + Step);
}

void PaneZoom::zoomOut()
{
    apply(m_points - Step);
}

void PaneZoom::reset()
{
    apply(0);
}

void PaneZoom::apply(int points)
{
    // Only as far as every pane can follow, so that each press in the other direction shows.
    int lowest = Pane::MaxShownPoints;
    int highest = Pane::MinShownPoints;
    for (const Pane* pane : m_panes) {
        const int size = pane->styles().textStyle(0).sizePoints;
        lowest = std::min(lowest, size);
        highest = std::max(highest, size);
    }
    m_points = std::clamp(points, std::max(-MaxZoomPoints, Pane::MinShownPoints - lowest),
        std::min(MaxZoomPoints, Pane::MaxShownPoints - highest));
    for (Pane* pane : m_panes) {
        pane->setZoomPoints(m_points);
    }
}
