// The main window.
#include "TfrmMain.h"

#include "AfterFirstPaint.h"
#include "AppPaths.h"
#include "BusyAnimation.h"
#include "CopyrightNotice.h"
#include "EditPane.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "FileCommands.h"
#include "FormLanguage.h"
#include "GroupFrameStyle.h"
#include "HistoryCommands.h"
#include "HistoryStore.h"
#include "IniHelpers.h"
#include "InterfaceLanguage.h"
#include "LabelFit.h"
#include "LangRes.h"
#include "M17nEngine.h"
#include "MainShortcuts.h"
#include "MainWindowLayout.h"
#include "MarathiAidSettings.h"
#include "MessageBox.h"
#include "MessageTexts.h"
#include "OwnImages.h"
#include "PaneFonts.h"
#include "PanePrint.h"
#include "PaneStyles.h"
#include "PaneText.h"
#include "PaneZoom.h"
#include "Params.h"
#include "PrintCommands.h"
#include "ProxyFromSettings.h"
#include "ReadableColour.h"
#include "RomanLine.h"
#include "ScreenFit.h"
#include "SpeakButtons.h"
#include "TextScript.h"
#include "TfrmAbout.h"
#include "TfrmOptions.h"
#include "TranslationMessages.h"
#include "TranslationSession.h"
#include "TranslationTexts.h"
#include "TypingTableChoice.h"
#include "TypingToggle.h"
#include "ViewPane.h"
#include "WebLinks.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int ClientWidth = 528;
constexpr int ClientHeight = 545;

// A slot body that runs its command through the error report.
auto guarded(std::function<void()> command)
{
    return [command = std::move(command)] { runCommand(command); };
}

int tagOf(const QObject* object)
{
    return object ? object->property("tag").toInt() : 0;
}

void setTag(QObject* object, int tag)
{
    object->setProperty("tag", tag);
}

// The design's colour on a light palette; lighter where the desktop's palette is dark.
// background: the window's, which the label shows through.
void colourLabel(QLabel* label, const QColor& background)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText,
        readableColour(label->property("designColour").value<QColor>(), background));
    label->setPalette(colours);
}

void styleLabel(QLabel* label, const QColor& colour, bool bold, bool underline)
{
    QFont font = label->font();
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
    label->setProperty("designColour", colour);
    colourLabel(label, label->parentWidget()->palette().color(QPalette::Window));
}

QLabel* languageLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    styleLabel(label, QColor(128, 0, 0), true, false);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// Language labels size themselves to their text.
void setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

// The texts the window sets itself, by name, as it is built with them; the language files hold
// them in other languages.
const QStringList OwnTexts = {
    QStringLiteral("strEnglish=English"),
    QStringLiteral("strMarathi=Marathi"),
    QStringLiteral("strDirection=Translate %1 to %2"),
    QStringLiteral("strWait=Translation, please wait ..."),
    QStringLiteral("strFromHistory=Translation from the history. Shift+Translate asks the service "
                   "again."),
    QStringLiteral("Bar_Caption=") + CopyrightPattern,
};

} // namespace

// The glyphs are compiled into this static library; the linker keeps them only when referenced.
// (Outside any namespace, as the resource initialiser needs.)
static void initGlyphs()
{
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(icons);
}

