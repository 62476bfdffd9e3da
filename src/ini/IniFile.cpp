// The INI file layer: a small line scanner shared by reads and writes, and an atomic rewrite of the
// whole file for each write so a crash or a full disk never leaves a half-written settings file.
#include "IniFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool isQuoted(std::string_view text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// One line of the file: [begin, end) is its text without the line feed (a CR stays in it),
// next is where the following line starts.
struct LineSpan
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

enum class LineKind
{
    Other,
    Section,
    Key
};

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

// "[name]" opens a section, "key=value" is a value, a line starting with ";" is a comment, and
// anything else (garbage, stray bytes) is kept in the file but means nothing.
ParsedLine parseLine(std::string_view line)
{
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == ';') {
        return {};
    }
    if (text.front() == '[') {
        const std::string_view rest = text.substr(1);
        return {LineKind::Section, trim(rest.substr(0, rest.find(']'))), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view name = trim(text.substr(0, equals));
    if (name.empty()) {
        return {};
    }
    std::string_view value = trim(text.substr(equals + 1));
    if (isQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return {LineKind::Key, name, value};
}

// Where a key lives. Only the first section of a name counts and, inside it, only the first line
// of a key: later duplicates are never read and never written.
struct Location
{
    std::optional<LineSpan> keyLine;
    std::string_view value;
    // The last non-blank line of the section (its header when it holds nothing), where a new key
    // goes.
    std::optional<LineSpan> sectionEnd;
};

Location locate(std::string_view content, std::string_view section, std::string_view key)
{
    Location found;
    bool inSection = false;
    // Editors may start a UTF-8 file with a byte order mark; it is no part of the first line.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    const std::size_t start = content.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    for (std::size_t begin = start; begin < content.size();) {
        const std::size_t feed = content.find('\n', begin);
        const std::size_t end = feed == std::string_view::npos ? content.size() : feed;
        const LineSpan span {begin, end, feed == std::string_view::npos ? end : feed + 1};
        begin = span.next;

        const std::string_view line = content.substr(span.begin, span.end - span.begin);
        const ParsedLine parsed = parseLine(line);
        if (parsed.kind == LineKind::Section) {
            if (found.sectionEnd) {
                break;
            }
            inSection = equalsIgnoringCase(parsed.name, section);
        }
        if (!inSection) {
            continue;
        }
        if (!trim(line).empty()) {
            found.sectionEnd = span;
        }
        if (parsed.kind == LineKind::Key && equalsIgnoringCase(parsed.name, key)) {
            found.keyLine = span;
            found.value = parsed.value;
            break;
        }
    }
    return found;
}

enum class FileState
{
    Missing,
    Unreadable,
    Read
};

// Reads the whole file. Anything but a regular file we may read (a directory, a device, a file
// without read permission) counts as unreadable.
FileState readFile(const std::string& path, std::string& content)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
    }
    struct stat info
    { };
    FileState state = FileState::Unreadable;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        content.clear();
        char buffer[65536];
        ssize_t count = 0;
        while ((count = ::read(fd, buffer, sizeof buffer)) > 0 || (count < 0 && errno == EINTR)) {
            if (count > 0) {
                content.append(buffer, static_cast<std::size_t>(count));
            }
        }
        state = count == 0 ? FileState::Read : FileState::Unreadable;
    } else {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return state;
}

// Bytes of one character at the start of text: a whole UTF-8 sequence, or a single byte that
// starts none (a file in an 8-bit code page).
std::size_t characterSize(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t size = lead >= 0xF0 && lead <= 0xF4 ? 4
        : lead >= 0xE0 && lead <= 0xEF                    ? 3
        : lead >= 0xC2 && lead <= 0xDF                    ? 2
                                                          : 1;
    if (size > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < size; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return size;
}

// The first maxCharacters characters of text.
std::string_view firstCharacters(std::string_view text, std::size_t maxCharacters)
{
    std::size_t end = 0;
    for (std::size_t count = 0; end < text.size() && count < maxCharacters; ++count) {
        end += characterSize(text.substr(end));
    }
    return text.substr(0, end);
}

// The value of key in section of content, cut to IniFile::MaxValueLength characters;
// defaultValue when there is no content or no such key.
std::string valueIn(const std::optional<std::string>& content, std::string_view section,
    std::string_view key, std::string_view defaultValue)
{
    std::string_view value = defaultValue;
    if (content) {
        const Location found = locate(*content, section, key);
        if (found.keyLine) {
            value = found.value;
        }
    }
    return std::string(firstCharacters(value, IniFile::MaxValueLength));
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A value with blanks at either end, or one that is itself in quotes, is written in quotes so it
// reads back exactly.
std::string formatValue(std::string_view value)
{
    if (!value.empty() && (isBlank(value.front()) || isBlank(value.back()) || isQuoted(value))) {
        return '"' + std::string(value) + '"';
    }
    return std::string(value);
}

// Writes a link's target rather than replacing the link with a plain file.
std::string resolveLink(const std::string& path)
{
    struct stat info
    { };
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) {
            return resolved;
        }
    }
    return path;
}

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t count = ::write(fd, data.data(), data.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// Temporary files are named after the file they replace plus this and six random characters, so
// the ones a killed write left behind can be recognised and removed.
constexpr std::string_view TemporaryMark = ".tmp-";
constexpr std::size_t TemporaryRandomLength = 6;

std::pair<std::string, std::string> splitFolder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Removes the temporary files of earlier writes to path. Only called under the write lock, so no
// write that is still running owns one of them.
void removeLeftoverTemporaries(const std::string& path)
{
    const auto [folder, name] = splitFolder(path);
    const std::string prefix = name + std::string(TemporaryMark);
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) {
        return;
    }
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view entryName(entry->d_name);
        if (entryName.size() == prefix.size() + TemporaryRandomLength
            && entryName.starts_with(prefix)) {
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
        }
    }
    ::closedir(directory);
}

