// Reads and writes one INI file the way the program stores its settings and language texts:
// "[Section]" headers and "Key=Value" lines, names matched without regard to letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class IniFile
{
public:
    // Longest value a read returns, in characters; a longer value is cut after its last whole
    // character that fits, never inside one. Long enough for any folder (4,095 bytes at most)
    // and any password or token a proxy takes, so that reading and writing back a setting never
    // shortens it; short enough that a damaged file cannot hand a label megabytes of text.
    static constexpr std::size_t MaxValueLength = 32767;

    explicit IniFile(std::string path);

    const std::string& path() const { return m_path; }

    // The value of key in section, or defaultValue when the file, section or key is missing or the
    // file cannot be read. When a section or key occurs more than once, the first occurrence wins.
    // Blanks around the value and one pair of enclosing double quotes are taken off.
    std::string readString(
        std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // From now on the file is read once for all the reads that follow, until releaseContent(),
    // and afresh after a write through this object: for a pass of many reads that need not see
    // what others change meanwhile.
    void holdContent();
    void releaseContent();

    // Why the file could not be read at the last reading, as an errno value (EISDIR for a folder,
    // EINVAL for anything else that is no regular file); 0 when it was read or is missing.
    int lastReadError() const { return m_lastReadError; }

    // Whether section, key and value make one line that reads back as this one key: false for a
    // line break in any of them, an empty name, a "]" in the section name, or a key that holds
    // "=" or starts like a section or a comment.
    static bool fitsOnALine(std::string_view section, std::string_view key, std::string_view value);

    // Sets key in section to value, creating the file, section or key as needed and replacing an
    // existing value in place; every other line, comment and section stays as it was. The file is
    // replaced atomically (a temporary file "<name>.tmp-XXXXXX" in the same folder, readable by
    // its owner only, then a rename); a new file gets mode 0600. Writes hold an advisory lock on
    // "<name>.lock" from reading the file to replacing it, so concurrent writers of several
    // processes never lose one another's values, and they remove temporary files a killed write
    // left behind. A value with blanks at either end, or in quotes itself, is written in quotes so
    // it reads back exactly. Returns false when the file cannot be read or written, and for
    // arguments that do not fit on a line, which would change other keys.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    // Why the last write returned false, as an errno value (EINVAL for arguments that do not fit
    // on a line); 0 after a write that succeeded.
    int lastError() const { return m_lastError; }

private:
    std::optional<std::string> readContent() const;
    bool write(std::string_view section, std::string_view key, std::string_view value);

    std::string m_path;
    int m_lastError = 0;
    mutable int m_lastReadError = 0;
    bool m_holding = false;
    // The content read while holding: nothing yet, or the file's content (nothing when it is
    // missing or unreadable).
    mutable std::optional<std::optional<std::string>> m_held;
};
