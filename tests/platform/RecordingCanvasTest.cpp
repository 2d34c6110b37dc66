// The recording canvas: each output with the state it was made in.

#include "support/FakePrinter.h"

#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using Op = RecordedCall::Op;

TEST(RecordingCanvas, RecordsEachOutputWithItsState) {
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.Kind(), DeviceKind::Metafile);
    EXPECT_TRUE(canvas.IsMetafile());
    canvas.pen().color = Rgb(1, 2, 3);
    canvas.SetROP2(Rop2::NotXorPen);
    canvas.Rectangle(1, 2, 30, 40);
    canvas.MoveTo(5, 5);
    canvas.LineTo(9, 5);
    const Point more[] = {{9, 9}, {5, 9}};
    canvas.PolylineTo(more);
    const Point curve[] = {{6, 6}, {7, 7}, {8, 8}};
    canvas.PolyBezierTo(curve);
    canvas.SetPixel(3, 4, Rgb(9, 9, 9));

    const std::vector<RecordedCall>& calls = canvas.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].op, Op::Shape);
    EXPECT_EQ(calls[0].shape, Canvas::Shape::Rectangle);
    EXPECT_EQ(calls[0].rect, (Rect{1, 2, 30, 40}));
    EXPECT_EQ(calls[0].state.pen.color, Rgb(1, 2, 3));
    EXPECT_EQ(calls[0].state.rop2, Rop2::NotXorPen);
    EXPECT_EQ(calls[1].op, Op::Line);
    EXPECT_EQ(calls[1].points, (std::vector<Point>{{5, 5}, {9, 5}}));
    EXPECT_EQ(calls[2].points, (std::vector<Point>{{9, 5}, {9, 9}, {5, 9}}));
    EXPECT_EQ(calls[3].op, Op::Bezier);
    EXPECT_EQ(calls[3].points.front(), (Point{5, 9}));
    EXPECT_EQ(calls[4].op, Op::SetPixel);
    EXPECT_EQ(calls[4].color, Rgb(9, 9, 9));
    EXPECT_EQ(canvas.CurrentPosition(), (Point{8, 8}));
}

TEST(RecordingCanvas, AreasAreRecordedAsDeviceRegions) {
    RecordingCanvas canvas;
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetViewportExt(3, 3);
    canvas.IntersectClipRect(0, 0, 10, 10);
    canvas.FillRect({1, 1, 4, 2}, HatchBrush(HatchStyle::Cross, Rgb(0, 0, 255)));
    canvas.InvertRect({0, 0, 1, 1});
    canvas.brush().color = Rgb(7, 7, 7);
    canvas.PaintRgn(Region::FromRect({0, 0, 2, 2}));
    ASSERT_EQ(canvas.Calls().size(), 3u);
    const RecordedCall& fill = canvas.Calls()[0];
    EXPECT_EQ(fill.op, Op::FillRegion);
    EXPECT_EQ(fill.region, Region::FromRect({3, 3, 12, 6}));
    EXPECT_EQ(fill.fillBrush.hatch, HatchStyle::Cross);
    EXPECT_EQ(fill.rop, PATCOPY);
    EXPECT_EQ(fill.state.clip, Region::FromRect({0, 0, 30, 30}));
    EXPECT_EQ(canvas.Calls()[1].rop, DSTINVERT);
    EXPECT_EQ(canvas.Calls()[2].rop & 0xFF0000, PATCOPY & 0xFF0000);
    EXPECT_EQ(canvas.Calls()[2].fillBrush.color, Rgb(7, 7, 7));
}

TEST(RecordingCanvas, KeepsItsOwnCopyOfBlittedBitmaps) {
    RecordingCanvas canvas;
    Bitmap source(3, 3);
    source.SetPixel(1, 1, Rgb(255, 0, 0));
    canvas.BitBlt(10, 20, 3, 3, source, 0, 0, SRCAND);
    source.SetPixel(1, 1, 0);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    const RecordedCall& call = canvas.Calls()[0];
    EXPECT_EQ(call.op, Op::StretchBlt);
    EXPECT_EQ(call.rect, (Rect{10, 20, 13, 23}));
    EXPECT_EQ(call.srcRect, (Rect{0, 0, 3, 3}));
    EXPECT_EQ(call.rop, SRCAND);
    EXPECT_EQ(call.bitmap->Pixel(1, 1), Rgb(255, 0, 0));
}

TEST(RecordingCanvas, TextIsRecordedWithItsAdvances) {
    RecordingCanvas canvas;
    const int32_t dx[] = {10, 11};
    const Rect box{0, 0, 50, 20};
    canvas.ExtTextOut(4, 5, ETO_CLIPPED, &box, u"ab", dx);
    canvas.ExtTextOut(4, 5, 0, nullptr, u"abc", dx);  // too few advances: measured instead
    ASSERT_EQ(canvas.Calls().size(), 2u);
    EXPECT_EQ(canvas.Calls()[0].text, u"ab");
    EXPECT_EQ(canvas.Calls()[0].dx, (std::vector<int32_t>{10, 11}));
    EXPECT_TRUE(canvas.Calls()[0].hasRect);
    EXPECT_EQ(canvas.Calls()[0].rect, box);
    EXPECT_TRUE(canvas.Calls()[1].dx.empty());
    EXPECT_FALSE(canvas.Calls()[1].hasRect);
}

TEST(RecordingCanvas, FakePrinterStandsInForTheCurrentPrinter) {
    SetCurrentPrinter(std::make_unique<test::FakePrinter>());
    Printer& printer = CurrentPrinter();
    EXPECT_EQ(printer.Name(), "Fake");
    EXPECT_EQ(printer.Caps().logPixelsY, 1200);
    ASSERT_TRUE(printer.BeginDoc("Labels"));
    Canvas& canvas = printer.GetCanvas();
    EXPECT_TRUE(canvas.IsPrinter());
    EXPECT_EQ(canvas.Caps().logPixelsX, 600);
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetWindowExt(1200, 1200);
    canvas.SetViewportExt(600, 1200);
    canvas.Ellipse(0, 0, 1200, 1200);
    printer.NewPage();
    EXPECT_TRUE(printer.EndDoc());
    auto& fake = static_cast<test::FakePrinter&>(printer);
    EXPECT_EQ(fake.Pages(), 2);
    ASSERT_EQ(fake.Recording().Calls().size(), 1u);
    EXPECT_EQ(fake.Recording().Calls()[0].state.viewportExt, (Size{600, 1200}));
    SetCurrentPrinter(nullptr);
}

}  // namespace
}  // namespace gdi
