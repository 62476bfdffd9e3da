// The texts of message boxes and of the one-line messages in the output pane, in the interface
// language. Failures keep their English texts (callers and tests compare them); just before one is
// shown, each of its lines is looked up in the table of known texts, where %1, %2, ... stand for
// the parts that vary (a file name, a number), and shown in the language in use with those parts
// in place. A line the table does not know is shown as it is.
//
// The table is a message translator's list on this data module, so the language files hold it in
// the section "MessageTexts", one key per message; a new message is one line in the table and one
// key in every language file.
#pragma once

#include "DataModule.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

class MsgLangRes;

class MessageTexts : public DataModule
{
    Q_OBJECT

public:
    static MessageTexts& instance();

    // The lines "name=English text" of every known message.
    static const QStringList& englishLines();
    // Adds the texts of a module that cannot know this table (one that must stay free of Qt);
    // lines already known are left as they are.
    void addKnownTexts(const QStringList& lines);

    // The text in the interface language.
    QString translate(const QString& text) const;

    // An English text with its placeholders as groups; group i holds the part %<number i> stands
    // for, in the order they occur.
    struct Pattern
    {
        QRegularExpression expression;
        QList<int> placeholders;
        // The text before the first placeholder (all of it when there is none).
        QString prefix;
    };

private:
    MessageTexts();
    static QStringList& knownLines();
    // Marks the translation out of date (new texts, another language); readTranslation reads it
    // anew when it is next needed.
    void retranslate();
    void readTranslation() const;
    QString translateLine(const QString& line) const;
    // The patterns of englishLines(), in the same order.
    const std::vector<Pattern>& patterns() const;

    MsgLangRes* m_langRes;
    mutable bool m_stale = true;
    mutable std::vector<Pattern> m_patterns;
};