// Holds an advisory lock on "<file>.lock" beside the file, so that writes of several running
// programs follow one another and each one reads what the one before it wrote.
class WriteLock
{
public:
    explicit WriteLock(const std::string& path)
    {
        const std::string lockFile = path + ".lock";
        m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0 && errno == EACCES) {
            // Another user's lock file still serves to lock; without one, the folder refused it.
            m_fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
            if (m_fd < 0) {
                errno = EACCES;
            }
        }
        if (m_fd < 0) {
            return;
        }
        int result = 0;
        while ((result = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) { }
        if (result != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

    ~WriteLock()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }

    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Replaces the file by a temporary file of the same folder: either the old or the new content is
// there, never a mix. The temporary file stays readable by its owner only (mkstemp's 0600) until
// it has become the file; only then does an existing file's mode come back.
bool replaceFile(const std::string& path, std::string_view content, std::optional<mode_t> mode)
{
    std::string temporary = path + std::string(TemporaryMark) + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    } else if (mode && *mode != 0600) {
        // The content is in place; a mode that could not be restored leaves it private.
        [[maybe_unused]] const int restored = ::fchmod(fd, *mode);
    }
    ::close(fd);
    return ok;
}

} // namespace

IniFile::IniFile(std::string path)
    : m_path(std::move(path))
{ }

std::string IniFile::readString(
    std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    if (!m_holding) {
        return valueIn(readContent(), section, key, defaultValue);
    }
    if (!m_held) {
        m_held = readContent();
    }
    return valueIn(*m_held, section, key, defaultValue);
}

// The file's content, or nothing when it is missing or unreadable.
std::optional<std::string> IniFile::readContent() const
{
    std::string content;
    const FileState state = readFile(m_path, content);
    m_lastReadError = state == FileState::Unreadable ? (errno != 0 ? errno : EIO) : 0;
    if (state != FileState::Read) {
        return std::nullopt;
    }
    return content;
}

void IniFile::holdContent()
{
    m_holding = true;
}

void IniFile::releaseContent()
{
    m_holding = false;
    m_held.reset();
}

bool IniFile::fitsOnALine(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string_view name = trim(key);
    return !trim(section).empty() && !name.empty() && !hasLineBreak(section) && !hasLineBreak(key)
        && !hasLineBreak(value) && section.find(']') == std::string_view::npos
        && key.find('=') == std::string_view::npos && name.front() != '[' && name.front() != ';';
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    // Names and values that would break the line structure could plant other keys in the file.
    if (!fitsOnALine(section, key, value)) {
        m_lastError = EINVAL;
        return false;
    }
    errno = 0;
    m_held.reset();
    const bool written = write(section, key, value);
    m_lastError = written ? 0 : (errno != 0 ? errno : EIO);
    return written;
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string target = resolveLink(m_path);
    // Everything from reading the file to replacing it happens under the lock, so a write of
    // another running copy of the program is never lost.
    const WriteLock lock(target);
    if (!lock.held()) {
        return false;
    }
    removeLeftoverTemporaries(target);
    std::string content;
    std::optional<mode_t> mode;
    switch (readFile(target, content)) {
    case FileState::Unreadable:
        // Rewriting a file we cannot read would lose everything else in it.
        return false;
    case FileState::Read: {
        // The new content replaces the file by a rename, which its own permissions would not
        // stop: a file we may not write stays as it is.
        struct stat info
        { };
        if (::stat(target.c_str(), &info) != 0
            || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            return false;
        }
        mode = info.st_mode & 07777;
        break;
    }
    case FileState::Missing:
        break;
    }

    const std::size_t firstFeed = content.find('\n');
    const bool crlf
        = firstFeed != std::string::npos && firstFeed > 0 && content[firstFeed - 1] == '\r';
    const std::string eol = crlf ? "\r\n" : "\n";
    const std::string line = std::string(key) + '=' + formatValue(value);

    const Location found = locate(content, section, key);
    if (found.keyLine) {
        // Keep the line's own terminator.
        std::size_t end = found.keyLine->end;
        if (end > found.keyLine->begin && content[end - 1] == '\r') {
            --end;
        }
        content.replace(found.keyLine->begin, end - found.keyLine->begin, line);
    } else if (found.sectionEnd) {
        const LineSpan after = *found.sectionEnd;
        const bool terminated = after.next > after.end;
        content.insert(after.next, terminated ? line + eol : eol + line + eol);
    } else {
        if (!content.empty() && content.back() != '\n') {
            content += eol;
        }
        content += '[' + std::string(section) + ']' + eol + line + eol;
    }
    return replaceFile(target, content, mode);
}
