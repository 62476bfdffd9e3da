// The settings helpers and loadSettings: the number rule, the defaults and a folder we may not
// write.
#include "../ini/ScratchFolder.h"
#include "../ini/UnprivilegedScope.h"
#include "DeferredWrites.h"
#include "IniHelpers.h"
#include "IniWriteError.h"
#include "Params.h"

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class SettingsFile : public testing::Test
{
protected:
    void SetUp() override { SettingsFileName = m_folder.file("Lingvane.ini"); }
    void TearDown() override
    {
        Params = {};
        SettingsFileName.clear();
    }

    ScratchFolder m_folder;
};

TEST_F(SettingsFile, WritersStoreTheirValueForms)
{
    iniWriteInteger(SettingsFileName, "General", "Translator", 0);
    iniWriteInteger(SettingsFileName, "General", "Direction", -12);
    iniWriteBool(SettingsFileName, "General", "AutoPaste", true);
    iniWriteBool(SettingsFileName, "General", "AutoCopy", false);
    iniWriteString(SettingsFileName, "Connection", "Password", "p@ss word");
    EXPECT_EQ(ScratchFolder::read(SettingsFileName),
        "[General]\nTranslator=0\nDirection=-12\nAutoPaste=1\nAutoCopy=0\n"
        "[Connection]\nPassword=p@ss word\n");
    EXPECT_EQ(iniReadInteger(SettingsFileName, "General", "Direction"), -12);
    EXPECT_TRUE(iniReadBool(SettingsFileName, "General", "AutoPaste"));
    EXPECT_EQ(iniReadString(SettingsFileName, "connection", "password"), "p@ss word");
}

AppParams defaults()
{
    AppParams params;
    params.noProxy = true;
    return params;
}

TEST_F(SettingsFile, LoadSettingsReadsEveryKeyWithItsDefault)
{
    // Each case names how its result differs from the defaults.
    const struct
    {
        const char* name;
        std::string content;
        void (*change)(AppParams&);
    } cases[] = {
        {"empty file", "", [](AppParams&) {}},
        {"NoProxy empty", "[Connection]\nNoProxy=\n", [](AppParams&) {}},
        {"NoProxy 1", "[Connection]\nNoProxy=1\n", [](AppParams&) {}},
        {"NoProxy 0", "[Connection]\nNoProxy=0\n", [](AppParams& p) { p.noProxy = false; }},
        {"NoProxy yes", "[Connection]\nNoProxy=yes\n", [](AppParams& p) { p.noProxy = false; }},
        {"Translator is never read", "[General]\nTranslator=5\n", [](AppParams&) {}},
        {"Direction 7", "[General]\nDirection=7\n", [](AppParams& p) { p.direction = 7; }},
        {"Direction 0x1", "[General]\nDirection=0x1\n", [](AppParams& p) { p.direction = 1; }},
        {"Direction abc", "[General]\nDirection=abc\n", [](AppParams&) {}},
        {"AutoPaste -1, AutoCopy true", "[General]\nAutoPaste=-1\nAutoCopy=true\n",
            [](AppParams& p) { p.autoPaste = true; }},
        {"AutoDirection 0", "[General]\nAutoDirection=0\n",
            [](AppParams& p) { p.autoDirection = false; }},
        {"AutoDirection empty keeps it on", "[General]\nAutoDirection=\n", [](AppParams&) {}},
        {"long value cut", "[Connection]\nAddress=" + std::string(40000, 'a') + "\n",
            [](AppParams& p) { p.address = std::string(32767, 'a'); }},
        {"history off, re-use off, 500 entries", "[History]\nEnabled=0\nReuse=0\nLimit=500\n",
            [](AppParams& p) {
                p.historyEnabled = false;
                p.historyReuse = false;
                p.historyLimit = 500;
            }},
        {"history keys empty, a word, no positive number",
            "[History]\nEnabled=\nReuse=yes\nLimit=-3\n",
            [](AppParams& p) { p.historyReuse = false; }},
        {"exact export, no pre-connection",
            "[History]\nExportExact=1\n[Connection]\nPreconnect=0\n",
            [](AppParams& p) {
                p.historyExportExact = true;
                p.preconnect = false;
            }},
        {"every key, names in other letter case",
            "[general]\nautocopy=0x10\nDISPLAYLANGUAGE=English\n[CONNECTION]\nnoproxy=0\n"
            "address=proxy.local\nport=8080\nusername=ana\npassword=secret\n",
            [](AppParams& p) {
                p = {0, false, true, "English", false, "proxy.local", "8080", "ana", "secret"};
            }},
    };
    for (const auto& test : cases) {
        ScratchFolder::write(SettingsFileName, test.content);
        Params.autoPaste = true;
        loadSettings();
        AppParams expected = defaults();
        test.change(expected);
        EXPECT_EQ(Params, expected) << test.name;
    }
}

