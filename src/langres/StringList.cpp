// A text-line list that reports each change of its content.
#include "StringList.h"

#include <utility>

StringList::StringList(QStringList lines)
    : m_lines(std::move(lines))
{ }

void StringList::setChangeHandler(ChangeHandler handler)
{
    m_onChange = std::move(handler);
}

void StringList::append(const QString& line)
{
    m_lines.append(line);
    changed();
}

void StringList::insert(int index, const QString& line)
{
    m_lines.insert(index, line);
    changed();
}

void StringList::replace(int index, const QString& line)
{
    m_lines.replace(index, line);
    changed();
}

void StringList::removeAt(int index)
{
    m_lines.removeAt(index);
    changed();
}

void StringList::clear()
{
    m_lines.clear();
    changed();
}

void StringList::assign(const QStringList& lines)
{
    m_lines = lines;
    changed();
}

void StringList::changed()
{
    if (m_onChange) {
        m_onChange();
    }
}
