// The romanisation line under the Marathi pane.
#include "RomanLine.h"

#include "ErrorReport.h"
#include "MarathiAidSettings.h"
#include "MarathiRomaniser.h"
#include "Pane.h"
#include "ReadableColour.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int LineHeight = 18;
constexpr int LineGap = 2;
// A tooltip longer than this would cover the window.
constexpr qsizetype TooltipLength = 600;

} // namespace

RomanLine::RomanLine(QWidget* window, Pane& input, Pane& output)
    : QObject(window)
    , m_panes {&input, &output}
    , m_paneGeometry {input.geometry(), output.geometry()}
    , m_line(new QLabel(window))
    , m_toggle(new QToolButton(window))
    , m_refresh(new QTimer(this))
{
    m_line->setObjectName("labRoman");
    // Placed here, under the Marathi pane, not by the window's layout.
    m_line->setProperty("anchored", false);
    m_line->setTextFormat(Qt::PlainText);
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_line->hide();

    m_toggle->setObjectName("btnRoman");
    m_toggle->setText(QStringLiteral("ā"));
    m_toggle->setToolTip(QStringLiteral("Show Marathi in Latin letters"));
    m_toggle->setCheckable(true);
    m_toggle->setAutoRaise(true);
    makeLettersReadable(m_toggle);
    m_toggle->setFocusPolicy(Qt::TabFocus);
    connect(m_toggle, &QToolButton::clicked, this,
        [this](bool checked) { runCommand([this, checked] { toggleClicked(checked); }); });

    m_refresh->setSingleShot(true);
    m_refresh->setInterval(0);
    connect(m_refresh, &QTimer::timeout, this, &RomanLine::refresh);
    follow();
}

void RomanLine::setMarathiPane(int tag)
{
    const int marathi = tag != 0 ? 1 : 0;
    if (marathi == m_marathi) {
        return;
    }
    m_marathi = marathi;
    follow();
    place();
}

void RomanLine::setShown(bool shown)
{
    m_shown = shown;
    m_toggle->setChecked(shown);
    place();
}

void RomanLine::toggleClicked(bool checked)
{
    setShown(checked);
    saveRomanLine(checked);
}

// The line takes the lowest rows of the Marathi pane's place; the other pane gets its whole place
// back.
void RomanLine::place()
{
    for (int tag = 0; tag < 2; ++tag) {
        QRect geometry = m_panePlace ? m_panePlace(tag) : m_paneGeometry[tag];
        if (m_shown && tag == m_marathi) {
            geometry.setHeight(geometry.height() - LineHeight - LineGap);
            m_line->setGeometry(
                geometry.left(), geometry.bottom() + 1 + LineGap, geometry.width(), LineHeight);
        }
        m_panes[tag]->setGeometry(geometry);
    }
    m_line->setVisible(m_shown);
    if (m_shown) {
        refresh();
    }
}

void RomanLine::follow()
{
    disconnect(m_textChanged);
    disconnect(m_cursorMoved);
    Pane* pane = m_panes[m_marathi];
    const auto schedule = [this] {
        if (m_shown) {
            m_refresh->start();
        }
    };
    m_textChanged = connect(pane, &Pane::textChanged, this, schedule);
    m_cursorMoved = connect(pane, &Pane::cursorPositionChanged, this, schedule);
    schedule();
}

void RomanLine::refresh()
{
    // Only the paragraph at the cursor: cheap however large the pane's text is.
    const QString paragraph = m_panes[m_marathi]->textCursor().block().text();
    const std::u16string latin = MarathiRomaniser::romanise(
        std::u16string_view(reinterpret_cast<const char16_t*>(paragraph.utf16()),
            static_cast<std::size_t>(paragraph.size())));
    const QString text = QString::fromStdU16String(latin);
    m_line->setText(QFontMetrics(m_line->font()).elidedText(text, Qt::ElideRight, m_line->width()));
    m_line->setToolTip(text.size() > TooltipLength ? text.left(TooltipLength) + u'…' : text);
}
