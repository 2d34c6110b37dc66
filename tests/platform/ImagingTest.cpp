// The DIB module and its codecs: layout, conversions, turning, scaling and
// greying, DIBs of outside bytes, and pictures in and out of every format.
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/imaging/Dib.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <algorithm>
#include <cstring>

#include <png.h>

using namespace imaging;

namespace {

// The six colours of the golden picture, rows from the top: red green blue / cyan magenta yellow.
constexpr gdi::Color kSix[2][3] = {{gdi::Rgb(255, 0, 0), gdi::Rgb(0, 255, 0), gdi::Rgb(0, 0, 255)},
                                   {gdi::Rgb(0, 255, 255), gdi::Rgb(255, 0, 255), gdi::Rgb(255, 255, 0)}};

void SetTop(Dib& dib, int32_t x, int32_t y, gdi::Color c, uint8_t alpha = 255) {
    uint8_t* p = dib.TopRow(y) + x * (dib.BitCount() / 8);
    p[0] = static_cast<uint8_t>(gdi::BlueOf(c));
    p[1] = static_cast<uint8_t>(gdi::GreenOf(c));
    p[2] = static_cast<uint8_t>(gdi::RedOf(c));
    if (dib.BitCount() == 32) p[3] = alpha;
}

gdi::Color Top(const Dib& dib, int32_t x, int32_t y) { return dib.PixelColor(x, dib.Height() - 1 - y); }

DibHandle SixColours(int32_t bits = 24) {
    DibHandle dib = CreateDIB(3, 2, bits);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) SetTop(*dib, x, y, kSix[y][x]);
    return dib;
}

// Little-endian writer for hand-made DIB headers.
struct Bytes {
    std::vector<uint8_t> v;
    void U16(uint32_t x) { v.push_back(uint8_t(x)), v.push_back(uint8_t(x >> 8)); }
    void U32(uint32_t x) { U16(x & 0xFFFF), U16(x >> 16); }
    void Header(int32_t w, int32_t h, int bits, uint32_t compression = BI_RGB, uint32_t used = 0) {
        U32(40), U32(uint32_t(w)), U32(uint32_t(h)), U16(1), U16(uint32_t(bits)), U32(compression), U32(0), U32(0),
            U32(0), U32(used), U32(0);
    }
};

std::vector<uint8_t> QtBytes(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return {data.begin(), data.end()};
}

// The golden picture as a GIF of our own making (Qt writes no GIF): a
// global table of the six colours and one uncompressed LZW run of 4-bit
// codes: clear, the six indices, end.
std::vector<uint8_t> SixGif() {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0xF2, 0, 0};
    for (const gdi::Color c : {kSix[0][0], kSix[0][1], kSix[0][2], kSix[1][0], kSix[1][1], kSix[1][2], 0u, 0u}) {
        gif.push_back(uint8_t(gdi::RedOf(c)));
        gif.push_back(uint8_t(gdi::GreenOf(c)));
        gif.push_back(uint8_t(gdi::BlueOf(c)));
    }
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0, 3, 4, 0x08, 0x21, 0x43, 0x95, 0, 0x3B});
    return gif;
}

// A 32-bit picture as an interlaced RGBA PNG (Qt writes none).
std::vector<uint8_t> InterlacedPng(const Dib& dib) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t n) {
            auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(dib.Width()), png_uint_32(dib.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_bgr(png);
    std::vector<png_bytep> rows;
    for (int32_t y = 0; y < dib.Height(); ++y) rows.push_back(const_cast<uint8_t*>(dib.TopRow(y)));
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_BGR, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

QImage SixImage() {
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, qRgb(gdi::RedOf(kSix[y][x]), gdi::GreenOf(kSix[y][x]), gdi::BlueOf(kSix[y][x])));
    return image;
}

}  // namespace

