// A history file the program cannot use as it is: the program goes on, nothing is lost, and the
// user is told what happened.
#include "../ini/UnprivilegedScope.h"
#include "HistoryFixture.h"

#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

std::string filledWith(std::size_t size, char byte)
{
    return std::string(size, byte);
}

} // namespace

using HistoryFailureTest = HistoryFixture;

TEST_F(HistoryFailureTest, DamagedFileIsRenamedAsideAndANewOneStarted)
{
    const struct
    {
        const char* name;
        // Turns a healthy file's bytes into damaged ones.
        std::string (*damage)(const std::string& healthy);
    } cases[] = {
        {"text file", [](const std::string&) { return std::string(5000, 'x') + "\n"; }},
        {"schema page overwritten",
            [](const std::string& healthy) {
                return healthy.substr(0, 100) + filledWith(4096 - 100, '\xFF')
                    + healthy.substr(4096);
            }},
        {"every page after the first overwritten",
            [](const std::string& healthy) {
                return healthy.substr(0, 4096) + filledWith(healthy.size() - 4096, '\x5A');
            }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(m_folder.file("data"));
        {
            HistoryStore store(m_path);
            for (int i = 0; i < 50; ++i) {
                store.record(u"entry " + std::u16string(1, char16_t(u'a' + i % 26)) + u" "
                        + std::u16string(200, u'क'),
                    u"नोंद", "en", "mr");
            }
        }
        const std::string damaged = c.damage(ScratchFolder::read(m_path));
        ScratchFolder::write(m_path, damaged);

        HistoryStore store(m_path);
        store.list(u"entry");
        const auto notices = store.takeNotices();
        ASSERT_EQ(notices.size(), 1u);
        const std::string prefix = "The history file " + m_path + " is damaged. It was renamed to ";
        ASSERT_EQ(notices[0].rfind(prefix, 0), 0u) << notices[0];
        const std::string aside = notices[0].substr(prefix.size(),
            notices[0].size() - prefix.size() - std::strlen(" and a new history was started."));
        EXPECT_EQ(aside.rfind(m_path + ".damaged-", 0), 0u) << aside;
        EXPECT_EQ(ScratchFolder::read(aside), damaged);
        EXPECT_EQ(
            notices[0].substr(prefix.size() + aside.size()), " and a new history was started.");

        EXPECT_EQ(store.state(), HistoryStore::State::Ready);
        EXPECT_EQ(store.count(), 0u);
        store.record(u"fresh", u"नवीन", "en", "mr");
        EXPECT_TRUE(store.find(u"fresh", "en", "mr"));
    }
}

TEST_F(HistoryFailureTest, FileOfANewerLayoutIsLeftAlone)
{
    {
        HistoryStore store(m_path);
        store.record(u"kept", u"ठेवले", "en", "mr");
    }
    runSql(m_path, "PRAGMA user_version = 99");
    const std::string before = ScratchFolder::read(m_path);

    HistoryStore store(m_path);
    EXPECT_EQ(store.state(), HistoryStore::State::Off);
    EXPECT_EQ(store.takeNotices(),
        std::vector<std::string> {"The history file " + m_path
            + " was written by a newer version of Quendra. History is off."});
    store.record(u"new", u"नवीन", "en", "mr");
    store.clear();
    EXPECT_FALSE(store.find(u"kept", "en", "mr"));
    EXPECT_TRUE(store.list().empty());
    EXPECT_EQ(ScratchFolder::read(m_path), before);
}

// Files that are not the history's own are never opened, changed or adopted: a link (to another
// file, to another program's database, to nothing), a FIFO, and another program's database itself.
TEST_F(HistoryFailureTest, LinksOtherFilesAndOtherProgramsDatabasesAreLeftAlone)
{
    const std::string other = m_folder.file("other.sqlite3");
    const std::string linkNotice
        = "The history file " + m_path + " is a link or not a regular file. History is off.";
    const std::string foreignNotice = "The history file " + m_path
        + " holds the data of another program. It is left as it is. History is off.";
    const auto otherDatabase = [&](const std::string& path) {
        runSql(path, "CREATE TABLE contacts (name TEXT); INSERT INTO contacts VALUES ('Asha');");
        ::chmod(path.c_str(), 0644);
    };
    const struct
    {
        const char* name;
        std::function<void()> prepare;
        std::string notice;
        const std::string& untouched; // a file whose bytes and mode must stay as they were
    } cases[] = {
        {"link to a text file",
            [&] {
                ScratchFolder::write(other, "notes of the user");
                ::chmod(other.c_str(), 0644);
                std::filesystem::create_symlink(other, m_path);
            },
            linkNotice, other},
        {"link to another program's database",
            [&] {
                otherDatabase(other);
                std::filesystem::create_symlink(other, m_path);
            },
            linkNotice, other},
        {"link to nothing", [&] { std::filesystem::create_symlink(other, m_path); }, linkNotice,
            other},
        {"FIFO", [&] { ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0); }, linkNotice, other},
        {"another program's database", [&] { otherDatabase(m_path); }, foreignNotice, m_path},
        {"our tables beside another program's",
            [&] {
                {
                    HistoryStore store(m_path);
                }
                runSql(m_path, "CREATE TABLE contacts (name TEXT);");
                ::chmod(m_path.c_str(), 0644);
            },
            foreignNotice, m_path},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(m_folder.file("data"));
        std::filesystem::remove(other);
        std::filesystem::create_directories(m_folder.file("data/quendra"));
        c.prepare();
        const std::string before = ScratchFolder::read(c.untouched);
        struct stat info
        { };
        const bool existed = ::stat(c.untouched.c_str(), &info) == 0;

        HistoryStore store(m_path);
        EXPECT_EQ(store.state(), HistoryStore::State::Off);
        EXPECT_EQ(store.takeNotices(), std::vector<std::string> {c.notice});
        store.record(u"new", u"नवीन", "en", "mr");
        EXPECT_FALSE(store.trimStep());

        EXPECT_EQ(ScratchFolder::read(c.untouched), before);
        struct stat after
        { };
        EXPECT_EQ(::stat(c.untouched.c_str(), &after) == 0, existed);
        if (existed) {
            EXPECT_EQ(after.st_mode & 0777, info.st_mode & 0777);
        }
        EXPECT_FALSE(std::filesystem::exists(c.untouched + "-wal"));
    }
}

