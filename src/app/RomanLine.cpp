// The romanisation line under the Marathi pane.
#include "RomanLine.h"

#include "ErrorReport.h"
#include "MarathiAidSettings.h"
#include "MarathiRomaniser.h"
#include "Pane.h"
#include "ReadableColour.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int LineGap = 2;
// Lines of romanised text the line shows before it scrolls.
constexpr int ShownLines = 3;

} // namespace

RomanLine::RomanLine(QWidget* window, Pane& input, Pane& output)
    : QObject(window)
    , m_panes {&input, &output}
    , m_paneGeometry {input.geometry(), output.geometry()}
    , m_line(new QPlainTextEdit(window))
    , m_toggle(new QToolButton(window))
    , m_refresh(new QTimer(this))
{
    m_line->setObjectName("labRoman");
    // Placed here, under the Marathi pane, not by the window's layout.
    m_line->setProperty("anchored", false);
    m_line->setReadOnly(true);
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_line->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_line->setFocusPolicy(Qt::ClickFocus);
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

    // Refreshed once the typing pauses: romanising a long text on every key would lag.
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(0);
    connect(m_refresh, &QTimer::timeout, this, &RomanLine::refresh);
    input.installEventFilter(this);
    output.installEventFilter(this);
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

void RomanLine::applySettings(const MarathiAidSettings& settings)
{
    if (settings.plainEyelashRa != m_plainEyelashRa) {
        m_plainEyelashRa = settings.plainEyelashRa;
        m_shownSource.clear();
    }
    setShown(settings.romanLine);
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

bool RomanLine::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FontChange && watched == m_panes[m_marathi]) {
        followFont();
        place();
    }
    return QObject::eventFilter(watched, event);
}

// The line takes the lowest rows of the Marathi pane's place; the other pane gets its whole place
// back.
void RomanLine::place()
{
    for (int tag = 0; tag < 2; ++tag) {
        QRect geometry = m_panePlace ? m_panePlace(tag) : m_paneGeometry[tag];
        if (m_shown && tag == m_marathi) {
            const int height = lineHeight(geometry.height());
            geometry.setHeight(geometry.height() - height - LineGap);
            m_line->setGeometry(
                geometry.left(), geometry.bottom() + 1 + LineGap, geometry.width(), height);
        }
        m_panes[tag]->setGeometry(geometry);
    }
    m_line->setVisible(m_shown);
    if (m_shown) {
        refresh();
    }
}

// A few lines at the pane's size, but never more than a third of the pane's place.
int RomanLine::lineHeight(int placeHeight) const
{
    const int frame
        = 2 * m_line->frameWidth() + 2 * static_cast<int>(m_line->document()->documentMargin());
    const int lines = QFontMetrics(m_line->font()).lineSpacing() * ShownLines + frame;
    return std::min(
        lines, std::max(placeHeight / 3, QFontMetrics(m_line->font()).lineSpacing() + frame));
}

void RomanLine::followFont()
{
    // Latin letters with their marks: the interface's family, at the pane's (zoomed) size.
    QFont font = m_line->parentWidget()->font();
    font.setPointSize(m_panes[m_marathi]->font().pointSize());
    m_line->setFont(font);
}

void RomanLine::follow()
{
    disconnect(m_textChanged);
    Pane* pane = m_panes[m_marathi];
    const auto schedule = [this] {
        if (m_shown) {
            m_refresh->start();
        }
    };
    m_textChanged = connect(pane, &Pane::textChanged, this, schedule);
    followFont();
    m_shownSource.clear();
    schedule();
}

void RomanLine::refresh()
{
    const Pane& pane = *m_panes[m_marathi];
    QString source = pane.toPlainText();
    // The wait line and a failure's report are the program's words, not the pane's text.
    const QString& notice = pane.notice();
    if (!notice.isEmpty() && source.endsWith(notice)) {
        source.chop(notice.size());
        while (source.endsWith(u'\n')) {
            source.chop(1);
        }
    }
    if (source == m_shownSource) {
        return;
    }
    m_shownSource = source;
    const auto eyelash = m_plainEyelashRa ? MarathiRomaniser::EyelashRa::Plain
                                          : MarathiRomaniser::EyelashRa::Breve;
    const std::u16string latin = MarathiRomaniser::romanise(
        std::u16string_view(reinterpret_cast<const char16_t*>(source.utf16()),
            static_cast<std::size_t>(source.size())),
        eyelash);
    m_line->setPlainText(QString::fromStdU16String(latin));
}
