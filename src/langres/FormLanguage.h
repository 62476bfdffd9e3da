// Keeps one window's texts in the interface language. A form translator takes the texts its
// controls publish (Caption, Hint); a message translator holds the texts the window sets itself
// (named lines such as "strWait=Translation, please wait ...") and the texts of its named menu
// items ("<item name>_Caption"). Each translation reads the English file first and the file of the
// language in use after it, so a key that file lacks, or a file that cannot be read, leaves the
// English text in place and never an empty one.
//
// A window creates it last, once its controls and menus exist, and sets its own texts from text()
// in the handler it gives; adding a text to a window means adding its key to every language file.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class FormLangRes;
class MsgLangRes;
class QWidget;

class FormLanguage : public QObject
{
    Q_OBJECT

public:
    // ignoreControls: controls whose texts the window sets itself (from messages). The handler
    // runs after each translation, the first one included.
    FormLanguage(QWidget* form, const QStringList& ignoreControls, const QStringList& messages,
        std::function<void(const FormLanguage&)> onTranslated = {});

    // The named text in the language in use (the English text before any translation).
    QString text(const QString& name) const;

    // Translates the window again into the language in use.
    void translate();

private:
    QWidget* m_form;
    FormLangRes* m_formLangRes;
    MsgLangRes* m_msgLangRes;
    QStringList m_designMessages;
    std::function<void(const FormLanguage&)> m_onTranslated;
};