TEST(Dib, PackedLayoutAndLimits) {
    DibHandle dib = CreateDIB(3, 2, 24);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->RowBytes(), 12u);  // 9 bytes padded to 12
    EXPECT_EQ(dib->BlockSize(), 40u + 24u);
    BitmapInfoHeader h;
    ASSERT_TRUE(DIBInfo(dib.get(), h));
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 3);
    EXPECT_EQ(h.height, 2);
    EXPECT_EQ(h.bitCount, 24);
    EXPECT_FALSE(DIBInfo(nullptr, h));
    // Memory row 0 is the bottom row.
    SetTop(*dib, 0, 0, gdi::Rgb(1, 2, 3));
    EXPECT_EQ(dib->Row(1), dib->TopRow(0));
    EXPECT_EQ(dib->PixelColor(0, 1), gdi::Rgb(1, 2, 3));

    DibHandle mono = CreateDIB(9, 1, 1);
    EXPECT_EQ(mono->RowBytes(), 4u);
    EXPECT_EQ(mono->ColorCount(), 2u);
    EXPECT_EQ(mono->BlockSize(), 40u + 8u + 4u);

    EXPECT_FALSE(CreateDIB(0, 5, 24));
    EXPECT_FALSE(CreateDIB(5, -1, 32));
    EXPECT_FALSE(CreateDIB(5, 5, 16));
    const int64_t limit = PixelLimit();
    SetPixelLimit(100);
    EXPECT_FALSE(CreateDIB(11, 10, 32));
    EXPECT_TRUE(CreateDIB(10, 10, 32));
    SetPixelLimit(limit);
    DIBFree(dib);
    EXPECT_FALSE(dib);
}

// A 2 x 2 picture of every depth (rows bottom-up: blue, white / red, black)
// reads and converts to the same colours at 24 and 32 bits.
TEST(Dib, EveryDepthConvertsTo24And32) {
    const gdi::Color expected[2][2] = {{gdi::Rgb(255, 0, 0), gdi::Rgb(0, 0, 0)},           // top row
                                       {gdi::Rgb(0, 0, 255), gdi::Rgb(255, 255, 255)}};  // bottom row
    struct Case {
        int bits;
        uint32_t compression;
        std::vector<uint32_t> table;       // colour table or bit masks
        std::vector<uint8_t> bottom, top;  // one row each, unpadded
    };
    const std::vector<Case> cases = {
        {1, BI_RGB, {0x000000, 0xFFFFFF}, {0x40}, {0x00}},  // 1-bit cannot hold four colours: grey cases below
        {4, BI_RGB, {0x0000FF, 0xFFFFFF, 0xFF0000, 0x000000}, {0x01}, {0x23}},
        {8, BI_RGB, {0x0000FF, 0xFFFFFF, 0xFF0000, 0x000000}, {0, 1}, {2, 3}},
        {16, BI_RGB, {}, {0x1F, 0x00, 0xFF, 0x7F}, {0x00, 0x7C, 0x00, 0x00}},
        {16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00, 0xFF, 0xFF}, {0x00, 0xF8, 0x00, 0x00}},
        {24, BI_RGB, {}, {0xFF, 0, 0, 0xFF, 0xFF, 0xFF}, {0, 0, 0xFF, 0, 0, 0}},
        {32, BI_RGB, {}, {0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}, {0, 0, 0xFF, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Bytes b;
        b.Header(2, 2, c.bits, c.compression, c.bits <= 8 ? uint32_t(c.table.size()) : 0);
        for (uint32_t entry : c.table) b.U32(entry);
        const uint32_t row = RowBytesFor(2, c.bits);
        for (const auto* line : {&c.bottom, &c.top}) {
            std::vector<uint8_t> padded(*line);
            padded.resize(row, 0);
            b.v.insert(b.v.end(), padded.begin(), padded.end());
        }
        DibHandle dib = DibFromPacked(b.v);
        ASSERT_TRUE(dib) << c.bits;
        for (int bits : {24, 32}) {
            DibHandle converted = CopyHandle(*dib);
            ASSERT_TRUE(ConvertDIB(converted, bits));
            EXPECT_EQ(converted->BitCount(), bits);
            if (c.bits == 1) {
                EXPECT_EQ(Top(*converted, 0, 1), gdi::Rgb(0, 0, 0));
                EXPECT_EQ(Top(*converted, 1, 1), gdi::Rgb(255, 255, 255));
                continue;
            }
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x) EXPECT_EQ(Top(*converted, x, y), expected[y][x]) << c.bits << " " << x << y;
        }
    }
    DibHandle dib = CreateDIB(1, 1, 24);
    EXPECT_FALSE(ConvertDIB(dib, 16));
    EXPECT_EQ(dib->BitCount(), 24);
}

