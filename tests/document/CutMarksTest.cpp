#include "document/CutMarks.h"

#include "document/Etikett.h"
#include "SheetTesting.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

// What a scheme drew: horizontal and vertical lines, rectangles, and the
// extreme edges of the rectangles.
struct Drawn {
    int32_t horizontal = 0;
    int32_t vertical = 0;
    int32_t rectangles = 0;
    int32_t rightmost = INT32_MIN;
    int32_t bottommost = INT32_MIN;
};

Drawn Summarise(const gdi::RecordingCanvas& canvas) {
    Drawn d;
    for (const gdi::RecordedCall& call : canvas.Calls()) {
        EXPECT_EQ(call.state.pen.style, gdi::PenStyle::Dot);
        EXPECT_EQ(call.state.pen.width, 0);
        EXPECT_EQ(call.state.pen.color, 0x404040u);
        EXPECT_EQ(call.state.brush.style, gdi::BrushStyle::Null);
        if (call.op == gdi::RecordedCall::Op::Polygon) {
            ++d.rectangles;
            for (const gdi::Point& p : call.points) {
                d.rightmost = std::max(d.rightmost, p.x);
                d.bottommost = std::max(d.bottommost, p.y);
            }
        } else if (call.op == gdi::RecordedCall::Op::Line) {
            const gdi::Point a = call.points.front(), b = call.points.back();
            if (a.y == b.y) ++d.horizontal;
            if (a.x == b.x) ++d.vertical;
        }
    }
    return d;
}

}  // namespace

TEST(CutMarks, SchemesDrawTheirDottedLinesAndRectangles) {
    struct Case {
        const char* scheme;
        int32_t horizontal, vertical, rectangles, rightmost, bottommost;  // edges in 1/10 mm
    } cases[] = {
        {"TA_DINA5", 1, 0, 0, INT32_MIN, INT32_MIN},
        {"TA_DINA6", 1, 1, 0, INT32_MIN, INT32_MIN},
        {"TA_DINA7", 4, 1, 0, INT32_MIN, INT32_MIN},
        {"TA_DINA8", 4, 5, 0, INT32_MIN, INT32_MIN},
        {"TA_DINA9", 8, 5, 0, INT32_MIN, INT32_MIN},
        {"TA_DINLANG", 2, 1, 0, INT32_MIN, INT32_MIN},
        {"TA_100x60", 0, 0, 2, 1550, 2835},
        {"TA_95x42", 0, 0, 4, 1900, 2702},
        {"TA_240x90", 0, 0, 1, 1950, 2685},
        {"TA_190x60", 0, 0, 2, 2000, 2835},
        {"TA_145x60", 0, 0, 2, 1775, 2835},
        {"TA_60x90", 0, 0, 9, 1950, 2835},
        {"", 0, 0, 0, INT32_MIN, INT32_MIN},
        {"ta_dina5", 0, 0, 0, INT32_MIN, INT32_MIN},
        {"TA_DINA5 ", 0, 0, 0, INT32_MIN, INT32_MIN},
    };
    for (const Case& c : cases) {
        Recording rec;
        rec.scale.SetResolutionX(10);  // tenths of a millimetre
        rec.scale.SetResolutionY(10);
        TEtikett sheet;
        sheet.CutMarkScheme = c.scheme;
        sheet.DrawCutMarks(rec.scale);
        const Drawn d = Summarise(rec.canvas);
        EXPECT_EQ(d.horizontal, c.horizontal) << c.scheme;
        EXPECT_EQ(d.vertical, c.vertical) << c.scheme;
        EXPECT_EQ(d.rectangles, c.rectangles) << c.scheme;
        EXPECT_EQ(d.rightmost, c.rightmost) << c.scheme;
        EXPECT_EQ(d.bottommost, c.bottommost) << c.scheme;
        EXPECT_EQ(rec.canvas.pen().style, gdi::PenStyle::Solid) << c.scheme;
    }
}

TEST(CutMarks, VerticalLinesOfTheSmallCardsLieInsideThePage) {
    Recording rec;
    DrawCutMarkScheme(rec.scale, "TA_DINA9");
    std::vector<int32_t> xs;
    for (const gdi::RecordedCall& call : rec.Calls())
        if (call.points.front().x == call.points.back().x) xs.push_back(call.points.front().x);
    EXPECT_EQ(xs, (std::vector<int32_t>{1, 53, 105, 157, 209}));
}
