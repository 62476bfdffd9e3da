// The history's notices in the status bar.
#include "HistoryNoticeBar.h"

#include "MessageBox.h"
#include "MessageTexts.h"
#include "TranslationController.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QStatusBar>

namespace {

// Characters of a notice the status bar shows; the rest is a click away.
constexpr int ShownLength = 60;

} // namespace

HistoryNoticeBar::HistoryNoticeBar(const TranslationController& controller, QStatusBar* bar)
    : QLabel(bar)
{
    connect(&controller, &TranslationController::historyNotice, this, &HistoryNoticeBar::addNotice);
    setObjectName("labHistoryNotice");
    setCursor(Qt::PointingHandCursor);
    bar->addPermanentWidget(this);
    hide();
}

void HistoryNoticeBar::addNotice(const QString& notice)
{
    const QString text = MessageTexts::instance().translate(notice);
    m_notices += text;
    const QString firstLine = text.section(u'\n', 0, 0);
    setText(firstLine.size() > ShownLength ? firstLine.left(ShownLength - 1) + QChar(0x2026)
                                           : firstLine);
    setToolTip(m_notices.join(u'\n'));
    QLabel::show();
    if (m_box && m_box->isVisible()) {
        showFullText();
    }
}

void HistoryNoticeBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        showFullText();
    }
    QLabel::mouseReleaseEvent(event);
}

void HistoryNoticeBar::showFullText()
{
    if (!m_box) {
        m_box = new QMessageBox(
            QMessageBox::Warning, MessageBox::caption(), {}, QMessageBox::Ok, window());
        m_box->setObjectName("HistoryNotices");
        m_box->setWindowModality(Qt::NonModal);
    }
    m_box->setText(m_notices.join(QStringLiteral("\n\n")));
    m_box->show();
    m_box->raise();
}
