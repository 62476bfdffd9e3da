// The event filter of romanised typing.
#include "RomanTypingFilter.h"

#include "Exception.h"
#include "M17nEngine.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCharFormat>

namespace {

QString fromUtf16(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

// The m17n name of a key the tables may use; empty for keys that only move or edit.
std::string keyName(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "Return";
    case Qt::Key_Backspace:
        return "BackSpace";
    default:
        break;
    }
    const QString text = key.text();
    if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F) {
        return std::string(1, static_cast<char>(text[0].unicode()));
    }
    return {};
}

// Shift and the like arrive as keys of their own on the way to a capital letter.
bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

bool withCommandModifier(const QKeyEvent& key)
{
    return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

} // namespace

RomanTypingFilter::RomanTypingFilter(QAbstractScrollArea* edit)
    : QObject(edit)
    , m_edit(edit)
    , m_table("mr-itrans")
{
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
}

RomanTypingFilter::~RomanTypingFilter() = default;

void RomanTypingFilter::setTable(const std::string& table)
{
    if (table == m_table) {
        return;
    }
    commit();
    m_table = table;
    m_engine.reset();
    if (m_enabled) {
        m_enabled = false;
        setEnabled(true);
    }
}

bool RomanTypingFilter::setEnabled(bool enabled)
{
    if (!enabled) {
        commit();
        m_enabled = false;
        return true;
    }
    if (!m_engine) {
        try {
            m_engine = M17nEngine::open(m_table);
            m_error.clear();
        } catch (const FeatureUnavailable& unavailable) {
            m_error = QString::fromStdString(unavailable.message());
        }
    }
    m_enabled = m_engine != nullptr;
    return m_enabled;
}

QString RomanTypingFilter::composition() const
{
    return m_engine ? m_word + fromUtf16(m_engine->preedit()) : m_word;
}

void RomanTypingFilter::commit()
{
    QString word = m_word;
    m_word.clear();
    if (m_engine) {
        word += fromUtf16(m_engine->flush());
    }
    if (!word.isEmpty()) {
        send(word);
    }
}

bool RomanTypingFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_enabled || m_sending) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return watched == m_edit && keyPress(static_cast<const QKeyEvent&>(*event));
    case QEvent::ShortcutOverride:
        // A shortcut is about to act on the text: it must find the word in it.
        if (withCommandModifier(static_cast<const QKeyEvent&>(*event))
            && !isModifierKey(static_cast<const QKeyEvent&>(*event).key())) {
            commit();
        }
        return false;
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
        commit();
        return false;
    default:
        return false;
    }
}

bool RomanTypingFilter::keyPress(const QKeyEvent& key)
{
    if (isModifierKey(key.key())) {
        return false;
    }
    const std::string name = withCommandModifier(key) ? std::string() : keyName(key);
    if (name.empty()) {
        commit();
        return false;
    }
    if (m_engine->preedit().empty() && m_word.isEmpty()
        && (name == "BackSpace" || name == "Return")) {
        // Nothing is being composed: the key edits the text.
        return false;
    }
    const M17nEngine::Outcome outcome = m_engine->press(name);
    m_word += fromUtf16(outcome.committed);
    if (name == "Return") {
        // Enter ends the word and goes no further.
        commit();
        return true;
    }
    if (name == "BackSpace" && !outcome.consumed) {
        // The table has nothing left to take back: the word waiting in place loses its last
        // character.
        m_word.chop(1);
        send({});
        return true;
    }
    if (outcome.consumed) {
        send({});
        return true;
    }
    // The table does not use the key (space, punctuation): the word ends, and the key's own
    // character goes in with it, in the same edit.
    QString word = m_word + key.text();
    m_word.clear();
    send(word);
    return true;
}

void RomanTypingFilter::send(const QString& commitText)
{
    const QString shown = composition();
    QList<QInputMethodEvent::Attribute> attributes;
    if (!shown.isEmpty()) {
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        attributes << QInputMethodEvent::Attribute(
            QInputMethodEvent::TextFormat, 0, static_cast<int>(shown.size()), underline);
    }
    const int cursor = static_cast<int>(m_word.size()) + (m_engine ? m_engine->cursor() : 0);
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, cursor, 1, QVariant());
    QInputMethodEvent event(shown, attributes);
    event.setCommitString(commitText);
    m_sending = true;
    QCoreApplication::sendEvent(m_edit, &event);
    m_sending = false;
}
