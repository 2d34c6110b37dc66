// Every registered shape: the registration order, a drawing of all of them,
// golden outlines and the handle limits that shapes rewrite themselves.
#include "shapes/AutoShape.h"

#include "foundation/FillData.h"
#include "foundation/GradientPalette.h"
#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Place(TAbstractAutoShape& shape, int cx, int cy, int w, int h, float angle = 0) {
    shape.SetCenterX(cx);
    shape.SetCenterY(cy);
    shape.SetWidth(w);
    shape.SetHeight(h);
    shape.SetAngle(angle);
}

int DarkPixelsIn(const gdi::Bitmap& bitmap, const TRect& r) {
    int count = 0;
    for (int y = std::max(0, r.top); y < std::min(bitmap.Height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(bitmap.Width(), r.right); ++x)
            if (bitmap.Pixel(x, y) != 0xFFFFFFu) ++count;
    return count;
}

}  // namespace

TEST(ShapeCatalogue, RegistersAllNamesInOrder) {
    const std::vector<std::string> names = AutoShapeFactory().ShapeNames();
    ASSERT_EQ(names.size(), 76u);
    const std::pair<size_t, const char*> expected[] = {
        {0, "TDefaultShape"},      {1, "TPfeilShape"},          {4, "TBanderoleShape"},
        {14, "TRechteckShape"},    {15, "TRundPfeilRShape"},    {16, "TBandOGekrShape"},
        {45, "TRechtsGekrPfeilShape"}, {60, "TLegendeWolkeShape"}, {70, "TBanderoleShape1"},
        {72, "TOctettShape"},      {75, "TRundPfeilUShape"},
    };
    for (const auto& [index, name] : expected) EXPECT_EQ(names[index], name) << index;
}

// Draws all shapes in a grid with a gradient and a pen, upright and turned by
// 30 degrees; every cell must show its shape. With ZORBIT_SCREENSHOTS set the
// sheets are written there to be looked at.
TEST(ShapeCatalogue, DrawsEveryShapeFilledAndTurned) {
    const std::vector<std::string> names = AutoShapeFactory().ShapeNames();
    constexpr int kColumns = 8, kCell = 300, kMargin = 40;
    const int rows = (static_cast<int>(names.size()) + kColumns - 1) / kColumns;
    for (const float angle : {0.0f, 30.0f}) {
        gdi::BitmapCanvas sheet(kColumns * kCell, rows * kCell, 300, 300);
        sheet.FillRect({0, 0, kColumns * kCell, rows * kCell}, gdi::SolidBrush(0xFFFFFF));
        TFillData fill;
        fill.SetKind(fkGradient);
        fill.SetGradientType(TGradienttyp::gtLinear);
        fill.SetPalette(TGradientpalette(0xFFC040, 0x4060FF));
        gdi::Pen pen = sheet.pen();
        pen.color = 0x202020;
        pen.width = 3;
        sheet.SetPen(pen);
        for (size_t i = 0; i < names.size(); ++i) {
            const int col = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
            const TRect cell{col * kCell, row * kCell, (col + 1) * kCell, (row + 1) * kCell};
            auto shape = AutoShapeFactory().CreateShape(names[i]);
            Place(*shape, cell.left + kCell / 2, cell.top + kCell / 2, kCell - 2 * kMargin - 40,
                  (kCell - 2 * kMargin) / 2 + 40, angle);
            shape->DrawFilled(sheet, fill);
            EXPECT_GT(DarkPixelsIn(sheet.bitmap(), cell), 500) << names[i] << " at " << angle;
        }
        if (const char* folder = std::getenv("ZORBIT_SCREENSHOTS"))
            sheet.bitmap().image().save(QString("%1/shapes-%2.png").arg(folder).arg(static_cast<int>(angle)));
    }
}
