// Actions and shortcuts of the history, and the one History window.
#include "HistoryCommands.h"

#include "ErrorReport.h"
#include "HistoryWindow.h"

#include <QAction>
#include <QMenu>

HistoryCommands::HistoryCommands(
    QWidget* window, TranslationHistory& history, EntryHandler showEntry)
    : m_window(window)
    , m_history(history)
    , m_showEntry(std::move(showEntry))
{ }

HistoryCommands::~HistoryCommands() = default;

void HistoryCommands::addActions(QMenu* menu, std::function<void()> translateAgain)
{
    const auto addAction = [this](const char* name, const QString& text, QKeySequence keys,
                               std::function<void()> command) {
        auto* action = new QAction(text, m_window);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this,
            [command = std::move(command)] { runCommand(command); });
        // On the window as well, so the shortcut works while the menu is closed.
        m_window->addAction(action);
        return action;
    };
    // One submenu keeps the list it joins as short as it was, plus one line.
    auto* historyMenu = new QMenu(QStringLiteral("History"), menu);
    historyMenu->setObjectName("pmHistory");
    historyMenu->menuAction()->setObjectName("miHistoryMenu");
    menu->addMenu(historyMenu);
    historyMenu->addAction(addAction("miHistory", QStringLiteral("History..."),
        QKeySequence(Qt::CTRL | Qt::Key_H), [this] { openWindow(); }));
    historyMenu->addAction(addAction("miTranslateAgain", QStringLiteral("Translate again"),
        QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_T), std::move(translateAgain)));
    historyMenu->addSeparator();
    historyMenu->addAction(addAction("miHistoryBack", QStringLiteral("Older translation"),
        QKeySequence(Qt::ALT | Qt::Key_Left), [this] { stepOlder(); }));
    historyMenu->addAction(addAction("miHistoryForward", QStringLiteral("Newer translation"),
        QKeySequence(Qt::ALT | Qt::Key_Right), [this] { stepNewer(); }));
}

void HistoryCommands::openWindow()
{
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(m_history, m_window);
        m_historyWindow->setWindowFlag(Qt::Window);
        connect(m_historyWindow, &HistoryWindow::entryOpened, this,
            [this](const HistoryEntry& entry) { runCommand([&] { m_showEntry(entry); }); });
    } else {
        m_historyWindow->refill();
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void HistoryCommands::stepOlder()
{
    if (const auto entry = m_history.stepOlder()) {
        m_showEntry(*entry);
    }
}

void HistoryCommands::stepNewer()
{
    if (const auto entry = m_history.stepNewer()) {
        m_showEntry(*entry);
    }
}