TfrmMain::TfrmMain(const MainFormSetup& setup, QWidget* parent)
    : TfrmRoot(parent)
    , m_setup(setup)
    , m_paneStyles(std::make_unique<PaneStyles>())
    , m_outputStyles(std::make_unique<PaneStyles>())
    , m_panePrint(std::make_unique<PanePrint>())
    , m_session(std::make_unique<TranslationSession>())
    , m_layout(MainWindowDesignSize, MainWindowPanes, MainWindowMinimumPaneHeight)
{
    setObjectName("frmMain");
    // A normal application window: resizable, maximisable, listed by taskbars.
    setWindowFlags(Qt::Window);
    // The design size, unless the screen is smaller (a small screen at a high scale).
    new ScreenFit(this);
    initGlyphs();
    createControls();
    createMenus();

    QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
    setWindowTitle(QStringLiteral("Quendra"));
    AppPaths::SettingsLocation settings = AppPaths::settingsFile();
    if (!m_setup.settingsFolder.isEmpty()) {
        settings = {QDir(m_setup.settingsFolder).filePath(QStringLiteral("Lingvane.ini")), {}};
    }
    SettingsFileName = settings.file.toLocal8Bit().toStdString();
    m_settingsProblem = settings.problem;
    LangRes::setFileLocator(&AppPaths::dataFile);
    TranslationMessages::addToMessageTable();
    m_language = new FormLanguage(this,
        {"labFromLang", "labToLang", "rbEngToChn", "rbChnToEng", "labRoman", "frmHistory"},
        OwnTexts, [this](const FormLanguage& language) { showOwnTexts(language); });

    if (!m_setup.rootCertFile.empty()) {
        m_session->client().ioHandler()->setRootCertFile(m_setup.rootCertFile);
    }
    m_session->client().setConnectTimeout(m_setup.connectTimeoutMs);
    m_session->setIdleLimit(m_setup.idleConnectionLimit);
    m_session->setProgressHandler(
        [this](int part, int partCount) { showPartProgress(part, partCount); });
    m_session->setCountdownHandler([this](int secondsLeft) {
        m_bar->showMessage(TranslationMessages::inLanguage(TranslationTexts::fillIn(
            TranslationTexts::RetryCountdown, {std::to_string(secondsLeft)})));
    });
    m_session->setEventHandler([this](TranslationEvent event) {
        runCommand([this, event] {
            if (event == TranslationEvent::Done) {
                translationDone();
            } else {
                translationFailed();
            }
        });
    });
    TypingTableChoice::setTableLister(&M17nEngine::marathiTables);
    TfrmOptions::setErrorReport(
        [](const Exception& error) { reportError(QString::fromLocal8Bit(error.what())); });
    TfrmOptions::setQuestion(
        [](const QString& text) { return MessageBox::show(text, 3) == MessageBox::Ok; });

    connect(
        qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive) {
                runCommand([this] { formActivate(); });
            }
        });
}

TfrmMain::~TfrmMain()
{
    if (m_translationRunning) {
        // The worker still uses the client and the buffer: the session outlives the window and
        // frees itself when the worker reports back.
        m_session->setEventHandler({});
        m_session->setProgressHandler({});
        m_session->setCountdownHandler({});
        m_session.release();
    }
}

ProxySettings& TfrmMain::proxyParams()
{
    return m_session->proxyParams();
}

