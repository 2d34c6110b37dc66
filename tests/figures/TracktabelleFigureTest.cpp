#include "FigureTestSupport.h"

#include "cd/lookup/TrackTabelleData.h"
#include "document/EtikettFiler.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureRecords.h"
#include "figures/Tracktabelle.h"
#include "foundation/FillData.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

void Fill(TTracktabelle& figure) {
    SetGeometry(figure, 40, 30, 60, 24, 30);
    figure.SetFontName("Liberation Serif");
    figure.SetFontSize(9);
    figure.SetFontStyle(fsBold | fsItalic, 0);
    figure.SetFontColor(0x3366CC);
    figure.TrackData->AddTrack("Ouvert\xFCre", "3:05");
    figure.TrackData->AddTrack("", "");
    figure.TrackData->AddTrack("Finale", "12:40");
    figure.TrackData->SetShowNumbers(false);
}

std::vector<uint8_t> TrackStreamOf(const TZRTrackTabelleData& data) {
    TMemoryStream stream;
    data.SaveToStream(stream);
    return stream.Bytes();
}

}  // namespace

TEST(TracktabelleFigure, RecordSnapshotAndCopyCarryFontAndTracks) {
    TTracktabelle figure(nullptr);
    EXPECT_EQ(figure.Kind, TFigureKind::Tracktabelle);
    EXPECT_EQ(figure.Font.Name(), "Arial");
    EXPECT_EQ(figure.Font.Size(), 10);
    Fill(figure);
    const std::vector<uint8_t> bytes = ElementBytes(figure);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], ecTracktabelle);
    // The box's record, the font as tagged values, then the track table's own stream untagged.
    TMemoryStream tailStream;
    TEtikettFiler filer;
    filer.Stream = &tailStream;
    TFontRecord font{"Liberation Serif", 9, 0x3366CC, fsBold | fsItalic};
    font.Write(filer);
    std::vector<uint8_t> tail = tailStream.Bytes();
    const std::vector<uint8_t> tracks = TrackStreamOf(*figure.TrackData);
    tail.insert(tail.end(), tracks.begin(), tracks.end());
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<ptrdiff_t>(tail.size())));

    const std::unique_ptr<TFigure> read = ReadElementBytes(bytes);
    auto* table = dynamic_cast<TTracktabelle*>(read.get());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(*table->TrackData, *figure.TrackData);
    EXPECT_EQ(table->Font.Style(), fsBold | fsItalic);
    EXPECT_EQ(ElementBytes(*table), bytes) << "written, read and written again";

    TTracktabelle fromSnapshot(nullptr);
    LoadSnapshot(fromSnapshot, SnapshotBytes(figure));
    EXPECT_EQ(ElementBytes(fromSnapshot), bytes);
    const std::unique_ptr<TFigure> copy = figure.Clone();
    EXPECT_EQ(ElementBytes(*copy), bytes);
    // A font colour of -1 leaves the colour.
    figure.SetFontColor(0xFFFFFFFFu);
    EXPECT_EQ(figure.Font.Color(), 0x3366CCu);
}

TEST(TracktabelleFigure, ADamagedTrackStreamFailsTheRead) {
    TTracktabelle figure(nullptr);
    Fill(figure);
    std::vector<uint8_t> bytes = ElementBytes(figure);
    bytes.resize(bytes.size() - 3);
    // The document's own read error, which the loaders and the fuzz targets stop at.
    EXPECT_THROW(ReadElementBytes(bytes), EFilerReadError);
}

TEST(TracktabelleFigure, DrawsTheTableInItsFontOverItsFill) {
    TTracktabelle figure(nullptr);
    Fill(figure);
    figure.SetAngle(0);
    figure.Fill->SetKind(1);
    figure.Fill->SetColor(0xEEEEEE);
    gdi::RecordingCanvas recording;
    TScaleCanvas canvas(&recording);
    canvas.SetResolutionX(10);
    canvas.SetResolutionY(10);
    figure.DrawTo(canvas);
    std::vector<std::string> texts;
    bool filled = false;
    for (const gdi::RecordedCall& call : recording.Calls()) {
        if (call.op == gdi::RecordedCall::Op::Polygon) filled = true;
        if (call.op == gdi::RecordedCall::Op::Text) {
            EXPECT_TRUE(filled) << "the fill lies under the text";
            texts.push_back(QString::fromStdU16String(call.text).toStdString());
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Ouvertüre", "3:05", "", "", "Finale", "12:40"}));
    EXPECT_EQ(canvas.Font().Name(), "Liberation Serif");
}

TEST(TracktabelleFigure, TheDialogEditsTheTracksOnlyOnOk) {
    TTracktabelle figure(nullptr);
    Fill(figure);
    const std::vector<uint8_t> before = ElementBytes(figure);
    for (const bool ok : {false, true}) {
        SetTrackTableDialog([ok](TZRTrackTabelleData& tracks) {
            tracks.Clear();
            tracks.AddTrack("New", "1:00");
            return ok;
        });
        // The dialog works on a copy and gives it back only on OK.
        EXPECT_EQ(figure.EditTracks(), ok);
    }
    SetTrackTableDialog(nullptr);
    EXPECT_NE(ElementBytes(figure), before);
    EXPECT_EQ(figure.TrackData->Count(), 1);
}
