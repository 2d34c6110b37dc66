#include "cd/lookup/CDInfo.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/WaitCursor.h"
#include "platform/cdaudio/CdDrive.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace {

// The drive all instances share, and its table of contents read at opening.
struct SharedDrive {
    std::unique_ptr<cdaudio::Drive> drive;
    std::optional<cdaudio::DiscToc> toc;
    int32_t instances = 0;
};

SharedDrive& Shared() {
    static SharedDrive shared;
    return shared;
}

bool HoldsAudioDisc(cdaudio::Drive& drive, std::optional<cdaudio::DiscToc>& toc) {
    if (!drive.MediaPresent()) return false;
    toc = drive.ReadToc();
    return toc && !toc->tracks.empty() && toc->tracks.front().audio;
}

void SearchDrive() {
    SharedDrive& shared = Shared();
    const TWaitCursor busy;
    cdaudio::DriveSystem& system = cdaudio::CurrentDriveSystem();
    for (const std::string& name : system.Drives()) {
        cdaudio::OpenError error = cdaudio::OpenError::None;
        std::unique_ptr<cdaudio::Drive> drive = system.Open(name, error);
        if (error == cdaudio::OpenError::Busy) throw Exception(LocalizedText("IDS_CDINFO1"));
        if (!drive) continue;
        std::optional<cdaudio::DiscToc> toc;
        if (HoldsAudioDisc(*drive, toc)) {
            if (toc->tracks.size() > static_cast<size_t>(cdaudio::kMaxTracks)) toc->tracks.resize(cdaudio::kMaxTracks);
            shared.drive = std::move(drive);
            shared.toc = std::move(toc);
            return;
        }
    }
}

const cdaudio::DiscToc* OpenToc() {
    const SharedDrive& shared = Shared();
    return shared.drive && shared.toc ? &*shared.toc : nullptr;
}

int32_t DigitSum(uint32_t n) {
    int32_t sum = 0;
    for (; n > 0; n /= 10) sum += static_cast<int32_t>(n % 10);
    return sum;
}

}  // namespace

TCDInfo::TCDInfo() {
    SharedDrive& shared = Shared();
    ++shared.instances;
    if (shared.drive) return;
    try {
        SearchDrive();
    } catch (...) {
        --shared.instances;
        throw;
    }
}

TCDInfo::~TCDInfo() {
    SharedDrive& shared = Shared();
    if (--shared.instances > 0) return;
    shared.instances = 0;
    shared.drive.reset();
    shared.toc.reset();
}

bool TCDInfo::DeviceOpen() { return Shared().drive != nullptr; }

int32_t TCDInfo::GetTrackCount() const {
    const cdaudio::DiscToc* toc = OpenToc();
    return toc ? static_cast<int32_t>(toc->tracks.size()) : 0;
}

bool TCDInfo::IsMediaPresent() const { return Shared().drive && Shared().drive->MediaPresent(); }

bool TCDInfo::IsFirstTrackAudio() const {
    const cdaudio::DiscToc* toc = OpenToc();
    return toc && !toc->tracks.empty() && toc->tracks.front().audio;
}

TMSF TCDInfo::GetTrackStart(int32_t track) const {
    const cdaudio::DiscToc* toc = OpenToc();
    if (!toc || track < 1 || track > GetTrackCount()) return {};
    return FramesToMSF(toc->tracks[static_cast<size_t>(track - 1)].startFrame);
}

TMSF TCDInfo::GetTrackLength(int32_t track) const {
    const cdaudio::DiscToc* toc = OpenToc();
    if (!toc || track < 1 || track > GetTrackCount()) return {};
    const uint32_t start = toc->tracks[static_cast<size_t>(track - 1)].startFrame;
    const bool last = track == GetTrackCount();
    const uint32_t end = last ? toc->leadOutFrame : toc->tracks[static_cast<size_t>(track)].startFrame;
    // The last track is reported one frame short, as drives have always done.
    const uint32_t frames = end > start ? end - start - (last ? 1 : 0) : 0;
    return FramesToMSF(frames);
}

uint32_t TCDInfo::MSFToFrames(const TMSF& msf) {
    return static_cast<uint32_t>(msf.Minutes) * cdaudio::kFramesPerMinute +
           static_cast<uint32_t>(msf.Seconds) * cdaudio::kFramesPerSecond + static_cast<uint32_t>(msf.Frames);
}

TMSF TCDInfo::FramesToMSF(uint32_t frames) {
    return {static_cast<int32_t>(frames / cdaudio::kFramesPerMinute),
            static_cast<int32_t>((frames / cdaudio::kFramesPerSecond) % 60),
            static_cast<int32_t>(frames % cdaudio::kFramesPerSecond)};
}

uint32_t TCDInfo::GetDiscLengthSeconds() const {
    const int32_t n = GetTrackCount();
    if (n < 1) return 0;
    const uint32_t length = MSFToFrames(GetTrackLength(n)) + 1;
    const TMSF leadOut = FramesToMSF(MSFToFrames(GetTrackStart(n)) + length);
    const TMSF first = GetTrackStart(1);
    const int64_t seconds = (int64_t{leadOut.Minutes} * 60 + leadOut.Seconds) - (int64_t{first.Minutes} * 60 + first.Seconds);
    return seconds > 0 ? static_cast<uint32_t>(seconds) : 0;
}

uint32_t TCDInfo::ComputeDiscId() const {
    if (!IsMediaPresent() || !IsFirstTrackAudio()) RaiseNoAudioCD();
    const int32_t n = GetTrackCount();
    uint32_t sum = 0;
    for (int32_t track = 1; track <= n; ++track) {
        const TMSF start = GetTrackStart(track);
        sum += static_cast<uint32_t>(DigitSum(static_cast<uint32_t>(start.Minutes * 60 + start.Seconds)));
    }
    return ((sum % 255) << 24) | (GetDiscLengthSeconds() << 8) | static_cast<uint32_t>(n);
}

std::string TCDInfo::GetDiscIdText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%8.8x", ComputeDiscId());
    return text;
}

void RaiseNoAudioCD() { throw Exception(LocalizedText("IDS_CDINFO2")); }