TEST(Dib, OutsideBytesAreCheckedBeforeUse) {
    auto dib = [](int32_t w, int32_t h, int bits, uint32_t used, size_t bitsBytes, uint32_t compression = BI_RGB) {
        Bytes b;
        b.Header(w, h, bits, compression, used);
        b.v.resize(b.v.size() + 4 * (bits <= 8 ? (used ? used : 1u << bits) : 0) + bitsBytes, 0);
        return DibFromPacked(b.v);
    };
    EXPECT_TRUE(dib(3, 2, 24, 0, 24));
    EXPECT_FALSE(dib(3, 2, 24, 0, 23));                  // one byte of pixels short
    EXPECT_FALSE(dib(1 << 20, 1 << 20, 24, 0, 16));      // a huge size claimed by a few bytes
    EXPECT_FALSE(dib(3, 2, 8, 257, 16));                 // more colours than the depth has
    EXPECT_FALSE(dib(3, 2, 8, 0, 16, BI_RLE8));          // run-length coding is not read
    EXPECT_FALSE(dib(3, 2, 12, 0, 24));
    EXPECT_FALSE(DibFromPacked(std::vector<uint8_t>(39, 0)));
    // A top-down DIB (negative height) is turned the right way up.
    Bytes b;
    b.Header(1, -2, 24);
    b.v.insert(b.v.end(), {0, 0, 255, 0, 0, 255, 0, 0});  // red on top, then green
    DibHandle topDown = DibFromPacked(b.v);
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->Height(), 2);
    EXPECT_EQ(Top(*topDown, 0, 0), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(Top(*topDown, 0, 1), gdi::Rgb(0, 255, 0));
}

// Negative angles turn clockwise as the picture is seen: the top-left
// corner goes to the top-right.
TEST(Dib, QuarterTurns) {
    const DibHandle six = SixColours();
    const DibHandle cw = RotateDIB(*six, -900, 0xFF00FF);
    ASSERT_TRUE(cw);
    ASSERT_EQ(cw->Width(), 2);
    ASSERT_EQ(cw->Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(Top(*cw, x, y), kSix[1 - x][y]);
    const DibHandle half = RotateDIB(*six, 1800, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Top(*half, x, y), kSix[1 - y][2 - x]);
    const DibHandle back = RotateDIB(*cw, 900, 0);
    EXPECT_EQ(back->Packed(), six->Packed());
    EXPECT_EQ(RotateDIB(*six, 2700, 0)->Packed(), cw->Packed());
    EXPECT_FALSE(RotateDIB(*six, 450, 0));
}

TEST(Dib, StretchGreyAndBitmaps) {
    // 4 x 2 in halves of black and white: reduced to 2 x 1 the averages stay apart.
    DibHandle dib = CreateDIB(4, 2, 32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) SetTop(*dib, x, y, x < 2 ? 0 : gdi::Rgb(255, 255, 255), 128);
    DibHandle small = StretchDIB(*dib, 2, 1);
    ASSERT_TRUE(small);
    EXPECT_EQ(Top(*small, 0, 0), gdi::Rgb(0, 0, 0));
    EXPECT_EQ(Top(*small, 1, 0), gdi::Rgb(255, 255, 255));
    EXPECT_EQ(small->Row32(0)[0] >> 24, 128u);
    DibHandle big = StretchDIB(*SixColours(), 6, 4);
    EXPECT_EQ(Top(*big, 5, 3), kSix[1][2]);
    EXPECT_EQ(Top(*big, 0, 0), kSix[0][0]);
    EXPECT_FALSE(StretchDIB(*dib, 0, 3));

    DibHandle grey = GrayDIB(*SixColours(32));
    EXPECT_EQ(Top(*grey, 0, 0), gdi::Rgb(85, 85, 85));
    EXPECT_EQ(Top(*grey, 2, 1), gdi::Rgb(170, 170, 170));
    EXPECT_EQ(grey->Row32(0)[0] >> 24, 255u);

    const gdi::Bitmap bitmap = BitmapFromDIB(*SixColours());
    EXPECT_EQ(bitmap.Pixel(2, 1), kSix[1][2]);
    const DibHandle again = DIBFromBitmap(bitmap, 24);
    EXPECT_EQ(again->Packed(), SixColours()->Packed());

    gdi::RecordingCanvas canvas;
    StretchDIBBlt(canvas, 10, 20, 30, 40, *SixColours(), 1, 0, 2, 1, gdi::SRCCOPY);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].rect, (gdi::Rect{10, 20, 40, 60}));
    EXPECT_EQ(canvas.Calls()[0].srcRect, (gdi::Rect{1, 0, 3, 1}));
}

