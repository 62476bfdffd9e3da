// The built program's command line, run as a child process without a display: usage, version,
// and --translate against a local stand-in for the translation service.
#include "FakeTranslationService.h"
#include "ProgramRun.h"
#include "TextImage.h"
#include "TinyproxyServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Outcome = ProgramOutcome;

// A copy of the program in a folder of its own, so its settings file is the test's; root's
// folder, open for others to read, as an installed program's would be.
class CommandLineTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new QTemporaryDir;
        QFile::setPermissions(s_folder->path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUENDRA_PROGRAM), program()));
        // A copy the ordinary user of the test can read.
        ASSERT_TRUE(
            QFile::copy(QString::fromStdString(FakeTranslationService::caCertFile()), caFile()));
        QFile::setPermissions(caFile(), QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup);
    }

    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    void SetUp() override
    {
        QFile::remove(settingsBeside());
        QFile::setPermissions(m_home.path(), QFileDevice::Permissions(0x7777));
    }

    static QString program() { return s_folder->filePath(QStringLiteral("quendra")); }
    static QString caFile() { return s_folder->filePath(QStringLiteral("ca.pem")); }
    static QString settingsBeside() { return s_folder->filePath(QStringLiteral("Lingvane.ini")); }

    static void writeFile(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Runs the program with no display and no platform chosen, as a script would.
    Outcome run(const QStringList& arguments, const QByteArray& input = {},
        bool asOrdinaryUser = false, const QString& service = {},
        std::function<void()> childSetup = {})
    {
        QProcessEnvironment environment = scriptEnvironment(m_home.path());
        environment.insert(QStringLiteral("SSL_CERT_FILE"), caFile());
        environment.insert(QStringLiteral("QUENDRA_SERVICE_ADDRESS"),
            service.isEmpty() ? QString::fromStdString(m_service.baseAddress()) : service);
        std::function<void()> asUser;
        if (asOrdinaryUser) {
            asUser = [] {
                if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                    ::_exit(99);
                }
            };
        }
        return runProgram(
            program(), arguments, environment, input, childSetup ? childSetup : asUser);
    }

    static std::string sourceCodeOf(const std::string& request)
    {
        const std::size_t at = request.find("sl=");
        return at == std::string::npos ? std::string() : request.substr(at + 3, 2);
    }

    inline static QTemporaryDir* s_folder = nullptr;
    QTemporaryDir m_home;
    FakeTranslationService m_service;
};

TEST_F(CommandLineTest, UsageVersionAndErrorsNeedNoDisplay)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--version"}, 0, "Quendra 4.0.0\n", ""},
        {{"-v"}, 0, "Quendra 4.0.0\n", ""},
        {{"--help"}, 0, "--translate", ""},
        {{"--bogus"}, 2, "", "quendra: Unknown option 'bogus'.\nUsage: "},
        {{"-t", "--from"}, 2, "", "quendra: Missing value after '--from'.\nUsage: "},
        {{"--from", "en", "file.txt"}, 2, "", "quendra: Option '--from' needs '--translate'.\n"},
        {{"-t", "--from=de", "Hello"}, 2, "", "quendra: Unknown language 'de': use en or mr.\n"},
        // The window, with nowhere to open it.
        {{}, 1, "", "quendra: There is no display to open the window on"},
        {{"file.txt"}, 1, "", "quendra: There is no display to open the window on"},
    };
    for (const auto& test : cases) {
        const Outcome outcome = run(test.arguments);
        const QString trace = test.arguments.join(u' ');
        EXPECT_EQ(outcome.exitCode, test.exitCode) << trace.toStdString();
        EXPECT_TRUE(outcome.out.contains(QString::fromUtf8(test.out)))
            << trace.toStdString() << ": " << outcome.out.toStdString();
        // Success writes nothing to standard error.
        EXPECT_TRUE(
            *test.err ? outcome.err.startsWith(QString::fromUtf8(test.err)) : outcome.err.isEmpty())
            << trace.toStdString() << ": " << outcome.err.toStdString();
        if (test.exitCode == 2) {
            // The usage goes to standard error; nothing to standard output.
            EXPECT_TRUE(outcome.out.isEmpty()) << trace.toStdString();
            EXPECT_TRUE(outcome.err.contains(QStringLiteral("--help"))) << trace.toStdString();
        }
    }
}

