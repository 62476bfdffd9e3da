// The main window's start-up state: controls, settings refresh, direction and proxy.
#include "MainFormFixture.h"
#include "MainWindowLayout.h"
#include "ProxySettings.h"
#include "ReadableColour.h"

#include <QAbstractButton>
#include <QAction>
#include <QDate>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <map>
#include <set>
#include <vector>

using TfrmMainTest = MainFormFixture;

namespace {

// The contrast between the most common colour of a picture of a control (its background) and the
// colour that stands out most from it (the text's full strength).
double letterContrast(const QImage& picture)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ++counts[picture.pixel(x, y)];
        }
    }
    const QColor background = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
        return a.second < b.second;
    })->first;
    double most = 1.0;
    for (const auto& [colour, count] : counts) {
        most = std::max(most, contrastRatio(QColor(colour), background));
    }
    return most;
}

} // namespace

TEST_F(TfrmMainTest, ControlsKeepTheirPlacesTextsAndTags)
{
    TfrmMain& form = open();
    // Every control of the window's table where the table puts it, serving its pane.
    for (const MainWindowControl& c : MainWindowControls) {
        SCOPED_TRACE(c.name);
        QWidget* widget = control(c.name);
        ASSERT_NE(widget, nullptr);
        if (c.horizontal == AnchorLayout::Horizontal::Free) {
            // Laid out after the language names beside it.
            EXPECT_EQ(widget->y(), c.place.y());
        } else if (qobject_cast<QLabel*>(widget)) {
            // A label grows from its designed place when the font at hand needs more room.
            if (c.place.isEmpty()) {
                EXPECT_EQ(widget->pos(), c.place.topLeft());
            } else {
                EXPECT_TRUE(widget->geometry().contains(c.place));
            }
            EXPECT_TRUE(widget->rect().contains(QRect(QPoint(), widget->sizeHint())));
        } else {
            EXPECT_EQ(widget->geometry(), c.place);
        }
        if (c.hint) {
            EXPECT_EQ(widget->toolTip(), c.hint);
        }
        EXPECT_EQ(widget->property("tag").toInt(), c.pane);
        EXPECT_TRUE(widget->isVisible());
        if (c.glyph) {
            EXPECT_FALSE(qobject_cast<QAbstractButton*>(widget)->icon().pixmap(16, 16).isNull())
                << "glyph missing";
        }
    }
    for (const char* name : {"btnHelp", "btnTrans"}) {
        EXPECT_FALSE(control<QAbstractButton>(name)->icon().pixmap(16, 16).isNull()) << name;
    }
    // The buttons beside the panes: which pane each serves and what its hint says.
    QStringList buttons;
    for (const char* name : {"btnOpen", "btnClear", "btnSave", "btnCopy", "btnPaste", "btnSwap",
             "btnClear2", "btnSave2", "btnCopy2", "btnPaste2", "btnPrint"}) {
        auto* button = control<QAbstractButton>(name);
        buttons << QStringLiteral("%1 %2 %3")
                       .arg(name)
                       .arg(button->property("tag").toInt())
                       .arg(button->toolTip().section(u' ', 0, 0));
    }
    EXPECT_EQ(buttons,
        QStringList({"btnOpen 0 Open", "btnClear 0 Clear", "btnSave 0 Save", "btnCopy 0 Copy",
            "btnPaste 0 Paste", "btnSwap 0 Swap", "btnClear2 1 Clear", "btnSave2 1 Save",
            "btnCopy2 1 Copy", "btnPaste2 1 Paste", "btnPrint 0 Print"}));

    // The promotion shows its whole text: at least its design width, right edge kept.
    QLabel* promotion = control<QLabel>("lbl1");
    EXPECT_EQ(promotion->geometry().topRight(), QPoint(515, 8));
    EXPECT_GE(promotion->width(), std::max(268, promotion->sizeHint().width()));
    EXPECT_GE(promotion->height(), std::max(14, promotion->sizeHint().height()));
    EXPECT_EQ(
        promotion->toolTip(), "Quick translation your content between 72 international languages.");

    EXPECT_EQ(form.windowTitle(), "Quendra");
    // Opens at the design size as a normal window that can be resized and maximised.
    EXPECT_EQ(form.size(), QSize(528, 545));
    EXPECT_EQ(form.windowType(), Qt::Window);
    // The icon follows the first paint.
    EXPECT_TRUE(QTest::qWaitFor([&form] { return !form.windowIcon().pixmap(48, 48).isNull(); }));
    EXPECT_LT(form.minimumSize().height(), 545);
    EXPECT_GT(form.maximumSize().width(), 5000);
    EXPECT_EQ(
        control<QLabel>("lbl1")->text(), "Free Get Brennor Translator Pro Full Version Now !");
    EXPECT_EQ(control<QLabel>("labFrom")->text(), "Translate from :");
    EXPECT_EQ(control<QLabel>("labTo")->text(), "Translate into :");
    EXPECT_EQ(control<QGroupBox>("rgDirection")->title(), "Translation Direction");
    EXPECT_EQ(control<QAbstractButton>("rbEngToChn")->text(), "Translate English to Marathi");
    EXPECT_EQ(control<QAbstractButton>("rbChnToEng")->text(), "Translate Marathi to English");
    EXPECT_EQ(control<QAbstractButton>("btnHelp")->text(), "&Help");
    EXPECT_EQ(control<QAbstractButton>("btnTrans")->text(), "&Translate");
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_TRUE(control<QStatusBar>("Bar")->currentMessage().contains("2010-" + year));
    EXPECT_EQ(control<QStatusBar>("Bar")->geometry(), QRect(0, 523, 528, 22));

    // Keyboard focus walks each pane and the buttons beside it, the direction, then the two
    // push buttons.
    QStringList order;
    QWidget* widget = control("E1");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != control("E1"));
    EXPECT_EQ(order.mid(0, 21),
        QStringList({"E1", "btnRomanTyping", "btnSpeak", "btnOpen", "btnClear", "btnSave",
            "btnCopy", "btnPaste", "btnSwap", "E2", "btnRoman", "btnSpeak2", "btnClear2",
            "btnSave2", "btnCopy2", "btnPaste2", "btnPrint", "rbEngToChn", "rbChnToEng", "btnHelp",
            "btnTrans"}));

    QStringList helpItems;
    for (QAction* action : control<QMenu>("pmHelp")->actions()) {
        helpItems << (action->isSeparator() ? "-" : action->objectName() + "=" + action->text());
    }
    EXPECT_EQ(helpItems,
        QStringList({"miOptions=Options", "miScreenText=Text from screen area…", "miPrint=Print...",
            "miPrintPreview=Print preview...", "miHistoryMenu=History", "-",
            "miTry=Try Brennor Translator Pro", "-", "miWebSite=Visit Home",
            "miContactUs=Contact Us", "-", "miKeys=Keyboard shortcuts", "miAbout=About", "-",
            "miQuit=Quit"}));
    QStringList paneItems;
    for (QAction* action : control<QMenu>("pmTrans")->actions()) {
        paneItems << (action->isSeparator() ? "-" : action->objectName() + "=" + action->text());
    }
    EXPECT_EQ(
        paneItems, QStringList({"Cut1=Cut", "Copy1=Copy", "Paste1=Paste", "-", "Clear1=Clear"}));
}

