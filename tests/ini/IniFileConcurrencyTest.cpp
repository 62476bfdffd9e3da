// IniFile writes of several processes at once, and what a killed write leaves behind.
#include "IniFile.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string keyName(char writer, int index)
{
    return std::string(1, writer) + std::to_string(index);
}

// Runs writes of its own keys in a child process; the exit status counts the failed writes.
pid_t startWriter(const std::string& path, char writer, int count)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int failures = 0;
        for (int i = 0; i < count; ++i) {
            failures += IniFile(path).writeString("General", keyName(writer, i), "v") ? 0 : 1;
        }
        ::_exit(failures > 0 ? 1 : 0);
    }
    return pid;
}

TEST(IniFileConcurrency, TwoProcessesWritingAtOnceLoseNoValue)
{
    constexpr int WritesEach = 500;
    ScratchFolder folder;
    const std::string path = folder.file("Lingvane.ini");
    ScratchFolder::write(path, "[General]\nDirection=1\n");

    std::vector<pid_t> writers;
    for (const char writer : {'A', 'B'}) {
        writers.push_back(startWriter(path, writer, WritesEach));
        ASSERT_GT(writers.back(), 0);
    }
    for (const pid_t pid : writers) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write failed";
    }

    const IniFile file(path);
    int lost = 0;
    for (const char writer : {'A', 'B'}) {
        for (int i = 0; i < WritesEach; ++i) {
            lost += file.readString("General", keyName(writer, i), "lost") == "v" ? 0 : 1;
        }
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(file.readString("General", "Direction", ""), "1");
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(IniFileConcurrency, TemporariesOfAKilledWriteGoAtTheNextWrite)
{
    ScratchFolder folder;
    const std::string path = folder.file("Lingvane.ini");
    ScratchFolder::write(path, "[Connection]\nPassword=old\n");
    // What a write killed before its rename leaves: a full private copy of the settings.
    const std::string leftovers[] = {"Lingvane.ini.tmp-a1B2c3", "Lingvane.ini.tmp-ZZZZZZ"};
    for (const std::string& name : leftovers) {
        ScratchFolder::write(folder.file(name), "[Connection]\nPassword=secret\n");
    }
    // Names outside the pattern belong to someone else.
    const std::string others[] = {"Lingvane.ini.tmp-abc", "Lingvane.ini.tmp-abcdefg",
        "Lingvane.ini.bak", "Other.ini.tmp-a1B2c3"};
    for (const std::string& name : others) {
        ScratchFolder::write(folder.file(name), "keep");
    }

    ASSERT_TRUE(IniFile(path).writeString("Connection", "Password", "new"));

    for (const std::string& name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(folder.file(name))) << name;
    }
    for (const std::string& name : others) {
        EXPECT_EQ(ScratchFolder::read(folder.file(name)), "keep") << name;
    }
    EXPECT_EQ(ScratchFolder::read(path), "[Connection]\nPassword=new\n");
}

TEST(IniFileConcurrency, TheLockFileIsPrivateAndStaysForTheNextWriter)
{
    ScratchFolder folder;
    const std::string path = folder.file("a.ini");
    ASSERT_TRUE(IniFile(path).writeString("G", "K", "1"));
    struct stat info
    { };
    ASSERT_EQ(::stat((path + ".lock").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    ASSERT_TRUE(IniFile(path).writeString("G", "K", "2"));
    EXPECT_EQ(ScratchFolder::read(path), "[G]\nK=2\n");
}

} // namespace
