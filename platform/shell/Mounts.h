#pragma once
// The mounted file systems of the process, as /proc/self/mounts lists them.

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <vector>

namespace shell {

struct MountEntry {
    QString device;      // "/dev/sr0"
    QString mountPoint;  // "/media/cdrom0"
    QString fileSystem;  // "iso9660"
};

// The entries of a mounts table (octal escapes such as "\040" decoded);
// malformed lines are skipped.
std::vector<MountEntry> ParseMounts(const QByteArray& table);
std::vector<MountEntry> CurrentMounts();

// The entry whose mount point holds the absolute path (the longest match;
// the last one mounted wins on the same point); nullptr when none does.
const MountEntry* MountOf(const std::vector<MountEntry>& mounts, const QString& absolutePath);

// True for an optical disc: an ISO 9660 or UDF file system, or a device
// /dev/sr*, /dev/scd* or /dev/cdrom*.
bool IsOpticalDiscMount(const MountEntry& entry);

// True when the path lies on a mounted optical disc.
bool IsOnOpticalDisc(const QString& path);
bool IsOnOpticalDisc(const QString& path, const std::vector<MountEntry>& mounts);

}  // namespace shell
