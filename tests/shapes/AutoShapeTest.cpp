// The auto-shape base, its factory and the ellipse shape.
#include "shapes/AutoShape.h"
#include "shapes/PfeilShape.h"

#include "foundation/FillData.h"
#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

template <class S>
void Place(S& shape, int cx, int cy, int w, int h, float angle = 0) {
    shape.SetCenterX(cx);
    shape.SetCenterY(cy);
    shape.SetWidth(w);
    shape.SetHeight(h);
    shape.SetAngle(angle);
}

}  // namespace

TEST(AutoShape, DirtyOnlyOnChange) {
    TDefaultShape shape;
    EXPECT_FALSE(shape.Dirty);
    Place(shape, 50, 40, 20, 10);
    EXPECT_TRUE(shape.Dirty);
    EXPECT_EQ(shape.GetBounds(), (TRect{40, 35, 61, 46}));
    EXPECT_FALSE(shape.Dirty);
    Place(shape, 50, 40, 20, 10);
    EXPECT_FALSE(shape.Dirty);
    shape.SetHotTrackData(shape.HotTrackData);
    EXPECT_TRUE(shape.Dirty);
}

TEST(AutoShape, ZeroSizeShrinksToTheCentre) {
    TEllipseShape ellipse;
    Place(ellipse, 7, 9, 0, 0);
    for (const TPoint& p : ellipse.GetPoints()) EXPECT_EQ(p, (TPoint{7, 9}));
    EXPECT_EQ(ellipse.GetBounds(), (TRect{7, 9, 8, 10}));
}

TEST(AutoShape, FactoryFindsNamesWhateverTheirCase) {
    std::vector<std::string> notices;
    SetShapeNoticeHandler([&](const std::string& m) { notices.push_back(m); });
    TAutoShapeFactory& factory = AutoShapeFactory();
    EXPECT_TRUE(dynamic_cast<TEllipseShape*>(factory.CreateShape("tellipseshape").get()));
    EXPECT_TRUE(dynamic_cast<TEllipseShape*>(factory.CreateShape("TEllipseShape").get()));
    EXPECT_TRUE(notices.empty());

    auto unknown = factory.CreateShape("TNoSuchShape");
    EXPECT_TRUE(dynamic_cast<TDefaultShape*>(unknown.get()));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "AutoShape ist nicht registriert: TNoSuchShape");

    const size_t count = factory.ShapeNames().size();
    factory.RegisterShape("TELLIPSESHAPE", [] { return std::make_unique<TDefaultShape>(); });
    EXPECT_EQ(factory.ShapeNames().size(), count);
    EXPECT_EQ(notices.back(), "Doppelter ShapeName registriert: <TELLIPSESHAPE>");
    EXPECT_TRUE(dynamic_cast<TEllipseShape*>(factory.CreateShape("TEllipseShape").get()));
    SetShapeNoticeHandler(nullptr);
}

TEST(AutoShape, OutlineToleranceIsStrict) {
    const std::vector<TPoint> edge{{0, 0}, {100, 0}};
    EXPECT_TRUE(HitTestPolyline(edge, 1, 50, 4, 5));
    EXPECT_FALSE(HitTestPolyline(edge, 1, 50, 5, 5));  // exactly the tolerance away
    EXPECT_FALSE(HitTestPolyline(edge, -1, 50, 0, 5));
    EXPECT_TRUE(HitTestPolyline(edge, 0, 4, -4, 5));
    EXPECT_FALSE(HitTestPolyline(edge, 0, 5, 0, 5));
}

TEST(EllipseShape, FullEllipseAndPie) {
    TEllipseShape ellipse;
    Place(ellipse, 100, 100, 80, 40);
    EXPECT_EQ(ellipse.GetBounds(), (TRect{60, 80, 141, 121}));
    EXPECT_TRUE(ellipse.HitTest(100, 100, false, 5));
    EXPECT_FALSE(ellipse.HitTest(63, 83, false, 5));  // corner of the box
    EXPECT_FALSE(ellipse.HitTest(100, 100, true, 5));
    EXPECT_TRUE(ellipse.HitTest(100, 82, true, 5));

    // Angles 0 and 90: the quarter from the positive x axis clockwise to the positive y axis.
    THotTrackData handles = ellipse.HotTrackData;
    handles.Entries[1].Value2 = 90;
    ellipse.SetHotTrackData(handles);
    EXPECT_EQ(ellipse.GetBounds(), (TRect{100, 100, 141, 121}));
    EXPECT_TRUE(ellipse.HitTest(115, 108, false, 5));
    EXPECT_FALSE(ellipse.HitTest(85, 108, false, 5));
    EXPECT_EQ(ellipse.GetPoints().front(), (TPoint{100, 100}));
    EXPECT_EQ(ellipse.GetPoints().back(), (TPoint{100, 100}));

    // Turned by 90 degrees the tall ellipse lies across.
    handles.Entries[1].Value2 = 0;
    ellipse.SetHotTrackData(handles);
    ellipse.SetAngle(90);
    EXPECT_EQ(ellipse.GetBounds(), (TRect{80, 60, 121, 141}));
}

TEST(EllipseShape, DrawsFilledAndOutlined) {
    gdi::BitmapCanvas bitmap(200, 200);
    bitmap.FillRect({0, 0, 200, 200}, gdi::SolidBrush(0xFFFFFF));
    TEllipseShape ellipse;
    Place(ellipse, 100, 100, 120, 60);
    TFillData fill;
    fill.SetKind(fkColor);
    fill.SetColor(0x00FF00);
    bitmap.pen().color = 0x0000FF;
    ellipse.DrawFilled(bitmap, fill);
    EXPECT_EQ(bitmap.bitmap().Pixel(100, 100), 0x00FF00u);
    EXPECT_EQ(bitmap.bitmap().Pixel(100, 70), 0x0000FFu);
    EXPECT_EQ(bitmap.bitmap().Pixel(45, 75), 0xFFFFFFu);
}
