// A language file in a fresh temporary folder for each test, named to the components the way a
// form names its file: relative to the executable's directory.
#pragma once

#include "IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class LangFileFixture : public testing::Test
{
public:
    // What keyValue() gives for a key the file does not hold.
    static constexpr const char* Absent = "(absent)";

protected:
    // The name to give LangFileName so that the component uses filePath().
    QString langFileName() const
    {
        return QDir(QCoreApplication::applicationDirPath()).relativeFilePath(filePath());
    }
    QString filePath() const { return m_folder.filePath(QStringLiteral("Lang.ini")); }

    void writeFile(const QByteArray& content) const
    {
        QFile file(filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray fileContent() const
    {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool fileExists() const { return QFile::exists(filePath()); }

    // The value of a key, or Absent when the key is not in the file.
    std::string keyValue(const char* section, const QString& key) const
    {
        return IniFile(filePath().toStdString())
            .readString(section, key.toLocal8Bit().toStdString(), Absent);
    }

    // The key names of the file in the order they stand.
    QStringList keysInOrder() const
    {
        QStringList keys;
        static const QRegularExpression keyLine(
            QStringLiteral("^([^=\\[\\n][^=\\n]*)="), QRegularExpression::MultilineOption);
        auto matches = keyLine.globalMatch(QString::fromUtf8(fileContent()));
        while (matches.hasNext()) {
            keys.append(matches.next().captured(1).trimmed());
        }
        return keys;
    }

private:
    QTemporaryDir m_folder;
};
