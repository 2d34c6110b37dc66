#include "cd/lookup/TrackTabelleData.h"

#include "foundation/Exceptions.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/Stream.h"
#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <QtCore/QString>

namespace {

std::string Bytes(const TZRTrackTabelleData& data) {
    TMemoryStream stream;
    data.SaveToStream(stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

// A recording at ten device units per millimetre.
struct Drawing {
    Drawing() : canvas(&recording) {
        canvas.SetResolutionX(10);
        canvas.SetResolutionY(10);
        canvas.Font().SetName("Arial");
        canvas.Font().SetSize(10);
    }
    std::vector<gdi::RecordedCall> Lines() const { return Of(gdi::RecordedCall::Op::Line); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const gdi::RecordedCall& call : Of(gdi::RecordedCall::Op::Text))
            texts.push_back(QString::fromStdU16String(call.text).toStdString());
        return texts;
    }
    // The x of the vertical lines, in drawing order.
    std::vector<int32_t> VerticalXs() const {
        std::vector<int32_t> xs;
        for (const gdi::RecordedCall& line : Lines())
            if (line.points.front().x == line.points.back().x) xs.push_back(line.points.front().x);
        return xs;
    }
    std::vector<gdi::RecordedCall> Of(gdi::RecordedCall::Op op) const {
        std::vector<gdi::RecordedCall> calls;
        for (const gdi::RecordedCall& call : recording.Calls())
            if (call.op == op) calls.push_back(call);
        return calls;
    }
    gdi::RecordingCanvas recording;
    TScaleCanvas canvas;
};

TZRTrackTabelleData Tracks(std::initializer_list<std::pair<const char*, const char*>> tracks) {
    TZRTrackTabelleData data;
    for (const auto& [title, duration] : tracks) data.AddTrack(title, duration);
    return data;
}

}  // namespace

TEST(TrackTabelleData, StreamsRoundTripAndAnEmptyTableIsSixBytes) {
    EXPECT_EQ(Bytes(TZRTrackTabelleData()), std::string("\x01\x01\x00\x00\x00\x00", 6));

    TZRTrackTabelleData data = Tracks({{"Ouvert\xFCre", "3:05"}, {"", ""}, {"Finale", "12:40"}});
    data.SetShowNumbers(false);
    TMemoryStream stream;
    data.SaveToStream(stream);
    stream.SetPosition(0);
    TZRTrackTabelleData read = Tracks({{"old", "1:00"}});
    read.LoadFromStream(stream);
    EXPECT_EQ(read, data);
    EXPECT_EQ(read.Count(), 3);
    EXPECT_EQ(read.GetTitle(0), "Ouvert\xFCre");
}

TEST(TrackTabelleData, DamagedStreamsAreRefused) {
    const std::string valid = Bytes(Tracks({{"A", "1:00"}}));
    const std::string cases[] = {
        valid.substr(0, valid.size() - 1),           // cut in the last string
        std::string("\x01\x01\xFF\xFF\xFF\x7F", 6),  // two thousand million tracks in six bytes
        std::string("\x01\x01\xFF\xFF\xFF\xFF", 6),  // a negative count
        std::string("\x01", 1),
    };
    for (const std::string& bytes : cases) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        stream.SetPosition(0);
        TZRTrackTabelleData data;
        EXPECT_THROW(data.LoadFromStream(stream), EReadError) << bytes.size();
    }
}

TEST(TrackTabelleData, CopyFromTakesTracksAndFlags) {
    TZRTrackTabelleData source = Tracks({{"A", "1:00"}, {"B", "2:00"}});
    source.SetShowDurations(false);
    TZRTrackTabelleData copy = Tracks({{"X", "9:99"}});
    copy.CopyFrom(source);
    EXPECT_EQ(copy, source);
    copy.Clear();
    EXPECT_EQ(copy, TZRTrackTabelleData());
}

TEST(TrackTabelleData, AnEmptyTableDrawsOnlyItsBorder) {
    Drawing d;
    TZRTrackTabelleData().DrawTable(d.canvas, 50, 30, 80, 40, 0);
    EXPECT_TRUE(d.Texts().empty());
    // Left border, both inner lines on the borders, right border; top and bottom.
    EXPECT_EQ(d.VerticalXs(), (std::vector<int32_t>{100, 100, 900, 900}));
    EXPECT_EQ(d.Lines().size(), 6u);
}

TEST(TrackTabelleData, ColumnsNumbersTitlesAndTimes) {
    Drawing d;
    Tracks({{"Intro", "0:45"}, {"A title far too long for the column it has to fit into", "12:34"}})
        .DrawTable(d.canvas, 50, 30, 60, 20, 0);
    const std::vector<std::string> texts = d.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "1");
    EXPECT_EQ(texts[1], "Intro");
    EXPECT_EQ(texts[2], "0:45");
    EXPECT_EQ(texts[3], "2");
    EXPECT_EQ(texts[4].substr(texts[4].size() - 3), "...");
    EXPECT_EQ(texts[5], "12:34");
    // The number column and the time column lie inside the borders.
    const std::vector<int32_t> xs = d.VerticalXs();
    ASSERT_EQ(xs.size(), 4u);
    EXPECT_EQ(xs[0], 200);
    EXPECT_GT(xs[1], 200);
    EXPECT_LT(xs[2], 800);
    EXPECT_EQ(xs[3], 800);
    // Two row lines (the first is the top border), the top again and the bottom.
    EXPECT_EQ(d.Lines().size(), 8u);
}

TEST(TrackTabelleData, NarrowAndLowTablesDropColumnsAndTexts) {
    {
        Drawing d;  // narrower than the number and time columns: titles only
        Tracks({{"A", "1:00:00"}}).DrawTable(d.canvas, 50, 30, 4, 20, 0);
        EXPECT_EQ(d.VerticalXs(), (std::vector<int32_t>{480, 480, 520, 520}));
        for (const std::string& text : d.Texts()) EXPECT_NE(text, "1:00:00");
    }
    {
        Drawing d;  // not higher than a line of text: the grid, no text
        Tracks({{"A", "1:00"}}).DrawTable(d.canvas, 50, 30, 60, 1, 0);
        EXPECT_TRUE(d.Texts().empty());
        EXPECT_EQ(d.Lines().size(), 7u);
    }
}

TEST(TrackTabelleData, TheTableTurnsAboutItsCentre) {
    Drawing d;
    TZRTrackTabelleData().DrawTable(d.canvas, 50, 30, 80, 40, 90);
    // The left border from top to bottom becomes a horizontal line through the centre's x range.
    const gdi::RecordedCall left = d.Lines().front();
    EXPECT_EQ(left.points.front().y, left.points.back().y);
    EXPECT_NEAR(std::abs(left.points.front().x - left.points.back().x), 400, 1);
}