TEST_F(TfrmMainTest, NoSettingsFileStartsEnglishIntoMarathiAndWritesNothing)
{
    open();
    EXPECT_TRUE(control<QRadioButton>("rbEngToChn")->isChecked());
    EXPECT_EQ(control<QLabel>("labFromLang")->text(), "English");
    EXPECT_EQ(control<QLabel>("labToLang")->text(), "Marathi");
    EXPECT_FALSE(QFile::exists(settingsPath()));
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_TRUE(Params.noProxy);
    EXPECT_EQ(m_form->proxyParams().proxyServer(), "");
}

TEST_F(TfrmMainTest, StoredDirectionIsShownAndNormalisedOnlyWhenTheCheckMoves)
{
    const struct
    {
        QByteArray stored;
        bool marathiIntoEnglish;
        QByteArray afterStart; // empty: the file is left exactly as it was
    } cases[] = {
        {"[General]\r\nDirection=7\r\n", true, "Direction=1"},
        {"[general]\r\ndirection=0x1\r\n", true, "=1"},
        {"[General]\r\nDirection=0\r\n", false, {}},
        {"[General]\r\nDirection=abc\r\n", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        writeSettings(c.stored);
        open();
        EXPECT_EQ(control<QRadioButton>("rbChnToEng")->isChecked(), c.marathiIntoEnglish);
        EXPECT_EQ(
            control<QLabel>("labFromLang")->text(), c.marathiIntoEnglish ? "Marathi" : "English");
        EXPECT_EQ(
            control<QLabel>("labToLang")->text(), c.marathiIntoEnglish ? "English" : "Marathi");
        if (c.afterStart.isEmpty()) {
            EXPECT_EQ(settingsContent(), c.stored);
        } else {
            EXPECT_TRUE(settingsContent().contains(c.afterStart))
                << settingsContent().toStdString();
            EXPECT_FALSE(settingsContent().contains("7"));
        }
        EXPECT_TRUE(m_messages.shown.empty());
        m_form.reset();
    }
}

TEST_F(TfrmMainTest, DirectionClickWritesAtOnceAndMovesTheBusyImage)
{
    open();
    auto* english = control<QRadioButton>("rbEngToChn");
    auto* marathi = control<QRadioButton>("rbChnToEng");

    QTest::mouseClick(english, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(settingsPath())) << "clicking the checked button writes nothing";

    QTest::mouseClick(marathi, Qt::LeftButton);
    EXPECT_EQ(Params.direction, 1);
    EXPECT_TRUE(settingsContent().contains("Direction=1"));
    auto* labTo = control<QLabel>("labTo");
    auto* labToLang = control<QLabel>("labToLang");
    EXPECT_EQ(labToLang->text(), "English");
    EXPECT_EQ(labToLang->x(), labTo->x() + labTo->width() + 4);
    EXPECT_EQ(control("ImgLoad")->x(), labToLang->x() + labToLang->width() + 60);
    EXPECT_EQ(labToLang->width(), labToLang->sizeHint().width());

    QTest::mouseClick(english, Qt::LeftButton);
    EXPECT_TRUE(settingsContent().contains("Direction=0"));
    EXPECT_EQ(control("ImgLoad")->x(), labToLang->x() + labToLang->width() + 60);
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(TfrmMainTest, ProxySettingsReachTheClientAndABadPortIsReportedOnce)
{
    const struct
    {
        QByteArray connection;
        std::string server;
        int port;
        std::string user;
        std::vector<ShownMessage> messages;
    } cases[] = {
        {"NoProxy=0\r\nAddress=proxy.lan\r\nPort=3128\r\nUserName=ann\r\nPassword=pw\r\n",
            "proxy.lan", 3128, "ann", {}},
        {"NoProxy=0\r\nAddress=proxy.lan\r\nPort=\r\nUserName=ann\r\n", "proxy.lan", 0, "",
            {{"'' is not a valid integer value.", 1}}},
        {"NoProxy=0\r\nAddress=proxy.lan\r\nPort=80a\r\n", "proxy.lan", 0, "",
            {{"'80a' is not a valid integer value.", 1}}},
        {"NoProxy=1\r\nAddress=proxy.lan\r\nPort=3128\r\n", "", 0, "", {}},
        // A number, but no port: named at start-up, before any translation tries it.
        {"NoProxy=0\r\nAddress=proxy.lan\r\nPort=65536\r\n", "proxy.lan", 65536, "",
            {{"The proxy proxy.lan:65536 has no valid port: a port is a number from 1 to 65535.",
                1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connection.toStdString());
        writeSettings("[Connection]\r\n" + c.connection);
        m_messages.shown.clear();
        TfrmMain& form = open();
        EXPECT_EQ(m_messages.shown, c.messages);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.proxyParams().proxyServer(), c.server);
        EXPECT_EQ(form.proxyParams().proxyPort(), c.port);
        EXPECT_EQ(form.proxyParams().proxyUsername(), c.user);
        m_form.reset();
    }
}

TEST_F(TfrmMainTest, HelpButtonOpensTheMenuBelowItAndEscapeKeepsTheWindow)
{
    TfrmMain& form = open();
    auto* help = control<QAbstractButton>("btnHelp");
    QTest::mouseClick(help, Qt::LeftButton);
    auto* menu = control<QMenu>("pmHelp");
    EXPECT_TRUE(menu->isVisible());
    const QPoint below = form.mapToGlobal(help->geometry().bottomLeft() + QPoint(0, 3));
    const QRect screen = form.screen()->availableGeometry();
    // Below the button, unless the screen is too short for it there.
    if (screen.contains(QRect(below, menu->size()))) {
        EXPECT_EQ(menu->pos(), below);
    } else {
        EXPECT_EQ(menu->pos().x(), below.x());
        EXPECT_TRUE(screen.contains(menu->geometry()));
    }
    menu->hide();

    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TfrmMainTest, ResizingGrowsThePanesAndKeepsTheButtonsBesideThem)
{
    TfrmMain& form = open();
    const struct
    {
        const char* name;
        QRect larger; // at 828 x 745: 300 wider, each pane 100 taller
        QRect smallest; // at the minimum size: each pane 30 shorter, its buttons closer together
    } controls[] = {
        {"E1", {8, 45, 778, 278}, {8, 45, 478, 148}},
        {"E2", {8, 349, 778, 278}, {8, 219, 478, 148}},
        {"btnOpen", {791, 62, 25, 25}, {491, 59, 25, 25}},
        {"btnPaste", {791, 182, 25, 25}, {491, 159, 25, 25}}, // edge to edge with btnCopy
        {"btnSwap", {791, 325, 25, 25}, {491, 195, 25, 25}},
        {"btnClear2", {791, 370, 25, 25}, {491, 236, 25, 25}},
        {"btnPrint", {791, 490, 25, 25}, {491, 336, 25, 25}},
        {"rgDirection", {12, 634, 775, 48}, {12, 374, 475, 48}},
        {"btnHelp", {13, 689, 88, 25}, {13, 429, 88, 25}},
        {"btnTrans", {673, 689, 113, 25}, {373, 429, 113, 25}},
        {"Bar", {0, 723, 828, 22}, {0, 463, 528, 22}},
    };
    form.resize(828, 745);
    for (const auto& c : controls) {
        EXPECT_EQ(control(c.name)->geometry(), c.larger) << c.name;
    }
    // The language labels keep their distance to the panes; their left edges stay theirs.
    const QRect labToLang = control("labToLang")->geometry();
    EXPECT_EQ(labToLang.top(), 331);
    EXPECT_EQ(control("labTo")->geometry().topLeft(), QPoint(9, 331));
    EXPECT_EQ(control("lbl1")->geometry().right(), 515 + 300);

    form.resize(form.minimumSize());
    EXPECT_EQ(form.size(), QSize(528, 485));
    for (const auto& c : controls) {
        EXPECT_EQ(control(c.name)->geometry(), c.smallest) << c.name;
    }
    EXPECT_EQ(control("labToLang")->geometry(), labToLang.translated(0, -100 - 30));

    form.resize(528, 545);
    EXPECT_EQ(control("E2")->geometry(), QRect(8, 249, 478, 178));

    // The romanisation line takes the lowest rows of the Marathi pane's present place.
    QTest::mouseClick(control<QAbstractButton>("btnRoman"), Qt::LeftButton);
    form.resize(828, 745);
    const QRect output = control("E2")->geometry();
    EXPECT_EQ(output.topLeft(), QPoint(8, 349));
    EXPECT_EQ(output.width(), 778);
    EXPECT_LT(output.height(), 278);
    EXPECT_EQ(control("labRoman")->geometry().bottom(), 349 + 278 - 1);
}

TEST_F(TfrmMainTest, ADirectionThatCannotBeStoredIsStillShownAsTheOneInEffect)
{
    // A folder where the settings file should be: reads give the defaults, writes fail.
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    open();
    QTest::mouseClick(control<QRadioButton>("rbChnToEng"), Qt::LeftButton);
    EXPECT_EQ(Params.direction, 1);
    EXPECT_TRUE(control<QRadioButton>("rbChnToEng")->isChecked());
    EXPECT_EQ(control<QLabel>("labFromLang")->text(), "Marathi");
    EXPECT_EQ(control<QLabel>("labToLang")->text(), "English");
    // The write fails on its own thread and is reported on the GUI thread after the start-up's
    // report of the file that cannot be read.
    DeferredWrites::flush();
    QApplication::processEvents();
    ASSERT_EQ(m_messages.shown.size(), 2u);
    EXPECT_EQ(m_messages.shown[0].text,
        "The settings file " + settingsPath()
            + " cannot be read (it is a folder). The default settings are in use until it can be "
              "read.");
    EXPECT_EQ(m_messages.shown[1].text, "Unable to write to " + settingsPath() + ".");
}

TEST_F(TfrmMainTest, LabelColoursStayReadableOnADarkPaletteAndKeepTheDesignOnALightOne)
{
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    QPalette light = original;
    light.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    light.setColor(QPalette::Button, QColor(0xef, 0xef, 0xef));
    const struct
    {
        const char* name;
        QPalette palette;
        bool designColours;
    } cases[] = {{"light", light, true}, {"dark", dark, false}};
    // The window follows each palette as the desktop switches theme while it is open.
    open();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QApplication::setPalette(test.palette);
        QApplication::processEvents();
        for (const char* name : {"lbl1", "labFrom", "labFromLang", "labTo", "labToLang"}) {
            QLabel* label = control<QLabel>(name);
            const QColor text = label->palette().color(QPalette::WindowText);
            // The window paints itself in the button face.
            const QColor background = test.palette.color(QPalette::Button);
            EXPECT_GE(contrastRatio(text, background), 4.5) << name;
            if (test.designColours) {
                EXPECT_EQ(text, name == std::string("lbl1") ? QColor(0, 0, 128) : QColor(128, 0, 0))
                    << name;
            }
        }
        // Every glyph of the window's buttons and Help menu, at both densities: as drawn on a
        // light palette, at least 3:1 against a dark one. A button's glyph is on the button face,
        // a menu item's on the menu's background.
        struct Glyph
        {
            QIcon icon;
            QString name;
            QColor background;
        };
        std::vector<Glyph> glyphs;
        for (QAbstractButton* button : m_form->findChildren<QAbstractButton*>()) {
            if (button->property("glyph").isValid()) {
                glyphs.push_back({button->icon(), button->property("glyph").toString(),
                    test.palette.color(QPalette::Button)});
            }
        }
        for (QAction* item : control<QMenu>("pmHelp")->actions()) {
            if (item->property("glyph").isValid()) {
                glyphs.push_back({item->icon(), item->property("glyph").toString(),
                    test.palette.color(QPalette::Window)});
            }
        }
        for (const char* name : {"btnSave", "btnSpeak", "btnHelp"}) {
            EXPECT_TRUE(control(name)->property("glyph").isValid()) << name;
        }
        for (const auto& glyph : glyphs) {
            for (const auto& [ratio, suffix] : {std::pair(1.0, ""), std::pair(2.0, "@2x")}) {
                SCOPED_TRACE(glyph.name.toStdString() + suffix);
                // Compared premultiplied, as a pixmap holds them.
                const QImage drawn
                    = QImage(QStringLiteral(":/icons/%1%2.png").arg(glyph.name, suffix))
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied);
                const QImage shown = glyph.icon.pixmap(QSize(16, 16), ratio)
                                         .toImage()
                                         .convertToFormat(drawn.format());
                ASSERT_EQ(shown.size(), drawn.size());
                if (test.designColours) {
                    EXPECT_EQ(shown, drawn);
                    continue;
                }
                for (int y = 0; y < shown.height(); ++y) {
                    for (int x = 0; x < shown.width(); ++x) {
                        const QColor pixel = shown.pixelColor(x, y);
                        if (pixel.alpha() == 255) {
                            EXPECT_GE(contrastRatio(pixel, glyph.background), 3.0) << x << "," << y;
                        }
                    }
                }
            }
        }
        // The letters of the romanisation toggles, as the window paints them, off and on.
        for (const bool checked : {false, true}) {
            if (checked) {
                QTest::mouseClick(control<QAbstractButton>("btnRoman"), Qt::LeftButton);
            }
            for (const char* name : {"btnRomanTyping", "btnRoman"}) {
                auto* toggle = control<QAbstractButton>(name);
                if (checked && !toggle->isChecked()) {
                    continue;
                }
                EXPECT_GE(letterContrast(toggle->grab().toImage()), 4.5)
                    << name << (checked ? " checked" : "");
            }
        }
        QTest::mouseClick(control<QAbstractButton>("btnRoman"), Qt::LeftButton);
    }
    QApplication::setPalette(original);
}

TEST_F(TfrmMainTest, AShortScreenGetsAShorterWindowWhoseControlsStillAllFitApart)
{
    // Room for the window and its frame: 96 DPI on a large screen, then a 1366 x 768 screen at
    // 150 % and 200 %, and a screen too short for any layout.
    const struct
    {
        QSize available;
        QSize minimum;
        QSize initial;
    } screens[] = {
        {{1366, 740}, {528, 485}, {528, 545}},
        {{911, 512}, {528, 464}, {528, 464}},
        {{683, 384}, {528, 336}, {528, 336}},
        {{640, 300}, {528, 293}, {528, 293}},
    };
    for (const auto& screen : screens) {
        const MainWindowSizes sizes = mainWindowSizes(screen.available);
        EXPECT_EQ(sizes.minimum, screen.minimum) << screen.available.height();
        EXPECT_EQ(sizes.initial, screen.initial) << screen.available.height();
    }

    TfrmMain& form = open();
    const auto overlaps = [&form] {
        std::set<std::pair<QString, QString>> found;
        const auto controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* a : controls) {
            if (!a->isVisible()) {
                continue;
            }
            EXPECT_TRUE(form.rect().contains(a->geometry()))
                << a->objectName().toStdString() << " at " << form.height();
            for (QWidget* b : controls) {
                if (a->objectName() < b->objectName() && b->isVisible()
                    && a->geometry().intersects(b->geometry())) {
                    found.emplace(a->objectName(), b->objectName());
                }
            }
        }
        return found;
    };
    const auto atDesignSize = overlaps();
    form.setMinimumSize(mainWindowSizes({640, 300}).minimum);
    // Every height down to the least, with the romanisation line shown at the end.
    for (const bool romanLine : {false, true}) {
        if (romanLine) {
            QTest::mouseClick(control<QAbstractButton>("btnRoman"), Qt::LeftButton);
        }
        for (int height = 545; height >= 293; --height) {
            form.resize(528, height);
            ASSERT_EQ(form.height(), height);
            const auto found = overlaps();
            for (const auto& [a, b] : found) {
                EXPECT_TRUE(atDesignSize.count({a, b}))
                    << a.toStdString() << " over " << b.toStdString() << " at " << height;
            }
            // The panes keep a usable size.
            EXPECT_GE(control("E1")->height(), 50) << height;
            EXPECT_GE(control("E2")->width(), 400) << height;
        }
    }
}

