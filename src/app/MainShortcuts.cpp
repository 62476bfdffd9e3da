// Shortcuts of the main window's commands.
#include "MainShortcuts.h"

#include "ErrorReport.h"
#include "MessageTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

QString keyText(const QKeySequence& keys)
{
    return keys.toString(QKeySequence::NativeText);
}

// A menu item's or button's text as a command's name: without its accelerator mark or dots.
QString commandName(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s*\\(&.\\)|&(?=[^&])")));
    if (text.endsWith(QLatin1String("..."))) {
        text.chop(3);
    }
    return text.trimmed();
}

} // namespace

MainShortcuts::MainShortcuts(QWidget* window)
    : QObject(window)
    , m_window(window)
{ }

void MainShortcuts::bind(const QList<QKeySequence>& keys, std::function<void()> command)
{
    auto* action = new QAction(m_window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(
        action, &QAction::triggered, this, [command = std::move(command)] { runCommand(command); });
    m_window->addAction(action);
}

void MainShortcuts::addButton(
    QAbstractButton* button, const QKeySequence& keys, const QKeySequence& alternative)
{
    QList<QKeySequence> bound = {keys};
    if (!alternative.isEmpty()) {
        bound.append(alternative);
    }
    bind(bound, [button] {
        if (button->isEnabled()) {
            button->click();
        }
    });
    m_buttonKeys.insert(button, keys);
    button->installEventFilter(this);
    m_entries.append({keys, [button] {
                          return button->text().isEmpty() ? button->toolTip()
                                                          : commandName(button->text());
                      }});
}

void MainShortcuts::addMenuItem(QAction* item, const QKeySequence& keys)
{
    item->setShortcut(keys);
    item->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(item);
    m_entries.append({keys, [item] { return commandName(item->text()); }});
}

void MainShortcuts::addCommand(
    const QKeySequence& keys, QAbstractButton* describedBy, std::function<void()> command)
{
    bind({keys}, std::move(command));
    m_entries.append({keys, [describedBy] { return describedBy->toolTip(); }});
}

bool MainShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    // The hint stays the language file's text; the key is added where it is shown.
    if (event->type() == QEvent::ToolTip) {
        auto* button = static_cast<QAbstractButton*>(watched);
        const QString hint = button->toolTip();
        if (!hint.isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                hint + QStringLiteral(" (") + keyText(m_buttonKeys.value(button)) + u')', button);
            return true;
        }
    }
    return false;
}

bool MainShortcuts::pressFocusedButton(int key, Qt::KeyboardModifiers modifiers)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter)
        || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    auto* button = qobject_cast<QAbstractButton*>(m_window->focusWidget());
    // Radio buttons and check boxes keep Enter for the window's default button.
    if (!button || qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button)
        || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}

void MainShortcuts::showList(const QString& title)
{
    QList<Entry> entries = m_entries;
    // The window's other commands with a key of their own (the history's, say).
    for (QAction* action : m_window->actions()) {
        const bool listed = std::any_of(entries.begin(), entries.end(),
            [action](const Entry& entry) { return entry.keys == action->shortcut(); });
        if (!action->shortcut().isEmpty() && !action->text().isEmpty() && !listed) {
            entries.append({action->shortcut(), [action] { return commandName(action->text()); }});
        }
    }
    auto* list = new QDialog(m_window);
    list->setObjectName("frmKeys");
    list->setWindowTitle(title);
    list->setAttribute(Qt::WA_DeleteOnClose);
    auto* table = new QTableWidget(static_cast<int>(entries.size()), 2, list);
    table->setObjectName("tblKeys");
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < entries.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(keyText(entries[row].keys)));
        table->setItem(row, 1, new QTableWidgetItem(entries[row].describe()));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, list);
    buttons->button(QDialogButtonBox::Close)
        ->setText(MessageTexts::instance().translate(QStringLiteral("Close")));
    connect(buttons, &QDialogButtonBox::rejected, list, &QDialog::reject);
    auto* layout = new QVBoxLayout(list);
    layout->addWidget(table);
    layout->addWidget(buttons);
    list->resize(420, 380);
    list->show();
}
