#pragma once
// The audio CD in the drive: its table of contents and its CDDB disc id.
// All TCDInfo objects share one open drive: the first one made while no
// drive is open looks for a drive that holds an audio disc (track 1 audio);
// the drive stays open until the last object goes. With no drive open every
// query answers 0 or false.

#include <cstdint>
#include <string>

// Minutes, seconds and frames (75 to the second).
struct TMSF {
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    int32_t Frames = 0;
    bool operator==(const TMSF&) const = default;
};

class TCDInfo {
public:
    // Looks for a drive when none is open; raises with "IDS_CDINFO1" when a
    // drive is held by another program.
    TCDInfo();
    ~TCDInfo();
    TCDInfo(const TCDInfo&) = delete;
    TCDInfo& operator=(const TCDInfo&) = delete;

    // At most 99.
    int32_t GetTrackCount() const;
    bool IsMediaPresent() const;
    bool IsFirstTrackAudio() const;
    // Absolute disc time of the track's start (track 1 normally 0:02:00).
    TMSF GetTrackStart(int32_t track) const;
    // As the drive reports it: the last track one frame short.
    TMSF GetTrackLength(int32_t track) const;

    static uint32_t MSFToFrames(const TMSF& msf);
    static TMSF FramesToMSF(uint32_t frames);

    // From the start of track 1 to the lead-out, frames dropped.
    uint32_t GetDiscLengthSeconds() const;
    // Raises with "IDS_CDINFO2" without a disc whose track 1 is audio.
    uint32_t ComputeDiscId() const;
    // Eight lowercase hexadecimal digits.
    std::string GetDiscIdText() const;

    // Whether a drive is open (tests).
    static bool DeviceOpen();
};

// Raises the "IDS_CDINFO2" failure (no audio CD in the drive).
[[noreturn]] void RaiseNoAudioCD();