TEST_F(TfrmMainTest, TheDirectionGroupsFrameRunsBelowItsTitle)
{
    open();
    auto* group = control<QGroupBox>("rgDirection");
    const QImage picture = group->grab().toImage();
    const QColor background = group->palette().color(QPalette::Window);
    // The frame's top edge: the first row where most pixels are not the background.
    int frameTop = -1;
    for (int y = 0; y < picture.height() && frameTop < 0; ++y) {
        int drawn = 0;
        for (int x = 0; x < picture.width(); ++x) {
            drawn += picture.pixelColor(x, y) != background;
        }
        if (drawn > picture.width() / 2) {
            frameTop = y;
        }
    }
    EXPECT_GE(frameTop, QFontMetrics(group->font()).height());
}

TEST_F(TfrmMainTest, OnAShortScreenTheWindowsFitAndTheLeastSizeFollowsTheScreen)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    QScreen* small = screens[1];
    const QSize smallRoom = mainWindowSizes(small->availableGeometry().size()).minimum;
    ASSERT_LT(smallRoom.height(), 485);

    TfrmMain& form = open();
    EXPECT_EQ(form.minimumSize(), QSize(528, 485));
    // Moved onto the short screen, the window may be made short enough for it, and back.
    form.move(small->geometry().topLeft() + QPoint(20, 0));
    QApplication::processEvents();
    ASSERT_EQ(form.screen(), small);
    EXPECT_EQ(form.minimumSize(), smallRoom);
    form.resize(smallRoom);
    EXPECT_EQ(form.size(), smallRoom);
    // The History window opened from there fits that screen too.
    QTest::keyClick(control("E1"), Qt::Key_H, Qt::ControlModifier);
    auto* history = m_form->findChild<QWidget*>("frmHistory");
    ASSERT_NE(history, nullptr);
    EXPECT_LE(history->frameGeometry().height(), small->availableGeometry().height());
    EXPECT_LE(history->frameGeometry().width(), small->availableGeometry().width());
    history->close();

    form.move(screens[0]->geometry().topLeft());
    QApplication::processEvents();
    ASSERT_EQ(form.screen(), screens[0]);
    EXPECT_EQ(form.minimumSize(), QSize(528, 485));
}
