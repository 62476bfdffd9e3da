// Printing with the desktop's dialogs.
#include "PrintCommands.h"

#include "ErrorReport.h"
#include "MessageTexts.h"
#include "PanePrint.h"
#include "PaneText.h"
#include "ViewPane.h"

namespace {

PrintCommands::ModalRunner& modalRunner()
{
    static PrintCommands::ModalRunner runner;
    return runner;
}

// The name print queues show, as the glyph button's printing gives it.
const QString DocumentName = QStringLiteral("Brennor Translator Pro");

} // namespace

PrintCommands::PrintCommands(QWidget* parent, ViewPane& output, PanePrint& print)
    : QObject(parent)
    , m_parent(parent)
    , m_output(output)
    , m_print(print)
{ }

PrintCommands::~PrintCommands() = default;

void PrintCommands::setModalRunner(ModalRunner runner)
{
    modalRunner() = std::move(runner);
}

void PrintCommands::printOn(Printer& printer)
{
    m_print.assignSource(m_output);
    m_print.formatPages(printer);
    m_print.printDocument(DocumentName, printer.copyCount(), printer.collateCopies());
}

void PrintCommands::printWithDialog()
{
    if (getPaneText(m_output).isEmpty()) {
        return;
    }
    Printer& printer = chosenPrinter();
    // The page range the dialog offers is the pane's pages on the printer last chosen.
    m_print.assignSource(m_output);
    m_print.formatPages(printer);
    if (printSupport().runPrintDialog(
            printer, m_parent, std::max(1, m_print.pagesCount()), modalRunner())) {
        printOn(printer);
    }
}

void PrintCommands::preview()
{
    if (getPaneText(m_output).isEmpty()) {
        return;
    }
    printSupport().runPreview(
        chosenPrinter(), m_parent,
        MessageTexts::instance().translate(QStringLiteral("Print preview")),
        [this](Printer& printer) { runCommand([this, &printer] { printOn(printer); }); },
        modalRunner());
}

Printer& PrintCommands::chosenPrinter()
{
    if (!m_printer) {
        m_printer = printSupport().newPrinter();
    }
    return *m_printer;
}