TEST_F(CommandLineTest, TranslatesArgumentsOrStandardInputInTheChosenDirection)
{
    // Stored direction Marathi into English; --from overrides it for one run.
    writeFile(settingsBeside(), "[General]\nDirection=1\n");
    m_service.answerTranslation("नमस्कार", "mr", "en");
    m_service.answerTranslation("Hello world", "en", "mr");
    m_service.answerTranslation("one\r\ntwo", "en", "mr");

    const Outcome stored = run({"--translate", "नमस्कार"});
    EXPECT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_EQ(stored.out, QStringLiteral("[en] नमस्कार\n"));

    const Outcome words = run({"-t", "--from", "en", "Hello", "world"});
    EXPECT_EQ(words.exitCode, 0) << words.err.toStdString();
    EXPECT_EQ(words.out, QStringLiteral("[mr] Hello world\n"));

    // Standard input: lines go out as the window sends them, come back with LF ends.
    const Outcome piped = run({"--translate", "--from=en"}, "  one\ntwo\n\n");
    EXPECT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_EQ(piped.out, QStringLiteral("[mr] one\n[mr] two\n"));
    EXPECT_TRUE(piped.err.isEmpty());

    const std::vector<std::string> texts = m_service.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "नमस्कार");
    EXPECT_EQ(texts[1], "Hello world");
    EXPECT_EQ(texts[2], "one\r\ntwo");
    const std::vector<std::string> requests = m_service.requests();
    EXPECT_EQ(sourceCodeOf(requests[0]), "mr");
    EXPECT_EQ(sourceCodeOf(requests[1]), "en");
    // The window's header profile.
    EXPECT_NE(requests[1].find("\r\nReferer: "), std::string::npos);
    EXPECT_NE(requests[1].find("Safari/534\r\n"), std::string::npos);

    // Nothing to translate: no request, no output, success.
    const Outcome blank = run({"--translate"}, " \n\n");
    EXPECT_EQ(blank.exitCode, 0);
    EXPECT_TRUE(blank.out.isEmpty());
    EXPECT_EQ(m_service.requests().size(), 3u);
}

TEST_F(CommandLineTest, TakesTheWindowsWayWithLongTextsLimitsAndTheScript)
{
    m_service.setUpperCaseTranslation(true);
    m_service.answerTooManyRequests("0");
    m_service.translateEveryRequest();
    QByteArray text;
    for (int line = 0; text.size() < 12000; ++line) {
        text += "Line " + QByteArray::number(line) + " has a few words. And a second one!\n";
    }
    const Outcome parts = run({"-t", "--from=en"}, text);
    EXPECT_EQ(parts.exitCode, 0) << parts.err.toStdString();
    EXPECT_EQ(parts.out.toUtf8(), text.toUpper());
    // The refused first request was tried again; the text went in three parts.
    EXPECT_EQ(m_service.texts().size(), 4u);

    // Without --from, Marathi text goes from Marathi whatever the stored direction.
    const Outcome marathi = run({"-t", "नमस्कार"});
    EXPECT_EQ(marathi.exitCode, 0) << marathi.err.toStdString();
    EXPECT_EQ(sourceCodeOf(m_service.requests().back()), "mr");
}

