// Printing a pane: its document laid out in pages for the printer, drawn page by page.
#include "PanePrint.h"

#include "Exception.h"
#include "Pane.h"
#include "PaneRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>

namespace {

PrinterFactory& printerFactory()
{
    static PrinterFactory factory;
    return factory;
}

std::unique_ptr<Printer> defaultPrinter()
{
    std::unique_ptr<Printer> printer = printSupport().defaultPrinter(printerFactory());
    if (!printer) {
        throw Exception("There is no default printer currently selected");
    }
    return printer;
}

} // namespace

PanePrint::PanePrint() = default;
PanePrint::~PanePrint() = default;

void PanePrint::setPrinterFactory(PrinterFactory factory)
{
    printerFactory() = std::move(factory);
}

void PanePrint::assignSource(const Pane& pane)
{
    m_source = &pane;
    m_pages.reset();
    m_pagesCount = 0;
}

void PanePrint::formatPages()
{
    m_pages.reset();
    m_pagesCount = 0;
    if (!m_source) {
        return;
    }
    m_ownPrinter = defaultPrinter();
    layOutFor(*m_ownPrinter);
}

void PanePrint::formatPages(Printer& printer)
{
    m_pages.reset();
    m_pagesCount = 0;
    if (m_source) {
        layOutFor(printer);
    }
}

void PanePrint::layOutFor(Printer& printer)
{
    m_printer = &printer;
    m_printer->device().setPageMargins(
        QMarginsF(leftMarginMM, topMarginMM, rightMarginMM, bottomMarginMM),
        QPageLayout::Millimeter);

    const PaneDocument& model = m_source->model();
    m_pages = std::make_unique<QTextDocument>();
    m_pages->setUndoRedoEnabled(false);
    m_pages->documentLayout()->setPaintDevice(&m_printer->device());
    m_pages->setDefaultFont(model.styles().textStyle(0).font());
    // The layout scales screen pixels to the printer's resolution itself.
    m_pages->setDocumentMargin(m_source->paneMargins().left());
    QTextOption option = m_pages->defaultTextOption();
    option.setTabStopDistance(model.styles().defaultTabWidth());
    m_pages->setDefaultTextOption(option);
    PaneRenderer::fill(*m_pages, model, true);
    m_pages->setPageSize(m_printer->printableSize());
    m_pagesCount = model.itemCount() == 0 ? 0 : m_pages->pageCount();
}

int PanePrint::pagesCount() const
{
    return m_pagesCount;
}

void PanePrint::printDocument(const QString& title, int copies, bool collate)
{
    if (m_pagesCount == 0) {
        return;
    }
    m_printer->setDocName(title);
    const int savedCopies = m_printer->copyCount();
    const bool printerCopies = m_printer->supportsMultipleCopies();
    if (printerCopies) {
        m_printer->setCopyCount(copies);
        m_printer->setCollateCopies(collate);
    } else {
        m_printer->setCopyCount(1);
    }
    const int repeats = printerCopies ? 1 : std::max(1, copies);

    // The pages a chosen range keeps (counted from 1 by the printer), all without one.
    int first = 0;
    int last = m_pagesCount - 1;
    if (const auto range = m_printer->pageRange()) {
        first = std::min(range->first, m_pagesCount) - 1;
        last = std::clamp(range->second, first + 1, m_pagesCount) - 1;
    }
    // Page numbers in the order they go to the printer.
    std::vector<int> order;
    if (collate) {
        for (int copy = 0; copy < repeats; ++copy) {
            for (int page = first; page <= last; ++page) {
                order.push_back(page);
            }
        }
    } else {
        for (int page = first; page <= last; ++page) {
            order.insert(order.end(), static_cast<size_t>(repeats), page);
        }
    }

    QPainter painter;
    if (!painter.begin(&m_printer->device())) {
        m_printer->setCopyCount(savedCopies);
        throw Exception("Unable to start the print job");
    }
    const QSizeF pageSize = m_pages->pageSize();
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0) {
            m_printer->device().newPage();
        }
        const double top = order[i] * pageSize.height();
        painter.save();
        painter.translate(0, -top);
        m_pages->drawContents(&painter, QRectF(QPointF(0, top), pageSize));
        painter.restore();
    }
    painter.end();
    m_printer->setCopyCount(savedCopies);
}
