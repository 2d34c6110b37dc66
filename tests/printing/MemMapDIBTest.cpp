// The page bitmap: drawing into its memory, the grey values, and the
// transfer onto the printer with the destination cut at the page.
#include "PrintingTesting.h"

#include "platform/gdi/BitmapCanvas.h"
#include "printing/MemMapDIBSection.h"

using gdi::Rect;
using gdi::Rgb;

namespace {

const gdi::RecordedCall* LastBlt(const gdi::RecordingCanvas& canvas) {
    const auto& calls = canvas.Calls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->op == gdi::RecordedCall::Op::StretchBlt) return &*it;
    return nullptr;
}

}  // namespace

TEST(MemMapDIB, GreyValuesRoundHalvesToTheEvenNeighbour) {
    const struct {
        uint8_t r, g, b, grey;
    } cases[] = {
        {255, 0, 0, 76},      // 76.5
        {0, 255, 0, 150},     // 150.45
        {0, 0, 255, 28},      // 28.05
        {255, 255, 255, 255}, // 255
        {0, 0, 0, 0},
        {5, 0, 0, 2},         // 1.5
        {15, 0, 0, 4},        // 4.5
        {100, 50, 200, 82},   // 30 + 29.5 + 22 = 81.5
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMemMapDIBSection::GreyValue(c.r, c.g, c.b), c.grey) << int(c.r) << " " << int(c.g) << " " << int(c.b);
}

TEST(MemMapDIB, CanvasDrawsIntoTheSharedBitmap) {
    TMemMapDIBSection& dib = GetMemMapDIB();
    EXPECT_EQ(&GetMemMapDIB(), &dib);
    gdi::Canvas& canvas = dib.Canvas();
    EXPECT_EQ(canvas.Kind(), gdi::DeviceKind::Bitmap);
    EXPECT_EQ(canvas.Caps().horzRes, 2000);
    canvas.FillRect({0, 0, 2000, 2000}, gdi::SolidBrush(Rgb(255, 255, 255)));
    canvas.FillRect({1990, 10, 2000, 20}, gdi::SolidBrush(Rgb(10, 20, 30)));
    EXPECT_EQ(dib.Pixel(1995, 15), Rgb(10, 20, 30));
    EXPECT_EQ(dib.ScanLine(15)[1995] & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(dib.Pixel(1989, 15), Rgb(255, 255, 255));

    // A job that begins finds the canvas as it was made, not as the last job left it.
    const gdi::Canvas::State first = canvas.state();
    canvas.font().height = -40;
    canvas.pen().color = Rgb(255, 0, 0);
    const gdi::Region clip = gdi::Region::FromRect({0, 0, 10, 10});
    canvas.SelectClipRgn(&clip);
    dib.ResetCanvas();
    EXPECT_EQ(canvas.font(), first.font);
    EXPECT_EQ(canvas.pen(), first.pen);
    EXPECT_FALSE(canvas.GetClipRgn());
}

TEST_F(PrintingTest, TransferCutsTheDestinationAtThePageAndTheSourceInProportion) {
    TMemMapDIBSection& dib = GetMemMapDIB();
    gdi::Canvas& printer = fake().GetCanvas();
    const int32_t W = printer.Caps().horzRes, H = printer.Caps().vertRes;
    const struct {
        Rect dest, source;
        Rect sentDest, sentSource;  // empty: nothing sent
    } cases[] = {
        {{100, 100, 800, 800}, {0, 0, 1400, 1400}, {100, 100, 800, 800}, {0, 0, 1400, 1400}},
        // 100 pixels beyond the right edge: a seventh of the width goes.
        {{W - 600, 0, W + 100, 700}, {0, 0, 1400, 1400}, {W - 600, 0, W, 700}, {0, 0, 1200, 1400}},
        {{-100, 0, 600, 700}, {0, 0, 1400, 1400}, {0, 0, 600, 700}, {200, 0, 1400, 1400}},
        {{0, H - 350, 700, H + 350}, {0, 0, 1400, 1400}, {0, H - 350, 700, H}, {0, 0, 1400, 700}},
        {{0, -350, 700, 350}, {100, 100, 1500, 1500}, {0, 0, 700, 350}, {100, 800, 1500, 1500}},
        // The source is kept inside the bitmap.
        {{0, 0, 100, 100}, {1900, -50, 2100, 150}, {0, 0, 100, 100}, {1900, 0, 2000, 150}},
        // Wholly off the page or empty: nothing.
        {{W + 1, 0, W + 100, 100}, {0, 0, 100, 100}, {}, {}},
        {{-200, 0, -1, 100}, {0, 0, 100, 100}, {}, {}},
        {{0, H + 5, 100, H + 100}, {0, 0, 100, 100}, {}, {}},
        {{0, 0, 100, 100}, {50, 50, 50, 80}, {}, {}},
    };
    const gdi::Color corners[] = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12)};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dest.left);
        const Rect& s = c.sentSource;
        const gdi::Point at[] = {{s.left, s.top}, {s.right - 1, s.top}, {s.left, s.bottom - 1}, {s.right - 1, s.bottom - 1}};
        for (int i = 0; i < 4; ++i) dib.Canvas().SetPixel(at[i].x, at[i].y, corners[i]);
        fake().Recording().Clear();
        const int32_t rows = dib.StretchToPrinter(printer, c.dest, c.source, false);
        const gdi::RecordedCall* blt = LastBlt(fake().Recording());
        if (c.sentDest.IsEmpty()) {
            EXPECT_EQ(rows, 0);
            EXPECT_EQ(blt, nullptr);
            continue;
        }
        ASSERT_NE(blt, nullptr);
        EXPECT_EQ(rows, c.sentSource.Height());
        EXPECT_EQ(blt->rect, c.sentDest);
        // The source rectangle is copied out and sent whole.
        EXPECT_EQ(blt->bitmap->Width(), s.Width());
        EXPECT_EQ(blt->bitmap->Height(), s.Height());
        EXPECT_EQ(blt->srcRect, (Rect{0, 0, s.Width(), s.Height()}));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(blt->bitmap->Pixel(at[i].x - s.left, at[i].y - s.top), corners[i]) << i;
    }
}

