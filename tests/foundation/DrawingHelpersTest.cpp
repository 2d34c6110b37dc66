// Dialog drawing helpers: 3-D frames and text heights in millimetres.
#include "foundation/DrawingHelpers.h"

#include "foundation/Font.h"
#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

TEST(DrawingHelpers, FramesRaisedAndSunken) {
    const gdi::Color light = gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNHIGHLIGHT));
    const gdi::Color dark = gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNSHADOW));
    for (int32_t raised : {1, 0, -1}) {
        gdi::RecordingCanvas canvas;
        Draw3DFrame(canvas, {10, 20, 50, 40}, raised);
        const auto& calls = canvas.Calls();
        ASSERT_EQ(calls.size(), 4u);
        // Left edge up, top edge across, right edge down, bottom edge back.
        EXPECT_EQ(calls[0].points, (std::vector<gdi::Point>{{10, 39}, {10, 20}}));
        EXPECT_EQ(calls[2].points, (std::vector<gdi::Point>{{49, 20}, {49, 39}}));
        EXPECT_EQ(calls[0].state.pen.color, raised > 0 ? light : dark) << raised;
        EXPECT_EQ(calls[3].state.pen.color, raised > 0 ? dark : light) << raised;
        EXPECT_EQ(canvas.pen().color, gdi::Pen().color);  // the canvas keeps its pen
    }
    gdi::RecordingCanvas face;
    DrawButtonFaceRect(face, {0, 0, 8, 8}, 1);
    ASSERT_EQ(face.Calls().size(), 5u);
    EXPECT_EQ(face.Calls()[0].op, gdi::RecordedCall::Op::FillRegion);
}

TEST(DrawingHelpers, TextHeightInMillimetres) {
    TFont font;
    font.SetName("Arial");
    font.SetSize(10);
    const double ten = FontTextHeightMM(font, "Ag");
    EXPECT_GT(ten, 3.0);  // a 10-point line is about 4 mm high
    EXPECT_LT(ten, 5.0);
    font.SetSize(20);
    EXPECT_NEAR(FontTextHeightMM(font, "Ag"), 2 * ten, 0.05);
}
