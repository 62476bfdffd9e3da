// The main window.
#include "TfrmMain.h"

#include "AfterFirstPaint.h"
#include "AppStartup.h"
#include "CopyrightNotice.h"
#include "DirectionControls.h"
#include "EditPane.h"
#include "ErrorReport.h"
#include "FileCommands.h"
#include "FormLanguage.h"
#include "HelpMenu.h"
#include "HistoryCommands.h"
#include "InterfaceLanguage.h"
#include "LabelFit.h"
#include "MainShortcuts.h"
#include "MainWindowLayout.h"
#include "MainWindowWidgets.h"
#include "MarathiAidSettings.h"
#include "MessageBox.h"
#include "MessageTexts.h"
#include "OwnImages.h"
#include "PaneCommands.h"
#include "PaneFonts.h"
#include "PanePrint.h"
#include "PaneStyles.h"
#include "PaneText.h"
#include "PaneZoom.h"
#include "Params.h"
#include "PrintCommands.h"
#include "ReadableColour.h"
#include "RomanLine.h"
#include "ScreenFit.h"
#include "SpeakButtons.h"
#include "TfrmAbout.h"
#include "TfrmOptions.h"
#include "TranslationController.h"
#include "TranslationDisplay.h"
#include "TranslationMessages.h"
#include "TranslationTexts.h"
#include "TypingToggle.h"
#include "ViewPane.h"
#include "WebLinks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>

namespace {

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

TfrmMain::TfrmMain(const MainFormSetup& setup, QWidget* parent)
    : TfrmRoot(parent)
    , m_setup(setup)
    , m_paneStyles(std::make_unique<PaneStyles>())
    , m_outputStyles(std::make_unique<PaneStyles>())
    , m_panePrint(std::make_unique<PanePrint>())
    , m_controller(new TranslationController(setup, this))
    , m_layout(MainWindowDesignSize, MainWindowPanes, MainWindowMinimumPaneHeight)
{
    setObjectName("frmMain");
    // A normal application window: resizable, maximisable, listed by taskbars.
    setWindowFlags(Qt::Window);
    // The design size, unless the screen is smaller (a small screen at a high scale).
    new ScreenFit(this);
    createControls();
    createMenus();
    placeMainWindowControls(this);

    setWindowTitle(QStringLiteral("Quendra"));
    m_settingsProblem = AppStartup::useSettingsFile(m_setup.settingsFolder);
    connectController();
    m_language = new FormLanguage(this,
        {"labFromLang", "labToLang", "rbEngToChn", "rbChnToEng", "labRoman", "frmHistory"},
        OwnTexts, [this](const FormLanguage& language) { showOwnTexts(language); });
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive) {
                runCommand([this] { formActivate(); });
            }
        });
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::connectController()
{
    m_display = new TranslationDisplay(*m_controller, this,
        {m_ui.btnTrans, m_ui.imgLoad, m_ui.pbParts, m_ui.bar, m_e2}, *m_paneCommands,
        [this](const char* name) { return m_language->text(name); });
    connect(m_controller, &TranslationController::directionChosen, this,
        [this](Direction wanted) { runCommand([&] { directionFollowedText(wanted); }); });
    connect(m_controller, &TranslationController::historyNotice, this,
        [](const QString& notice) { MessageBox::show(notice, 0); });
    connect(m_controller, &TranslationController::problem, this,
        [](const QString& message) { reportError(message); });
}

ProxySettings& TfrmMain::proxyParams()
{
    return m_controller->proxyParams();
}

bool TfrmMain::translationRunning() const
{
    return m_controller->busy();
}

