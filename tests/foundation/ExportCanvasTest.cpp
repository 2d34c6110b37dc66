#include "foundation/ExportCanvas.h"
#include "foundation/Exceptions.h"
#include "platform/gdi/MetafileWriter.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace {

// The number of records of one kind in a placeable WMF file.
int CountWmfRecords(const QString& fileName, uint16_t function) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray b = file.readAll();
    auto u16 = [&b](qsizetype at) { return static_cast<uint16_t>(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8)); };
    int count = 0;
    for (qsizetype at = 40; at + 6 <= b.size();) {
        const uint32_t words = u16(at) | (static_cast<uint32_t>(u16(at + 2)) << 16);
        if (words < 3) return -1;
        if (u16(at + 4) == function) ++count;
        at += static_cast<qsizetype>(words) * 2;
    }
    return count;
}

TEST(ExportCanvas, TargetsAreSizedForTheSelection) {
    const gdi::Rect selection{37, 12, 137, 62};  // 100 x 50 device pixels

    gdi::Metafile metafile;
    {
        TExportWMFCanvas target(metafile);
        target.PlaceExtent(selection);
        EXPECT_EQ(target.Width(), 101);
        EXPECT_EQ(target.Height(), 51);
        EXPECT_EQ(target.ScaleCanvas().PhysicalOffsetX, 37);
        EXPECT_EQ(target.ScaleCanvas().PhysicalOffsetY, 12);
    }
    EXPECT_EQ(metafile.Width(), 101);
    EXPECT_EQ(metafile.Height(), 51);

    gdi::BitmapCanvas bitmap;
    TExportBMPCanvas target(bitmap);
    target.PlaceExtent(selection);
    EXPECT_EQ(bitmap.bitmap().Width(), 102);
    EXPECT_EQ(bitmap.bitmap().Height(), 52);
    EXPECT_EQ(target.Width(), 102);
}

// A figure at the top-left of the selection lands at device (0, 0).
TEST(ExportCanvas, TheSelectionsCornerIsTheOrigin) {
    gdi::BitmapCanvas bitmap;
    TExportBMPCanvas bmpTarget(bitmap);
    gdi::Metafile metafile;
    TExportWMFCanvas wmfTarget(metafile);
    for (TExportCanvas* target : {static_cast<TExportCanvas*>(&bmpTarget), static_cast<TExportCanvas*>(&wmfTarget)}) {
        TScaleCanvas& sc = target->ScaleCanvas();
        const gdi::Rect extent{sc.MMToPixelX(10), sc.MMToPixelY(5), sc.MMToPixelX(40), sc.MMToPixelY(20)};
        target->PlaceExtent(extent);
        sc.Pen().color = gdi::Rgb(255, 0, 0);
        sc.Brush().style = gdi::BrushStyle::Null;
        sc.Rectangle(10, 5, 40, 20);
    }
    EXPECT_EQ(bitmap.bitmap().Pixel(0, 0), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(bitmap.bitmap().Pixel(1, 1), gdi::Rgb(255, 255, 255));
    EXPECT_EQ(bitmap.bitmap().Pixel(bmpTarget.Width() - 2, bmpTarget.Height() - 2), gdi::Rgb(255, 0, 0));

    const auto& calls = static_cast<gdi::RecordingCanvas*>(wmfTarget.GetCanvas())->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points.front(), (gdi::Point{0, 0}));
    EXPECT_EQ(calls[0].points[2], (gdi::Point{wmfTarget.Width() - 1, wmfTarget.Height() - 1}));
}

// Saving completes the picture, and drawing afterwards goes into a live
// recording: the next save and the metafile left behind hold both figures.
TEST(ExportCanvas, DrawingAfterSavingIsKept) {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.wmf"));
    const QString second = dir.filePath(QStringLiteral("second.wmf"));
    gdi::Metafile metafile;
    {
        TExportWMFCanvas target(metafile);
        target.PlaceExtent({0, 0, 100, 50});
        target.ScaleCanvas().Rectangle(1, 1, 10, 10);
        target.SaveToFile(first);
        target.ScaleCanvas().Rectangle(2, 2, 12, 12);
        target.SaveToFile(second);
        target.ScaleCanvas().Rectangle(3, 3, 13, 13);
    }
    EXPECT_EQ(CountWmfRecords(first, gdi::wmf::META_POLYGON), 1);
    EXPECT_EQ(CountWmfRecords(second, gdi::wmf::META_POLYGON), 2);
    EXPECT_EQ(metafile.Calls().size(), 3u);
}

// Text reaches the metafile through the program's Windows-1252 codec.
TEST(ExportCanvas, MetafileTextIsWindows1252) {
    gdi::Metafile metafile;
    {
        TExportWMFCanvas target(metafile);
        target.PlaceExtent({0, 0, 100, 50});
        target.ScaleCanvas().TextOut("Preis: 5 \x80", 1, 1);
    }
    const std::vector<uint8_t> bytes = metafile.WmfBytes();
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("Preis: 5 \x80"), std::string::npos);
}

TEST(ExportCanvas, AFileThatCannotBeWrittenRaises) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing/export.wmf"));
    gdi::Metafile metafile;
    TExportWMFCanvas wmfTarget(metafile);
    EXPECT_THROW(wmfTarget.SaveToFile(missing), EFCreateError);
    gdi::BitmapCanvas bitmap(10, 10);
    TExportBMPCanvas bmpTarget(bitmap);
    EXPECT_THROW(bmpTarget.SaveToFile(missing), EFCreateError);
    const QString written = dir.filePath(QStringLiteral("export.bmp"));
    bmpTarget.SaveToFile(written);
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
}

TEST(ExportCanvas, LabelFaceColour) {
    EXPECT_EQ(LabelFaceColor, 0xE2F3E6u);
}

}  // namespace
