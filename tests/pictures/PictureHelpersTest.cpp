// Picture helpers: preview DIBs of every kind of file, pictures loaded as
// DIBs, JPEG files of bitmaps, and the PNG helpers.
#include "pictures/LoadPNG.h"
#include "pictures/MetaBuilders.h"
#include "pictures/PictureHelpers.h"

#include "foundation/Exceptions.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

using imaging::DibHandle;

namespace {

DibHandle Solid(int32_t w, int32_t h, int bits, gdi::Color c, uint8_t alpha = 255) {
    DibHandle dib = imaging::CreateDIB(w, h, bits);
    for (int32_t row = 0; row < h; ++row)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = dib->Row(row) + x * (bits / 8);
            p[0] = uint8_t(gdi::BlueOf(c)), p[1] = uint8_t(gdi::GreenOf(c)), p[2] = uint8_t(gdi::RedOf(c));
            if (bits == 32) p[3] = alpha;
        }
    return dib;
}

QString Write(const QTemporaryDir& dir, const char* name, const std::vector<uint8_t>& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(imaging::WriteFileBytes(path.toStdString(), bytes));
    return path;
}

}  // namespace

TEST(PictureHelpers, ThumbnailsOfEveryKind) {
    QTemporaryDir dir;
    std::vector<uint8_t> jpeg, bmp, png;
    ASSERT_TRUE(imaging::EncodeJpeg(*Solid(1600, 1200, 24, gdi::Rgb(0, 0, 255)), 80, jpeg));
    ASSERT_TRUE(imaging::EncodePicture(*Solid(100, 50, 24, gdi::Rgb(0, 255, 0)), imaging::PictureFormat::Bmp, bmp));
    ASSERT_TRUE(imaging::EncodePng(*Solid(30, 30, 32, gdi::Rgb(255, 0, 0), 0), true, png));
    const std::vector<uint8_t> wmf =
        metatest::Wmf()
            .Rec(0x020C, {50, 100})
            .Rec(0x02FC, {0, 0x00FF, 0, 0})  // red brush
            .Rec(0x012D, {0})
            .Rec(0x02FA, {5, 0, 0, 0, 0})    // no pen
            .Rec(0x012D, {1})
            .Rec(0x041B, {49, 99, 0, 0})
            .File(0, 0, 100, 50);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int32_t width, height;
        gdi::Color centre;
    };
    const Case cases[] = {
        {"photo.jpg", jpeg, 160, 120, gdi::Rgb(0, 0, 255)},     // decoded at 1/8, then resampled
        {"small.bmp", bmp, 100, 50, gdi::Rgb(0, 255, 0)},       // smaller than the box: as it is
        {"clear.png", png, 30, 30, gdi::Rgb(255, 255, 255)},    // transparent becomes white
        {"clip.wmf", wmf, 160, 80, gdi::Rgb(255, 0, 0)},        // drawn at the fitted size, enlarged
        {"named.jpg", png, 30, 30, gdi::Rgb(255, 255, 255)},    // not a JPEG: loaded by its content
    };
    for (const Case& c : cases) {
        DibHandle thumb = MakeThumbnailDIB(Write(dir, c.name, c.bytes), 160, 120);
        ASSERT_TRUE(thumb) << c.name;
        EXPECT_EQ(thumb->BitCount(), 24) << c.name;
        EXPECT_EQ(thumb->Width(), c.width) << c.name;
        EXPECT_EQ(thumb->Height(), c.height) << c.name;
        const gdi::Color centre = thumb->PixelColor(c.width / 2, c.height / 2);
        for (uint32_t (*channel)(gdi::Color) : {gdi::RedOf, gdi::GreenOf, gdi::BlueOf})
            EXPECT_NEAR(int(channel(centre)), int(channel(c.centre)), 6) << c.name;
    }
    EXPECT_FALSE(MakeThumbnailDIB(Write(dir, "broken.jpg", {0xFF, 0xD8, 0xFF, 0, 1}), 160, 120));
    EXPECT_FALSE(MakeThumbnailDIB(Write(dir, "broken.wmf", {1, 2, 3}), 160, 120));
    EXPECT_FALSE(MakeThumbnailDIB(dir.filePath(QStringLiteral("missing.png")), 160, 120));
    EXPECT_FALSE(MakeThumbnailDIB(Write(dir, "zero.jpg", jpeg), 0, 120));
}

TEST(PictureHelpers, LoadAndSave) {
    QTemporaryDir dir;
    // Half-transparent edges of a PNG turn white and keep their alpha.
    DibHandle edged = Solid(4, 1, 32, gdi::Rgb(0, 0, 0));
    edged->Row32(0)[0] = 0x80000000u;
    std::vector<uint8_t> png;
    ASSERT_TRUE(imaging::EncodePng(*edged, true, png));
    DibHandle loaded = LoadPictureDIB(Write(dir, "edge.png", png));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Row32(0)[0], 0x80FFFFFFu);
    EXPECT_EQ(loaded->Row32(0)[1], 0xFF000000u);
    EXPECT_FALSE(LoadPictureDIB(dir.filePath(QStringLiteral("none.png"))));

    // Saved without alpha and read again: opaque.
    const QString opaque = dir.filePath(QStringLiteral("opaque.png"));
    ASSERT_TRUE(SaveDIBAsPNG(opaque, *edged, false));
    DibHandle back;
    ASSERT_TRUE(LoadImageAsDIB32(opaque, back));
    EXPECT_EQ(back->Row32(0)[0] >> 24, 255u);
    EXPECT_FALSE(SaveDIBAsPNG(dir.filePath(QStringLiteral("no/such/folder.png")), *edged, true));
    EXPECT_FALSE(LoadImageAsDIB32(dir.filePath(QStringLiteral("none.png")), back));
    EXPECT_FALSE(back);

    DibHandle colours = Solid(2, 2, 24, gdi::Rgb(9, 9, 9));
    SetTransparentPixelColor(colours.get(), gdi::Rgb(255, 255, 255));  // no alpha channel: unchanged
    EXPECT_EQ(colours->PixelColor(0, 0), gdi::Rgb(9, 9, 9));

    gdi::Bitmap bitmap(20, 10);
    bitmap.Fill(gdi::Rgb(255, 128, 0));
    const QString jpegName = dir.filePath(QStringLiteral("label.jpg"));
    SaveBitmapAsJpeg(bitmap, jpegName);
    DibHandle jpeg = imaging::ImportPictureFile(jpegName.toStdString());
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Width(), 20);
    try {
        SaveBitmapAsJpeg(bitmap, dir.filePath(QStringLiteral("no/such/folder.jpg")));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Kann jpg nicht speichern");
    }

    gdi::RecordingCanvas canvas;
    EXPECT_TRUE(StretchBitmapToCanvas(canvas, bitmap, 5, 5, 45, 25));
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].rect, (gdi::Rect{5, 5, 45, 25}));
    canvas.Clear();
    EXPECT_FALSE(StretchBitmapToCanvas(canvas, gdi::Bitmap(), 5, 5, 45, 25));  // the caller beeps
    EXPECT_TRUE(canvas.Calls().empty());
}
