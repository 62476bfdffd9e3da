// The file and print commands over the panes' own file operations.
#include "FileCommands.h"

#include "EditPane.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "FileDialogs.h"
#include "ImageTextMessages.h"
#include "MessageTexts.h"
#include "PanePrint.h"
#include "PaneText.h"
#include "TextFileOpen.h"
#include "ViewPane.h"

#include <QFileInfo>
#include <QStatusBar>

namespace {

// Only the final extension picks the format: UTF-8 HTML with the default font tag.
constexpr quint16 HtmlSaveOptions = 0x4800;

// The dialogs' filters, in English; the message texts give them in the interface language.
const QString TextFilter = QStringLiteral("Text files (*.txt)");
const QString Utf8TextFilter = QStringLiteral("UTF-8 text files (*.txt)");
const QString HtmlFilter = QStringLiteral("HTML files (*.html *.htm)");
const QString AllFilter = QStringLiteral("All files (*)");
const QString ImageFilter = QString::fromUtf8(ImageTextMessages::ImageFilter);

// The file's name without its folder, split before its last dot: ("a.b", ".html").
std::pair<QString, QString> nameParts(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? std::pair {name, QString()} : std::pair {name.left(dot), name.mid(dot)};
}

} // namespace

FileCommands::FileCommands(QWidget* parent, EditPane& input, ViewPane& output, PanePrint& print)
    : m_parent(parent)
    , m_input(input)
    , m_output(output)
    , m_print(print)
{ }

void FileCommands::setImageOpener(std::function<void(const QString&)> opener)
{
    m_openImage = std::move(opener);
}

bool FileCommands::isImageFileName(const QString& fileName)
{
    static const QStringList extensions = {QStringLiteral(".PNG"), QStringLiteral(".JPG"),
        QStringLiteral(".JPEG"), QStringLiteral(".WEBP"), QStringLiteral(".TIF"),
        QStringLiteral(".TIFF"), QStringLiteral(".BMP"), QStringLiteral(".GIF")};
    return extensions.contains(nameParts(fileName).second.toUpper());
}

void FileCommands::open()
{
    const QString fileName
        = FileDialogs::getOpenFileName(m_parent, QStringLiteral("Open text file"),
            {TextFilter, ImageFilter, AllFilter}, QStringLiteral("txt"))
              .fileName;
    if (fileName.isEmpty()) {
        return;
    }
    if (m_openImage && isImageFileName(fileName)) {
        m_openImage(fileName);
        return;
    }
    // A file that cannot be read leaves the pane as it is, without a word; one the panes cannot
    // hold is refused with a message.
    load(fileName);
}

void FileCommands::openFile(const QString& fileName)
{
    if (m_openImage && isImageFileName(fileName)) {
        m_openImage(fileName);
        return;
    }
    if (!load(fileName) && !m_lastLoadCancelled) {
        throw Exception(
            QStringLiteral("Unable to read %1").arg(fileName).toLocal8Bit().toStdString());
    }
}

bool FileCommands::load(const QString& fileName)
{
    TextFileOpen load(m_parent, m_input, fileName);
    const bool loaded = load.run();
    m_lastLoadCancelled = load.cancelled();
    if (loaded) {
        m_inputIsWindows1252 = load.readAsWindows1252();
        if (m_inputIsWindows1252) {
            showNotice(QStringLiteral("%1 is no UTF-8 text and was read as Windows-1252; Save "
                                      "writes it in Windows-1252 again.")
                           .arg(QFileInfo(fileName).fileName()));
        }
    }
    return loaded;
}

void FileCommands::showNotice(const QString& notice) const
{
    // The window's status bar, when there is one.
    if (auto* bar = m_parent ? m_parent->findChild<QStatusBar*>() : nullptr) {
        bar->showMessage(MessageTexts::instance().translate(notice));
    }
}

QString FileCommands::titleOf(const QString& fileName)
{
    return nameParts(fileName).first;
}

bool FileCommands::isTextFileName(const QString& fileName)
{
    return nameParts(fileName).second.toUpper() == QLatin1String(".TXT");
}

void FileCommands::save(int tag)
{
    Pane* pane = tag == 0 ? static_cast<Pane*>(&m_input)
        : tag == 1        ? static_cast<Pane*>(&m_output)
                          : nullptr;
    if (!pane || getPaneText(*pane).isEmpty()) {
        return;
    }
    const FileDialogs::Choice choice = FileDialogs::getSaveFileName(m_parent,
        tag == 0 ? QStringLiteral("Save text") : QStringLiteral("Save translation"),
        {TextFilter, Utf8TextFilter, HtmlFilter, AllFilter}, QStringLiteral("txt"));
    const QString& fileName = choice.fileName;
    if (fileName.isEmpty()) {
        return;
    }
    // The name decides between text and a web page; the filter, between the two encodings.
    const bool saved = isTextFileName(fileName)
        ? saveText(*pane, tag, fileName, choice.filter == 1)
        : pane->saveHtmlFile(fileName, titleOf(fileName), QString(), HtmlSaveOptions);
    if (!saved) {
        reportError(QStringLiteral("Unable to write to %1").arg(fileName));
    }
}

bool FileCommands::saveText(const Pane& pane, int tag, const QString& fileName, bool utf8) const
{
    if (utf8) {
        return pane.model().saveUtf8TextFile(fileName);
    }
    // Text read as Windows-1252 goes back in it, unless something typed since does not fit;
    // UTF-16 then holds every character.
    return (tag == 0 && m_inputIsWindows1252 && pane.model().saveWindows1252TextFile(fileName))
        || pane.saveTextFile(fileName, 0);
}

void FileCommands::print()
{
    m_print.assignSource(m_output);
    m_print.formatPages();
    if (m_print.pagesCount() > 0) {
        m_print.printDocument(QStringLiteral("Brennor Translator Pro"), 1, false);
    }
}
