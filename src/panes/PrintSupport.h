// Printers and the desktop's print dialogs, from a module loaded at the first print. Qt's print
// support is a library of its own that a start of the program does not need; the rest of the
// program sees a printer only through these interfaces.
#pragma once

#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QDialog;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

// One printer with its settings: the default printer, or one chosen in a dialog.
class Printer
{
public:
    virtual ~Printer() = default;

    // Where pages are laid out and painted.
    virtual QPagedPaintDevice& device() = 0;
    // The printable area of a page, in the printer's pixels.
    virtual QSizeF printableSize() const = 0;
    virtual void setDocName(const QString& name) = 0;
    virtual int copyCount() const = 0;
    virtual void setCopyCount(int copies) = 0;
    // Whether the printer makes the copies itself.
    virtual bool supportsMultipleCopies() const = 0;
    virtual bool collateCopies() const = 0;
    virtual void setCollateCopies(bool collate) = 0;
    // The first and last page of the range the user chose, counted from 1; none for all pages.
    virtual std::optional<std::pair<int, int>> pageRange() const = 0;
};

// Tests: makes the printer that stands for the default one (for example a PDF printer).
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
// Tests: runs a print dialog or preview in place of exec() and returns its result.
using PrintModalRunner = std::function<int(QDialog& dialog)>;

class PrintSupport
{
public:
    virtual ~PrintSupport() = default;

    // The printer the factory makes, or without one the system's default printer at high
    // resolution; null when there is no default printer.
    virtual std::unique_ptr<Printer> defaultPrinter(const PrinterFactory& factory) = 0;
    // A high-resolution printer for the print dialog to set up.
    virtual std::unique_ptr<Printer> newPrinter() = 0;
    // The print dialog for printer, offering pages 1 to lastPage, to file and with collation;
    // true when the user accepted it.
    virtual bool runPrintDialog(
        Printer& printer, QWidget* parent, int lastPage, const PrintModalRunner& runner)
        = 0;
    // The preview for printer; paint draws the pages on the printer it is given.
    virtual void runPreview(Printer& printer, QWidget* parent, const QString& title,
        const std::function<void(Printer&)>& paint, const PrintModalRunner& runner)
        = 0;
};

// The entry the module exports, under the name PrintSupportEntry.
using PrintSupportEntryFunction = PrintSupport* (*)();
constexpr const char* PrintSupportEntry = "quendraPrintSupport";

// The module, loaded at the first call: beside the executable, as built, or in the program's
// library folder, as installed. Raises Exception with what went wrong when it cannot be loaded.
PrintSupport& printSupport();