void TfrmMain::createControls()
{
    m_lbl1 = new QLabel(QStringLiteral("Free Get Brennor Translator Pro Full Version Now !"), this);
    m_lbl1->setObjectName("lbl1");
    m_lbl1->setGeometry(248, 8, 268, 14);
    m_lbl1->setCursor(Qt::PointingHandCursor);
    m_lbl1->setToolTip(
        QStringLiteral("Quick translation your content between 72 international languages."));
    styleLabel(m_lbl1, QColor(0, 0, 128), false, true);
    // The whole text in whatever font the system has: the label grows to the left, its right
    // edge stays where it is (also for a longer text in another language).
    m_lbl1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QSize whole = m_lbl1->sizeHint().expandedTo(m_lbl1->size());
    m_lbl1->setGeometry(
        m_lbl1->geometry().right() + 1 - whole.width(), m_lbl1->y(), whole.width(), whole.height());
    m_lbl1->installEventFilter(this);

    m_labFrom = languageLabel(this, "labFrom", QStringLiteral("Translate from :"), 9, 27);
    m_labFromLang = languageLabel(this, "labFromLang", QStringLiteral("labFromLang"), 110, 27);
    m_labTo = languageLabel(this, "labTo", QStringLiteral("Translate into :"), 9, 231);
    m_labToLang = languageLabel(this, "labToLang", QStringLiteral("labToLang"), 108, 231);

    m_e1 = new EditPane(*m_paneStyles, this);
    m_e1->setObjectName("E1");
    m_e1->setGeometry(8, 45, 478, 178);
    m_imgLoad = new QLabel(this);
    m_imgLoad->setObjectName("ImgLoad");
    m_imgLoad->setGeometry(240, 230, 44, 16);
    m_imgLoad->setAlignment(Qt::AlignCenter);
    // Each pane has its own style table: each has a font of its own.
    m_e2 = new ViewPane(*m_outputStyles, this);
    m_e2->setObjectName("E2");
    m_e2->setGeometry(8, 249, 478, 178);
    connect(m_e1, &QPlainTextEdit::textChanged, this, [this] { inputChanged(); });
    m_fileCommands = std::make_unique<FileCommands>(this, *m_e1, *m_e2, *m_panePrint);
    m_romanLine = new RomanLine(this, *m_e1, *m_e2);
    m_romanLine->toggle()->setGeometry(441, 226, 22, 22);
    m_romanLine->setPanePlaces([this](int tag) { return m_layout.place(&paneByTag(tag)); });
    m_historyCommands = std::make_unique<HistoryCommands>(
        this, m_setup.historyFile, [this](const HistoryEntry& entry) { showHistoryEntry(entry); });
    m_typingToggle = new TypingToggle(this, *m_e1);
    m_typingToggle->button()->setGeometry(441, 23, 22, 21);
    m_speakButtons = new SpeakButtons(this, *m_e1, *m_e2);
    m_speakButtons->button(0)->setGeometry(464, 23, 22, 21);
    m_speakButtons->button(1)->setGeometry(464, 226, 22, 22);
    new PaneZoom(this, {m_e1, m_e2});
    for (Pane* pane : {static_cast<Pane*>(m_e1), static_cast<Pane*>(m_e2)}) {
        setTag(pane, pane->tag());
        connect(pane, &Pane::contextPopup, this, [this, pane](const QPoint& position) {
            runCommand([&] { e1ContextPopup(pane, position); });
        });
    }

    const QString clear = QStringLiteral("Clear");
    const QString save = QStringLiteral("Save");
    const QString copy = QStringLiteral("Copy To Clipboard");
    const QString paste = QStringLiteral("Paste From Clipboard");
    auto* btnOpen = addGlyphButton("btnOpen", "open", QStringLiteral("Open"), 62, 0);
    auto* btnClear = addGlyphButton("btnClear", "clear", clear, 92, 0);
    auto* btnSave = addGlyphButton("btnSave", "save", save, 122, 0);
    auto* btnCopy = addGlyphButton("btnCopy", "copy", copy, 152, 0);
    auto* btnPaste = addGlyphButton("btnPaste", "paste", paste, 182, 0);
    auto* btnSwap = addGlyphButton("btnSwap", "swap", QStringLiteral("Swap"), 225, 0);
    auto* btnClear2 = addGlyphButton("btnClear2", "clear", clear, 270, 1);
    auto* btnSave2 = addGlyphButton("btnSave2", "save", save, 300, 1);
    auto* btnCopy2 = addGlyphButton("btnCopy2", "copy", copy, 330, 1);
    auto* btnPaste2 = addGlyphButton("btnPaste2", "paste", paste, 360, 1);
    auto* btnPrint = addGlyphButton("btnPrint", "print", QStringLiteral("Print"), 390, 0);
    const auto onClick = [this](QAbstractButton* button, std::function<void()> command) {
        connect(button, &QAbstractButton::clicked, this, guarded(std::move(command)));
    };
    // One handler serves both buttons of a pair; the button's tag names the pane.
    for (QToolButton* button : {btnClear, btnClear2}) {
        onClick(button, [this, button] { btnClearClick(button); });
    }
    for (QToolButton* button : {btnCopy, btnCopy2}) {
        onClick(button, [this, button] { btnCopyClick(button); });
    }
    for (QToolButton* button : {btnPaste, btnPaste2}) {
        onClick(button, [this, button] { btnPasteClick(button); });
    }
    for (QToolButton* button : {btnSave, btnSave2}) {
        onClick(button, [this, button] { m_fileCommands->save(tagOf(button)); });
    }
    onClick(btnSwap, [this] { btnSwapClick(); });
    onClick(btnOpen, [this] { m_fileCommands->open(); });
    onClick(btnPrint, [this] { m_fileCommands->print(); });

    m_rgDirection = new QGroupBox(QStringLiteral("Translation Direction"), this);
    m_rgDirection->setObjectName("rgDirection");
    GroupFrameStyle::applyTo(m_rgDirection);
    m_rgDirection->setGeometry(12, 434, 475, 48);
    m_rbEngToChn = new QRadioButton(QStringLiteral("rbEngToChn"), m_rgDirection);
    m_rbEngToChn->setObjectName("rbEngToChn");
    m_rbEngToChn->setGeometry(27, 20, 203, 17);
    m_rbEngToChn->setChecked(true);
    m_rbChnToEng = new QRadioButton(QStringLiteral("rbChnToEng"), m_rgDirection);
    m_rbChnToEng->setObjectName("rbChnToEng");
    m_rbChnToEng->setGeometry(251, 20, 203, 17);
    // Moving the check runs the click handler, also when the window moves it itself.
    for (QRadioButton* button : {m_rbEngToChn, m_rbChnToEng}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                runCommand([this] { rbEngToChnClick(); });
            }
        });
    }

    m_btnHelp = new QPushButton(glyph(QStringLiteral("help")), QStringLiteral("&Help"), this);
    m_btnHelp->setProperty("glyph", QStringLiteral("help"));
    m_btnHelp->setObjectName("btnHelp");
    m_btnHelp->setGeometry(13, 489, 88, 25);
    m_btnHelp->setAutoDefault(false);
    connect(m_btnHelp, &QPushButton::clicked, this, guarded([this] { btnHelpClick(); }));
    m_btnTrans
        = new QPushButton(glyph(QStringLiteral("translate")), QStringLiteral("&Translate"), this);
    m_btnTrans->setProperty("glyph", QStringLiteral("translate"));
    m_btnTrans->setObjectName("btnTrans");
    m_btnTrans->setGeometry(373, 489, 113, 25);
    m_btnTrans->setDefault(true);
    connect(m_btnTrans, &QPushButton::clicked, this, guarded([this] {
        btnTransClick(std::exchange(m_shiftClick, false)
            || QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    }));
    m_btnTrans->installEventFilter(this);

    m_bar = new QStatusBar(this);
    m_bar->setObjectName("Bar");
    m_bar->setGeometry(0, ClientHeight - 22, ClientWidth, 22);
    m_pbParts = new QProgressBar(m_bar);
    m_pbParts->setObjectName("pbParts");
    m_pbParts->setFixedWidth(140);
    m_bar->addPermanentWidget(m_pbParts);
    m_pbParts->hide();

    // Each pane, then the buttons beside it, then the direction and the two push buttons.
    const char* const tabOrder[]
        = {"E1", "btnRomanTyping", "btnSpeak", "btnOpen", "btnClear", "btnSave", "btnCopy",
            "btnPaste", "btnSwap", "E2", "btnRoman", "btnSpeak2", "btnClear2", "btnSave2",
            "btnCopy2", "btnPaste2", "btnPrint", "rbEngToChn", "rbChnToEng", "btnHelp", "btnTrans"};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(findChild<QWidget*>(tabOrder[i - 1]), findChild<QWidget*>(tabOrder[i]));
    }
}

