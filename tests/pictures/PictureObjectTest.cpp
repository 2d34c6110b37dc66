// The picture object of raster picture figures: alpha mode, hit tests, the
// stream form with its kept file, and the three drawing paths.
#include "pictures/QDXRotate90DIB.h"

#include "foundation/BmpScaleCanvas.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"
#include "support/FakePrinter.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <cstring>

using imaging::DibHandle;

namespace {

constexpr gdi::Color kSix[2][3] = {{gdi::Rgb(255, 0, 0), gdi::Rgb(0, 255, 0), gdi::Rgb(0, 0, 255)},
                                   {gdi::Rgb(0, 255, 255), gdi::Rgb(255, 0, 255), gdi::Rgb(255, 255, 0)}};

uint32_t Bgra(gdi::Color c, uint32_t alpha = 255) {
    return gdi::BlueOf(c) | gdi::GreenOf(c) << 8 | gdi::RedOf(c) << 16 | alpha << 24;
}

// A 32-bit picture; alpha(x, y) gives each pixel's alpha (y from the top).
template <typename Alpha>
DibHandle Picture(int32_t w, int32_t h, Alpha alpha) {
    DibHandle dib = imaging::CreateDIB(w, h, 32);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            reinterpret_cast<uint32_t*>(dib->TopRow(y))[x] = Bgra(kSix[(y / 2) % 2][(x / 2) % 3], alpha(x, y));
    return dib;
}

DibHandle SixColours() {
    DibHandle dib = imaging::CreateDIB(3, 2, 24);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            uint8_t* p = dib->TopRow(y) + 3 * x;
            p[0] = uint8_t(gdi::BlueOf(kSix[y][x])), p[1] = uint8_t(gdi::GreenOf(kSix[y][x])), p[2] = uint8_t(gdi::RedOf(kSix[y][x]));
        }
    return dib;
}

std::vector<uint8_t> StreamOf(TQDXRotate90DIB& picture) {
    TMemoryStream stream;
    picture.SaveToStream(stream);
    return stream.Bytes();
}

std::vector<uint8_t> Framed(const std::string& extension, const std::vector<uint8_t>& bytes, int32_t length = -99) {
    std::vector<uint8_t> out(4);
    const int32_t n = length == -99 ? static_cast<int32_t>(extension.size()) : length;
    std::memcpy(out.data(), &n, 4);
    out.insert(out.end(), extension.begin(), extension.end());
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

// The canvas's pixels that are not white, as a DIB of their box.
DibHandle Ink(const gdi::Bitmap& bitmap) {
    gdi::Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != gdi::Rgb(255, 255, 255)) box = gdi::UnionRect(box.left == INT32_MAX ? gdi::Rect{x, y, x + 1, y + 1} : box, {x, y, x + 1, y + 1});
    if (box.left == INT32_MAX) return nullptr;
    DibHandle dib = imaging::CreateDIB(box.Width(), box.Height(), 24);
    for (int32_t y = 0; y < box.Height(); ++y)
        for (int32_t x = 0; x < box.Width(); ++x) {
            const gdi::Color c = bitmap.Pixel(box.left + x, box.top + y);
            uint8_t* p = dib->TopRow(y) + 3 * x;
            p[0] = uint8_t(gdi::BlueOf(c)), p[1] = uint8_t(gdi::GreenOf(c)), p[2] = uint8_t(gdi::RedOf(c));
        }
    return dib;
}

struct BitmapCanvas {
    TBmpScaleCanvas canvas;  // one unit per millimetre: a millimetre is a pixel
    explicit BitmapCanvas(int32_t w = 20, int32_t h = 20) { canvas.SetSize(w, h); }
    const gdi::Bitmap& Bitmap() { return canvas.Bitmap(); }
};

struct FakePrinterScope {
    gdi::test::FakePrinter* printer;
    explicit FakePrinterScope(int32_t dpi, int32_t bits = 24) {
        gdi::DeviceCaps caps = gdi::test::FakePrinter::A4Caps(dpi, dpi);
        caps.bitsPerPixel = bits;
        auto fake = std::make_unique<gdi::test::FakePrinter>(caps);
        printer = fake.get();
        gdi::SetCurrentPrinter(std::move(fake));
    }
    std::vector<gdi::RecordedCall> Blits() const {
        std::vector<gdi::RecordedCall> out;
        for (const auto& call : printer->Recording().Calls())
            if (call.op == gdi::RecordedCall::Op::StretchBlt) out.push_back(call);
        return out;
    }
};

}  // namespace