TEST_F(CommandLineTest, FailuresExitWithOneLineNamingTheCause)
{
    m_service.answerStatus(403, "Forbidden");
    const Outcome refused = run({"-t", "Hello"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(refused.err,
        QStringLiteral("quendra: The translation service refused the request. Please try again "
                       "later. (HTTP/1.1 403 Forbidden)\n"));

    // Nobody listens on the service's port.
    const int closedPort = ChildProcess::freeLoopbackPort();
    const Outcome unreachable
        = run({"-t", "Hello"}, {}, false, QStringLiteral("https://127.0.0.1:%1").arg(closedPort));
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.err.count(u'\n'), 1);
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("10061"))) << unreachable.err.toStdString();

    writeFile(settingsBeside(), "[Connection]\nNoProxy=0\nAddress=127.0.0.1\nPort=abc\n");
    const Outcome badPort = run({"-t", "Hello"});
    EXPECT_EQ(badPort.exitCode, 1);
    EXPECT_EQ(badPort.err, QStringLiteral("quendra: 'abc' is not a valid integer value\n"));
}

TEST_F(CommandLineTest, AnInputLargerThanTheWindowTakesIsRefusedWithOneLine)
{
    // An endless standard input, as from yes(1).
    const Outcome endless = run({"-t", "--from", "en"}, {}, false, {}, [] {
        const int zero = ::open("/dev/zero", O_RDONLY);
        if (zero < 0 || ::dup2(zero, 0) < 0) {
            ::_exit(99);
        }
    });
    EXPECT_EQ(endless.exitCode, 1);
    EXPECT_EQ(endless.err,
        QStringLiteral("quendra: The text is larger than 64 MB and was not translated.\n"));
    EXPECT_TRUE(endless.out.isEmpty());
    EXPECT_TRUE(m_service.requests().empty());
}

TEST_F(CommandLineTest, ATranslationThatCannotBeWrittenOutIsAFailure)
{
    const struct
    {
        const char* name;
        std::function<void()> output;
        const char* reason;
    } cases[] = {
        {"a full disk",
            [] {
                const int full = ::open("/dev/full", O_WRONLY);
                if (full < 0 || ::dup2(full, 1) < 0) {
                    ::_exit(99);
                }
            },
            "No space left on device"},
        {"a closed standard output", [] { ::close(1); }, "Bad file descriptor"},
        {"a pipe whose reader has gone, SIGPIPE ignored",
            [] {
                int ends[2];
                if (::pipe(ends) != 0 || ::dup2(ends[1], 1) < 0) {
                    ::_exit(99);
                }
                ::close(ends[0]);
                ::close(ends[1]);
                std::signal(SIGPIPE, SIG_IGN);
            },
            "Broken pipe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_service.answerTranslation("Hello");
        const Outcome outcome = run({"-t", "Hello"}, {}, false, {}, c.output);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err,
            QStringLiteral("quendra: Could not write the translation to standard output: %1.\n")
                .arg(QString::fromUtf8(c.reason)));
    }
}

TEST_F(CommandLineTest, ASettingsFileThatCannotBeReadSendsNothing)
{
    // It may name the proxy every request has to go through.
    const auto asFolder = [] { return QDir().mkpath(settingsBeside()); };
    const auto asFifo = [] { return ::mkfifo(QFile::encodeName(settingsBeside()), 0600) == 0; };
    const struct
    {
        std::function<bool()> make;
        const char* reason;
    } cases[] = {
        {asFolder, "it is a folder"},
        {asFifo, "it is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        ASSERT_TRUE(c.make());
        const Outcome outcome = run({"-t", "Hello"});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err,
            QStringLiteral("quendra: The settings file %1 cannot be read (%2). Nothing was sent.\n")
                .arg(settingsBeside(), QString::fromUtf8(c.reason)));
        EXPECT_TRUE(m_service.requests().empty());
        QDir().rmdir(settingsBeside());
        QFile::remove(settingsBeside());
    }
}

