// Quendra on a real X server: the selection read from other programs, the desktop-wide keys
// pressed with xdotool, the pop-up, and a second start handing its request to the first.
#include "CommandLine.h"
#include "DesktopSession.h"
#include "FakeTranslationService.h"
#include "InterfaceLanguage.h"
#include "MarathiRomaniser.h"
#include "MessageCapture.h"
#include "Pane.h"
#include "PaneText.h"
#include "Params.h"
#include "SelectionText.h"
#include "SingleInstance.h"
#include "TfrmMain.h"
#include "TranslationController.h"
#include "TranslationPopup.h"
#include "XServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    return condition();
}

void pressKeys(const char* keys)
{
    ASSERT_EQ(
        runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(keys)}),
        0);
}

// A client of its own on the X server: holds keys and selections as another program would.
class OtherProgram
{
public:
    OtherProgram()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_screen(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data)
    { }
    ~OtherProgram() { xcb_disconnect(m_connection); }

    // Ctrl+Alt with the key code of the keysym, on the root window.
    void grabCtrlAlt(char letter)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto* mapping = xcb_get_keyboard_mapping_reply(m_connection,
            xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr);
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping);
        for (int code = 0; code < count; ++code) {
            if (symbols[code * mapping->keysyms_per_keycode] == xcb_keysym_t(letter)) {
                xcb_grab_key(m_connection, 1, m_screen->root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1,
                    uint8_t(setup->min_keycode + code), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            }
        }
        std::free(mapping);
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    // Owns PRIMARY and never answers a request for it, as a program that hangs.
    void ownPrimaryAndHang()
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_screen->root, 0, 0, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(m_connection, window, XCB_ATOM_PRIMARY, XCB_CURRENT_TIME);
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

private:
    xcb_connection_t* m_connection;
    xcb_screen_t* m_screen;
};

class DesktopTest : public ::testing::Test
{
protected:
    void SetUp() override { m_service.translateEveryRequest(); }

    void openWindow()
    {
        Params = AppParams {};
        TranslationSetup setup;
        setup.serviceBaseAddress = m_service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
        setup.historyFile = m_folder.filePath("history.sqlite3").toStdString();
        m_controller = std::make_unique<TranslationController>(setup);
        MainFormSetup windowSetup;
        windowSetup.settingsFolder = m_folder.path();
        windowSetup.controller = m_controller.get();
        m_window = std::make_unique<TfrmMain>(windowSetup);
        m_instance = std::make_unique<SingleInstance>();
        ASSERT_TRUE(m_instance->listen());
        m_session = std::make_unique<DesktopSession>(*m_window, *m_controller, *m_instance);
        m_session->start({});
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void TearDown() override
    {
        m_session.reset();
        m_window.reset();
        m_instance.reset();
        m_controller.reset();
    }

    TranslationPopup& popup() { return m_session->popup(); }
    QString popupText() const
    {
        return m_session->popup().findChild<QPlainTextEdit*>("txtTranslation")->toPlainText();
    }
    QString expected(const char* text) const
    {
        return QString::fromStdString(m_service.translationOf(text));
    }

    // Runs the real program with the test's display and runtime folder; events go on meanwhile,
    // so the window can take a request.
    int runSecondStart(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QUENDRA_PROGRAM), arguments);
        EXPECT_TRUE(waitUntil([&] { return process.state() == QProcess::NotRunning; }));
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir m_folder;
    FakeTranslationService m_service;
    MessageCapture m_messages;
    std::unique_ptr<TranslationController> m_controller;
    std::unique_ptr<TfrmMain> m_window;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<DesktopSession> m_session;
};

TEST_F(DesktopTest, CtrlAltEShowsTheSelectionsTranslationAndEscClosesIt)
{
    openWindow();
    offerSelection("primary", "Good morning");
    pressKeys("ctrl+alt+e");
    ASSERT_TRUE(waitUntil([&] { return popupText() == expected("Good morning"); }))
        << popupText().toStdString();
    EXPECT_TRUE(popup().isVisible());
    EXPECT_EQ(m_service.texts().size(), 1u);

    pressKeys("Escape");
    EXPECT_TRUE(waitUntil([&] { return !popup().isVisible(); }));

    // Again from the history; with Shift from the service.
    pressKeys("ctrl+alt+e");
    ASSERT_TRUE(waitUntil([&] { return popup().isVisible() && !popupText().isEmpty(); }));
    EXPECT_EQ(m_service.texts().size(), 1u);
    pressKeys("Escape");
    ASSERT_TRUE(waitUntil([&] { return !popup().isVisible(); }));
    pressKeys("ctrl+alt+shift+e");
    EXPECT_TRUE(
        waitUntil([&] { return m_service.texts().size() == 2u && !popupText().isEmpty(); }));
    // The window's direction is the window's: the pop-up's text turned none of it.
    EXPECT_TRUE(getPaneText(*m_window->findChild<Pane*>("E1")).isEmpty());
}

