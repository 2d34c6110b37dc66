#include "platform/cdaudio/CdDrive.h"

#include "platform/shell/Mounts.h"

#include <QtCore/QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace cdaudio {

namespace {

uint32_t FramesOfMsf(const cdrom_msf0& msf) {
    return msf.minute * kFramesPerMinute + msf.second * kFramesPerSecond + msf.frame;
}

class LinuxDrive : public Drive {
public:
    explicit LinuxDrive(int fd) : fd_(fd) {}
    ~LinuxDrive() override { ::close(fd_); }

    bool MediaPresent() override { return ::ioctl(fd_, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_DISC_OK; }

    std::optional<DiscToc> ReadToc() override {
        cdrom_tochdr header{};
        if (::ioctl(fd_, CDROMREADTOCHDR, &header) != 0) return std::nullopt;
        if (header.cdth_trk0 < 1 || header.cdth_trk1 < header.cdth_trk0) return std::nullopt;
        DiscToc toc;
        const int last = std::min<int>(header.cdth_trk1, kMaxTracks);
        for (int track = header.cdth_trk0; track <= last; ++track) {
            cdrom_tocentry entry{};
            entry.cdte_track = static_cast<uint8_t>(track);
            entry.cdte_format = CDROM_MSF;
            if (::ioctl(fd_, CDROMREADTOCENTRY, &entry) != 0) return std::nullopt;
            toc.tracks.push_back({FramesOfMsf(entry.cdte_addr.msf), (entry.cdte_ctrl & CDROM_DATA_TRACK) == 0});
        }
        cdrom_tocentry leadOut{};
        leadOut.cdte_track = CDROM_LEADOUT;
        leadOut.cdte_format = CDROM_MSF;
        if (::ioctl(fd_, CDROMREADTOCENTRY, &leadOut) != 0) return std::nullopt;
        toc.leadOutFrame = FramesOfMsf(leadOut.cdte_addr.msf);
        return toc;
    }

private:
    int fd_;
};

class LinuxDriveSystem : public DriveSystem {
public:
    std::vector<std::string> Drives() override {
        std::vector<std::string> names;
        auto add = [&](const QString& path) {
            const QString device = QFileInfo(path).canonicalFilePath();
            if (device.isEmpty()) return;
            const std::string name = device.toStdString();
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        };
        for (const shell::MountEntry& mount : shell::CurrentMounts())
            if (mount.device.startsWith(QLatin1String("/dev/")) && shell::IsOpticalDiscMount(mount)) add(mount.device);
        for (int i = 0; i < 16; ++i) add(QStringLiteral("/dev/sr%1").arg(i));
        add(QStringLiteral("/dev/cdrom"));
        return names;
    }

    std::unique_ptr<Drive> Open(const std::string& name, OpenError& error) override {
        const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            error = errno == EBUSY ? OpenError::Busy : OpenError::Failed;
            return nullptr;
        }
        // Only a CD-ROM drive answers this query.
        if (::ioctl(fd, CDROM_GET_CAPABILITY, 0) < 0) {
            ::close(fd);
            error = OpenError::Failed;
            return nullptr;
        }
        error = OpenError::None;
        return std::make_unique<LinuxDrive>(fd);
    }
};

class FakeDrive : public Drive {
public:
    explicit FakeDrive(std::optional<DiscToc> toc) : toc_(std::move(toc)) {}
    bool MediaPresent() override { return toc_.has_value(); }
    std::optional<DiscToc> ReadToc() override { return toc_; }

private:
    std::optional<DiscToc> toc_;
};

class FakeDriveSystem : public DriveSystem {
public:
    explicit FakeDriveSystem(std::vector<FakeDisc> discs) : discs_(std::move(discs)) {}

    std::vector<std::string> Drives() override {
        std::vector<std::string> names;
        for (const FakeDisc& disc : discs_) names.push_back(disc.name);
        return names;
    }

    std::unique_ptr<Drive> Open(const std::string& name, OpenError& error) override {
        for (const FakeDisc& disc : discs_) {
            if (disc.name != name) continue;
            error = disc.busy ? OpenError::Busy : OpenError::None;
            return disc.busy ? nullptr : std::make_unique<FakeDrive>(disc.toc);
        }
        error = OpenError::Failed;
        return nullptr;
    }

private:
    std::vector<FakeDisc> discs_;
};

std::unique_ptr<DriveSystem>& InstalledSystem() {
    static std::unique_ptr<DriveSystem> system;
    return system;
}

}  // namespace

std::unique_ptr<DriveSystem> MakeLinuxDriveSystem() { return std::make_unique<LinuxDriveSystem>(); }

std::unique_ptr<DriveSystem> MakeFakeDriveSystem(std::vector<FakeDisc> discs) {
    return std::make_unique<FakeDriveSystem>(std::move(discs));
}

DriveSystem& CurrentDriveSystem() {
    std::unique_ptr<DriveSystem>& system = InstalledSystem();
    if (!system) system = MakeLinuxDriveSystem();
    return *system;
}

void InstallDriveSystem(std::unique_ptr<DriveSystem> system) { InstalledSystem() = std::move(system); }

DiscToc TocFromFrames(const std::vector<uint32_t>& starts, uint32_t leadOut) {
    DiscToc toc;
    for (uint32_t start : starts) toc.tracks.push_back({start, true});
    toc.leadOutFrame = leadOut;
    return toc;
}

}  // namespace cdaudio
