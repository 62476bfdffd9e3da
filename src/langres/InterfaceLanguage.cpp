// Which interface language is in use and where its file lives.
#include "InterfaceLanguage.h"

#include "AppPaths.h"
#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString Extension = QStringLiteral(".ini");

QString programFolder()
{
    const QString beside = AppPaths::executableFolder() + QStringLiteral("/lang");
    if (QFileInfo(beside).isDir()) {
        return beside;
    }
    return AppPaths::installedDataFolder() + QStringLiteral("/lang");
}

} // namespace

std::string CurrentLangFile;

const QString InterfaceLanguage::English = QStringLiteral("English");

InterfaceLanguage& InterfaceLanguage::instance()
{
    static InterfaceLanguage language;
    return language;
}

InterfaceLanguage::InterfaceLanguage()
    : m_current(English)
{ }

QString InterfaceLanguage::folder() const
{
    return m_folder.isEmpty() ? programFolder() : m_folder;
}

void InterfaceLanguage::setFolder(const QString& folder)
{
    m_folder = folder;
}

QStringList InterfaceLanguage::available() const
{
    QStringList languages;
    // Picked by their ending rather than a name filter, which would compile a pattern at start-up.
    const QFileInfoList files
        = QDir(folder()).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        if (file.fileName().endsWith(Extension, Qt::CaseInsensitive)) {
            languages.append(file.completeBaseName());
        }
    }
    // English leads: it is where every translation starts.
    std::stable_partition(languages.begin(), languages.end(),
        [](const QString& language) { return language == English; });
    return languages;
}

QString InterfaceLanguage::ownName(const QString& language) const
{
    const IniFile file(QDir(folder()).filePath(language + Extension).toLocal8Bit().toStdString());
    const std::string name
        = file.readString("TfrmMain", (QStringLiteral("str") + language).toStdString(), "");
    return name.empty() ? language : QString::fromStdString(name);
}

QString InterfaceLanguage::langFileName(const QString& language) const
{
    return QDir(AppPaths::executableFolder())
        .relativeFilePath(QDir(folder()).filePath(language + Extension));
}

QString InterfaceLanguage::resolve(const QString& choice, const QLocale& locale) const
{
    const QStringList languages = available();
    if (!choice.isEmpty() && languages.contains(choice)) {
        return choice;
    }
    const QString localeLanguage = QLocale::languageToString(locale.language());
    if (languages.contains(localeLanguage)) {
        return localeLanguage;
    }
    return English;
}

void InterfaceLanguage::setCurrent(const QString& language)
{
    CurrentLangFile = langFileName(language).toLocal8Bit().toStdString();
    if (language != m_current) {
        m_current = language;
        emit changed();
    }
}
