// The Help menu.
#include "HelpMenu.h"

#include "ErrorReport.h"
#include "HistoryCommands.h"
#include "MainShortcuts.h"
#include "PrintCommands.h"
#include "ReadableColour.h"
#include "WebLinks.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

HelpMenu::HelpMenu(QWidget* window, MainShortcuts& shortcuts, PrintCommands& print,
    HistoryCommands& history, const Commands& commands)
    : m_menu(new QMenu(window))
{
    m_menu->setObjectName("pmHelp");
    const auto addItem = [this](const char* name, const QString& text, const char* icon,
                             std::function<void()> command) {
        QAction* action = m_menu->addAction(text);
        action->setObjectName(name);
        if (icon) {
            action->setProperty("glyph", QLatin1String(icon));
            action->setIcon(
                readableGlyph(QLatin1String(icon), m_menu->palette().color(QPalette::Window)));
        }
        if (command) {
            QObject::connect(action, &QAction::triggered, m_menu, guarded(std::move(command)));
        }
        return action;
    };
    addItem("miOptions", QStringLiteral("Options"), "options", commands.options);
    addItem("miScreenText", QStringLiteral("Text from screen area…"), nullptr, commands.screenText);
    addItem("miPrint", QStringLiteral("Print..."), "print", [&print] { print.printWithDialog(); });
    addItem("miPrintPreview", QStringLiteral("Print preview..."), nullptr,
        [&print] { print.preview(); });
    history.addActions(m_menu, commands.translateAgain);
    m_menu->addSeparator();
    addItem(
        "miTry", QStringLiteral("Try Brennor Translator Pro"), "about", &WebLinks::openProductPage);
    m_menu->addSeparator();
    addItem("miWebSite", QStringLiteral("Visit Home"), "web", &WebLinks::openHomePage);
    addItem("miContactUs", QStringLiteral("Contact Us"), "contact", &WebLinks::openContactMail);
    m_menu->addSeparator();
    QAction* keys = addItem("miKeys", QStringLiteral("Keyboard shortcuts"), nullptr, {});
    QObject::connect(keys, &QAction::triggered, m_menu,
        [&shortcuts, keys] { runCommand([&] { shortcuts.showList(keys->text()); }); });
    addItem("miAbout", QStringLiteral("About"), "about", commands.about);
    m_menu->addSeparator();
    QAction* quit = addItem("miQuit", QStringLiteral("Quit"), nullptr, {});
    QObject::connect(quit, &QAction::triggered, window, &QWidget::close);
}

QAction* HelpMenu::item(const char* name) const
{
    return m_menu->findChild<QAction*>(QLatin1String(name));
}

void HelpMenu::popupBelow(const QWidget* control) const
{
    const QPoint corner = control->mapToGlobal(QPoint(0, control->height()));
    m_menu->popup(QPoint(corner.x(), corner.y() + 2));
}