TEST(PictureObject, AlphaModeAndHitTests) {
    struct Case {
        const char* name;
        uint32_t (*alpha)(int32_t, int32_t);
        uint8_t mode;
    };
    const Case cases[] = {
        {"all opaque", [](int32_t, int32_t) { return 255u; }, 0},
        {"all transparent", [](int32_t, int32_t) { return 0u; }, 0},
        {"one pixel half", [](int32_t x, int32_t y) { return x == 3 && y == 1 ? 128u : 255u; }, 1},
        {"left half clear", [](int32_t x, int32_t) { return x < 3 ? 0u : 255u; }, 1},
    };
    for (const Case& c : cases) {
        TQDXRotate90DIB picture;
        picture.SetDIB(Picture(6, 4, c.alpha));
        EXPECT_EQ(picture.Mode(), c.mode) << c.name;
        EXPECT_FALSE(picture.HasKeptFile());
    }
    TQDXRotate90DIB picture;
    EXPECT_TRUE(picture.HitTestPixel({-5, -5}));  // no picture: always a hit
    picture.SetDIB(Picture(6, 4, [](int32_t x, int32_t) { return x < 3 ? 254u : 255u; }));
    const struct {
        TPoint p;
        bool hit;
    } hits[] = {{{0, 0}, false}, {{2, 3}, false}, {{3, 0}, true}, {{5, 3}, true}, {{6, 0}, false}, {{0, 4}, false}, {{-1, 2}, false}};
    for (const auto& h : hits) EXPECT_EQ(picture.HitTestPixel(h.p), h.hit) << h.p.x << "," << h.p.y;
    TQDXRotate90DIB opaque;
    opaque.SetDIB(SixColours());
    EXPECT_TRUE(opaque.HitTestPixel({2, 1}));
    EXPECT_FALSE(opaque.HitTestPixel({3, 1}));
    // A 24-bit picture is made 32-bit for the test and keeps opaque.
    EXPECT_EQ(opaque.DIB()->BitCount(), 32);
}

// Alpha counts only for PNG files: a JPEG or BMP is always opaque.
TEST(PictureObject, FilesAndTheirAlpha) {
    QTemporaryDir dir;
    const DibHandle masked = Picture(6, 4, [](int32_t x, int32_t) { return x < 3 ? 0u : 255u; });
    std::vector<uint8_t> png, bmp;
    ASSERT_TRUE(imaging::EncodePng(*masked, true, png));
    ASSERT_TRUE(imaging::EncodePicture(*masked, imaging::PictureFormat::Bmp, bmp));
    const QString pngName = dir.filePath(QStringLiteral("a.PNG")), bmpName = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(imaging::WriteFileBytes(pngName.toStdString(), png));
    ASSERT_TRUE(imaging::WriteFileBytes(bmpName.toStdString(), bmp));
    TQDXRotate90DIB picture;
    picture.LoadFromFile(pngName);
    EXPECT_EQ(picture.Mode(), TQDXRotate90DIB::kModeAlphaMask);
    EXPECT_EQ(picture.Extension(), QStringLiteral(".PNG"));
    EXPECT_EQ(picture.Width(), 6);
    picture.LoadFromFile(bmpName);
    EXPECT_EQ(picture.Mode(), TQDXRotate90DIB::kModeOpaque);
    EXPECT_EQ(picture.Height(), 4);

    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    try {
        picture.LoadFromFile(missing);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(LocalizedText("IDS_CANNOTREADPICT")));
    }
    EXPECT_FALSE(picture.DIB());
    EXPECT_FALSE(picture.HasKeptFile());
}

