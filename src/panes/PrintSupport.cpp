// Finding and loading the printing module.
#include "PrintSupport.h"

#include "Exception.h"
#include "RuntimeLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString ModuleName = QStringLiteral("libquendra-print.so");

// Beside the executable, where the build puts it; then the installed program's library folder.
QStringList modulePlaces()
{
    const QString folder = QCoreApplication::applicationDirPath();
    return {folder + u'/' + ModuleName,
        QDir::cleanPath(
            folder + QStringLiteral("/" QUENDRA_PRINT_MODULE_FROM_BIN "/") + ModuleName)};
}

PrintSupport* loadModule()
{
    for (const QString& place : modulePlaces()) {
        if (!QFileInfo::exists(place)) {
            continue;
        }
        RuntimeLibrary module(QFile::encodeName(place).constData());
        PrintSupportEntryFunction entry = nullptr;
        module.bind(PrintSupportEntry, entry);
        if (!module.complete()) {
            throw Exception("Printing is not available: " + module.error());
        }
        return entry();
    }
    throw Exception("Printing is not available: " + ModuleName.toStdString()
        + " is not installed with the program.");
}

} // namespace

PrintSupport& printSupport()
{
    // Kept once loaded; a failed load is tried again at the next print.
    static PrintSupport* support = nullptr;
    if (!support) {
        support = loadModule();
    }
    return *support;
}
