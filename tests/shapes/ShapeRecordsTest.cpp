// The stored forms of shapes and outlines: the adjust-handle record, the
// contour-list stream and the poly-polygon set.
#include "shapes/HotTrackData.h"
#include "shapes/KonturList.h"
#include "shapes/PolyPolygonData.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "foundation/ZRRegIniFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

TEST(HotTrackRecord, RoundTripsAndRefusesBadCounts) {
    THotTrackData data;
    data.Count = 2;
    data.Entries[0] = {1, 0.3f, 0, 0.45f, 60, 0, 360};
    data.Entries[7] = {0, -1, -2, -3, -4, -5, -6};  // unused entries travel too
    TMemoryStream stream;
    WriteHotTrackData(stream, data);
    ASSERT_EQ(stream.Size(), 228);
    stream.SetPosition(0);
    THotTrackData back;
    ReadHotTrackData(stream, back);
    EXPECT_EQ(back.Count, 2);
    EXPECT_EQ(back.Entries[0].Mode, 1);
    EXPECT_FLOAT_EQ(back.Entries[0].Value2, 60);
    EXPECT_FLOAT_EQ(back.Entries[7].Max2, -6);

    for (const int32_t count : {-1, 9, 0x7FFFFFFF}) {
        std::vector<uint8_t> bytes = stream.Bytes();
        std::memcpy(bytes.data(), &count, 4);
        TMemoryStream bad(bytes);
        THotTrackData kept = back;
        EXPECT_THROW(ReadHotTrackData(bad, kept), EReadError) << count;
        EXPECT_EQ(kept.Count, 2);
    }
    TMemoryStream shortRecord(std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().begin() + 200));
    EXPECT_THROW(ReadHotTrackData(shortRecord, back), EReadError);
}

TEST(HotTrackRecord, IniFormRoundsToTwoDecimalsTiesToEven) {
    QTemporaryDir dir;
    TZRRegIniFile ini(dir.filePath("export.ini"));
    THotTrackData data;
    data.Count = 1;
    data.Entries[0] = {0, 0.125f, 0.135f, 0.5f, -0.25f, -0.5f, 0};
    WriteHotTrackDataToIni(ini, "Figur1", data);
    EXPECT_EQ(ini.ReadInteger("Figur1", "HotTrackDataAnzahl", -1), 1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Figur1", "HotTrackData0XValue", 9), 0.12);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Figur1", "HotTrackData0XMin", 9), 0.14);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Figur1", "HotTrackData0YMin", 9), -0.5);
    EXPECT_FALSE(ini.ValueExists("Figur1", "HotTrackData1XValue"));
}

TEST(KonturStream, RoundTripsAllStrokeKindsAndRefusesOversizedCounts) {
    TKonturList list;
    TKontur& k = list.AddKontur();
    k.MoveTo(1, 2);
    k.LineTo(3, 4);
    k.QuadTo(5, 6, 7, 8);
    k.CubicTo(9, 10, 11, 12, 13, 14);
    list.AddKontur();
    TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 4 + 4 + 4 * 28 + 4);
    stream.SetPosition(0);
    TKonturList back;
    back.LoadFromStream(stream);
    ASSERT_EQ(back.Count(), 2);
    ASSERT_EQ(back.Items(0).Count(), 4);
    EXPECT_EQ(back.Items(0).Strokes(3).Kind, kStrokeCubic);
    EXPECT_FLOAT_EQ(back.Items(0).Strokes(3).Points[2].Y, 14);
    EXPECT_EQ(back.Items(1).Count(), 0);

    TMemoryStream empty;
    TKonturList().SaveToStream(empty);
    EXPECT_EQ(empty.Size(), 4);

    for (const auto& [contours, strokes] : {std::pair{1000000, 0}, std::pair{1, 1000000}, std::pair{-1, 0}}) {
        TMemoryStream bad;
        StreamWriteInt(bad, contours);
        StreamWriteInt(bad, strokes);
        bad.SetPosition(0);
        EXPECT_THROW(back.LoadFromStream(bad), EReadError);
        EXPECT_EQ(back.Count(), 0);
    }
}

TEST(KonturList, NormalizeStretchesIntoTheUnitSquare) {
    TKonturList list;
    TKontur& k = list.AddKontur();
    k.MoveTo(10, 20);
    k.QuadTo(30, 20, 30, 60);
    list.Normalize();
    EXPECT_FLOAT_EQ(list.Items(0).Strokes(1).Points[0].X, 1);
    EXPECT_FLOAT_EQ(list.Items(0).Strokes(1).Points[1].Y, 1);
    TKonturList line;
    line.AddKontur().MoveTo(5, 0);
    line.Items(0).LineTo(5, 10);
    line.Normalize();  // zero width divides by 1
    EXPECT_FLOAT_EQ(line.Items(0).Strokes(1).Points[0].X, 0);
}

TEST(PolyPolygonData, RegionsAndHitTests) {
    TPolyPolygonData set;
    EXPECT_FALSE(set.CreateRegion());
    EXPECT_FALSE(set.CreateUnionRegion());
    EXPECT_FALSE(set.HitTest(0, 0, 5, false));
    for (const int offset : {0, 10}) {
        for (const TPoint& p : {TPoint{offset, 0}, TPoint{offset + 20, 0}, TPoint{offset + 20, 20}, TPoint{offset, 20}})
            set.AddPoint(p.x, p.y);
        set.ClosePolygon();
    }
    EXPECT_FALSE(set.CreateRegion()->Contains(15, 10));      // the overlap, alternate rule
    EXPECT_TRUE(set.CreateUnionRegion()->Contains(15, 10));  // the union keeps it
    EXPECT_TRUE(set.HitTest(5, 10, 2, false));
    EXPECT_TRUE(set.HitTest(31, 10, 3, false));       // just outside, near the edge
    EXPECT_FALSE(set.HitTest(1, 10, 2, true));        // the closing edge is not an outline
    EXPECT_TRUE(set.HitTest(10, 1, 2, true));
}
