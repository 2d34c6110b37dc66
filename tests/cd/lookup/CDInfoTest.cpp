#include "cd/lookup/CDInfo.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "platform/cdaudio/CdDrive.h"

#include <gtest/gtest.h>

namespace {

using cdaudio::DiscToc;
using cdaudio::FakeDisc;
using cdaudio::TocFromFrames;

// Installs a fake set of drives for one test and puts the machine's back.
struct Drives {
    explicit Drives(std::vector<FakeDisc> discs) { cdaudio::InstallDriveSystem(cdaudio::MakeFakeDriveSystem(std::move(discs))); }
    ~Drives() { cdaudio::InstallDriveSystem(nullptr); }
};

DiscToc EveryTwoSeconds(int tracks) {
    std::vector<uint32_t> starts;
    for (int i = 0; i < tracks; ++i) starts.push_back(150 + static_cast<uint32_t>(i) * 150);
    return TocFromFrames(starts, 150 + static_cast<uint32_t>(tracks) * 150);
}

}  // namespace

// Discs as tables of contents in frames, with the ids worked out by hand:
// digit sums of the start seconds mod 255, the playing seconds from track 1
// to the lead-out, and the track count.
TEST(CDInfo, DiscIdsOfFixtureTablesOfContents) {
    struct Case {
        const char* what;
        DiscToc toc;
        uint32_t seconds;
        const char* id;
    };
    const Case cases[] = {
        // 0:02:00, 3:10:40, 7:55:10; lead-out 11:55:45: sums 2 + 10 + 16.
        {"three tracks", TocFromFrames({150, 14290, 35635}, 53670), 713, "1c02c903"},
        {"twelve tracks",
         TocFromFrames({150, 22767, 41887, 58317, 72102, 91375, 104652, 115380, 132165, 143932, 159870, 174597}, 267257),
         3561, "a70de90c"},
        // Sums of 900 wrap at 255 to 135.
        {"99 tracks of two seconds", EveryTwoSeconds(99), 198, "8700c663"},
    };
    for (const Case& c : cases) {
        Drives drives({{"/dev/sr0", c.toc}});
        TCDInfo info;
        EXPECT_EQ(info.GetDiscLengthSeconds(), c.seconds) << c.what;
        EXPECT_EQ(info.GetDiscIdText(), c.id) << c.what;
    }
}

TEST(CDInfo, TrackTimesAsTheDriveReportsThem) {
    Drives drives({{"/dev/sr0", TocFromFrames({150, 14290, 35635}, 53670)}});
    TCDInfo info;
    EXPECT_EQ(info.GetTrackCount(), 3);
    EXPECT_EQ(info.GetTrackStart(2), (TMSF{3, 10, 40}));
    EXPECT_EQ(info.GetTrackLength(1), TCDInfo::FramesToMSF(14290 - 150));
    // The last track one frame short: 4:00:34 of a track 4:00:35 long.
    EXPECT_EQ(info.GetTrackLength(3), (TMSF{4, 0, 34}));
    EXPECT_EQ(info.GetTrackStart(4), TMSF{});
    EXPECT_EQ(TCDInfo::MSFToFrames({11, 55, 45}), 53670u);
    EXPECT_EQ(TCDInfo::FramesToMSF(53670), (TMSF{11, 55, 45}));
}

TEST(CDInfo, TheFirstDriveWithAnAudioDiscIsChosen) {
    DiscToc data = EveryTwoSeconds(2);
    data.tracks[0].audio = false;
    Drives drives({{"/dev/sr0", data}, {"/dev/sr1", std::nullopt}, {"/dev/sr2", EveryTwoSeconds(5)}});
    TCDInfo info;
    EXPECT_TRUE(info.IsMediaPresent());
    EXPECT_TRUE(info.IsFirstTrackAudio());
    EXPECT_EQ(info.GetTrackCount(), 5);
}

TEST(CDInfo, WithoutAnAudioDiscEveryQueryAnswersNothing) {
    DiscToc data = EveryTwoSeconds(2);
    data.tracks[0].audio = false;
    for (auto discs : {std::vector<FakeDisc>{}, std::vector<FakeDisc>{{"/dev/sr0", data}}}) {
        Drives drives(discs);
        TCDInfo info;
        EXPECT_FALSE(TCDInfo::DeviceOpen());
        EXPECT_FALSE(info.IsMediaPresent());
        EXPECT_FALSE(info.IsFirstTrackAudio());
        EXPECT_EQ(info.GetTrackCount(), 0);
        EXPECT_EQ(info.GetTrackStart(1), TMSF{});
        try {
            (void)info.ComputeDiscId();
            ADD_FAILURE() << "no failure without a disc";
        } catch (const Exception& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), LocalizedText("IDS_CDINFO2"));
        }
    }
}

TEST(CDInfo, ABusyDriveIsReported) {
    Drives drives({{"/dev/sr0", EveryTwoSeconds(3), true}});
    try {
        TCDInfo info;
        ADD_FAILURE() << "a busy drive went unnoticed";
    } catch (const Exception& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), LocalizedText("IDS_CDINFO1"));
    }
    EXPECT_FALSE(TCDInfo::DeviceOpen());
}

TEST(CDInfo, TheDriveStaysOpenUntilTheLastObjectGoes) {
    Drives drives({{"/dev/sr0", EveryTwoSeconds(3)}});
    auto first = std::make_unique<TCDInfo>();
    {
        TCDInfo second;
        EXPECT_EQ(second.GetTrackCount(), 3);
    }
    EXPECT_TRUE(TCDInfo::DeviceOpen());
    EXPECT_EQ(first->GetTrackCount(), 3);
    first.reset();
    EXPECT_FALSE(TCDInfo::DeviceOpen());
}

TEST(CDInfo, NoMoreThan99TracksAreRead) {
    Drives drives({{"/dev/sr0", EveryTwoSeconds(120)}});
    TCDInfo info;
    EXPECT_EQ(info.GetTrackCount(), 99);
    EXPECT_EQ(info.GetDiscIdText().substr(6), "63");
}