void TfrmMain::createControls()
{
    m_ui = MainWindowWidgets::create(this);
    m_direction = std::make_unique<DirectionControls>(m_ui);
    m_ui.lbl1->installEventFilter(this);
    m_e1 = new EditPane(*m_paneStyles, this);
    m_e1->setObjectName("E1");
    // Each pane has its own style table: each has a font of its own.
    m_e2 = new ViewPane(*m_outputStyles, this);
    m_e2->setObjectName("E2");
    connect(m_e1, &QPlainTextEdit::textChanged, this, [this] { inputChanged(); });
    m_fileCommands = std::make_unique<FileCommands>(this, *m_e1, *m_e2, *m_panePrint);
    m_paneCommands = new PaneCommands(this, *m_e1, *m_e2);
    m_romanLine = new RomanLine(this, *m_e1, *m_e2);
    m_romanLine->setPanePlaces(
        [this](int tag) { return m_layout.place(tag == 0 ? static_cast<QWidget*>(m_e1) : m_e2); });
    m_historyCommands = std::make_unique<HistoryCommands>(this, m_controller->history(),
        [this](const HistoryEntry& entry) { showHistoryEntry(entry); });
    m_typingToggle = new TypingToggle(this, *m_e1);
    m_speakButtons = new SpeakButtons(this, *m_e1, *m_e2);
    new PaneZoom(this, {m_e1, m_e2});
    connectButtons();
}

void TfrmMain::connectButtons()
{
    m_paneCommands->connectButtons(this);
    const auto onClick = [this](const char* name, std::function<void()> command) {
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this,
            guarded(std::move(command)));
    };
    onClick("btnSave", [this] { m_fileCommands->save(0); });
    onClick("btnSave2", [this] { m_fileCommands->save(1); });
    onClick("btnOpen", [this] { m_fileCommands->open(); });
    onClick("btnPrint", [this] { m_fileCommands->print(); });
    // Moving the check runs the click handler, also when the window moves it itself.
    for (QRadioButton* button : {m_ui.rbEngToChn, m_ui.rbChnToEng}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                runCommand([this] { rbEngToChnClick(); });
            }
        });
    }
    connect(m_ui.btnHelp, &QPushButton::clicked, this, guarded([this] { btnHelpClick(); }));
    connect(m_ui.btnTrans, &QPushButton::clicked, this, guarded([this] {
        btnTransClick(std::exchange(m_shiftClick, false)
            || QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    }));
    m_ui.btnTrans->installEventFilter(this);
}

void TfrmMain::changeEvent(QEvent* event)
{
    TfrmRoot::changeEvent(event);
    // The desktop switched between a light and a dark theme.
    if (event->type() == QEvent::PaletteChange && m_helpMenu) {
        followPalette(this);
    }
}

void TfrmMain::createMenus()
{
    m_shortcuts = new MainShortcuts(this);
    HelpMenu::Commands commands;
    commands.options = [this] { miOptionsClick(); };
    commands.translateAgain = [this] { startTranslation(true); };
    commands.about = [] { miAboutClick(); };
    m_helpMenu = std::make_unique<HelpMenu>(this, *m_shortcuts,
        *new PrintCommands(this, *m_e2, *m_panePrint), *m_historyCommands, commands);
    createShortcuts();
}