TEST_F(PrintingTest, PrinterSetToGreyGetsGreyValuesOthersTheColours) {
    TMemMapDIBSection& dib = GetMemMapDIB();
    const gdi::Color colours[] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 255)};
    for (int i = 0; i < 4; ++i) dib.Canvas().FillRect({i * 10, 0, i * 10 + 10, 10}, gdi::SolidBrush(colours[i]));
    const Rect source{0, 0, 40, 10};
    const Rect dest{0, 0, 400, 100};
    const uint8_t greys[] = {76, 150, 28, 255};
    for (const bool colour : {true, false}) {
        fake().SetColor(colour);
        fake().Recording().Clear();
        EXPECT_EQ(dib.StretchToCanvas(fake().GetCanvas(), dest, source), 10);
        const gdi::RecordedCall* blt = LastBlt(fake().Recording());
        ASSERT_NE(blt, nullptr);
        for (int i = 0; i < 4; ++i) {
            const gdi::Color sent = blt->bitmap->Pixel(i * 10 + 5, 5);
            EXPECT_EQ(sent, colour ? colours[i] : Rgb(greys[i], greys[i], greys[i])) << i;
        }
    }

    // A canvas that keeps what it was sent keeps it as it was.
    fake().SetColor(true);
    fake().Recording().Clear();
    dib.StretchToCanvas(fake().GetCanvas(), dest, source);
    dib.Canvas().FillRect({0, 0, 10, 10}, gdi::SolidBrush(Rgb(0, 0, 0)));
    dib.StretchToCanvas(fake().GetCanvas(), dest, source);
    ASSERT_EQ(fake().Recording().Calls().size(), 2u);
    EXPECT_EQ(fake().Recording().Calls()[0].bitmap->Pixel(5, 5), Rgb(255, 0, 0));
    EXPECT_EQ(fake().Recording().Calls()[1].bitmap->Pixel(5, 5), Rgb(0, 0, 0));

    // Any other canvas gets the pixels as they are.
    gdi::BitmapCanvas screen(40, 10);
    EXPECT_EQ(dib.StretchToCanvas(screen, {0, 0, 40, 10}, source), 10);
    EXPECT_EQ(screen.bitmap().Pixel(15, 5), Rgb(0, 255, 0));
}