TEST(PictureObject, StreamRoundTrip) {
    QTemporaryDir dir;
    DibHandle photo = imaging::CreateDIB(16, 8, 24);
    for (uint32_t i = 0; i < photo->RowBytes() * 8; ++i) photo->Bits()[i] = static_cast<uint8_t>(i * 7);
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(imaging::EncodeJpeg(*photo, 80, jpeg));
    const QString jpegName = dir.filePath(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(imaging::WriteFileBytes(jpegName.toStdString(), jpeg));

    TQDXRotate90DIB picture;
    EXPECT_TRUE(StreamOf(picture).empty());  // an empty picture writes nothing
    picture.LoadFromFile(jpegName);
    ASSERT_TRUE(picture.HasKeptFile());
    const QString kept = picture.TempName();
    EXPECT_TRUE(QFile::exists(kept));
    EXPECT_NE(kept, jpegName);
    const std::vector<uint8_t> stored = StreamOf(picture);
    EXPECT_EQ(stored, Framed(".jpg", jpeg));  // the file's own bytes, untouched

    // Read back and written again: still the same bytes.
    TQDXRotate90DIB copy;
    TMemoryStream in(stored);
    copy.LoadFromStream(in);
    EXPECT_EQ(StreamOf(copy), stored);
    EXPECT_NE(copy.TempName(), picture.TempName());

    // Assign copies the picture, not the file: the copy is written as PNG.
    TQDXRotate90DIB assigned;
    assigned.Assign(picture);
    const std::vector<uint8_t> asPng = StreamOf(assigned);
    ASSERT_GT(asPng.size(), 8u);
    EXPECT_EQ(std::string(asPng.begin() + 4, asPng.begin() + 8), ".png");
    DibHandle decoded = imaging::DecodePng(std::span(asPng).subspan(8));
    ASSERT_TRUE(decoded);
    imaging::ConvertDIB(decoded, 24);
    imaging::DibHandle original = imaging::CopyHandle(*picture.DIB());
    imaging::ConvertDIB(original, 24);
    EXPECT_EQ(decoded->Packed(), original->Packed());

    picture.Clear();
    EXPECT_FALSE(QFile::exists(kept));
    EXPECT_EQ(picture.Width(), 0);

    // An empty extension: the bytes tell the format.
    TMemoryStream bare(Framed("", jpeg));
    copy.LoadFromStream(bare);
    EXPECT_EQ(copy.Extension(), QString());
    EXPECT_EQ(copy.Width(), 16);
}

// Lengths and extensions of the stream are checked before anything is made
// of them: no crafted extension reaches the file system.
TEST(PictureObject, MalformedStreamsAreRefused) {
    std::vector<uint8_t> png;
    ASSERT_TRUE(imaging::EncodePng(*SixColours(), false, png));
    const std::vector<std::vector<uint8_t>> bad = {
        Framed("/../x", png),
        Framed(".p/g", png),
        Framed(".jpgjpgjpg", png),          // a dot and nine letters
        Framed(".png", png, 1000),          // longer than the stream
        Framed(".png", png, 0x7FFFFFFF),
        Framed(".pn", png, 2),              // no dot then
        Framed(".png", std::vector<uint8_t>(png.begin(), png.begin() + 40)),
        Framed(".png", {}),
        Framed(".wmf", png),                // no raster picture format
        {1, 0},
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        TQDXRotate90DIB picture;
        TMemoryStream stream(bad[i]);
        EXPECT_THROW(picture.LoadFromStream(stream), Exception) << i;
        EXPECT_FALSE(picture.DIB()) << i;
        EXPECT_TRUE(picture.TempName().isEmpty()) << i;
    }
    EXPECT_TRUE(IsValidPictureExtension(QStringLiteral(".tiff")));
    EXPECT_TRUE(IsValidPictureExtension(QStringLiteral(".abcd1234")));
    EXPECT_FALSE(IsValidPictureExtension(QStringLiteral(".abcd12345")));
    EXPECT_FALSE(IsValidPictureExtension(QStringLiteral("png")));
    EXPECT_FALSE(IsValidPictureExtension(QStringLiteral(".")));
    EXPECT_FALSE(IsValidPictureExtension(QStringLiteral(".jp g")));
}

TEST(PictureObject, KeptFilesAreOwned) {
    QTemporaryDir dir;
    const QString exported = dir.filePath(QStringLiteral("filtered.png"));
    ASSERT_TRUE(ExportDIBToFile(*SixColours(), exported));
    EXPECT_FALSE(ExportDIBToFile(*SixColours(), dir.filePath(QStringLiteral("x.gif"))));
    DibHandle back = imaging::ImportPictureFile(exported.toStdString());
    ASSERT_TRUE(back);
    {
        TQDXRotate90DIB picture;
        picture.SetDIBWithFile(std::move(back), exported);
        EXPECT_TRUE(picture.HasKeptFile());
        EXPECT_EQ(picture.Extension(), QStringLiteral(".png"));
        const std::vector<uint8_t> stored = StreamOf(picture);
        EXPECT_EQ(std::string(stored.begin() + 4, stored.begin() + 8), ".png");
    }
    EXPECT_FALSE(QFile::exists(exported));  // the object deleted what it owned
}

// The screen path: the picture turned by quarter turns pixel by pixel is
// exactly the DIB module's turned picture.
TEST(PictureObject, GoldenPictureAtQuarterTurns) {
    for (int32_t angle : {0, 90, 180, 270}) {
        BitmapCanvas target;
        TQDXRotate90DIB picture;
        picture.SetDIB(SixColours());
        picture.DrawTo(target.canvas, angle, 10, 10, 3, 2);
        const DibHandle ink = Ink(target.Bitmap());
        ASSERT_TRUE(ink) << angle;
        const DibHandle expected = imaging::RotateDIB(*SixColours(), -10 * angle, 0);
        EXPECT_EQ(ink->Packed(), expected->Packed()) << angle;
    }
}

// A 24-bit picture (every JPEG) is drawn from its own rows: the same
// pixels as its 32-bit form, on the screen and on a device, and the picture
// stays as small as it was.
TEST(PictureObject, TwentyFourBitPicturesDrawAsTheir32BitForm) {
    QTemporaryDir dir;
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(imaging::EncodePicture(*SixColours(), imaging::PictureFormat::Bmp, bmp));
    const QString bmpName = dir.filePath(QStringLiteral("six.bmp"));
    ASSERT_TRUE(imaging::WriteFileBytes(bmpName.toStdString(), bmp));
    TQDXRotate90DIB own;
    own.LoadFromFile(bmpName);
    ASSERT_EQ(own.DIB()->BitCount(), 24);
    TQDXRotate90DIB converted;
    converted.SetDIB(SixColours());
    ASSERT_EQ(converted.DIB()->BitCount(), 32);
    for (int32_t angle : {0, 33, 90, 180, 251}) {
        BitmapCanvas a, b;
        own.DrawTo(a.canvas, angle, 10, 10, 9, 6);
        converted.DrawTo(b.canvas, angle, 10, 10, 9, 6);
        EXPECT_EQ(Ink(a.Bitmap())->Packed(), Ink(b.Bitmap())->Packed()) << angle;
    }
    for (int32_t angle : {45, 90}) {
        std::vector<std::vector<gdi::Color>> rows[2];
        for (int which = 0; which < 2; ++which) {
            FakePrinterScope fake(600);
            TScaleCanvas canvas(&fake.printer->GetCanvas());
            canvas.Reset(kResetPrinter);
            (which == 0 ? own : converted).DrawTo(canvas, angle, 50, 50, 9, 6);
            for (const auto& blit : fake.Blits()) {
                std::vector<gdi::Color> row;
                for (int32_t y = 0; y < blit.bitmap->Height(); ++y)
                    for (int32_t x = 0; x < blit.bitmap->Width(); ++x) row.push_back(blit.bitmap->Pixel(x, y));
                rows[which].push_back(row);
            }
        }
        EXPECT_FALSE(rows[0].empty()) << angle;
        EXPECT_EQ(rows[0], rows[1]) << angle;
    }
    EXPECT_EQ(own.DIB()->BitCount(), 24);
}

// A picture of more pixels than the screen needs is read smaller (here above
// 1000 pixels): it keeps its size, its file and its alpha, draws in the same
// place, and a printer that needs more of it gets them read again.
TEST(PictureObject, LargePicturesAreReadSmallerAndReadAgainForPrinting) {
    struct LimitScope {
        int64_t saved = TQDXRotate90DIB::WorkingPixelLimit();
        LimitScope() { TQDXRotate90DIB::SetWorkingPixelLimit(1000); }
        ~LimitScope() { TQDXRotate90DIB::SetWorkingPixelLimit(saved); }
    } limit;
    DibHandle photo = imaging::CreateDIB(160, 120, 24);
    for (int32_t y = 0; y < 120; ++y)
        for (int32_t x = 0; x < 160; ++x) {
            uint8_t* p = photo->TopRow(y) + 3 * x;
            p[0] = uint8_t(x), p[1] = uint8_t(y * 2), p[2] = uint8_t(x < 80 ? 250 : 10);
        }
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(imaging::EncodeJpeg(*photo, 90, jpeg));
    TQDXRotate90DIB picture;
    TMemoryStream stream(Framed(".jpg", jpeg));
    picture.LoadFromStream(stream);
    EXPECT_TRUE(picture.IsReduced());
    EXPECT_EQ(picture.DIB()->Width(), 20);  // 1/8: 1/4 would still be 1200 pixels
    EXPECT_EQ(picture.Width(), 160);
    EXPECT_EQ(picture.Height(), 120);
    EXPECT_EQ(StreamOf(picture), Framed(".jpg", jpeg));
    EXPECT_TRUE(picture.HitTestPixel({159, 119}));
    EXPECT_FALSE(picture.HitTestPixel({160, 0}));

    // The copy keeps the file, so that it is saved whole too.
    TQDXRotate90DIB copy;
    copy.Assign(picture);
    EXPECT_EQ(copy.Width(), 160);
    EXPECT_EQ(StreamOf(copy), Framed(".jpg", jpeg));

    // On the screen it covers what the whole picture covers.
    BitmapCanvas small(60, 60), whole(60, 60);
    picture.DrawTo(small.canvas, 0, 30, 30, 40, 30);
    TQDXRotate90DIB full;
    full.SetDIB(imaging::DecodeJpeg(jpeg, 1));
    full.DrawTo(whole.canvas, 0, 30, 30, 40, 30);
    EXPECT_EQ(Ink(small.Bitmap())->Width(), Ink(whole.Bitmap())->Width());
    EXPECT_EQ(Ink(small.Bitmap())->Height(), Ink(whole.Bitmap())->Height());

    // A 300-dpi printer draws 40 mm with 472 pixels: the whole picture's 160.
    for (int32_t angle : {0, 30}) {
        FakePrinterScope fake(300);
        TScaleCanvas canvas(&fake.printer->GetCanvas());
        canvas.Reset(kResetPrinter);
        picture.DrawTo(canvas, angle, 50, 50, 40, 30);
        const auto blits = fake.Blits();
        ASSERT_FALSE(blits.empty()) << angle;
        if (angle == 0) {
            EXPECT_EQ(blits[0].bitmap->Width(), 160);
        } else {
            // Rows of single device pixels: neighbours differ where the whole picture does.
            int32_t changes = 0;
            const gdi::Bitmap& row = *blits[blits.size() / 2].bitmap;
            for (int32_t x = 1; x < row.Width(); ++x) changes += row.Pixel(x, 0) != row.Pixel(x - 1, 0);
            EXPECT_GT(changes, 60) << angle;
        }
    }
    // A small print needs no more than the screen's reading.
    FakePrinterScope fake(300);
    TScaleCanvas canvas(&fake.printer->GetCanvas());
    canvas.Reset(kResetPrinter);
    picture.DrawTo(canvas, 0, 50, 50, 1.5f, 1);
    ASSERT_EQ(fake.Blits().size(), 1u);
    EXPECT_LE(fake.Blits()[0].bitmap->Width(), 20);

    // A PNG whose alpha differs in one pixel only stays a mask though read smaller.
    DibHandle masked = Picture(64, 48, [](int32_t x, int32_t y) { return x == 5 && y == 7 ? 254u : 255u; });
    std::vector<uint8_t> png;
    ASSERT_TRUE(imaging::EncodePng(*masked, true, png));
    TMemoryStream pngStream(Framed(".png", png));
    picture.LoadFromStream(pngStream);
    EXPECT_TRUE(picture.IsReduced());
    EXPECT_EQ(picture.Mode(), TQDXRotate90DIB::kModeAlphaMask);
    EXPECT_EQ(picture.DIB()->BitCount(), 32);
    EXPECT_EQ(StreamOf(picture), Framed(".png", png));
}

TEST(PictureObject, BitmapPathCornerCases) {
    // One pixel fills the whole rectangle.
    BitmapCanvas target;
    TQDXRotate90DIB dot;
    DibHandle red = imaging::CreateDIB(1, 1, 24);
    red->Bits()[2] = 255;
    dot.SetDIB(std::move(red));
    dot.DrawTo(target.canvas, 0, 10, 10, 5, 4);
    int32_t reds = 0;
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x) reds += target.Bitmap().Pixel(x, y) == gdi::Rgb(255, 0, 0);
    EXPECT_EQ(reds, 20);
    // No size draws nothing.
    BitmapCanvas empty;
    dot.DrawTo(empty.canvas, 0, 10, 10, 0, 4);
    dot.DrawTo(empty.canvas, 30, 10, 10, 5, 0);
    dot.DrawTo(empty.canvas, 0, 10, 10, 0.2f, 4);  // less than a pixel wide
    EXPECT_FALSE(Ink(empty.Bitmap()));
    // A mask paints only its opaque pixels; a clip region keeps the rest untouched.
    BitmapCanvas masked;
    TQDXRotate90DIB half;
    half.SetDIB(Picture(6, 4, [](int32_t x, int32_t) { return x < 3 ? 0u : 255u; }));
    const gdi::Region clip = gdi::Region::FromRect({0, 0, 20, 9});
    masked.canvas.Canvas().SelectClipRgn(&clip);
    half.DrawTo(masked.canvas, 0, 10, 10, 6, 4);
    const DibHandle ink = Ink(masked.Bitmap());
    ASSERT_TRUE(ink);
    EXPECT_EQ(ink->Width(), 3);
    EXPECT_EQ(ink->Height(), 1);  // rows 8 only: row 9 and below are clipped
    // A picture hundreds of times larger than its drawing still maps back right.
    BitmapCanvas tiny;
    TQDXRotate90DIB large;
    large.SetDIB(Picture(1500, 1000, [](int32_t, int32_t) { return 255u; }));
    large.DrawTo(tiny.canvas, 0, 10, 10, 6, 4);
    EXPECT_EQ(Ink(tiny.Bitmap())->Width(), 6);
}