void TfrmMain::createShortcuts()
{
    const auto button = [this](const char* name) { return findChild<QAbstractButton*>(name); };
    m_shortcuts->addButton(m_ui.btnTrans, QKeySequence(Qt::CTRL | Qt::Key_Return),
        QKeySequence(Qt::CTRL | Qt::Key_Enter));
    m_shortcuts->addButton(button("btnOpen"), QKeySequence(Qt::CTRL | Qt::Key_O));
    // The pane being edited, else the translation.
    m_shortcuts->addCommand(QKeySequence(Qt::CTRL | Qt::Key_S), button("btnSave"),
        [this] { m_fileCommands->save(focusWidget() == m_e1 ? 0 : 1); });
    m_shortcuts->addMenuItem(m_helpMenu->item("miPrint"), QKeySequence(Qt::CTRL | Qt::Key_P));
    m_shortcuts->addButton(button("btnSwap"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_shortcuts->addButton(button("btnCopy2"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_shortcuts->addButton(button("btnClear"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m_shortcuts->addMenuItem(m_helpMenu->item("miOptions"), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_shortcuts->addButton(m_ui.btnHelp, QKeySequence(Qt::Key_F1));
    m_shortcuts->addMenuItem(m_helpMenu->item("miQuit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    // The main window is no dialog to dismiss: Esc only stops a running translation.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        runCommand([this] { stopTranslation(); });
        return;
    }
    if (m_shortcuts->pressFocusedButton(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    TfrmRoot::keyPressEvent(event);
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
    if (watched == m_ui.lbl1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        runCommand(&WebLinks::openProductPage);
        return true;
    }
    if (watched == m_ui.btnTrans && event->type() == QEvent::MouseButtonRelease) {
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
        m_paneCommands->autoPaste();
    }
}

void TfrmMain::showOwnTexts(const FormLanguage& language)
{
    m_display->showStatusNote(copyrightNotice(language.text("Bar_Caption")));
    m_direction->showTexts(language);
    m_display->languageChanged();
    fitLabelsToText(*this);
    layoutLanguageLabels();
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
    m_romanLine->applySettings(loadMarathiAidSettings());
    m_typingToggle->applySettings();
}

void TfrmMain::applyDirection()
{
    m_direction->check(DirectionControls::current());
    m_direction->showNames(*m_language);
    // The romanisation line follows the pane that holds Marathi.
    m_romanLine->setMarathiPane(
        DirectionControls::current() == Direction::EnglishToMarathi ? 1 : 0);
    m_e1->format();
    m_e2->format();
}

void TfrmMain::layoutLanguageLabels()
{
    m_direction->layoutLabels();
}

void TfrmMain::rbEngToChnClick()
{
    // The new direction is in effect whether or not it can be stored, so the screen shows it
    // before a failed write is reported.
    const auto showDirection = qScopeGuard([this] {
        applyDirection();
        layoutLanguageLabels();
    });
    m_direction->takeChecked();
}

void TfrmMain::btnHelpClick()
{
    m_helpMenu->popupBelow(m_ui.btnHelp);
}

void TfrmMain::applyProxySettings()
{
    m_controller->applyProxySettings();
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

void TfrmMain::btnTransClick(bool askService)
{
    if (m_display->showsStop()) {
        stopTranslation();
    } else {
        startTranslation(askService);
    }
}

void TfrmMain::startTranslation(bool askService)
{
    if (m_controller->busy()) {
        return;
    }
    TranslationAsk ask;
    ask.text = m_e1->getSelectedText();
    if (ask.text.isEmpty()) {
        ask.text = getPaneText(*m_e1);
    }
    m_paneCommands->setLastSourceText(ask.text);
    if (ask.text.isEmpty()) {
        return;
    }
    m_display->showStatusNote(copyrightNotice(m_language->text("Bar_Caption")));
    ask.direction = DirectionControls::current();
    ask.askService = askService;
    ask.view = this;
    ask.beforeSending = [this] { m_display->showWaiting(); };
    m_controller->translate(ask);
}

void TfrmMain::stopTranslation()
{
    m_controller->stop();
}

void TfrmMain::inputChanged()
{
    // Text arriving in an empty input pane opens the service's connection, so that Translate
    // only has to send its request.
    const bool empty = m_e1->document()->isEmpty();
    if (m_inputWasEmpty && !empty) {
        m_controller->preconnect();
    }
    m_inputWasEmpty = empty;
}

void TfrmMain::directionFollowedText(Direction wanted)
{
    // As a click on the other radio button: labels, panes and the settings file follow.
    m_direction->check(wanted);
    m_display->showStatusNote(TranslationMessages::inLanguage(wanted == Direction::EnglishToMarathi
            ? TranslationTexts::SwitchedToMarathi
            : TranslationTexts::SwitchedToEnglish));
}

void TfrmMain::showHistoryEntry(const HistoryEntry& entry)
{
    m_direction->check(TranslationHistory::directionOf(entry));
    m_ui.bar->showMessage(MessageTexts::instance().translate(TranslationHistory::describe(entry)));
    setPaneText(*m_e1, QString::fromStdU16String(entry.source));
    setPaneText(*m_e2, QString::fromStdU16String(entry.translation));
}
