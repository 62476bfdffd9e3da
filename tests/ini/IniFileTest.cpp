// IniFile: what reads find in files of every shape, what writes leave in the file, and failures.
#include "IniFile.h"

#include "ScratchFolder.h"
#include "UnprivilegedScope.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string repeated(const std::string& piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

struct ReadCase
{
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    std::string expected;
};

TEST(IniFileRead, FindsValuesInFilesOfEveryShape)
{
    using namespace std::string_literals;
    const std::string binary = "[General]\n\x01\xff\xfe garbage\0\nKey=after binary\n"s;
    const ReadCase cases[] = {
        {"plain", "[General]\nKey=value\n", "General", "Key", "value"},
        {"names in another letter case", "[General]\nAutoCopy=1\n", "general", "autocopy", "1"},
        {"missing section", "[General]\nKey=value\n", "Connection", "Key", "default"},
        {"missing key", "[General]\nKey=value\n", "General", "Other", "default"},
        {"key of another section", "[A]\nKey=a\n[B]\nOther=b\n", "B", "Key", "default"},
        {"key before any section", "Key=stray\n[General]\n", "General", "Key", "default"},
        {"blanks around names and value", "  [ General ]  \n\t Key \t=  value  \n", "General",
            "Key", "value"},
        {"empty value", "[General]\nKey=\n", "General", "Key", ""},
        {"quotes are taken off", "[General]\nKey=\"  spaced  \"\n", "General", "Key", "  spaced  "},
        {"only the first equals sign splits", "[General]\na=b=c\n", "General", "a", "b=c"},
        {"CR LF lines", "[General]\r\nKey=value\r\n", "General", "Key", "value"},
        {"no line feed at the end", "[General]\nKey=value", "General", "Key", "value"},
        {"comment lines mean nothing", "[General]\n;Key=commented\nKey=value\n", "General", "Key",
            "value"},
        {"garbage lines are skipped", "[General]\nno equals sign\n[unclosed\n=nameless\n",
            "unclosed", "Key", "default"},
        {"binary bytes", binary, "General", "Key", "after binary"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[General]\nKey=value\n", "General", "Key", "value"},
        {"first of two keys wins", "[General]\nKey=first\nKEY=second\n", "General", "Key", "first"},
        {"first of two sections wins", "[General]\nA=1\n[General]\nKey=second\n", "General", "Key",
            "default"},
        {"value cut to its first 32767 characters", "[G]\nKey=" + std::string(40000, 'v') + "\n",
            "G", "Key", std::string(32767, 'v')},
    };
    for (const ReadCase& test : cases) {
        ScratchFolder folder;
        ScratchFolder::write(folder.file("a.ini"), test.content);
        EXPECT_EQ(IniFile(folder.file("a.ini")).readString(test.section, test.key, "default"),
            test.expected)
            << test.name;
    }
}

// A cut never splits a character: a UTF-8 sequence counts as one, a byte that starts none (a file
// in an 8-bit code page) counts as one too.
TEST(IniFileRead, LongValuesAreCutBetweenCharacters)
{
    const std::string fill(IniFile::MaxValueLength - 1, 'x');
    const std::string ta = "\xe0\xa4\xa4", smile = "\xf0\x9f\x98\x80";
    const struct
    {
        std::string value;
        std::string expected;
    } cases[] = {
        {fill + ta + ta, fill + ta},
        {fill + smile + "y", fill + smile},
        {fill + "\xe9t\xe9", fill + "\xe9"},
        {fill + "\xe0\xa4" + ta, fill + "\xe0"}, // a sequence broken off counts byte by byte
        {repeated(ta, IniFile::MaxValueLength + 1), repeated(ta, IniFile::MaxValueLength)},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        ScratchFolder::write(folder.file("a.ini"), "[G]\nKey=" + c.value + "\n");
        EXPECT_TRUE(IniFile(folder.file("a.ini")).readString("G", "Key", "") == c.expected)
            << c.value.size();
    }
}

TEST(IniFileRead, MissingFileGivesTheDefaultAndIsNotCreated)
{
    ScratchFolder folder;
    const IniFile file(folder.file("missing.ini"));
    EXPECT_EQ(file.readString("General", "Key", "default"), "default");
    EXPECT_EQ(file.readString("General", "Key", std::string(40000, 'd')), std::string(32767, 'd'));
    EXPECT_EQ(folder.entryCount(), 0u);
}

TEST(IniFileRead, HeldContentIsReadOnceAndAgainAfterAWriteOrRelease)
{
    ScratchFolder folder;
    const std::string path = folder.file("a.ini");
    ScratchFolder::write(path, "[G]\nKey=first\n");
    IniFile file(path);
    file.holdContent();
    EXPECT_EQ(file.readString("G", "Key", ""), "first");
    // Another writer's change is not seen while the content is held...
    ScratchFolder::write(path, "[G]\nKey=second\n");
    EXPECT_EQ(file.readString("G", "Key", ""), "first");
    // ...but a write through the same object is, with the other writer's change kept.
    ASSERT_TRUE(file.writeString("G", "Other", "own"));
    EXPECT_EQ(file.readString("G", "Other", ""), "own");
    EXPECT_EQ(file.readString("G", "Key", ""), "second");
    // A file that goes missing stays as it was read until the content is let go.
    std::remove(path.c_str());
    EXPECT_EQ(file.readString("G", "Key", "default"), "second");
    file.releaseContent();
    EXPECT_EQ(file.readString("G", "Key", "default"), "default");
}

struct WriteCase
{
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

TEST(IniFileWrite, ChangesOnlyTheOneValue)
{
    const WriteCase cases[] = {
        {"new file", nullptr, "General", "Key", "1", "[General]\nKey=1\n"},
        {"replaced in place, comments and sections kept",
            "; settings\n[General]\nkey = old\nOther=x\n\n[Connection]\nKey=y\n", "GENERAL", "Key",
            "new", "; settings\n[General]\nKey=new\nOther=x\n\n[Connection]\nKey=y\n"},
        {"new key goes to the end of its section, before blank lines",
            "[General]\nA=1\n\n[Connection]\nB=2\n", "General", "Key", "v",
            "[General]\nA=1\nKey=v\n\n[Connection]\nB=2\n"},
        {"new key in an empty section at the end without line feed", "[A]\nX=1\n[General]",
            "General", "Key", "v", "[A]\nX=1\n[General]\nKey=v\n"},
        {"new section after a last line without line feed", "[A]\nX=1", "General", "Key", "v",
            "[A]\nX=1\n[General]\nKey=v\n"},
        {"CR LF file stays CR LF", "[General]\r\nA=1\r\n", "General", "Key", "v",
            "[General]\r\nA=1\r\nKey=v\r\n"},
        {"replacing keeps the CR", "[General]\r\nKey=old\r\n", "General", "Key", "v",
            "[General]\r\nKey=v\r\n"},
        {"first of duplicate keys and sections is the one replaced",
            "[G]\nKey=1\nKey=2\n[G]\nKey=3\n", "G", "Key", "v", "[G]\nKey=v\nKey=2\n[G]\nKey=3\n"},
        {"garbage lines kept", "[G]\n\x01\xff junk\nKey=1\n", "G", "Key", "2",
            "[G]\n\x01\xff junk\nKey=2\n"},
        {"byte order mark kept, its section found", "\xEF\xBB\xBF[G]\nA=1\n", "G", "Key", "v",
            "\xEF\xBB\xBF[G]\nA=1\nKey=v\n"},
    };
    for (const WriteCase& test : cases) {
        ScratchFolder folder;
        const std::string path = folder.file("a.ini");
        if (test.before) {
            ScratchFolder::write(path, test.before);
        }
        IniFile file(path);
        EXPECT_TRUE(file.writeString(test.section, test.key, test.value)) << test.name;
        EXPECT_EQ(ScratchFolder::read(path), test.after) << test.name;
        EXPECT_EQ(file.readString(test.section, test.key, "default"), test.value) << test.name;
        EXPECT_EQ(folder.entryCount(), 1u) << test.name;
    }
}

TEST(IniFileWrite, ValuesReadBackExactly)
{
    const std::string values[] = {"", " leading", "trailing\t", "\"quoted\"", "\"", "a=b;c[d]",
        "\xe0\xa4\xae\xe0\xa4\xb0", std::string(2047, 'x'),
        // The longest folder the system takes, and a long password of Devanagari letters.
        "/" + std::string(4094, 'd'), repeated("\xe0\xa4\xa4", 5000)};
    ScratchFolder folder;
    IniFile file(folder.file("a.ini"));
    for (const std::string& value : values) {
        ASSERT_TRUE(file.writeString("Connection", "Password", value));
        EXPECT_EQ(file.readString("Connection", "Password", "default"), value);
    }
}

TEST(IniFileWrite, RefusesWhatWouldBreakTheLineStructure)
{
    const struct
    {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"General", "Key", "a\nInjected=1"},
        {"General", "Key", "a\r"},
        {"Gen]eral", "Key", "v"},
        {"General", "K=ey", "v"},
        {"General", "", "v"},
        {"", "Key", "v"},
        {"General", "[Key", "v"},
    };
    ScratchFolder folder;
    const std::string path = folder.file("a.ini");
    ScratchFolder::write(path, "[General]\nKey=old\n");
    for (const auto& test : cases) {
        EXPECT_FALSE(IniFile(path).writeString(test.section, test.key, test.value)) << test.value;
    }
    EXPECT_EQ(ScratchFolder::read(path), "[General]\nKey=old\n");
}

mode_t modeOf(const std::string& path)
{
    struct stat info
    { };
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(IniFileWrite, NewFileIsPrivateAndAnExistingFileKeepsItsMode)
{
    ScratchFolder folder;
    const std::string fresh = folder.file("new.ini");
    ASSERT_TRUE(IniFile(fresh).writeString("G", "K", "v"));
    EXPECT_EQ(modeOf(fresh), 0600u);

    const std::string shared = folder.file("shared.ini");
    ScratchFolder::write(shared, "[G]\n");
    ::chmod(shared.c_str(), 0644);
    ASSERT_TRUE(IniFile(shared).writeString("G", "K", "v"));
    EXPECT_EQ(modeOf(shared), 0644u);
}

TEST(IniFileWrite, WritesThroughALinkToItsTarget)
{
    ScratchFolder folder;
    ScratchFolder::write(folder.file("real.ini"), "[G]\nK=1\n");
    std::filesystem::create_symlink("real.ini", folder.file("link.ini"));
    ASSERT_TRUE(IniFile(folder.file("link.ini")).writeString("G", "K", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.ini")));
    EXPECT_EQ(ScratchFolder::read(folder.file("real.ini")), "[G]\nK=2\n");
}

TEST(IniFileFailure, ReadOnlyFolderReadsButRefusesWritesAndLeavesTheFile)
{
    ScratchFolder folder;
    const std::string path = folder.file("a.ini");
    ScratchFolder::write(path, "[General]\nKey=old\n");
    ::chmod(path.c_str(), 0666);
    ::chmod(folder.path().c_str(), 0555);
    UnprivilegedScope unprivileged;
    IniFile file(path);
    EXPECT_EQ(file.readString("General", "Key", "default"), "old");
    EXPECT_FALSE(file.writeString("General", "Key", "new"));
    EXPECT_FALSE(IniFile(folder.file("missing.ini")).writeString("General", "Key", "new"));
    EXPECT_EQ(ScratchFolder::read(path), "[General]\nKey=old\n");
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(IniFileFailure, AFileWeMayNotWriteIsLeftAsItIs)
{
    // The folder is writable, so only the file's own permissions can stop the write.
    const struct
    {
        mode_t mode;
        const char* read;
    } cases[] = {{0, "default"}, {0444, "old"}};
    for (const auto& test : cases) {
        ScratchFolder folder;
        const std::string path = folder.file("a.ini");
        ScratchFolder::write(path, "[General]\nKey=old\n");
        ::chmod(path.c_str(), test.mode);
        ::chmod(folder.path().c_str(), 0777);
        {
            UnprivilegedScope unprivileged;
            IniFile file(path);
            EXPECT_EQ(file.readString("General", "Key", "default"), test.read) << test.mode;
            EXPECT_FALSE(file.writeString("General", "Key", "new")) << test.mode;
        }
        EXPECT_EQ(ScratchFolder::read(path), "[General]\nKey=old\n") << test.mode;
        EXPECT_EQ(modeOf(path), test.mode);
        EXPECT_EQ(folder.entryCount(), 1u) << test.mode;
    }
}

TEST(IniFileFailure, AFolderInPlaceOfTheFileGivesDefaultsAndRefusesWrites)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.file("a.ini"));
    IniFile file(folder.file("a.ini"));
    EXPECT_EQ(file.readString("General", "Key", "default"), "default");
    EXPECT_FALSE(file.writeString("General", "Key", "new"));
}

} // namespace