// On a device: reduced to at most 360 dpi, one blit per row k pixels tall
// (turned), or one blit of the pre-turned picture (quarter turns).
TEST(PictureObject, DevicePathsByAngleAndResolution) {
    struct Case {
        int32_t dpi;
        int32_t angle;
        bool masked;
        int32_t k;   // row height; 0: one blit
    };
    const Case cases[] = {{300, 45, false, 1}, {600, 45, false, 2}, {720, 30, false, 2}, {1200, 30, false, 4},
                          {600, 0, false, 0},  {600, 90, false, 0}, {300, 270, false, 0}, {600, 90, true, 2},
                          {600, 0, true, 2}};
    for (const Case& c : cases) {
        FakePrinterScope fake(c.dpi);
        TScaleCanvas canvas(&fake.printer->GetCanvas());
        canvas.Reset(kResetPrinter);
        TQDXRotate90DIB picture;
        picture.SetDIB(Picture(40, 20, [&c](int32_t x, int32_t) { return c.masked && x == 0 ? 0u : 255u; }));
        picture.DrawTo(canvas, c.angle, 50, 50, 20, 10);
        const auto blits = fake.Blits();
        const std::string name = std::to_string(c.dpi) + " dpi at " + std::to_string(c.angle);
        ASSERT_FALSE(blits.empty()) << name;
        EXPECT_EQ(canvas.Zoom, 1.0f) << name;
        if (c.k == 0) {
            ASSERT_EQ(blits.size(), 1u) << name;
            const bool upright = c.angle % 180 == 0;
            EXPECT_EQ(blits[0].bitmap->Width(), upright ? 40 : 20) << name;
            EXPECT_NEAR(blits[0].rect.Width(), canvas.MMToPixel(upright ? 20 : 10), 1) << name;
            continue;
        }
        EXPECT_GT(blits.size(), 10u) << name;
        for (const auto& blit : blits) {
            EXPECT_EQ(blit.rect.Height(), c.k) << name;
            EXPECT_EQ(blit.bitmap->Height(), 1) << name;
            EXPECT_EQ(blit.rect.Width(), c.k * blit.bitmap->Width()) << name;
        }
    }
}