TEST_F(CommandLineTest, GoesThroughTheStoredProxy)
{
    const std::string address = m_service.baseAddress();
    const int servicePort = std::stoi(address.substr(address.rfind(':') + 1));
    TinyproxyServer proxy({servicePort, {}, {}});
    writeFile(settingsBeside(),
        QStringLiteral("[Connection]\nNoProxy=0\nAddress=127.0.0.1\nPort=%1\n")
            .arg(proxy.port())
            .toUtf8());
    m_service.answerTranslation("Hello");
    const Outcome outcome = run({"-t", "Hello"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, QStringLiteral("[mr] Hello\n"));
    EXPECT_NE(proxy.log().find("CONNECT"), std::string::npos) << proxy.log();
}

TEST_F(CommandLineTest, OcrPrintsTheTextOfEachPictureOrItsTranslation)
{
    const QString line = QStringLiteral("The council will meet next Tuesday.");
    const QString notice = m_home.filePath(QStringLiteral("notice.png"));
    ASSERT_TRUE(renderText(line).save(notice));
    QImage blank(300, 80, QImage::Format_RGB32);
    blank.fill(Qt::white);
    const QString empty = m_home.filePath(QStringLiteral("blank.png"));
    ASSERT_TRUE(blank.save(empty));

    const Outcome read = run({"--ocr", notice});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.endsWith(u'\n'));
    EXPECT_LE(characterErrorRate(line, read.out), 3.0) << read.out.toStdString();
    EXPECT_TRUE(read.err.isEmpty());

    // Each picture that cannot be read is one line; the others are still printed.
    const Outcome mixed
        = run({"--ocr", "--ocr-lang", "eng", m_home.filePath("missing.png"), empty, notice});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_LE(characterErrorRate(line, mixed.out), 3.0) << mixed.out.toStdString();
    EXPECT_EQ(mixed.err,
        QStringLiteral("quendra: The image \"missing.png\" could not be opened: No such file or "
                       "directory.\nquendra: blank.png: No text found in the image.\n"));

    m_service.translateEveryRequest();
    const Outcome translated = run({"--ocr", "--translate", "--from", "en", notice});
    EXPECT_EQ(translated.exitCode, 0) << translated.err.toStdString();
    EXPECT_TRUE(translated.out.startsWith("[mr] ")) << translated.out.toStdString();
    ASSERT_EQ(m_service.texts().size(), 1u);

    const struct
    {
        QStringList arguments;
        const char* err;
    } usage[] = {
        {{"--ocr"}, "quendra: Option '--ocr' needs at least one IMAGE.\n"},
        {{"--ocr-lang", "eng", "a.png"}, "quendra: Option '--ocr-lang' needs '--ocr'.\n"},
        {{"--ocr", "--ocr-lang", "mar eng", "a.png"},
            "quendra: 'mar eng' is no list of languages such as mar+eng.\n"},
        {{"--ocr", "--from", "en", "a.png"}, "quendra: Option '--from' needs '--translate'.\n"},
        {{"--ocr", "--ocr-lang", "mar+xyz", notice},
            "quendra: No data for the language 'xyz' is installed"},
    };
    for (const auto& test : usage) {
        const Outcome outcome = run(test.arguments);
        EXPECT_EQ(outcome.exitCode, 2) << test.arguments.join(u' ').toStdString();
        EXPECT_TRUE(outcome.err.startsWith(QString::fromUtf8(test.err)))
            << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
    }
}

TEST_F(CommandLineTest, AnOrdinaryUserOfARootOwnedFolderKeepsSettingsInTheConfigFolder)
{
    if (::getuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as another user";
    }
    writeFile(m_home.filePath(QStringLiteral(".config/quendra/Lingvane.ini")),
        "[General]\nDirection=1\n");
    QFile::setPermissions(m_home.filePath(QStringLiteral(".config/quendra/Lingvane.ini")),
        QFileDevice::Permissions(0x6666));
    m_service.answerTranslation("नमस्कार", "mr", "en");
    const Outcome outcome = run({"-t", "नमस्कार"}, {}, true);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, QStringLiteral("[en] नमस्कार\n"));
    ASSERT_EQ(m_service.requests().size(), 1u);
    EXPECT_EQ(sourceCodeOf(m_service.requests()[0]), "mr");
}

} // namespace
