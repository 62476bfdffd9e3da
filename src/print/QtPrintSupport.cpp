// The printing module: Qt's printers and print dialogs behind the program's printer interfaces.
#include "PrintSupport.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class QtPrinter final : public Printer
{
public:
    explicit QtPrinter(std::unique_ptr<QPrinter> own)
        : m_own(std::move(own))
        , m_printer(m_own.get())
    { }
    // A printer the preview owns, for the time of one paint.
    explicit QtPrinter(QPrinter& shown)
        : m_printer(&shown)
    { }

    QPrinter& printer() { return *m_printer; }

    QPagedPaintDevice& device() override { return *m_printer; }
    QSizeF printableSize() const override
    {
        return m_printer->pageRect(QPrinter::DevicePixel).size();
    }
    void setDocName(const QString& name) override { m_printer->setDocName(name); }
    int copyCount() const override { return m_printer->copyCount(); }
    void setCopyCount(int copies) override { m_printer->setCopyCount(copies); }
    bool supportsMultipleCopies() const override { return m_printer->supportsMultipleCopies(); }
    bool collateCopies() const override { return m_printer->collateCopies(); }
    void setCollateCopies(bool collate) override { m_printer->setCollateCopies(collate); }
    std::optional<std::pair<int, int>> pageRange() const override
    {
        if (m_printer->printRange() == QPrinter::PageRange && m_printer->fromPage() > 0) {
            return std::pair {m_printer->fromPage(), m_printer->toPage()};
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<QPrinter> m_own;
    QPrinter* m_printer;
};

// Every printer the program holds was made here.
QPrinter& qtPrinter(Printer& printer)
{
    return static_cast<QtPrinter&>(printer).printer();
}

int runModal(QDialog& dialog, const PrintModalRunner& runner)
{
    return runner ? runner(dialog) : dialog.exec();
}

class QtPrintSupport final : public PrintSupport
{
public:
    std::unique_ptr<Printer> defaultPrinter(const PrinterFactory& factory) override
    {
        if (factory) {
            return std::make_unique<QtPrinter>(factory());
        }
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            return nullptr;
        }
        return std::make_unique<QtPrinter>(
            std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    }

    std::unique_ptr<Printer> newPrinter() override
    {
        return std::make_unique<QtPrinter>(std::make_unique<QPrinter>(QPrinter::HighResolution));
    }

    bool runPrintDialog(
        Printer& printer, QWidget* parent, int lastPage, const PrintModalRunner& runner) override
    {
        QPrintDialog dialog(&qtPrinter(printer), parent);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
            | QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(1, lastPage);
        return runModal(dialog, runner) == QDialog::Accepted;
    }

    void runPreview(Printer& printer, QWidget* parent, const QString& title,
        const std::function<void(Printer&)>& paint, const PrintModalRunner& runner) override
    {
        QPrintPreviewDialog dialog(&qtPrinter(printer), parent);
        dialog.setWindowTitle(title);
        QObject::connect(
            &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* shown) {
                QtPrinter view(*shown);
                paint(view);
            });
        runModal(dialog, runner);
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) PrintSupport* quendraPrintSupport()
{
    static QtPrintSupport support;
    return &support;
}
