#include "foundation/FileErrors.h"

#include "foundation/Localizer.h"

#include <cerrno>
#include <cstring>

QString FileErrorCause(int errorNumber) {
    switch (errorNumber) {
    case 0: return {};
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return LocalizedText("IDS_FILEERROR_DISKFULL");
    case EACCES:
    case EPERM: return LocalizedText("IDS_FILEERROR_NOPERMISSION");
    case ENOENT:
    case ENOTDIR: return LocalizedText("IDS_FILEERROR_NOFOLDER");
    case EROFS: return LocalizedText("IDS_FILEERROR_READONLYDISK");
    default: return LocalizedFormat("IDS_FILEERROR_OTHER", {QString::fromLocal8Bit(std::strerror(errorNumber))});
    }
}

QString WithFileErrorCause(const QString& message, int errorNumber) {
    const QString cause = FileErrorCause(errorNumber);
    return cause.isEmpty() ? message : message + u' ' + cause;
}
