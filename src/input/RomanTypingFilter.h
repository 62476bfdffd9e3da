// Romanised typing for a text edit: an event filter that hands the edit's keys to an m17n Marathi
// table and puts the Devanagari back through input method events. The word being composed shows
// underlined in place; space, Enter, a key the table does not use, a click or leaving the edit
// commits it as one edit, so one undo takes back one word. A system input method is left alone.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

class M17nEngine;
class QAbstractScrollArea;
class QKeyEvent;

class RomanTypingFilter : public QObject
{
    Q_OBJECT

public:
    // Installs itself on the edit and its viewport; starts switched off.
    explicit RomanTypingFilter(QAbstractScrollArea* edit);
    ~RomanTypingFilter() override;

    // The table used from the next switch-on, by its m17n name ("mr-itrans"). A word being
    // composed is committed first.
    void setTable(const std::string& table);
    const std::string& table() const { return m_table; }

    // Switching on opens the table; when that fails typing stays as it was, false is returned
    // and error() says what to install. Switching off commits the word being composed.
    bool setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    const QString& error() const { return m_error; }

    // The word being composed, shown but not yet part of the text.
    QString composition() const;
    // Puts the word being composed into the text.
    void commit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was used up here.
    bool keyPress(const QKeyEvent& key);
    // Sends the edit one input method event: text to commit, then the composition to show.
    void send(const QString& commitText);

    QAbstractScrollArea* m_edit;
    std::unique_ptr<M17nEngine> m_engine;
    std::string m_table;
    QString m_error;
    // Syllables the table has finished that wait, with the table's own composition, for the word
    // to end.
    QString m_word;
    bool m_enabled = false;
    bool m_sending = false;
};
