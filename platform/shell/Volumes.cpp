#include "platform/shell/Volumes.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <map>

namespace shell {

namespace {

bool IsOneOf(const QString& type, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return type == QLatin1String(n); });
}

bool IsNetworkFileSystem(const QString& type) {
    return IsOneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "davfs", "fuse.sshfs",
                          "fuse.davfs", "glusterfs", "ceph"});
}

bool IsMemoryFileSystem(const QString& type) { return IsOneOf(type, {"tmpfs", "ramfs"}); }

// The kernel's name of the whole disk behind a block device, through sysfs.
QString SysfsDiskFolder(const QString& device) {
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    if (name.isEmpty()) return {};
    const QString folder = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (folder.isEmpty()) return {};
    if (QFileInfo::exists(folder + QStringLiteral("/partition"))) return QFileInfo(folder).path();
    return folder;
}

bool SysfsIsRemovable(const QString& device) {
    const QString folder = SysfsDiskFolder(device);
    if (folder.isEmpty()) return false;
    QFile file(folder + QStringLiteral("/removable"));
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.read(4).trimmed() == "1";
}

// The links of /dev/disk/by-label write unsafe characters as "\xNN".
QString DecodeLabelLinkName(const QString& name) {
    QByteArray out;
    const QByteArray in = name.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int value = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        out += in[i];
    }
    return QString::fromUtf8(out);
}

QString LabelFromDiskLinks(const QString& device) {
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty()) return {};
    const QDir links(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo& link : links.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (link.canonicalFilePath() == target) return DecodeLabelLinkName(link.fileName());
    }
    return {};
}

bool IsBlockDevice(const QString& device) { return device.startsWith(QLatin1String("/dev/")); }

bool IsBelowFolder(const QString& path, const char* folder) {
    const QLatin1String f(folder);
    return path == f || path.startsWith(f + u'/');
}

// Mounts of the system's own areas (kernel views, device nodes, run-time
// state) are no drives; media mounted for a user under /run/media are.
bool IsSystemArea(const QString& root) {
    if (IsBelowFolder(root, "/run/media")) return false;
    return IsBelowFolder(root, "/proc") || IsBelowFolder(root, "/sys") || IsBelowFolder(root, "/dev") ||
           IsBelowFolder(root, "/run");
}

}  // namespace

VolumeProbe SystemVolumeProbe() { return {SysfsIsRemovable, LabelFromDiskLinks}; }

VolumeType TypeOfMount(const MountEntry& entry, const VolumeProbe& probe) {
    const QString type = entry.fileSystem.toLower();
    if (IsOpticalDiscMount(entry)) return VolumeType::CdRom;
    if (IsNetworkFileSystem(type)) return VolumeType::Remote;
    if (IsMemoryFileSystem(type)) return VolumeType::RamDisk;
    if (!IsBlockDevice(entry.device)) return VolumeType::Unknown;
    if (probe.isRemovable && probe.isRemovable(entry.device)) return VolumeType::Removable;
    return VolumeType::Fixed;
}

std::vector<Volume> VolumesOfMounts(const std::vector<MountEntry>& mounts, const VolumeProbe& probe) {
    std::map<QString, Volume> byRoot;
    for (const MountEntry& entry : mounts) {
        const QString root = VolumeRootPath(entry.mountPoint);
        if (root.isEmpty() || IsSystemArea(root)) continue;
        Volume volume{root, TypeOfMount(entry, probe), {}, {}};
        if (volume.type == VolumeType::Unknown) {
            byRoot.erase(root);  // a later mount hides the one beneath
            continue;
        }
        if (volume.type == VolumeType::Remote)
            volume.share = entry.device;
        else if (IsBlockDevice(entry.device) && probe.labelOf)
            volume.label = probe.labelOf(entry.device);
        byRoot[root] = volume;
    }
    std::vector<Volume> volumes;
    volumes.reserve(byRoot.size());
    for (auto& [root, volume] : byRoot) volumes.push_back(std::move(volume));
    return volumes;
}

std::vector<Volume> CurrentVolumes() { return VolumesOfMounts(CurrentMounts(), SystemVolumeProbe()); }

QString VolumeRootPath(const QString& path) {
    if (!path.startsWith(u'/')) return {};
    return QDir::cleanPath(path);
}

QString JoinVolumePath(const QString& parent, const QString& name) {
    if (parent.endsWith(u'/')) return parent + name;
    return parent + u'/' + name;
}

QString LastPathName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0 || path.size() == 1) return path;
    return path.mid(slash + 1);
}

}  // namespace shell