QIcon TfrmMain::glyph(const QString& name) const
{
    return readableGlyph(name, palette().color(QPalette::Window));
}

void TfrmMain::followPalette()
{
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->property("designColour").isValid()) {
            colourLabel(label, palette().color(QPalette::Window));
        }
    }
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        if (button->property("glyph").isValid()) {
            button->setIcon(glyph(button->property("glyph").toString()));
        } else if (qobject_cast<QToolButton*>(button)) {
            // The toggles that show a letter.
            makeLettersReadable(button);
        }
    }
    for (QAction* item : m_pmHelp->actions()) {
        if (item->property("glyph").isValid()) {
            item->setIcon(readableGlyph(
                item->property("glyph").toString(), m_pmHelp->palette().color(QPalette::Window)));
        }
    }
}

void TfrmMain::changeEvent(QEvent* event)
{
    TfrmRoot::changeEvent(event);
    // The desktop switched between a light and a dark theme.
    if (event->type() == QEvent::PaletteChange && m_pmHelp) {
        followPalette();
    }
}

QToolButton* TfrmMain::addGlyphButton(
    const char* name, const char* icon, const QString& hint, int y, int tag)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setGeometry(491, y, 25, 25);
    button->setAutoRaise(true);
    // Reached with Tab; a click leaves the focus where the user was typing.
    button->setFocusPolicy(Qt::TabFocus);
    button->setProperty("glyph", QLatin1String(icon));
    button->setIcon(glyph(QLatin1String(icon)));
    button->setToolTip(hint);
    setTag(button, tag);
    return button;
}