TEST_F(HistoryFailureTest, ReadOnlyFileIsReadButNeverWritten)
{
    // A folder everyone may write, so the unprivileged user below reaches the file.
    const std::string folder = m_folder.file("shared");
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 0777);
    const std::string path = folder + "/history.sqlite3";
    {
        HistoryStore store(path);
        store.record(u"kept", u"ठेवले", "en", "mr");
    }
    ::chmod(path.c_str(), 0444);
    const std::string before = ScratchFolder::read(path);
    {
        UnprivilegedScope unprivileged;
        HistoryStore store(path);
        EXPECT_EQ(store.state(), HistoryStore::State::ReadOnly);
        EXPECT_EQ(store.takeNotices(),
            std::vector<std::string> {"The history file " + path
                + " cannot be written. New translations are not recorded."});
        ASSERT_TRUE(store.find(u"kept", "en", "mr"));
        EXPECT_EQ(store.list(u"ठेव").size(), 1u);
        store.record(u"new", u"नवीन", "en", "mr");
        store.remove(store.find(u"kept", "en", "mr")->id);
        store.clear();
        EXPECT_EQ(store.count(), 1u);
        EXPECT_TRUE(store.takeNotices().empty());
    }
    EXPECT_EQ(ScratchFolder::read(path), before);
}

TEST_F(HistoryFailureTest, FileHeldByAnotherProgramPausesHistoryAfterWaiting)
{
    {
        HistoryStore store(m_path);
        store.record(u"kept", u"ठेवले", "en", "mr");
    }
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    HistoryStore store(m_path, {.busyTimeoutMs = 50});
    EXPECT_EQ(store.state(), HistoryStore::State::Ready);
    store.record(u"new", u"नवीन", "en", "mr");
    EXPECT_EQ(store.state(), HistoryStore::State::Paused);
    EXPECT_EQ(store.takeNotices(),
        std::vector<std::string> {
            "The history file " + m_path + " is in use by another program. History is paused."});
    // Reading goes on while the other program writes.
    EXPECT_TRUE(store.find(u"kept", "en", "mr"));

    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    store.record(u"later", u"नंतर", "en", "mr");
    EXPECT_FALSE(store.find(u"later", "en", "mr"));
    EXPECT_FALSE(store.find(u"new", "en", "mr"));
    EXPECT_TRUE(store.takeNotices().empty());
}

TEST_F(HistoryFailureTest, UnreachableFolderTurnsHistoryOff)
{
    ScratchFolder::write(m_folder.file("data"), "a file where the folder should be");
    HistoryStore store(m_path);
    EXPECT_EQ(store.state(), HistoryStore::State::Off);
    const auto notices = store.takeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].rfind("The history file " + m_path + " cannot be used: ", 0), 0u)
        << notices[0];
    store.record(u"new", u"नवीन", "en", "mr");
    EXPECT_TRUE(store.list().empty());
}
