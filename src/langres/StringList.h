// An ordered list of text lines that tells its holder about every change of its content. The
// language components own such lists and run a new pass whenever one of them is edited.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class StringList
{
public:
    using ChangeHandler = std::function<void()>;

    StringList() = default;
    explicit StringList(QStringList lines);
    StringList(const StringList&) = delete;
    StringList& operator=(const StringList&) = delete;

    // Called after each change; the handler may throw, and the error reaches the editor.
    void setChangeHandler(ChangeHandler handler);

    int count() const { return static_cast<int>(m_lines.size()); }
    const QString& at(int index) const { return m_lines.at(index); }
    const QStringList& lines() const { return m_lines; }
    // Exact comparison, letter case included.
    bool contains(const QString& line) const { return m_lines.contains(line); }

    void append(const QString& line);
    void insert(int index, const QString& line);
    void replace(int index, const QString& line);
    void removeAt(int index);
    void clear();
    // Copies the given lines in place of the current ones; one change.
    void assign(const QStringList& lines);

private:
    void changed();

    QStringList m_lines;
    ChangeHandler m_onChange;
};
