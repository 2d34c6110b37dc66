#include "platform/shell/Mounts.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace shell {

namespace {

// Fields of a mounts line escape blanks, tabs, newlines and backslashes as
// three octal digits after a backslash.
QString DecodeField(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = digits.size() == 3;
            for (const char d : digits) ok = ok && d >= '0' && d <= '7';
            if (ok) {
                out += static_cast<char>(digits.toInt(nullptr, 8) & 0xFF);
                i += 3;
                continue;
            }
        }
        out += c;
    }
    return QString::fromUtf8(out);
}

bool IsBelow(const QString& path, const QString& mountPoint) {
    if (mountPoint == QLatin1String("/")) return path.startsWith(u'/');
    return path == mountPoint || path.startsWith(mountPoint + u'/');
}

}  // namespace

std::vector<MountEntry> ParseMounts(const QByteArray& table) {
    std::vector<MountEntry> mounts;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3 || fields[0].isEmpty()) continue;
        mounts.push_back({DecodeField(fields[0]), DecodeField(fields[1]), DecodeField(fields[2])});
    }
    return mounts;
}

std::vector<MountEntry> CurrentMounts() {
    QFile file(QStringLiteral("/proc/self/mounts"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseMounts(file.readAll());
}

const MountEntry* MountOf(const std::vector<MountEntry>& mounts, const QString& absolutePath) {
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : mounts) {
        if (!IsBelow(absolutePath, entry.mountPoint)) continue;
        if (!best || entry.mountPoint.size() >= best->mountPoint.size()) best = &entry;
    }
    return best;
}

bool IsOpticalDiscMount(const MountEntry& entry) {
    const QString type = entry.fileSystem.toLower();
    if (type == QLatin1String("iso9660") || type == QLatin1String("udf")) return true;
    return entry.device.startsWith(QLatin1String("/dev/sr")) || entry.device.startsWith(QLatin1String("/dev/scd")) ||
           entry.device.startsWith(QLatin1String("/dev/cdrom"));
}

bool IsOnOpticalDisc(const QString& path, const std::vector<MountEntry>& mounts) {
    if (path.isEmpty()) return false;
    QFileInfo info(path);
    // A file that exists is followed through links to where it really lies.
    QString absolute = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    if (absolute.isEmpty()) absolute = QDir::cleanPath(info.absoluteFilePath());
    const MountEntry* mount = MountOf(mounts, absolute);
    return mount && IsOpticalDiscMount(*mount);
}

bool IsOnOpticalDisc(const QString& path) {
    return IsOnOpticalDisc(path, CurrentMounts());
}

}  // namespace shell
