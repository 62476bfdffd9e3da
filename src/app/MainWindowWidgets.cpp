// Making the main window's own controls.
#include "MainWindowWidgets.h"

#include "GroupFrameStyle.h"
#include "MainWindowLayout.h"
#include "ReadableColour.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

// The design's colour on a light palette; lighter where the desktop's palette is dark.
QLabel* styledLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour,
    bool bold, bool underline)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
    setDesignColour(label, colour);
    return label;
}

QLabel* languageLabel(QWidget* parent, const char* name, const QString& text)
{
    return styledLabel(parent, name, text, QColor(128, 0, 0), true, false);
}

QIcon glyph(const QWidget* window, const char* name)
{
    return readableGlyph(QLatin1String(name), window->palette().color(QPalette::Window));
}

void createGlyphButtons(QWidget* window)
{
    for (const MainWindowControl& row : MainWindowControls) {
        if (!row.glyph) {
            continue;
        }
        auto* button = new QToolButton(window);
        button->setObjectName(row.name);
        button->setAutoRaise(true);
        // Reached with Tab; a click leaves the focus where the user was typing.
        button->setFocusPolicy(Qt::TabFocus);
        button->setProperty("glyph", QLatin1String(row.glyph));
        button->setIcon(glyph(window, row.glyph));
        button->setToolTip(QString::fromLatin1(row.hint));
    }
}

QPushButton* pushButton(QWidget* window, const char* name, const char* icon, const QString& text)
{
    auto* button = new QPushButton(glyph(window, icon), text, window);
    button->setObjectName(name);
    button->setProperty("glyph", QLatin1String(icon));
    return button;
}

QRadioButton* radioButton(QGroupBox* group, const char* name)
{
    auto* button = new QRadioButton(QLatin1String(name), group);
    button->setObjectName(name);
    return button;
}

} // namespace

// The glyphs are compiled into this static library; the linker keeps them only when referenced.
// (Outside any namespace, as the resource initialiser needs.)
static void initGlyphs()
{
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(icons);
}

MainWindowWidgets MainWindowWidgets::create(QWidget* window)
{
    initGlyphs();
    MainWindowWidgets made;
    made.lbl1 = styledLabel(window, "lbl1",
        QStringLiteral("Free Get Brennor Translator Pro Full Version Now !"), QColor(0, 0, 128),
        false, true);
    made.lbl1->setCursor(Qt::PointingHandCursor);
    made.lbl1->setToolTip(
        QStringLiteral("Quick translation your content between 72 international languages."));
    made.labFrom = languageLabel(window, "labFrom", QStringLiteral("Translate from :"));
    made.labFromLang = languageLabel(window, "labFromLang", QStringLiteral("labFromLang"));
    made.labTo = languageLabel(window, "labTo", QStringLiteral("Translate into :"));
    made.labToLang = languageLabel(window, "labToLang", QStringLiteral("labToLang"));
    made.imgLoad = new QLabel(window);
    made.imgLoad->setObjectName("ImgLoad");
    made.imgLoad->setAlignment(Qt::AlignCenter);
    createGlyphButtons(window);

    made.rgDirection = new QGroupBox(QStringLiteral("Translation Direction"), window);
    made.rgDirection->setObjectName("rgDirection");
    GroupFrameStyle::applyTo(made.rgDirection);
    made.rbEngToChn = radioButton(made.rgDirection, "rbEngToChn");
    made.rbEngToChn->setChecked(true);
    made.rbChnToEng = radioButton(made.rgDirection, "rbChnToEng");
    made.btnHelp = pushButton(window, "btnHelp", "help", QStringLiteral("&Help"));
    made.btnHelp->setAutoDefault(false);
    made.btnTrans = pushButton(window, "btnTrans", "translate", QStringLiteral("&Translate"));
    made.btnTrans->setDefault(true);

    made.bar = new QStatusBar(window);
    made.bar->setObjectName("Bar");
    made.pbParts = new QProgressBar(made.bar);
    made.pbParts->setObjectName("pbParts");
    made.pbParts->setFixedWidth(140);
    made.bar->addPermanentWidget(made.pbParts);
    made.pbParts->hide();
    return made;
}