TEST(Codecs, JpegScaledDecodeAndQuality) {
    DibHandle dib = CreateDIB(64, 48, 24);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) SetTop(*dib, x, y, gdi::Rgb(x * 4, y * 5, 128));
    std::vector<uint8_t> fine, coarse;
    ASSERT_TRUE(EncodeJpeg(*dib, 95, fine));
    ASSERT_TRUE(EncodeJpeg(*dib, 10, coarse));
    EXPECT_LT(coarse.size(), fine.size());
    JpegSize size;
    ASSERT_TRUE(ReadJpegSize(fine, size));
    EXPECT_EQ(size.width, 64);
    EXPECT_EQ(size.height, 48);
    for (int scale : {1, 2, 4, 8}) {
        DibHandle decoded = DecodeJpeg(fine, scale);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->Width(), 64 / scale);
        EXPECT_EQ(decoded->Height(), 48 / scale);
        EXPECT_EQ(decoded->BitCount(), 24);
    }
    const gdi::Color c = Top(*DecodeJpeg(fine, 1), 40, 10);
    EXPECT_NEAR(int(gdi::RedOf(c)), 160, 6);
    EXPECT_NEAR(int(gdi::GreenOf(c)), 50, 6);
    // A grey JPEG decodes to colour pixels.
    const std::vector<uint8_t> grey = QtBytes(SixImage().convertToFormat(QImage::Format_Grayscale8), "jpg");
    DibHandle greyDib = DecodeJpeg(grey, 1);
    ASSERT_TRUE(greyDib);
    EXPECT_EQ(greyDib->BitCount(), 24);

    ImageError error = ImageError::None;
    EXPECT_FALSE(DecodeJpeg(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, 1, &error));
    EXPECT_EQ(error, ImageError::Damaged);
    EXPECT_FALSE(ReadJpegSize({}, size));
    const int64_t limit = PixelLimit();
    SetPixelLimit(1000);
    EXPECT_FALSE(DecodeJpeg(fine, 1, &error));
    EXPECT_EQ(error, ImageError::TooLarge);
    EXPECT_TRUE(DecodeJpeg(fine, 8));
    SetPixelLimit(limit);
}

TEST(Codecs, PngKeepsAlphaWhenAsked) {
    DibHandle dib = CreateDIB(2, 1, 32);
    SetTop(*dib, 0, 0, gdi::Rgb(10, 20, 30), 255);
    SetTop(*dib, 1, 0, gdi::Rgb(200, 100, 50), 64);
    std::vector<uint8_t> withAlpha, opaque;
    ASSERT_TRUE(EncodePng(*dib, true, withAlpha));
    ASSERT_TRUE(EncodePng(*dib, false, opaque));
    DibHandle a = DecodePng(withAlpha);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->BitCount(), 32);
    EXPECT_EQ(a->Row32(0)[1], dib->Row32(0)[1]);  // straight alpha, colour kept
    DibHandle o = DecodePng(opaque);
    EXPECT_EQ(o->Row32(0)[1] >> 24, 255u);
    EXPECT_EQ(Top(*o, 1, 0), gdi::Rgb(200, 100, 50));
    // Colour-table and grey PNGs become 32-bit pictures too.
    DibHandle indexed = DecodePng(QtBytes(SixImage().convertToFormat(QImage::Format_Indexed8), "png"));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(Top(*indexed, 1, 1), kSix[1][1]);
    ImageError error = ImageError::None;
    withAlpha.resize(withAlpha.size() / 2);
    EXPECT_FALSE(DecodePng(withAlpha, &error));
    EXPECT_EQ(error, ImageError::Damaged);
}

