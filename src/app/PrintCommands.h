// The Print... and Print preview... commands (Help menu, Ctrl+P) for the translation pane: the
// desktop's print dialog with its printer choice, printing to a PDF file and page range, and a
// preview. The glyph button beside the pane keeps printing straight to the default printer.
#pragma once

#include "PrintSupport.h"

#include <QObject>
#include <memory>

class PanePrint;
class QWidget;
class ViewPane;

class PrintCommands : public QObject
{
    Q_OBJECT

public:
    PrintCommands(QWidget* parent, ViewPane& output, PanePrint& print);
    ~PrintCommands() override;

    void printWithDialog();
    void preview();

    // Tests: runs the print dialog or the preview in place of exec() and returns its result.
    using ModalRunner = PrintModalRunner;
    static void setModalRunner(ModalRunner runner);

private:
    // Lays the pane out for printer and prints the pages of its range.
    void printOn(Printer& printer);
    Printer& chosenPrinter();

    QWidget* m_parent;
    ViewPane& m_output;
    PanePrint& m_print;
    // The printer and its settings as last chosen, for the next dialog of this run.
    std::unique_ptr<Printer> m_printer;
};