TEST(PictureObject, DeviceGreyAndPageLimits) {
    FakePrinterScope fake(300, 1);  // a printer without colour
    TScaleCanvas canvas(&fake.printer->GetCanvas());
    canvas.Reset(kResetPrinter);
    TQDXRotate90DIB picture;
    picture.SetDIB(SixColours());
    for (int32_t angle : {0, 45}) {
        fake.printer->Recording().Clear();
        picture.DrawTo(canvas, angle, 50, 50, 30, 20);
        for (const auto& blit : fake.Blits())
            for (int32_t x = 0; x < blit.bitmap->Width(); ++x) {
                const gdi::Color c = blit.bitmap->Pixel(x, 0);
                EXPECT_TRUE(gdi::RedOf(c) == gdi::GreenOf(c) && gdi::GreenOf(c) == gdi::BlueOf(c)) << angle;
            }
    }
    // Wholly off the page: nothing drawn, and the scale stays for what follows.
    fake.printer->Recording().Clear();
    picture.DrawTo(canvas, 45, -400, 50, 30, 20);
    EXPECT_TRUE(fake.Blits().empty());
    EXPECT_EQ(canvas.Zoom, 1.0f);
    // A target of no device pixels draws nothing on the quarter-turn path either.
    picture.DrawTo(canvas, 90, 50, 50, 0.01f, 20);
    EXPECT_TRUE(fake.Blits().empty());
}