// A large PNG read smaller: each pixel is the rounded average of the block
// it stands for, the same for plain RGB and RGBA rows, rows the codec
// converts (grey, colour table) and interlaced pictures read whole; the
// whole picture's alpha is told. Damage gives the reason.
TEST(Codecs, PngReadSmallerAveragesBlocks) {
    DibHandle picture = CreateDIB(7, 5, 32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) SetTop(*picture, x, y, gdi::Rgb(x * 37, y * 51, (x + y) * 20), uint8_t(255 - x * y));
    auto average = [](const Dib& whole, int32_t factor, int32_t ox, int32_t oy, int channel) {
        uint32_t sum = 0, n = 0;
        for (int32_t y = oy * factor; y < std::min(whole.Height(), (oy + 1) * factor); ++y)
            for (int32_t x = ox * factor; x < std::min(whole.Width(), (ox + 1) * factor); ++x, ++n)
                sum += whole.TopRow(y)[4 * x + channel];
        return (sum + n / 2) / n;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> png;
        bool alphaVaries;
    };
    std::vector<uint8_t> rgba, rgb;
    ASSERT_TRUE(EncodePng(*picture, true, rgba));
    ASSERT_TRUE(EncodePng(*picture, false, rgb));
    const Case cases[] = {
        {"RGBA", rgba, true},
        {"RGB", rgb, false},
        {"grey", QtBytes(SixImage().convertToFormat(QImage::Format_Grayscale8), "png"), false},
        {"colour table", QtBytes(SixImage().convertToFormat(QImage::Format_Indexed8), "png"), false},
    };
    for (const Case& c : cases) {
        const DibHandle whole = DecodePng(c.png);
        ASSERT_TRUE(whole) << c.name;
        for (int32_t factor : {1, 2, 3}) {
            bool varies = !c.alphaVaries;
            ImageError error = ImageError::Damaged;
            const DibHandle reduced = DecodePngReduced(c.png, factor, &error, &varies);
            ASSERT_TRUE(reduced) << c.name << " " << factor;
            EXPECT_EQ(error, ImageError::None);
            EXPECT_EQ(varies, c.alphaVaries) << c.name;
            EXPECT_EQ(reduced->Width(), (whole->Width() + factor - 1) / factor) << c.name;
            EXPECT_EQ(reduced->Height(), (whole->Height() + factor - 1) / factor) << c.name;
            for (int32_t y = 0; y < reduced->Height(); ++y)
                for (int32_t x = 0; x < reduced->Width(); ++x)
                    for (int channel = 0; channel < 4; ++channel)
                        ASSERT_EQ(reduced->TopRow(y)[4 * x + channel], average(*whole, factor, x, y, channel))
                            << c.name << " " << factor << " at " << x << "," << y << " channel " << channel;
        }
    }
    // Interlaced: read whole first, then the same averages.
    const std::vector<uint8_t> interlaced = InterlacedPng(*picture);
    ASSERT_EQ(interlaced[28], 1);
    bool varies = false;
    const DibHandle fromInterlaced = DecodePngReduced(interlaced, 3, nullptr, &varies);
    ASSERT_TRUE(fromInterlaced);
    EXPECT_TRUE(varies);
    EXPECT_EQ(fromInterlaced->Packed(), DecodePngReduced(rgba, 3, nullptr, nullptr)->Packed());
    ImageError error = ImageError::None;

    std::vector<uint8_t> cut = rgba;
    cut.resize(cut.size() - 20);
    EXPECT_FALSE(DecodePngReduced(cut, 2, &error, nullptr));
    EXPECT_EQ(error, ImageError::Damaged);
    const int64_t limit = PixelLimit();
    SetPixelLimit(20);
    EXPECT_FALSE(DecodePngReduced(rgba, 2, &error, nullptr));
    EXPECT_EQ(error, ImageError::TooLarge);
    SetPixelLimit(limit);
    int32_t w = 0, h = 0;
    EXPECT_TRUE(ReadPngSize(rgba, w, h));
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 5);
    EXPECT_FALSE(ReadPngSize(std::span(rgba).first(20), w, h));
}

// How much smaller a picture is read: as little as brings it within the
// pixels allowed, or as much as keeps the pixels a device needs.
TEST(Codecs, ReductionsOfLargePictures) {
    const PictureSize huge{12000, 12000};
    const int64_t screen = int64_t{4096} * 4096;
    EXPECT_EQ(ReductionWithin(PictureFormat::Jpeg, huge, screen), 4);
    EXPECT_EQ(ReductionWithin(PictureFormat::Png, huge, screen), 3);
    EXPECT_EQ(ReductionWithin(PictureFormat::Png, {100, 100}, 10000), 1);
    EXPECT_EQ(ReductionWithin(PictureFormat::Png, {101, 100}, 10000), 2);
    EXPECT_EQ(ReductionWithin(PictureFormat::Bmp, huge, screen), 1);
    EXPECT_EQ(ReductionWithin(PictureFormat::Jpeg, {100000, 100000}, 100), 8);
    // 120 x 90 mm at 360 dpi needs 1701 x 1276 pixels; an A4 page 4209 across.
    EXPECT_EQ(ReductionKeeping(PictureFormat::Jpeg, huge, 1701, 1276), 4);
    EXPECT_EQ(ReductionKeeping(PictureFormat::Jpeg, huge, 4209, 2976), 2);
    EXPECT_EQ(ReductionKeeping(PictureFormat::Png, huge, 1701, 1276), 7);
    EXPECT_EQ(ReductionKeeping(PictureFormat::Png, huge, 4209, 2976), 2);
    EXPECT_EQ(ReductionKeeping(PictureFormat::Png, huge, 20000, 1), 1);
    EXPECT_EQ(ReductionKeeping(PictureFormat::Tiff, huge, 10, 10), 1);
    PictureFormat format = PictureFormat::Unknown;
    PictureSize size;
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(EncodeJpeg(*SixColours(), 90, jpeg));
    ASSERT_TRUE(ReadPictureSize(jpeg, ".png", format, size));  // the bytes tell
    EXPECT_EQ(format, PictureFormat::Jpeg);
    EXPECT_EQ(size.width, 3);
    EXPECT_FALSE(ReadPictureSize(QtBytes(SixImage(), "bmp"), ".bmp", format, size));
    const DibHandle half = DecodePictureReduced(jpeg, ".jpg", 2);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->Width(), 2);
}

