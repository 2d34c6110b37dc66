#pragma once
// The audio-CD drives of this machine: which drives there are, and for an
// opened drive whether a disc is in it and its table of contents. Positions
// are absolute disc times in frames (75 per second), so track 1 of a normal
// disc starts at frame 150 (0:02:00).
//
// The drives come from the installed DriveSystem: the Linux CD-ROM interface
// by default, a fake of the tests or tools otherwise.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cdaudio {

inline constexpr uint32_t kFramesPerSecond = 75;
inline constexpr uint32_t kFramesPerMinute = 4500;
// A disc holds tracks 1 to 99.
inline constexpr int32_t kMaxTracks = 99;

struct TocTrack {
    uint32_t startFrame = 0;  // absolute
    bool audio = true;
};

struct DiscToc {
    std::vector<TocTrack> tracks;  // track 1 first
    uint32_t leadOutFrame = 0;     // absolute start of the lead-out
};

class Drive {
public:
    virtual ~Drive() = default;
    virtual bool MediaPresent() = 0;
    // The table of contents of the disc; none when there is no disc or it
    // cannot be read.
    virtual std::optional<DiscToc> ReadToc() = 0;
};

enum class OpenError {
    None,
    Busy,     // another program holds the drive for itself
    Failed,   // no such drive, no permission, not a CD-ROM drive
};

class DriveSystem {
public:
    virtual ~DriveSystem() = default;
    // The device names of the CD-ROM drives, in a fixed order.
    virtual std::vector<std::string> Drives() = 0;
    // Opens a drive for reading its contents, shared with other programs.
    virtual std::unique_ptr<Drive> Open(const std::string& name, OpenError& error) = 0;
};

// The drives through the Linux CD-ROM interface: the devices of the mounted
// optical discs, then /dev/sr0 .. /dev/sr15 and /dev/cdrom where present.
std::unique_ptr<DriveSystem> MakeLinuxDriveSystem();

// The installed drive system (the Linux one until another is installed).
DriveSystem& CurrentDriveSystem();
// Installs another drive system (tests, tools); none puts the Linux one back.
void InstallDriveSystem(std::unique_ptr<DriveSystem> system);

// A drive system that reports fixed discs, one per drive name; a disc
// without tracks is an empty drive. For the tests and the tools.
struct FakeDisc {
    std::string name;
    std::optional<DiscToc> toc;  // none: no disc in the drive
    bool busy = false;
};
std::unique_ptr<DriveSystem> MakeFakeDriveSystem(std::vector<FakeDisc> discs);

// A table of contents from track starts and the lead-out, in frames.
DiscToc TocFromFrames(const std::vector<uint32_t>& starts, uint32_t leadOut);

}  // namespace cdaudio
