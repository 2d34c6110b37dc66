// Figures turned by 30 degrees drawn on a 300-dpi bitmap: where their
// pixels lie and what fills them.
#include "figures/Ellipse.h"
#include "foundation/FillData.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"
#include "support/Colors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPixelsPerMM = 300 / 25.4;

class Sheet300 {
public:
    Sheet300() : bitmap(600, 600, 300, 300), scale(&bitmap) {
        scale.Reset(kResetUnit);
        scale.SetResolutionX(static_cast<float>(kPixelsPerMM));
        scale.SetResolutionY(static_cast<float>(kPixelsPerMM));
        bitmap.FillRect({0, 0, 600, 600}, gdi::SolidBrush(kWhite));
    }
    gdi::Color Pixel(double xmm, double ymm) const {
        return bitmap.bitmap().Pixel(static_cast<int>(xmm * kPixelsPerMM), static_cast<int>(ymm * kPixelsPerMM));
    }
    // The bounds of every pixel that is not white, in mm.
    struct Box {
        double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    };
    Box Painted() const {
        Box b;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x)
                if (bitmap.bitmap().Pixel(x, y) != kWhite) {
                    b.left = std::min(b.left, x / kPixelsPerMM);
                    b.right = std::max(b.right, (x + 1) / kPixelsPerMM);
                    b.top = std::min(b.top, y / kPixelsPerMM);
                    b.bottom = std::max(b.bottom, (y + 1) / kPixelsPerMM);
                }
        return b;
    }

    gdi::BitmapCanvas bitmap;
    TScaleCanvas scale;
};

void ExpectBox(const Sheet300::Box& b, double left, double top, double right, double bottom, double slack) {
    EXPECT_NEAR(b.left, left, slack);
    EXPECT_NEAR(b.top, top, slack);
    EXPECT_NEAR(b.right, right, slack);
    EXPECT_NEAR(b.bottom, bottom, slack);
}

template <class F>
void Place(F& f, double cx, double cy, double w, double h) {
    f.SetCenterX(cx);
    f.SetCenterY(cy);
    f.SetWidth(w);
    f.SetHeight(h);
    f.SetPenColor(0x000000);
    f.SetPenWidth(0.2f);
    f.RotateBy(30);
}

}  // namespace

TEST(FigurePixels, LineTurnedBy30Degrees) {
    Sheet300 sheet;
    TLinie line(nullptr);
    Place(line, 25, 25, 16, 0);
    line.DrawTo(sheet.scale);
    // The ends at 8 mm from the centre along 30 degrees, the pen 0.2 mm wide.
    const double dx = 8 * std::cos(M_PI / 6), dy = 8 * std::sin(M_PI / 6);
    ExpectBox(sheet.Painted(), 25 - dx, 25 - dy, 25 + dx, 25 + dy, 0.25);
    EXPECT_EQ(sheet.Pixel(25, 25), 0x000000u);
    EXPECT_EQ(sheet.Pixel(25, 27), kWhite);
}

TEST(FigurePixels, RectangleWithAGradientTurnsItToo) {
    Sheet300 sheet;
    TRechteck box(nullptr);
    box.Fill->SetKind(fkGradient);
    box.Fill->SetGradientType(TGradienttyp::gtLinear);
    box.Fill->Palette().ClearStops();
    box.Fill->Palette().Add(0, 0x0000FF);    // red
    box.Fill->Palette().Add(255, 0xFF0000);  // blue
    box.Fill->Palette().Changed();
    Place(box, 25, 25, 30, 12);
    EXPECT_FLOAT_EQ(box.Fill->Winkel(), 30);
    box.DrawTo(sheet.scale);
    // The turned box: half extents 15 cos 30 + 6 sin 30 across, 15 sin 30 + 6 cos 30 down.
    const double hx = 15 * std::cos(M_PI / 6) + 6 * std::sin(M_PI / 6);
    const double hy = 15 * std::sin(M_PI / 6) + 6 * std::cos(M_PI / 6);
    ExpectBox(sheet.Painted(), 25 - hx, 25 - hy, 25 + hx, 25 + hy, 0.25);
    // Along the box's long axis the gradient runs from red to blue.
    const double ux = std::cos(M_PI / 6), uy = std::sin(M_PI / 6);
    const gdi::Color start = sheet.Pixel(25 - 13 * ux, 25 - 13 * uy);
    const gdi::Color end = sheet.Pixel(25 + 13 * ux, 25 + 13 * uy);
    EXPECT_LT(ColorDistance(start, 0x0000FF), 120) << std::hex << start;
    EXPECT_LT(ColorDistance(end, 0xFF0000), 120) << std::hex << end;
    // Across it the colour stays.
    const gdi::Color side = sheet.Pixel(25 - 13 * ux - 4 * uy, 25 - 13 * uy + 4 * ux);
    EXPECT_LT(ColorDistance(side, start), 60) << std::hex << side;
}

TEST(FigurePixels, EllipseTurnedBy30Degrees) {
    Sheet300 sheet;
    TEllipse ellipse(nullptr);
    Place(ellipse, 25, 25, 20, 8);
    ellipse.SetFillColor(0x00C000);
    ellipse.DrawTo(sheet.scale);
    // Half extents of an ellipse with radii 10 and 4 turned by 30 degrees.
    const double hx = std::sqrt(100 * 0.75 + 16 * 0.25), hy = std::sqrt(100 * 0.25 + 16 * 0.75);
    ExpectBox(sheet.Painted(), 25 - hx, 25 - hy, 25 + hx, 25 + hy, 0.2);
    EXPECT_EQ(sheet.Pixel(25, 25), 0x00C000u);
    EXPECT_EQ(sheet.Pixel(25 + 7, 25 + 3.5), 0x00C000u);  // along the turned long axis
    EXPECT_EQ(sheet.Pixel(25 + 7, 25 - 3.5), kWhite);     // inside the unturned box only
}

TEST(FigurePixels, ClippedDrawingKeepsStraightLines) {
    // A horizontal and a vertical line have an empty rectangle of end points;
    // they are drawn all the same.
    Sheet300 sheet;
    TLinie across(nullptr), down(nullptr);
    for (TLinie* line : {&across, &down}) line->SetPenColor(0x000000);
    across.SetCenterX(25), across.SetCenterY(10), across.SetWidth(20);
    down.SetCenterX(10), down.SetCenterY(25), down.SetHeight(20);
    across.DrawClippedTo(sheet.scale);
    down.DrawClippedTo(sheet.scale);
    EXPECT_EQ(sheet.Pixel(25, 10), 0x000000u);
    EXPECT_EQ(sheet.Pixel(10, 25), 0x000000u);
}