TEST_F(SettingsFile, LoadSettingsOpensTheFileOnceForAllItsValues)
{
    ScratchFolder::write(SettingsFileName, "[General]\nDirection=1\n[History]\nLimit=5\n");
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, SettingsFileName.c_str(), IN_OPEN), 0);
    const auto opens = [watch] {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t size = 0;
        while ((size = ::read(watch, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + size;
                 at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len) {
                ++count;
            }
        }
        return count;
    };
    loadSettings();
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(Params.historyLimit, 5);
    // Within a pass (the window's start-up), loading reads nothing more.
    {
        const IniReadPass pass(SettingsFileName);
        EXPECT_EQ(iniReadInteger(SettingsFileName, "General", "Direction"), 1);
        loadSettings();
        loadSettings();
        EXPECT_EQ(opens(), 1);
    }
    ::close(watch);
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsNamedWithTheReason)
{
    const std::string name = SettingsFileName;
    const struct
    {
        const char* reason;
        std::function<void()> make;
    } cases[] = {
        {"it is a folder", [&] { ::mkdir(name.c_str(), 0700); }},
        {"it is not a regular file", [&] { ::mkfifo(name.c_str(), 0600); }},
        {"Permission denied",
            [&] {
                ScratchFolder::write(name, "[General]\nAutoCopy=1\n");
                ::chmod(name.c_str(), 0);
            }},
    };
    for (const auto& c : cases) {
        c.make();
        if (::access(name.c_str(), F_OK) == 0 && !std::filesystem::is_regular_file(name)) {
            loadSettings();
        } else {
            // Root reads any file; an ordinary user may not read this one.
            ::chmod(m_folder.path().c_str(), 0755);
            UnprivilegedScope unprivileged;
            loadSettings();
        }
        EXPECT_EQ(settingsReadProblem(),
            "The settings file " + name + " cannot be read (" + c.reason + ").");
        EXPECT_EQ(Params, defaults()) << c.reason;
        ::rmdir(name.c_str());
        ::unlink(name.c_str());
    }
    loadSettings();
    EXPECT_EQ(settingsReadProblem(), "");
}

// Rewriting and syncing a large file takes long: a direction click hands the write over.
TEST_F(SettingsFile, StoringTheDirectionNeverWaitsForTheFile)
{
    ScratchFolder::write(SettingsFileName, "[General]\nDirection=0\n");
    // Another writer holds the file's lock; the write waits for it, the caller does not.
    const int lock = ::open((SettingsFileName + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    std::atomic<bool> released {false};
    std::thread holder([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        released = true;
        ::flock(lock, LOCK_UN);
    });
    storeDirection(1);
    storeDirection(0);
    storeDirection(1);
    EXPECT_FALSE(released) << "the caller waited for the lock";
    DeferredWrites::flush();
    holder.join();
    ::close(lock);
    EXPECT_EQ(ScratchFolder::read(SettingsFileName), "[General]\nDirection=1\n");
    loadSettings();
    EXPECT_EQ(Params.direction, 1);
}

TEST_F(SettingsFile, NoFileGivesDefaultsAndWritesNothing)
{
    Params.autoCopy = true;
    loadSettings();
    EXPECT_EQ(Params, defaults());
    EXPECT_EQ(m_folder.entryCount(), 0u);
}

TEST_F(SettingsFile, ReadOnlyFolderReadsAndTheFirstWriteFailsLeavingTheFile)
{
    const std::string content = "[General]\nDirection=1\nAutoCopy=1\n";
    ScratchFolder::write(SettingsFileName, content);
    ::chmod(SettingsFileName.c_str(), 0666);
    ::chmod(m_folder.path().c_str(), 0555);
    UnprivilegedScope unprivileged;

    loadSettings();
    EXPECT_EQ(Params.direction, 1);
    EXPECT_TRUE(Params.autoCopy);
    try {
        iniWriteInteger(SettingsFileName, "General", "Direction", 0);
        FAIL() << "the write succeeded";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "Unable to write to " + SettingsFileName);
    }
    EXPECT_EQ(ScratchFolder::read(SettingsFileName), content);
}

} // namespace
