// The file dialogs of the main window.
#include "FileDialogs.h"

#include <QFileDialog>

namespace {

std::optional<QString> nextFileName;
int asked = 0;

} // namespace

QString FileDialogs::getOpenFileName(
    QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return run(parent, false, filter, defaultSuffix);
}

QString FileDialogs::getSaveFileName(
    QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return run(parent, true, filter, defaultSuffix);
}

void FileDialogs::setNextFileName(const QString& fileName)
{
    nextFileName = fileName;
}

int FileDialogs::askedCount()
{
    return asked;
}

QString FileDialogs::run(
    QWidget* parent, bool save, const QString& filter, const QString& defaultSuffix)
{
    ++asked;
    if (nextFileName) {
        const QString answer = *nextFileName;
        nextFileName.reset();
        return answer;
    }
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog accepts names of files that do not exist; the load then does nothing.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}
