// A temporary folder for one test, removed with everything in it afterwards. Other users may enter
// it, so a test can drop its privileges and still reach the files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quendra-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
        std::filesystem::permissions(m_path, std::filesystem::perms(0755));
    }

    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(
            m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }

    static void write(const std::string& fileName, const std::string& content)
    {
        std::ofstream(fileName, std::ios::binary) << content;
    }

    static std::string read(const std::string& fileName)
    {
        std::ifstream in(fileName, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    // How many entries the folder holds, to see that no stray temporary file was left behind. The
    // lock files that writes keep beside their file do not count.
    std::size_t entryCount() const
    {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            count += entry.path().extension() == ".lock" ? 0 : 1;
        }
        return count;
    }

private:
    std::filesystem::path m_path;
};
