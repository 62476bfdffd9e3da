// The main window's keyboard: a shortcut for each main command, the key shown after the hint of
// the command's button and beside its menu item, Enter pressing the focused button, and the
// "Keyboard shortcuts" list of the Help menu.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>

class QAbstractButton;
class QAction;
class QWidget;

class MainShortcuts : public QObject
{
    Q_OBJECT

public:
    explicit MainShortcuts(QWidget* window);

    // A command its button carries out: the shortcut clicks the button (whatever the button then
    // does, Stop included), and the button's hint names the key.
    void addButton(
        QAbstractButton* button, const QKeySequence& keys, const QKeySequence& alternative = {});
    // A command of a menu item: the shortcut works while the menu is closed, and the item shows it.
    void addMenuItem(QAction* item, const QKeySequence& keys);
    // A command with neither: described by the hint of the button it stands nearest to.
    void addCommand(
        const QKeySequence& keys, QAbstractButton* describedBy, std::function<void()> command);

    // Opens the list of every shortcut of the window, each with its command's text in the
    // interface language.
    void showList(const QString& title);

    // Enter or Return on a focused push or tool button presses it, as Space does. True when the
    // key was taken.
    bool pressFocusedButton(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry
    {
        QKeySequence keys;
        // What the list shows as the command: a button's hint, a menu item's text.
        std::function<QString()> describe;
    };

    void bind(const QList<QKeySequence>& keys, std::function<void()> command);

    QWidget* m_window;
    QList<Entry> m_entries;
    QHash<const QObject*, QKeySequence> m_buttonKeys;
};
