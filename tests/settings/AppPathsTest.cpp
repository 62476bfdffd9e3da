// Where the program finds its data and keeps the user's files, in temporary folders standing in
// for the executable's folder, the installed tree and the XDG folders.
#include "AppPaths.h"

#include "../ini/ScratchFolder.h"
#include "../ini/UnprivilegedScope.h"
#include "Exception.h"
#include "IniHelpers.h"
#include "IniWriteError.h"

#include <QDir>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Sets or unsets environment variables for one test and restores them afterwards.
class EnvironmentScope
{
public:
    void set(const char* name, const std::optional<std::string>& value)
    {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
    }

    ~EnvironmentScope()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            apply(it->first, it->second);
        }
    }

private:
    static void apply(const char* name, const std::optional<std::string>& value)
    {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

unsigned modeOf(const fs::path& path)
{
    struct stat info
    { };
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

QString q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// A program tree: <root>/bin holds the executable, <root>/share/quendra the installed data, and
// <root>/home the user's home. Everything is root's and closed to others unless a test opens it.
class AppPathsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(bin());
        fs::create_directories(home());
        fs::permissions(home(), fs::perms(0777));
        AppPaths::setExecutableFolderForTesting(q(bin()));
        m_environment.set("HOME", home().string());
        m_environment.set("XDG_CONFIG_HOME", std::nullopt);
        m_environment.set("XDG_DATA_HOME", std::nullopt);
    }

    void TearDown() override { AppPaths::setExecutableFolderForTesting({}); }

    fs::path bin() const { return m_root.path() / "bin"; }
    fs::path share() const { return m_root.path() / "share" / "quendra"; }
    fs::path home() const { return m_root.path() / "home"; }
    void install() { fs::create_directories(share()); }

    ScratchFolder m_root;
    EnvironmentScope m_environment;
};

TEST_F(AppPathsTest, DataFilesComeFromBesideTheExecutableThenTheInstalledFolder)
{
    const struct
    {
        const char* name;
        bool beside;
        bool installed;
        bool expectInstalled;
    } cases[] = {
        {"only beside", true, false, false},
        {"both: beside wins", true, true, false},
        {"only installed", false, true, true},
        // The caller's "not found" message then names the executable's folder.
        {"neither", false, false, false},
    };
    install();
    for (const auto& test : cases) {
        fs::remove(bin() / "English.ini");
        fs::remove(share() / "English.ini");
        if (test.beside) {
            ScratchFolder::write((bin() / "English.ini").string(), "x");
        }
        if (test.installed) {
            ScratchFolder::write((share() / "English.ini").string(), "x");
        }
        const fs::path expected = (test.expectInstalled ? share() : bin()) / "English.ini";
        EXPECT_EQ(AppPaths::dataFile("English.ini"), q(expected)) << test.name;
    }
}

TEST_F(AppPathsTest, SettingsStayBesideTheExecutableWhenItsFolderIsTheirs)
{
    const struct
    {
        const char* name;
        bool installed;
        bool fileBeside;
        bool asOrdinaryUser;
        bool expectBeside;
    } cases[] = {
        {"build folder, writable", false, false, false, true},
        {"build folder, not writable", false, false, true, false},
        {"not writable, file already there", false, true, true, true},
        // Even root never writes its settings into an installed program's bin folder.
        {"installed, writable", true, false, false, false},
        {"installed, file already there", true, true, false, true},
    };
    for (const auto& test : cases) {
        fs::remove_all(m_root.path() / "share");
        fs::remove(bin() / "Lingvane.ini");
        if (test.installed) {
            install();
        }
        if (test.fileBeside) {
            ScratchFolder::write((bin() / "Lingvane.ini").string(), "");
        }
        AppPaths::SettingsLocation location;
        {
            std::optional<UnprivilegedScope> user;
            if (test.asOrdinaryUser) {
                user.emplace();
            }
            location = AppPaths::settingsFile();
        }
        const fs::path expected
            = test.expectBeside ? bin() / "Lingvane.ini" : home() / ".config/quendra/Lingvane.ini";
        EXPECT_EQ(location.file, q(expected)) << test.name;
        EXPECT_TRUE(location.problem.isEmpty()) << test.name;
    }
}

TEST_F(AppPathsTest, SettingsOutsideTheProgramFollowXdgConfigHomeInAPrivateFolder)
{
    install();
    const struct
    {
        const char* name;
        std::optional<std::string> variable;
        fs::path expectedFolder;
    } cases[] = {
        {"unset", std::nullopt, home() / ".config/quendra"},
        {"empty", "", home() / ".config/quendra"},
        {"relative paths are ignored", "conf", home() / ".config/quendra"},
        {"absolute", (m_root.path() / "xdg/conf/").string(), m_root.path() / "xdg/conf/quendra"},
    };
    for (const auto& test : cases) {
        m_environment.set("XDG_CONFIG_HOME", test.variable);
        const AppPaths::SettingsLocation location = AppPaths::settingsFile();
        EXPECT_EQ(location.file, q(test.expectedFolder / "Lingvane.ini")) << test.name;
        EXPECT_EQ(modeOf(test.expectedFolder), 0700u) << test.name;
    }

    // The settings helpers then create the file for its owner alone: it holds the proxy password.
    const std::string file = AppPaths::settingsFile().file.toStdString();
    iniWriteInteger(file, "General", "Direction", 1);
    EXPECT_EQ(iniReadInteger(file, "General", "Direction"), 1);
    EXPECT_EQ(modeOf(file), 0600u);
}

TEST_F(AppPathsTest, AFolderThatCannotBeCreatedIsNamedAndTheProgramGoesOn)
{
    install();
    // Root's folder, closed to the ordinary user the test runs as.
    const fs::path readOnly = m_root.path() / "read-only";
    fs::create_directories(readOnly);
    fs::permissions(readOnly, fs::perms(0755));
    m_environment.set("XDG_CONFIG_HOME", readOnly.string());
    m_environment.set("XDG_DATA_HOME", (readOnly / "data").string());

    UnprivilegedScope user;
    const AppPaths::SettingsLocation location = AppPaths::settingsFile();
    EXPECT_EQ(location.file, q(readOnly / "quendra/Lingvane.ini"));
    EXPECT_EQ(location.problem, "Unable to create folder " + q(readOnly / "quendra"));
    // Reading gives the defaults; writing names the file.
    EXPECT_EQ(iniReadInteger(location.file.toStdString(), "General", "Direction"), 0);
    EXPECT_THROW(
        iniWriteInteger(location.file.toStdString(), "General", "Direction", 1), IniWriteError);

    try {
        AppPaths::userDataFolder();
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(
            error.message(), "Unable to create folder " + (readOnly / "data/quendra").string());
    }
}

TEST_F(AppPathsTest, TheUserDataFolderFollowsXdgDataHomeInAPrivateFolder)
{
    EXPECT_EQ(AppPaths::userDataFolder(), q(home() / ".local/share/quendra"));
    EXPECT_EQ(modeOf(home() / ".local/share/quendra"), 0700u);

    m_environment.set("XDG_DATA_HOME", (m_root.path() / "data").string());
    EXPECT_EQ(AppPaths::userDataFolder(), q(m_root.path() / "data/quendra"));
    EXPECT_EQ(modeOf(m_root.path() / "data/quendra"), 0700u);
    // Asking again finds the folder that is there.
    EXPECT_EQ(AppPaths::userDataFolder(), q(m_root.path() / "data/quendra"));
}

} // namespace
