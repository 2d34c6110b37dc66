#include "foundation/PrivateTempFolder.h"

#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "platform/shell/SpecialFolders.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPrefix = QStringLiteral("zorbit-");

// Names stop being tried after this many taken ones in a row: only
// something other than this program puts files into its folder.
constexpr int32_t kMaxTakenNames = 1000;

[[noreturn]] void RaiseCannotCreate(const QString& name) {
    throw EFCreateError(LocalizedFormat("IDS_CANNOTSAVEFILE", {name}) + QStringLiteral(" (") +
                        QString::fromLocal8Bit(std::strerror(errno)) + u')');
}

bool ProcessRuns(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

int OpenFolder(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The folder is one of ours that nobody holds: a folder of the user, its
// process gone and its lock free.
bool IsStale(const QString& path, pid_t pid) {
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid())
        return false;
    if (ProcessRuns(pid)) return false;
    const int fd = OpenFolder(path);
    if (fd < 0) return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

}  // namespace

int32_t TPrivateTempFolder::RemoveStaleFolders(const QString& root) {
    static const QRegularExpression name(QStringLiteral("^zorbit-(\\d+)-[^/]+$"));
    int32_t removed = 0;
    const QStringList entries = QDir(root).entryList({kPrefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch()) continue;
        const QString path = JoinPath(root, entry);
        if (IsStale(path, static_cast<pid_t>(match.captured(1).toLongLong())) && QDir(path).removeRecursively())
            ++removed;
    }
    return removed;
}

TPrivateTempFolder::TPrivateTempFolder(const QString& root) {
    RemoveStaleFolders(root);
    QByteArray pattern = QFile::encodeName(JoinPath(root, kPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    if (!::mkdtemp(pattern.data())) RaiseCannotCreate(QFile::decodeName(pattern));
    path_ = QFile::decodeName(pattern);
    lockFd_ = OpenFolder(path_);
    if (lockFd_ < 0 || ::flock(lockFd_, LOCK_EX) != 0) {
        const int error = errno;
        if (lockFd_ >= 0) ::close(lockFd_);
        QDir(path_).removeRecursively();
        errno = error;
        RaiseCannotCreate(path_);
    }
}

TPrivateTempFolder::~TPrivateTempFolder() {
    QDir(path_).removeRecursively();
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString TPrivateTempFolder::NewFileName(const QString& extension) {
    QString ext = extension.toLower();
    if (!ext.isEmpty() && !ext.startsWith(u'.')) ext.prepend(u'.');
    for (int32_t tries = 0; tries < kMaxTakenNames; ++tries) {
        const int32_t n = next_.fetch_add(1);
        const QString name = JoinPath(path_, QStringLiteral("~QN%1").arg(n, 4, 10, QLatin1Char('0')) + ext);
        const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST) RaiseCannotCreate(name);
    }
    throw EFCreateError(LocalizedFormat("IDS_CANNOTSAVEFILE", {JoinPath(path_, QStringLiteral("~QN*") + ext)}));
}

TPrivateTempFolder& ProcessTempFolder() {
    static TPrivateTempFolder folder([] {
        const QString root = shell::GetSpecialFolder(shell::SpecialFolder::Temp);
        return root.isEmpty() ? QDir::tempPath() : root;
    }());
    return folder;
}
