// Printing with the desktop's dialogs.
#include "PrintCommands.h"

#include "ErrorReport.h"
#include "MessageTexts.h"
#include "PanePrint.h"
#include "PaneText.h"
#include "ViewPane.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

PrintCommands::ModalRunner& modalRunner()
{
    static PrintCommands::ModalRunner runner;
    return runner;
}

int runModal(QDialog& dialog)
{
    return modalRunner() ? modalRunner()(dialog) : dialog.exec();
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

void PrintCommands::printOn(QPrinter& printer)
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
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    // The page range the dialog offers is the pane's pages on the printer last chosen.
    m_print.assignSource(m_output);
    m_print.formatPages(*m_printer);
    QPrintDialog dialog(m_printer.get(), m_parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
        | QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, std::max(1, m_print.pagesCount()));
    if (runModal(dialog) == QDialog::Accepted) {
        printOn(*m_printer);
    }
}

void PrintCommands::preview()
{
    if (getPaneText(m_output).isEmpty()) {
        return;
    }
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintPreviewDialog dialog(m_printer.get(), m_parent);
    dialog.setWindowTitle(MessageTexts::instance().translate(QStringLiteral("Print preview")));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
        [this](QPrinter* printer) { runCommand([this, printer] { printOn(*printer); }); });
    runModal(dialog);
}
