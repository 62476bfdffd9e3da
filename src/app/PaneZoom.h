// Ctrl+plus, Ctrl+minus and Ctrl+0 make the text of both panes larger, smaller, and the chosen
// size again. The zoom is for the screen only: saved files and printing keep the chosen size, and
// it is not remembered between runs.
#pragma once

#include <QList>
#include <QObject>

class Pane;
class QWidget;

class PaneZoom : public QObject
{
    Q_OBJECT

public:
    // Points one key press adds or takes away.
    static constexpr int Step = 2;

    PaneZoom(QWidget* window, QList<Pane*> panes);

    void zoomIn();
    void zoomOut();
    void reset();

private:
    void apply(int points);

    QList<Pane*> m_panes;
    int m_points = 0;
};
