// What the history has to say about its file (damaged and set aside, paused, read-only, off)
// shown in the status bar without stopping anything: a line that names the notice, its full text
// in the tooltip and, on a click, in a box that leaves the window usable.
#pragma once

#include <QLabel>
#include <QStringList>

class QMessageBox;
class QStatusBar;
class TranslationController;

class HistoryNoticeBar : public QLabel
{
public:
    // Shows the controller's history notices.
    HistoryNoticeBar(const TranslationController& controller, QStatusBar* bar);

    void addNotice(const QString& notice);
    // Every notice of this session, oldest first.
    const QStringList& notices() const { return m_notices; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showFullText();

    QStringList m_notices;
    QMessageBox* m_box = nullptr;
};