void TfrmMain::createMenus()
{
    m_pmHelp = new QMenu(this);
    m_pmHelp->setObjectName("pmHelp");
    auto addItem = [](QMenu* menu, const char* name, const QString& text, const char* icon) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (icon) {
            action->setProperty("glyph", QLatin1String(icon));
            action->setIcon(
                readableGlyph(QLatin1String(icon), menu->palette().color(QPalette::Window)));
        }
        return action;
    };
    QAction* options = addItem(m_pmHelp, "miOptions", QStringLiteral("Options"), "options");
    connect(options, &QAction::triggered, this, guarded([this] { miOptionsClick(); }));
    auto* printCommands = new PrintCommands(this, *m_e2, *m_panePrint);
    QAction* print = addItem(m_pmHelp, "miPrint", QStringLiteral("Print..."), "print");
    connect(print, &QAction::triggered, this,
        guarded([printCommands] { printCommands->printWithDialog(); }));
    QAction* preview
        = addItem(m_pmHelp, "miPrintPreview", QStringLiteral("Print preview..."), nullptr);
    connect(
        preview, &QAction::triggered, this, guarded([printCommands] { printCommands->preview(); }));
    m_historyCommands->addActions(m_pmHelp, [this] { startTranslation(true); });
    m_pmHelp->addSeparator();
    QAction* tryPro
        = addItem(m_pmHelp, "miTry", QStringLiteral("Try Brennor Translator Pro"), "about");
    connect(tryPro, &QAction::triggered, this, guarded(&WebLinks::openProductPage));
    m_pmHelp->addSeparator();
    QAction* home = addItem(m_pmHelp, "miWebSite", QStringLiteral("Visit Home"), "web");
    connect(home, &QAction::triggered, this, guarded(&WebLinks::openHomePage));
    QAction* contact = addItem(m_pmHelp, "miContactUs", QStringLiteral("Contact Us"), "contact");
    connect(contact, &QAction::triggered, this, guarded(&WebLinks::openContactMail));
    m_pmHelp->addSeparator();
    QAction* keys = addItem(m_pmHelp, "miKeys", QStringLiteral("Keyboard shortcuts"), nullptr);
    connect(keys, &QAction::triggered, this,
        guarded([this, keys] { m_shortcuts->showList(keys->text()); }));
    QAction* about = addItem(m_pmHelp, "miAbout", QStringLiteral("About"), "about");
    connect(about, &QAction::triggered, this, guarded([] { miAboutClick(); }));
    m_pmHelp->addSeparator();
    QAction* quit = addItem(m_pmHelp, "miQuit", QStringLiteral("Quit"), nullptr);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    createShortcuts(options, print, quit);

    m_pmTrans = new QMenu(this);
    m_pmTrans->setObjectName("pmTrans");
    QAction* cut = addItem(m_pmTrans, "Cut1", QStringLiteral("Cut"), nullptr);
    QAction* copy = addItem(m_pmTrans, "Copy1", QStringLiteral("Copy"), nullptr);
    QAction* paste = addItem(m_pmTrans, "Paste1", QStringLiteral("Paste"), nullptr);
    m_pmTrans->addSeparator();
    QAction* clear = addItem(m_pmTrans, "Clear1", QStringLiteral("Clear"), nullptr);
    connect(cut, &QAction::triggered, this, guarded([this] { cut1Click(); }));
    connect(copy, &QAction::triggered, this, guarded([this] { btnCopyClick(m_pmTrans); }));
    connect(paste, &QAction::triggered, this, guarded([this] { btnPasteClick(m_pmTrans); }));
    connect(clear, &QAction::triggered, this, guarded([this] { btnClearClick(m_pmTrans); }));
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    // The main window is no dialog to dismiss: Esc only stops a running translation.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (m_workerStarted) {
            runCommand([this] { stopTranslation(); });
        }
        return;
    }
    if (m_shortcuts->pressFocusedButton(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    TfrmRoot::keyPressEvent(event);
}

void TfrmMain::createShortcuts(QAction* options, QAction* print, QAction* quit)
{
    m_shortcuts = new MainShortcuts(this);
    const auto button = [this](const char* name) { return findChild<QAbstractButton*>(name); };
    m_shortcuts->addButton(m_btnTrans, QKeySequence(Qt::CTRL | Qt::Key_Return),
        QKeySequence(Qt::CTRL | Qt::Key_Enter));
    m_shortcuts->addButton(button("btnOpen"), QKeySequence(Qt::CTRL | Qt::Key_O));
    // The pane being edited, else the translation.
    m_shortcuts->addCommand(QKeySequence(Qt::CTRL | Qt::Key_S), button("btnSave"),
        [this] { m_fileCommands->save(focusWidget() == m_e1 ? 0 : 1); });
    m_shortcuts->addMenuItem(print, QKeySequence(Qt::CTRL | Qt::Key_P));
    m_shortcuts->addButton(button("btnSwap"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_shortcuts->addButton(button("btnCopy2"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_shortcuts->addButton(button("btnClear"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m_shortcuts->addMenuItem(options, QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_shortcuts->addButton(m_btnHelp, QKeySequence(Qt::Key_F1));
    m_shortcuts->addMenuItem(quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    TfrmRoot::resizeEvent(event);
    if (!m_layoutReady) {
        // Every control exists by now, each still at its design place.
        m_layoutReady = true;
        anchorMainWindowControls(m_layout, this);
    }
    m_layout.apply(size());
    m_romanLine->place();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    TfrmRoot::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        if (!m_settingsProblem.isEmpty()) {
            reportError(m_settingsProblem);
        }
        runCommand([this] { formShow(); });
        // The checks load libraries the window does not need to appear; the icon's larger
        // images (a quarter of a megabyte to decode and hand to the desktop) are not needed for
        // that either.
        AfterFirstPaint::run(this, [this] {
            setWindowIcon(ownIcon(
                QStringLiteral(":/appicon/quendra-%1.png"), {16, 24, 32, 48, 64, 128, 256}));
            m_typingToggle->checkAvailability();
            m_speakButtons->checkAvailability();
        });
    }
}

bool TfrmMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        runCommand([this] { formActivate(); });
    }
    return TfrmRoot::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lbl1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        runCommand(&WebLinks::openProductPage);
        return true;
    }
    if (watched == m_btnTrans && event->type() == QEvent::MouseButtonRelease) {
        m_shiftClick = static_cast<QMouseEvent*>(event)->modifiers().testFlag(Qt::ShiftModifier);
    }
    return TfrmRoot::eventFilter(watched, event);
}

void TfrmMain::formShow()
{
    refreshSettings();
    applyDirection();
    applyProxySettings();
}

void TfrmMain::formActivate()
{
    if (Params.autoPaste) {
        autoPaste();
    }
}

void TfrmMain::showOwnTexts(const FormLanguage& language)
{
    showStatusNote(copyrightNotice(language.text("Bar_Caption")));
    const QString english = language.text("strEnglish");
    const QString marathi = language.text("strMarathi");
    const QString direction = language.text("strDirection");
    m_rbEngToChn->setText(direction.arg(english, marathi));
    m_rbChnToEng->setText(direction.arg(marathi, english));
    m_labFrom->adjustSize();
    m_labTo->adjustSize();
    if (m_workerStarted) {
        // The language components have just put the Translate caption back.
        showStopCaption();
    }
    showLanguageNames(language);
    fitLabelsToText(*this);
    layoutLanguageLabels();
}

void TfrmMain::showStopCaption()
{
    m_translateCaption = m_btnTrans->text();
    m_btnTrans->setText(TranslationMessages::inLanguage(TranslationTexts::StopCaption));
}

void TfrmMain::showLanguageNames(const FormLanguage& language)
{
    const QString english = language.text("strEnglish");
    const QString marathi = language.text("strMarathi");
    setLabelText(m_labFromLang, Params.direction == 0 ? english : marathi);
    setLabelText(m_labToLang, Params.direction == 0 ? marathi : english);
}

void TfrmMain::refreshSettings()
{
    loadSettings();
    InterfaceLanguage& language = InterfaceLanguage::instance();
    language.setCurrent(language.resolve(QString::fromLocal8Bit(Params.displayLanguage)));
    applyDirection();
    const PaneFonts fonts = loadPaneFonts();
    const auto applyFont = [](PaneStyles& styles, const PaneFont& font) {
        TextStyle& normal = styles.textStyle(0);
        normal.fontName = paneFamilies(font.family).join(u',');
        normal.sizePoints = font.pointSize;
    };
    applyFont(*m_paneStyles, fonts.input);
    applyFont(*m_outputStyles, fonts.output);
    m_e1->reformat();
    m_e2->reformat();
    m_romanLine->setShown(loadMarathiAidSettings().romanLine);
    m_typingToggle->applySettings();
}

void TfrmMain::applyDirection()
{
    (Params.direction == 0 ? m_rbEngToChn : m_rbChnToEng)->setChecked(true);
    showLanguageNames(*m_language);
    m_romanLine->setMarathiPane(Params.direction == 0 ? 1 : 0);
    m_e1->format();
    m_e2->format();
}

void TfrmMain::layoutLanguageLabels()
{
    m_labFromLang->move(m_labFrom->x() + m_labFrom->width() + 4, m_labFromLang->y());
    m_labToLang->move(m_labTo->x() + m_labTo->width() + 4, m_labToLang->y());
    m_imgLoad->move(m_labToLang->x() + m_labToLang->width() + 60, m_imgLoad->y());
}

void TfrmMain::rbEngToChnClick()
{
    Params.direction = m_rbEngToChn->isChecked() ? 0 : 1;
    // The new direction is in effect whether or not it can be stored, so the screen shows it
    // before a failed write is reported.
    std::exception_ptr failure;
    try {
        storeDirection(Params.direction);
    } catch (...) {
        failure = std::current_exception();
    }
    applyDirection();
    layoutLanguageLabels();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TfrmMain::btnHelpClick()
{
    const QPoint corner = mapToGlobal(QPoint(m_btnHelp->x(), m_btnHelp->y() + m_btnHelp->height()));
    m_pmHelp->popup(QPoint(corner.x(), corner.y() + 2));
}

void TfrmMain::applyProxySettings()
{
    if (m_translationRunning) {
        // The request in flight must never see a half-changed proxy.
        m_proxyPending = true;
        return;
    }
    applyProxyParams(Params, proxyParams());
}

Pane& TfrmMain::paneByTag(int tag)
{
    if (tag != 0) {
        return *m_e2;
    }
    return *m_e1;
}

void TfrmMain::btnCopyClick(const QObject* sender)
{
    m_lastClipboardText = getPaneText(paneByTag(tagOf(sender)));
    m_clipboard.write(m_lastClipboardText);
}

void TfrmMain::btnPasteClick(const QObject* sender)
{
    m_lastClipboardText = m_clipboard.read();
    switch (tagOf(sender)) {
    case 0:
        setPaneText(*m_e1, m_lastClipboardText);
        m_lastSourceText = m_lastClipboardText;
        break;
    case 1:
        if (!m_lastClipboardText.isEmpty()) {
            setPaneText(*m_e2, m_lastClipboardText);
            m_lastTargetText = m_lastClipboardText;
        }
        break;
    default:
        break;
    }
}

void TfrmMain::autoPaste()
{
    // Only text that is new on the clipboard: activations alone (returning from a dialog or a
    // message box, or from another program) never paste over what the user typed since.
    const std::optional<QString> text = m_clipboard.readNew();
    if (!text) {
        return;
    }
    m_lastClipboardText = *text;
    if (text->isEmpty() || *text == ClipboardText::toPaneLineEnds(m_lastTargetText)) {
        return;
    }
    setPaneText(*m_e1, *text);
    m_lastSourceText = *text;
}

void TfrmMain::btnClearClick(const QObject* sender)
{
    Pane& pane = paneByTag(tagOf(sender));
    pane.clear();
    pane.format();
}

void TfrmMain::btnSwapClick()
{
    const QString input = getPaneText(*m_e1);
    const QString output = getPaneText(*m_e2);
    setPaneText(*m_e2, input);
    setPaneText(*m_e1, output);
}

void TfrmMain::e1ContextPopup(Pane* pane, const QPoint& position)
{
    m_pmTrans->popup(pane->viewport()->mapToGlobal(position));
    // The chosen command runs later and acts on the pane the menu was opened on.
    setTag(m_pmTrans, tagOf(pane));
}

void TfrmMain::cut1Click()
{
    Pane& pane = paneByTag(tagOf(m_pmTrans));
    m_lastClipboardText = getPaneText(pane);
    pane.clear();
    pane.format();
    m_clipboard.write(m_lastClipboardText);
}

void TfrmMain::miAboutClick()
{
    TfrmAbout about;
    about.exec();
}

void TfrmMain::openFiles(const QStringList& fileNames)
{
    for (const QString& fileName : fileNames) {
        runCommand([&] { m_fileCommands->openFile(fileName); });
    }
}

void TfrmMain::miOptionsClick()
{
    TfrmOptions::execute(this);
    layoutLanguageLabels();
    refreshSettings();
    applyProxySettings();
}

void TfrmMain::startTranslation(bool askService)
{
    // One translation at a time: one client, one buffer.
    if (m_translationRunning) {
        return;
    }
    m_lastSourceText = m_e1->getSelectedText();
    if (m_lastSourceText.isEmpty()) {
        m_lastSourceText = getPaneText(*m_e1);
    }
    if (m_lastSourceText.isEmpty()) {
        return;
    }
    // The direction first: the history is looked up in the direction the text goes.
    showStatusNote(copyrightNotice(m_language->text("Bar_Caption")));
    followTextDirection(m_lastSourceText);
    if (!askService && showReusedTranslation()) {
        return;
    }
    setPaneLine(*m_e2, m_language->text("strWait"));
    // Undoing the result goes back to what the pane held before the translation.
    m_e2->markProvisional();

    // In place before pending events run, so a second queued click finds it.
    m_translationRunning = true;
    try {
        QCoreApplication::processEvents();
        if (Params.translator != 0) {
            leaveRunningState();
            return;
        }
        m_imgLoad->show();
        startBusyAnimation(m_imgLoad, "loading");
    } catch (...) {
        leaveRunningState();
        throw;
    }
    m_historyCommands->history().beginRequest(m_lastSourceText, Params.direction);
    const bool englishFirst = Params.direction == 0;
    TranslationJob job {m_setup.serviceBaseAddress, m_lastSourceText.toStdU16String(),
        englishFirst ? "en" : "mr", englishFirst ? "mr" : "en", {}};
    job.retry.secondLength = m_setup.retrySecond;
    m_session->start(std::move(job));
    m_workerStarted = true;
    showStopCaption();
}

void TfrmMain::inputChanged()
{
    // Text arriving in an empty input pane opens the service's connection, so that Translate
    // only has to send its request.
    const bool empty = m_e1->document()->isEmpty();
    if (m_inputWasEmpty && !empty && Params.translator == 0 && !m_translationRunning) {
        m_session->preconnect(m_setup.serviceBaseAddress);
    }
    m_inputWasEmpty = empty;
}

void TfrmMain::btnTransClick(bool askService)
{
    if (m_workerStarted) {
        stopTranslation();
    } else {
        startTranslation(askService);
    }
}

void TfrmMain::stopTranslation()
{
    if (m_workerStarted) {
        m_session->stop();
    }
}

void TfrmMain::followTextDirection(const QString& text)
{
    if (!Params.autoDirection) {
        return;
    }
    const int wanted = directionForScript(dominantScript(text.toStdU16String()));
    if (wanted < 0 || (wanted == 0) == (Params.direction == 0)) {
        return;
    }
    // As a click on the other radio button: labels, panes and the settings file follow.
    (wanted == 0 ? m_rbEngToChn : m_rbChnToEng)->setChecked(true);
    showStatusNote(TranslationMessages::inLanguage(
        wanted == 0 ? TranslationTexts::SwitchedToMarathi : TranslationTexts::SwitchedToEnglish));
}

void TfrmMain::showPartProgress(int part, int partCount)
{
    m_pbParts->setFormat(TranslationMessages::inLanguage(TranslationTexts::PartProgress));
    m_pbParts->setRange(0, partCount);
    m_pbParts->setValue(part);
    m_pbParts->show();
}

void TfrmMain::showStatusNote(const QString& note)
{
    m_statusNote = note;
    m_bar->showMessage(note);
}

void TfrmMain::leaveRunningState()
{
    m_translationRunning = false;
    m_workerStarted = false;
    if (m_proxyPending) {
        m_proxyPending = false;
        runCommand([this] { applyProxySettings(); });
    }
}

void TfrmMain::endTranslation(const std::function<void()>& handlerSteps)
{
    std::exception_ptr failure;
    try {
        handlerSteps();
    } catch (...) {
        failure = std::current_exception();
    }
    m_btnTrans->setText(m_translateCaption);
    m_pbParts->hide();
    m_bar->showMessage(m_statusNote);
    stopBusyAnimation(m_imgLoad);
    leaveRunningState();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TfrmMain::translationDone()
{
    const QString translation = QString::fromStdU16String(m_session->outcome().translation);
    endTranslation([&] {
        setPaneText(*m_e2, translation);
        // The translation has succeeded and is shown.
        m_historyCommands->history().recordSuccess(translation);
    });
    afterTranslationShown(translation);
}

void TfrmMain::afterTranslationShown(const QString& translation)
{
    if (Params.autoCopy) {
        m_lastTargetText = translation;
        m_lastClipboardText = m_lastTargetText;
        m_clipboard.write(m_lastClipboardText);
    }
    m_e2->setFocus();
}

bool TfrmMain::showReusedTranslation()
{
    const auto entry = m_historyCommands->history().reuse(m_lastSourceText, Params.direction);
    if (!entry) {
        return false;
    }
    const QString translation = QString::fromStdU16String(entry->translation);
    setPaneText(*m_e2, translation);
    m_bar->showMessage(m_language->text("strFromHistory"));
    afterTranslationShown(translation);
    return true;
}

void TfrmMain::showHistoryEntry(const HistoryEntry& entry)
{
    (TranslationHistory::directionOf(entry) == 0 ? m_rbEngToChn : m_rbChnToEng)->setChecked(true);
    m_bar->showMessage(MessageTexts::instance().translate(TranslationHistory::describe(entry)));
    setPaneText(*m_e1, QString::fromStdU16String(entry.source));
    setPaneText(*m_e2, QString::fromStdU16String(entry.translation));
}

void TfrmMain::translationFailed()
{
    const TranslationOutcome& outcome = m_session->outcome();
    const TranslationFailure failure
        = outcome.failure.value_or(makeFailure(FailureKind::Other, ""));
    const QString report = TranslationMessages::reportOf(failure);
    // What was translated before the failure stays; the last line names the cause.
    const QString done = QString::fromStdU16String(outcome.translation);
    endTranslation([&] {
        if (done.isEmpty()) {
            setPaneLine(*m_e2, report);
        } else {
            setPaneText(*m_e2, done + QStringLiteral("\r\n") + report);
        }
    });
    m_e2->setFocus();
    if (failure.kind != FailureKind::Cancelled) {
        MessageBox::show(report, failure.isWarning() ? 0 : 1);
    }
}