TEST_F(DesktopTest, ASecondPressReplacesTheRequestStillRunning)
{
    openWindow();
    m_service.stayMute();
    offerSelection("primary", "First text");
    pressKeys("ctrl+alt+e");
    ASSERT_TRUE(waitUntil([&] { return m_service.texts().size() == 1u; }));
    offerSelection("primary", "Second text");
    pressKeys("ctrl+alt+e");
    ASSERT_TRUE(waitUntil([&] { return popupText() == expected("Second text"); }))
        << popupText().toStdString();
    EXPECT_EQ(m_service.texts(), (std::vector<std::string> {"First text", "Second text"}));
    EXPECT_FALSE(m_controller->busy());
}

TEST_F(DesktopTest, CtrlAltTTranslatesTheSelectionInTheWindow)
{
    openWindow();
    offerSelection("primary", "Good evening");
    pressKeys("ctrl+alt+t");
    ASSERT_TRUE(waitUntil([&] {
        return getPaneText(*m_window->findChild<Pane*>("E2")) == expected("Good evening");
    }));
    EXPECT_EQ(getPaneText(*m_window->findChild<Pane*>("E1")), QStringLiteral("Good evening"));
}

TEST_F(DesktopTest, ASecondStartHandsItsFilesToTheFirstAndEnds)
{
    openWindow();
    QFile file(m_folder.filePath("letter.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Dear friend");
    file.close();
    m_window->hide();
    EXPECT_EQ(runSecondStart({file.fileName()}), 0);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(getPaneText(*m_window->findChild<Pane*>("E1")), QStringLiteral("Dear friend"));

    offerSelection("primary", "Thank you");
    EXPECT_EQ(runSecondStart({QStringLiteral("--popup")}), 0);
    EXPECT_TRUE(waitUntil([&] { return popupText() == expected("Thank you"); }));
}

TEST_F(DesktopTest, AStaleSocketIsReplacedAndNoRuntimeFolderMeansAPlainInstance)
{
    // A killed instance's socket: the file is there, no one listens.
    const QString path = SingleInstance::socketPath();
    QFile::remove(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(
        address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    EXPECT_FALSE(SingleInstance::handOver({}));
    SingleInstance instance;
    EXPECT_TRUE(instance.listen());
    QLocalSocket client;
    client.connectToServer(path);
    EXPECT_TRUE(client.waitForConnected(1000));

    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    for (const QByteArray& folder : {QByteArray(), m_folder.filePath("missing").toLocal8Bit()}) {
        qputenv("XDG_RUNTIME_DIR", folder);
        SingleInstance plain;
        EXPECT_FALSE(SingleInstance::handOver({}));
        EXPECT_FALSE(plain.listen());
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
}

TEST_F(DesktopTest, AKeyAnotherProgramHoldsIsReportedInTheStatusBar)
{
    OtherProgram other;
    other.grabCtrlAlt('t');
    openWindow();
    const QString problem = m_session->shortcuts().problem();
    EXPECT_TRUE(problem.startsWith(QStringLiteral("Ctrl+Alt+T is held by another program.")))
        << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("quendra --popup")));
    EXPECT_EQ(m_window->findChild<QStatusBar*>("Bar")->currentMessage(), problem);
    // The other keys work all the same.
    offerSelection("primary", "Good night");
    pressKeys("ctrl+alt+e");
    EXPECT_TRUE(waitUntil([&] { return popupText() == expected("Good night"); }));
}

struct SelectionCase
{
    const char* name;
    std::function<void()> offer;
    SelectionSource source;
    SelectionRead::Outcome outcome;
    QString text;
};

TEST_F(DesktopTest, TheSelectionIsReadOrWhyNotIsSaid)
{
    using Outcome = SelectionRead::Outcome;
    const QByteArray big(3 << 20, 'a'); // sent in parts
    const SelectionCase cases[] = {
        {"primary first",
            [] {
                offerSelection("primary", "from primary");
                offerSelection("clipboard", "from clipboard");
            },
            SelectionSource::SelectionThenClipboard, Outcome::Text, "from primary"},
        {"clipboard only",
            [] {
                offerSelection("primary", "from primary");
                offerSelection("clipboard", "from clipboard");
            },
            SelectionSource::ClipboardOnly, Outcome::Text, "from clipboard"},
        {"blank primary",
            [] {
                offerSelection("primary", " \n ");
                offerSelection("clipboard", "line one\nline two\n");
            },
            SelectionSource::SelectionThenClipboard, Outcome::Text, "line one\r\nline two"},
        {"picture", [] { offerSelection("primary", "\x89PNG", "image/png"); },
            SelectionSource::SelectionThenClipboard, Outcome::Image, {}},
        {"files", [] { offerSelection("primary", "file:///tmp/a.txt\r\n", "text/uri-list"); },
            SelectionSource::SelectionThenClipboard, Outcome::Files, {}},
        {"large, in parts", [&] { offerSelection("primary", big); },
            SelectionSource::SelectionThenClipboard, Outcome::Text, QString::fromLatin1(big)},
        {"too large", [&] { offerSelection("primary", big + "a"); },
            SelectionSource::SelectionThenClipboard, Outcome::TooLarge, {}},
    };
    for (const SelectionCase& c : cases) {
        c.offer();
        const SelectionRead read = SelectionText::read(c.source, big.size());
        EXPECT_EQ(read.outcome, c.outcome) << c.name;
        EXPECT_EQ(read.text, c.text) << c.name;
    }
}

TEST_F(DesktopTest, AnOwnerThatNeverAnswersIsGivenUpAndThePopupSaysSo)
{
    OtherProgram other;
    other.ownPrimaryAndHang();
    EXPECT_EQ(X11Selection::read(X11Selection::Which::Primary, 1000, std::chrono::milliseconds(200))
                  .outcome,
        SelectionRead::Outcome::NoAnswer);
    openWindow();
    m_session->popupSelection(false);
    EXPECT_TRUE(popup().isVisible());
    EXPECT_EQ(popup().findChild<QLabel*>("labStatus")->text(), popup().text("strNoAnswer"));
    EXPECT_TRUE(m_service.texts().empty());
}

// What the pop-up shows in each interface language, on a light and a dark palette. With
// QUENDRA_SCREENSHOTS set to a folder, each look is saved there (run again with QT_SCALE_FACTOR=2
// for 200 %).
TEST_F(DesktopTest, ThePopupSpeaksTheInterfaceLanguageAndStaysReadableOnADarkPalette)
{
    QFile settings(m_folder.filePath("Lingvane.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Marathi]\nRomanLine=1\n");
    settings.close();
    m_service.addTranslation("Good morning, friends.", "सुप्रभात, मित्रांनो.");
    openWindow();
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor(0xe8, 0xe8, 0xe8));
    }
    struct Look
    {
        const char* language;
        const char* copyCaption;
        const char* direction;
    };
    const Look looks[] = {{"English", "&Copy", "English → Marathi"},
        {"Marathi", "प्रत करा (&C)", "इंग्रजी मधून मराठी मध्ये"}};
    const QString shots = qEnvironmentVariable("QUENDRA_SCREENSHOTS");
    InterfaceLanguage& language = InterfaceLanguage::instance();
    for (const Look& look : looks) {
        language.setCurrent(language.resolve(QString::fromUtf8(look.language)));
        for (const bool darkPalette : {false, true}) {
            QApplication::setPalette(darkPalette ? dark : light);
            offerSelection("primary", "Good morning, friends.");
            m_session->popupSelection(false);
            ASSERT_TRUE(
                waitUntil([&] { return popupText() == QStringLiteral("सुप्रभात, मित्रांनो."); }));
            QTest::qWait(100);
            EXPECT_EQ(popup().findChild<QPushButton*>("btnCopy")->text(),
                QString::fromUtf8(look.copyCaption));
            EXPECT_EQ(popup().findChild<QLabel*>("labDirection")->text(),
                QString::fromUtf8(look.direction));
            EXPECT_EQ(popup().findChild<QLabel*>("labRoman")->text(),
                QString::fromStdU16String(MarathiRomaniser::romanise(u"सुप्रभात, मित्रांनो.")));
            const QPalette shown = popup().findChild<QPlainTextEdit*>("txtTranslation")->palette();
            EXPECT_GT(std::abs(shown.color(QPalette::Text).lightness()
                          - shown.color(QPalette::Base).lightness()),
                150);
            if (!shots.isEmpty()) {
                popup().grab().save(
                    QDir(shots).filePath(QStringLiteral("popup-%1-%2-%3.png")
                                             .arg(QString::fromUtf8(look.language).toLower(),
                                                 darkPalette ? "dark" : "light")
                                             .arg(qRound(popup().devicePixelRatioF() * 100))));
            }
            popup().hide();
        }
    }
    QApplication::setPalette(light);
    language.setCurrent(language.resolve(QStringLiteral("English")));
}

} // namespace
