// The installed program: `cmake --install` into a temporary DESTDIR, the desktop entry and the
// AppStream metainfo checked by their validators, and the installed program run from there.
#include "FakeTranslationService.h"
#include "ProgramRun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString AppId = QStringLiteral("example.tarnwick.Quendra");

TEST(InstallTest, InstallsAValidDesktopApplicationThatRunsFromItsPrefix)
{
    QTemporaryDir destination;
    QTemporaryDir home;
    QProcessEnvironment environment = scriptEnvironment(home.path());
    environment.insert(QStringLiteral("DESTDIR"), destination.path());
    const ProgramOutcome install = runProgram(QStringLiteral(CMAKE_COMMAND_PATH),
        {"--install", QStringLiteral(QUENDRA_BUILD_DIR), "--prefix", "/usr"}, environment);
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();

    const QString usr = destination.filePath(QStringLiteral("usr"));
    const QStringList expected = {
        "bin/quendra",
        "share/quendra/TarnwickSys.rcc",
        "share/applications/" + AppId + ".desktop",
        "share/metainfo/" + AppId + ".metainfo.xml",
        "share/man/man1/quendra.1.gz",
        "share/icons/hicolor/scalable/apps/" + AppId + ".svg",
        "share/icons/hicolor/16x16/apps/" + AppId + ".png",
        "share/icons/hicolor/48x48/apps/" + AppId + ".png",
        "share/icons/hicolor/256x256/apps/" + AppId + ".png",
    };
    for (const QString& file : expected) {
        EXPECT_TRUE(QFileInfo(usr + u'/' + file).isFile()) << file.toStdString();
    }
    EXPECT_TRUE(QFileInfo(usr + "/bin/quendra").isExecutable());
    // Where the program looks for its printing module.
    EXPECT_TRUE(
        QFileInfo(usr + "/bin/" QUENDRA_MODULE_DIR_FROM_BIN "/libquendra-print.so").isFile());

    const struct
    {
        const char* validator;
        QStringList arguments;
    } validators[] = {
        {"desktop-file-validate", {usr + "/share/applications/" + AppId + ".desktop"}},
        {"appstreamcli",
            {"validate", "--no-net", usr + "/share/metainfo/" + AppId + ".metainfo.xml"}},
    };
    for (const auto& check : validators) {
        const ProgramOutcome outcome
            = runProgram(QString::fromLatin1(check.validator), check.arguments, environment);
        EXPECT_EQ(outcome.exitCode, 0)
            << check.validator << ": " << outcome.out.toStdString() << outcome.err.toStdString();
    }
    const ProgramOutcome manual = runProgram(QStringLiteral("man"),
        {"--warnings", "-l", "-Tutf8", usr + "/share/man/man1/quendra.1.gz"}, environment);
    EXPECT_EQ(manual.exitCode, 0);
    EXPECT_TRUE(manual.err.isEmpty()) << manual.err.toStdString();
    EXPECT_TRUE(manual.out.contains(QStringLiteral("--translate"))) << manual.out.toStdString();

    const ProgramOutcome version = runProgram(usr + "/bin/quendra", {"--version"}, environment);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Quendra 4.0.0\n"));

    // An installed program keeps its settings in the user's config folder, never in bin/.
    FakeTranslationService service;
    service.answerTranslation("Good morning");
    environment.insert(
        QStringLiteral("QUENDRA_SERVICE_ADDRESS"), QString::fromStdString(service.baseAddress()));
    environment.insert(QStringLiteral("SSL_CERT_FILE"),
        QString::fromStdString(FakeTranslationService::caCertFile()));
    const ProgramOutcome translated
        = runProgram(usr + "/bin/quendra", {"--translate", "Good morning"}, environment);
    EXPECT_EQ(translated.exitCode, 0) << translated.err.toStdString();
    EXPECT_EQ(translated.out, QStringLiteral("[mr] Good morning\n"));
    // That translation loaded the TLS library itself: neither it nor the libraries of the history,
    // of romanised typing and of printing are among those every start of the program loads.
    const ProgramOutcome linked
        = runProgram(QStringLiteral("readelf"), {"--dynamic", usr + "/bin/quendra"}, environment);
    ASSERT_EQ(linked.exitCode, 0) << linked.err.toStdString();
    for (const char* library :
        {"libssl", "libcrypto", "libsqlite3", "libm17n", "libQt6PrintSupport"}) {
        EXPECT_FALSE(linked.out.contains(QLatin1String(library))) << library;
    }
#ifdef QUENDRA_HARDENED
    // The optimised build carries Debian's hardening: relocations bound at start and made
    // read-only, and the stack protector, in the program and in its printing module.
    for (const QString& file :
        {usr + "/bin/quendra", usr + "/bin/" QUENDRA_MODULE_DIR_FROM_BIN "/libquendra-print.so"}) {
        const ProgramOutcome elf = runProgram(QStringLiteral("readelf"),
            {"--dynamic", "--program-headers", "--dyn-syms", "--wide", file}, environment);
        ASSERT_EQ(elf.exitCode, 0) << elf.err.toStdString();
        for (const char* mark : {"BIND_NOW", "GNU_RELRO", "__stack_chk_fail"}) {
            EXPECT_TRUE(elf.out.contains(QLatin1String(mark)))
                << file.toStdString() << ": " << mark;
        }
    }
#endif
    struct stat folder
    { };
    ASSERT_EQ(::stat(QFile::encodeName(home.filePath(".config/quendra")).constData(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_FALSE(QFileInfo::exists(usr + "/bin/Lingvane.ini"));
}

} // namespace
