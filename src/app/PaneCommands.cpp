// The pane commands.
#include "PaneCommands.h"

#include "ErrorReport.h"
#include "Pane.h"
#include "PaneText.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

PaneCommands::PaneCommands(QWidget* window, Pane& input, Pane& output)
    : QObject(window)
    , m_input(input)
    , m_output(output)
{
    createMenu(window);
    for (Pane* pane : {&m_input, &m_output}) {
        connect(pane, &Pane::contextPopup, this, [this, pane](const QPoint& position) {
            runCommand([&] { popupMenu(*pane, position); });
        });
    }
}

void PaneCommands::connectButtons(QWidget* window)
{
    const auto onClick = [this, window](const char* name, void (PaneCommands::*command)(Pane&)) {
        auto* button = window->findChild<QAbstractButton*>(name);
        connect(button, &QAbstractButton::clicked, this, guarded([this, command, button] {
            (this->*command)(button->property("tag").toInt() != 0 ? m_output : m_input);
        }));
    };
    for (const char* name : {"btnClear", "btnClear2"}) {
        onClick(name, &PaneCommands::clear);
    }
    for (const char* name : {"btnCopy", "btnCopy2"}) {
        onClick(name, &PaneCommands::copy);
    }
    for (const char* name : {"btnPaste", "btnPaste2"}) {
        onClick(name, &PaneCommands::paste);
    }
    connect(window->findChild<QAbstractButton*>("btnSwap"), &QAbstractButton::clicked, this,
        guarded([this] { swap(); }));
}

void PaneCommands::createMenu(QWidget* window)
{
    m_menu = new QMenu(window);
    m_menu->setObjectName("pmTrans");
    const auto addItem
        = [this](const char* name, const QString& text, void (PaneCommands::*command)(Pane&)) {
              QAction* action = m_menu->addAction(text);
              action->setObjectName(name);
              connect(action, &QAction::triggered, this, [this, command] {
                  runCommand([&] { (this->*command)(m_menuPane ? *m_menuPane : m_input); });
              });
          };
    addItem("Cut1", QStringLiteral("Cut"), &PaneCommands::cut);
    addItem("Copy1", QStringLiteral("Copy"), &PaneCommands::copy);
    addItem("Paste1", QStringLiteral("Paste"), &PaneCommands::paste);
    m_menu->addSeparator();
    addItem("Clear1", QStringLiteral("Clear"), &PaneCommands::clear);
}

void PaneCommands::writeClipboard(const QString& text)
{
    m_lastClipboardText = text;
    m_clipboard.write(m_lastClipboardText);
}

void PaneCommands::copy(Pane& pane)
{
    writeClipboard(getPaneText(pane));
}

void PaneCommands::paste(Pane& pane)
{
    m_lastClipboardText = m_clipboard.read();
    if (&pane == &m_input) {
        setPaneText(m_input, m_lastClipboardText);
        m_lastSourceText = m_lastClipboardText;
    } else if (!m_lastClipboardText.isEmpty()) {
        setPaneText(m_output, m_lastClipboardText);
        m_lastTargetText = m_lastClipboardText;
    }
}

void PaneCommands::clear(Pane& pane)
{
    pane.clear();
    pane.format();
}

void PaneCommands::cut(Pane& pane)
{
    const QString text = getPaneText(pane);
    clear(pane);
    writeClipboard(text);
}

void PaneCommands::swap()
{
    const QString input = getPaneText(m_input);
    const QString output = getPaneText(m_output);
    setPaneText(m_output, input);
    setPaneText(m_input, output);
}

void PaneCommands::autoPaste()
{
    // Only text that is new on the clipboard: activations alone (returning from a dialog or a
    // message box, or from another program) never paste over what the user typed since.
    const std::optional<QString> text = m_clipboard.readNew();
    if (!text) {
        return;
    }
    m_lastClipboardText = *text;
    if (text->isEmpty() || *text == ClipboardText::toPaneLineEnds(m_lastTargetText)) {
        return;
    }
    setPaneText(m_input, *text);
    m_lastSourceText = *text;
}

void PaneCommands::popupMenu(Pane& pane, const QPoint& position)
{
    m_menuPane = &pane;
    m_menu->popup(pane.viewport()->mapToGlobal(position));
}

void PaneCommands::translationShown(const QString& translation, bool autoCopy)
{
    if (autoCopy) {
        m_lastTargetText = translation;
        writeClipboard(translation);
    }
}
