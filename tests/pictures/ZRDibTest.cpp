// The DIB holder: size limit, change notification and drawing.
#include "pictures/ZRDib.h"

#include "foundation/Debug.h"
#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

using imaging::DibHandle;

TEST(ZRDib, HoldsAndReportsEveryNewDIB) {
    TZRDib holder;
    int changes = 0;
    holder.OnChange = [&changes](TZRDib&) { ++changes; };
    EXPECT_EQ(holder.Handle(), nullptr);
    holder.SetDIB(imaging::CreateDIB(30, 20, 24));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(holder.Width(), 30);
    EXPECT_EQ(holder.Height(), 20);
    EXPECT_EQ(holder.Info().bitCount, 24);
    holder.SetDIB(nullptr);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(holder.Handle(), nullptr);
    EXPECT_EQ(holder.Width(), 0);
}

TEST(ZRDib, LargePicturesAreReducedToTheLimit) {
    // 4000 x 4000 at 32 bits is 64,000,000 bytes: it becomes 1950 x 1950.
    TZRDib holder;
    DibHandle big = imaging::CreateDIB(4000, 4000, 32);
    for (int32_t row = 0; row < 4000; ++row)
        std::fill_n(big->Row32(row), 4000, 0x80336699u);
    holder.SetDIB(std::move(big));
    EXPECT_EQ(holder.Width(), 1950);
    EXPECT_EQ(holder.Height(), 1950);
    EXPECT_EQ(holder.Info().bitCount, 32);
    EXPECT_LE(holder.Handle()->BlockSize(), TZRDib::kMaxBlockSize + 40);
    EXPECT_EQ(holder.Handle()->Row32(975)[975], 0x80336699u);

    // The aspect stays; 24-bit pictures keep more pixels for the same bytes.
    EXPECT_EQ(LimitedDIBSize(6000, 3000, 24), (gdi::Size{3184, 1592}));
    // Within the limit nothing changes.
    holder.SetDIB(imaging::CreateDIB(3900, 1299, 24));
    EXPECT_EQ(holder.Width(), 3900);
    EXPECT_EQ(holder.Height(), 1299);
}

TEST(ZRDib, DrawsReducedAndEnlarged) {
    // Left half red, right half blue, 4 x 2 pixels.
    DibHandle dib = imaging::CreateDIB(4, 2, 24);
    for (int32_t row = 0; row < 2; ++row)
        for (int32_t x = 0; x < 4; ++x) {
            uint8_t* p = dib->Row(row) + 3 * x;
            p[0] = x < 2 ? 0 : 255, p[1] = 0, p[2] = x < 2 ? 255 : 0;
        }
    TZRDib holder;
    holder.SetDIB(std::move(dib));
    gdi::BitmapCanvas canvas(20, 10);
    holder.Draw(canvas, {2, 2, 10, 6});  // enlarged twice
    EXPECT_EQ(canvas.GetPixel(2, 2), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(5, 5), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(6, 2), gdi::Rgb(0, 0, 255));
    EXPECT_EQ(canvas.GetPixel(9, 5), gdi::Rgb(0, 0, 255));
    EXPECT_EQ(canvas.GetPixel(10, 2), gdi::Rgb(255, 255, 255));  // right edge left out
    holder.DrawXY(canvas, 12, 0, 14, 1);  // reduced to 2 x 1
    EXPECT_EQ(canvas.GetPixel(12, 0), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(13, 0), gdi::Rgb(0, 0, 255));
    EXPECT_EQ(canvas.GetPixel(12, 1), gdi::Rgb(255, 255, 255));

    // A reduction that cannot be made leaves a trace line and draws nothing.
    QStringList lines;
    Debug().SetSink([&lines](const QString& line) { lines << line; });
    holder.DrawXY(canvas, 15, 5, 15, 8);
    Debug().SetSink({});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("StretchDIB fehlgeschlagen")));

    TZRDib empty;
    empty.Draw(canvas, {0, 0, 20, 10});
    EXPECT_EQ(canvas.GetPixel(0, 9), gdi::Rgb(255, 255, 255));
}
