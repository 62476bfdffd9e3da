// The common system errors in the user's words.
#include "SystemReason.h"

#include "MessageTexts.h"

#include <cerrno>
#include <cstring>

namespace {

// The English sentence for a common errno; empty for the others. Each is a line of the message
// table, so the language files translate it.
QString commonReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("There is no such file or folder");
    case EACCES:
    case EPERM:
        return QStringLiteral("You do not have permission for this file or folder");
    case EROFS:
        return QStringLiteral("The disk can only be read");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("The disk is full");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("The file is in use");
    case EFBIG:
        return QStringLiteral("The file is too large");
    default:
        return {};
    }
}

} // namespace

QString systemReasonText(int errorNumber)
{
    if (errorNumber == 0) {
        return {};
    }
    const QString system = QString::fromLocal8Bit(std::strerror(errorNumber));
    const QString common = commonReason(errorNumber);
    if (common.isEmpty()) {
        return system;
    }
    return MessageTexts::instance().translate(common) + QStringLiteral(" (") + system + u')';
}
