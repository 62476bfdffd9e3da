// An ordered list of header lines ("Name: value") with lookup by name, continuation lines joined
// on read and long lines folded on write.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class HeaderList
{
public:
    static constexpr int defaultFoldLength = 78;

    explicit HeaderList(int foldLength = defaultFoldLength);

    bool unfoldLines() const { return m_unfoldLines; }
    void setUnfoldLines(bool on) { m_unfoldLines = on; }
    bool foldLines() const { return m_foldLines; }
    void setFoldLines(bool on) { m_foldLines = on; }
    int foldLength() const { return m_foldLength; }
    void setFoldLength(int length) { m_foldLength = length; }

    int count() const { return static_cast<int>(m_lines.size()); }
    const std::string& line(int index) const { return m_lines.at(index); }
    const std::vector<std::string>& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

    // Adds a line exactly as given (a received line, or a prepared one).
    void addLine(std::string line);
    // Adds every line of another list unchanged.
    void addLines(const HeaderList& other);

    // The value of the first line of that name (letter case ignored), its continuation lines
    // joined with one space; empty when the name is absent.
    std::string value(std::string_view name) const;
    bool contains(std::string_view name) const;
    // The values of all lines of that name, in order.
    std::vector<std::string> values(std::string_view name) const;

    // Replaces the first line of that name in place, or appends one; an empty value deletes the
    // line with its continuation lines.
    void setValue(std::string_view name, std::string_view value);
    // Appends "name: value" even when the name is present; nothing when either is empty.
    void addValue(std::string_view name, std::string_view value);

private:
    int findLine(std::string_view name, int from = 0) const;
    int continuationEnd(int index) const;
    std::string readValue(int index) const;
    std::vector<std::string> composeLines(std::string_view name, std::string_view value) const;

    std::vector<std::string> m_lines;
    bool m_unfoldLines = true;
    bool m_foldLines = true;
    int m_foldLength;
};
