// The file dialogs of the main window.
#include "FileDialogs.h"

#include "IniHelpers.h"
#include "IniWriteError.h"
#include "MessageBox.h"
#include "MessageTexts.h"
#include "Params.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

std::optional<FileDialogs::Choice> nextChoice;
int asked = 0;
// The folder of the last choice, for this run even when the settings file cannot keep it.
QString lastFolder;

const char* const FolderSection = "Files";
const char* const FolderKey = "LastFolder";

// Asked before a save replaces a file; false keeps the file as it is.
bool mayReplace(const QString& fileName)
{
    if (!QFileInfo::exists(fileName)) {
        return true;
    }
    return MessageBox::confirm(
        QStringLiteral("The file %1 already exists. Replace it?").arg(fileName),
        QStringLiteral("Replace"));
}

} // namespace

FileDialogs::Choice FileDialogs::getOpenFileName(
    QWidget* parent, const QString& title, const QStringList& filters, const QString& defaultSuffix)
{
    return run(parent, false, title, filters, defaultSuffix);
}

FileDialogs::Choice FileDialogs::getSaveFileName(
    QWidget* parent, const QString& title, const QStringList& filters, const QString& defaultSuffix)
{
    Choice choice = run(parent, true, title, filters, defaultSuffix);
    if (!choice.fileName.isEmpty() && !mayReplace(choice.fileName)) {
        return {};
    }
    return choice;
}

void FileDialogs::setNextFileName(const QString& fileName, int filter)
{
    nextChoice = Choice {fileName, filter};
}

int FileDialogs::askedCount()
{
    return asked;
}

QString FileDialogs::startFolder()
{
    QString folder = lastFolder;
    if (folder.isEmpty()) {
        folder = QString::fromLocal8Bit(iniReadString(SettingsFileName, FolderSection, FolderKey));
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void FileDialogs::rememberFolder(const QString& fileName)
{
    lastFolder = QFileInfo(fileName).absolutePath();
    try {
        iniWriteString(
            SettingsFileName, FolderSection, FolderKey, lastFolder.toLocal8Bit().toStdString());
    } catch (const IniWriteError&) {
        // A convenience: without a writable settings file it lasts until the program ends.
    }
}

FileDialogs::Choice FileDialogs::run(QWidget* parent, bool save, const QString& title,
    const QStringList& filters, const QString& defaultSuffix)
{
    ++asked;
    Choice choice;
    if (nextChoice) {
        choice = *std::exchange(nextChoice, std::nullopt);
    } else {
        QStringList shownFilters;
        for (const QString& filter : filters) {
            shownFilters << MessageTexts::instance().translate(filter);
        }
        QFileDialog dialog(parent, MessageTexts::instance().translate(title), startFolder());
        dialog.setNameFilters(shownFilters);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        // An open dialog accepts names of files that do not exist; the load then does nothing.
        dialog.setFileMode(QFileDialog::AnyFile);
        // The question comes from getSaveFileName, the same with every dialog.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        choice = {dialog.selectedFiles().constFirst(),
            std::max(0, static_cast<int>(shownFilters.indexOf(dialog.selectedNameFilter())))};
    }
    if (!choice.fileName.isEmpty()) {
        rememberFolder(choice.fileName);
    }
    return choice;
}