// Every format by extension and by content; errors say why.
TEST(Codecs, PictureFilesOfEveryFormat) {
    QTemporaryDir dir;
    const DibHandle six = SixColours();
    struct Case {
        const char* extension;
        bool exact;     // lossless
        bool writable;
    };
    for (const Case& c : {Case{".png", true, true}, Case{".bmp", true, true}, Case{".tif", true, true},
                          Case{".JPG", false, true}, Case{".gif", true, false}}) {
        const std::string path = dir.filePath(QStringLiteral("six")).toStdString() + c.extension;
        if (c.writable) {
            ASSERT_TRUE(ExportPictureFile(*six, path)) << c.extension;
        } else {
            ImageError error = ImageError::None;
            EXPECT_FALSE(ExportPictureFile(*six, path, &error));
            EXPECT_EQ(error, ImageError::UnknownFormat);
            ASSERT_TRUE(WriteFileBytes(path, SixGif()));
        }
        ImageError error = ImageError::Damaged;
        DibHandle back = ImportPictureFile(path, &error);
        ASSERT_TRUE(back) << c.extension;
        EXPECT_EQ(error, ImageError::None);
        EXPECT_EQ(back->Width(), 3);
        EXPECT_EQ(back->BitCount(), FormatOfExtension(c.extension) == PictureFormat::Png ? 32 : 24);
        if (c.exact) EXPECT_EQ(Top(*back, 2, 1), kSix[1][2]) << c.extension;
    }
    // A PNG named .jpg still loads; content that is no picture does not.
    const std::string misnamed = dir.filePath(QStringLiteral("png.jpg")).toStdString();
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(*six, false, png));
    ASSERT_TRUE(WriteFileBytes(misnamed, png));
    EXPECT_TRUE(ImportPictureFile(misnamed));

    struct Failure {
        const char* name;
        std::vector<uint8_t> bytes;
        ImageError error;
    };
    for (const Failure& f : {Failure{"a.xyz", png, ImageError::UnknownFormat},
                             Failure{"b.jpg", {'n', 'o', 'p', 'e'}, ImageError::Damaged},
                             Failure{"c.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 2}, ImageError::Damaged},
                             Failure{"d.png", std::vector<uint8_t>(png.begin(), png.begin() + 30), ImageError::Damaged}}) {
        const std::string path = dir.filePath(QString::fromLatin1(f.name)).toStdString();
        ASSERT_TRUE(WriteFileBytes(path, f.bytes));
        ImageError error = ImageError::None;
        EXPECT_FALSE(ImportPictureFile(path, &error)) << f.name;
        EXPECT_EQ(error, f.error) << f.name;
    }
    ImageError error = ImageError::None;
    EXPECT_FALSE(ImportPictureFile(dir.filePath(QStringLiteral("missing.png")).toStdString(), &error));
    EXPECT_EQ(error, ImageError::CannotOpen);
    EXPECT_FALSE(DecodePicture({}, "", &error));
    EXPECT_EQ(error, ImageError::UnknownFormat);
    const int64_t limit = PixelLimit();
    SetPixelLimit(5);
    EXPECT_FALSE(DecodePicture(QtBytes(SixImage(), "bmp"), ".bmp", &error));
    EXPECT_EQ(error, ImageError::TooLarge);
    SetPixelLimit(limit);
}
