#pragma once
// The "drives" of the program: the mounted volumes a user may list or pick.
//
// A volume is known by its root path, the one form used for roots everywhere
// (folder outlines, stored listing figures, the drive lists): the absolute
// mount point without a trailing "/" ("/media/usb", "/mnt/share"), and "/"
// for the root file system. A folder path is its volume's root path followed
// by "/" and the folder names; JoinVolumePath builds it so that the root file
// system gives "/usr", not "//usr". Where a drive was once picked by the
// first character of a text, the whole text is the root path here.

#include "platform/shell/Mounts.h"

#include <QtCore/QString>

#include <functional>
#include <vector>

namespace shell {

// The kinds of volume, numbered as the drive types that stored settings and
// type filters use.
enum class VolumeType {
    Unknown = 0,
    NonExisting = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct Volume {
    QString rootPath;    // "/media/usb"
    VolumeType type = VolumeType::Unknown;
    QString label;       // the file system's label, empty when it has none
    QString share;       // a network mount's source ("server:/export", "//server/share")
};

// What the mount table alone does not say; the tests give their own.
struct VolumeProbe {
    // True when the block device (such as "/dev/sdb1") sits on a removable medium.
    std::function<bool(const QString& device)> isRemovable;
    // The label of the block device's file system, empty when it has none.
    std::function<QString(const QString& device)> labelOf;
};

// The probe of this machine: /sys/block/<disk>/removable and the links of
// /dev/disk/by-label.
VolumeProbe SystemVolumeProbe();

// The type of a mount: optical discs, network file systems and memory file
// systems by their file-system type, removable media through the probe,
// other block devices fixed; kernel and virtual file systems are Unknown
// (not listed).
VolumeType TypeOfMount(const MountEntry& entry, const VolumeProbe& probe);

// The volumes of a mount table in order of their root paths; a mount point
// mounted twice is listed once (the last mount wins), Unknown types are left
// out.
std::vector<Volume> VolumesOfMounts(const std::vector<MountEntry>& mounts, const VolumeProbe& probe);

// The volumes of this machine.
std::vector<Volume> CurrentVolumes();

// The root path of a mount point or folder text: absolute, cleaned, no
// trailing "/" (except "/" itself); empty for an empty or relative text.
QString VolumeRootPath(const QString& path);

// parent + "/" + name, without doubling the "/" of the root file system.
QString JoinVolumePath(const QString& parent, const QString& name);

// The last name of a path ("/media/usb/Fotos" gives "Fotos"); a root path
// gives itself.
QString LastPathName(const QString& path);

}  // namespace shell
