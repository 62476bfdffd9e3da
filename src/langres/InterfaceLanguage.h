// The interface language in use. Each language is one file "<Name>.ini" in the language folder;
// the user's choice (DisplayLanguage) names one, and without a choice the system locale picks
// (a Marathi locale gives Marathi), else English. Windows keep their texts in the language in use
// and translate again whenever changed() reports a new one.
#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

// The interface language file in use, named by InterfaceLanguage when a language becomes current;
// the Options dialog's language components start from it.
extern std::string CurrentLangFile;

class InterfaceLanguage : public QObject
{
    Q_OBJECT

public:
    // The language whose file holds every text exactly as the program is built with it; every
    // translation starts from it, so a key another file lacks shows in English.
    static const QString English;

    static InterfaceLanguage& instance();

    // "lang" in the program's data folder: beside the executable when it is there, else in the
    // installed data folder.
    QString folder() const;
    // Tests use their own folder; an empty one goes back to the program's.
    void setFolder(const QString& folder);

    // The languages whose files are in the folder: English first, the others sorted.
    QStringList available() const;
    // The language's name in its own words, as its file names it where the main window names the
    // languages ("मराठी"); the file's name when it does not.
    QString ownName(const QString& language) const;
    // The file of a language, named the way the language components take it: relative to the
    // executable's folder.
    QString langFileName(const QString& language) const;

    // The language a stored choice gives: the choice when its file exists, else the locale's
    // language when its file exists, else English.
    QString resolve(const QString& choice, const QLocale& locale = QLocale()) const;

    const QString& current() const { return m_current; }
    // Makes the language current and names its file in CurrentLangFile; emits changed() when
    // the language in use is another one.
    void setCurrent(const QString& language);

signals:
    void changed();

private:
    InterfaceLanguage();

    QString m_folder;
    QString m_current;
};
