// Prints a read-only pane on the default printer: pages of the printer's page size less the
// millimetre margins, several copies, with or without collation, no dialog. A printer the user
// chose in a print dialog (or a preview's) can take the default printer's place.
#pragma once

#include "PrintSupport.h"

#include <QString>
#include <memory>

class QTextDocument;
class Pane;

class PanePrint
{
public:
    PanePrint();
    ~PanePrint();

    double leftMarginMM = 20;
    double rightMarginMM = 20;
    double topMarginMM = 20;
    double bottomMarginMM = 20;

    // The pane must not change until printing has ended.
    void assignSource(const Pane& pane);
    // Lays the source out in pages for the default printer; raises "There is no default printer
    // currently selected" without one.
    void formatPages();
    // The same for the given printer, which must outlive the printing; only the pages of its
    // page range are printed.
    void formatPages(Printer& printer);
    int pagesCount() const;
    void printDocument(const QString& title, int copies, bool collate);

    // Tests: every printer the component uses comes from this factory instead of the system's
    // default printer (for example a PDF printer). An empty function restores the default.
    static void setPrinterFactory(PrinterFactory factory);

private:
    const Pane* m_source = nullptr;
    void layOutFor(Printer& printer);

    // The default printer, when no other was given.
    std::unique_ptr<Printer> m_ownPrinter;
    Printer* m_printer = nullptr;
    std::unique_ptr<QTextDocument> m_pages;
    int m_pagesCount = 0;
};
