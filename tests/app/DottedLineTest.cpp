// Dotted inverting lines and the saved canvas states.
#include "app/DottedLine.h"
#include "app/SaveCanvas.h"

#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One character per pixel of a row or column: '#' inverted (black on white), '.' not.
std::string Row(const gdi::BitmapCanvas& c, int y, int from, int to) {
    std::string s;
    for (int x = from; x < to; ++x) s += c.bitmap().Pixel(x, y) == gdi::Rgb(0, 0, 0) ? '#' : '.';
    return s;
}

std::string Column(const gdi::BitmapCanvas& c, int x, int from, int to) {
    std::string s;
    for (int y = from; y < to; ++y) s += c.bitmap().Pixel(x, y) == gdi::Rgb(0, 0, 0) ? '#' : '.';
    return s;
}

}  // namespace

TEST(DottedLine, InvertsThreeOfEverySevenPixelsAndErasesItselfWhenDrawnAgain) {
    gdi::BitmapCanvas c(30, 30);
    DrawDottedLine(c, 2, 5, 16, 5);  // 14 pixels: 1-3 and 8-10 inverted, the end point left out
    EXPECT_EQ(Row(c, 5, 0, 18), "..###....###......");
    EXPECT_EQ(c.brush().style, gdi::BrushStyle::Null);
    DrawDottedLine(c, 2, 5, 16, 5);
    EXPECT_EQ(Row(c, 5, 0, 18), "..................");

    // Backwards and upwards the walk starts at the first point as well.
    DrawDottedLine(c, 16, 7, 2, 7);
    EXPECT_EQ(Row(c, 7, 0, 18), ".......###....###.");
    DrawDottedLine(c, 20, 20, 20, 4);
    EXPECT_EQ(Column(c, 20, 4, 21), ".##....###....###");
    // A diagonal inverts single pixels along it.
    DrawDottedLine(c, 0, 10, 9, 19);
    EXPECT_EQ(c.bitmap().Pixel(2, 12), gdi::Rgb(0, 0, 0));
    EXPECT_EQ(c.bitmap().Pixel(3, 13), gdi::Rgb(255, 255, 255));
    EXPECT_EQ(c.bitmap().Pixel(7, 17), gdi::Rgb(0, 0, 0));

    // Through a mapping the same dashes land where the mapping puts them.
    gdi::BitmapCanvas moved(30, 10);
    moved.SetViewportOrg(3, 2);
    DrawDottedLine(moved, 2, 5, 16, 5);
    EXPECT_EQ(Row(moved, 7, 0, 21), ".....###....###......");
    DrawDottedLine(moved, 2, 5, 16, 5);
    EXPECT_EQ(Row(moved, 7, 0, 21), ".....................");
}

TEST(DottedLine, ARectangleDrawnTwiceLeavesThePictureAsItWas) {
    gdi::BitmapCanvas c(60, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) c.SetPixel(x, y, gdi::Rgb(x * 4, y * 6, (x ^ y) & 0xFF));
    const QImage before = c.bitmap().image().copy();
    DrawDottedRect(c, 5, 5, 50, 30);
    EXPECT_NE(c.bitmap().image(), before);
    // Every side starts its own run at its corner.
    for (const QPoint corner : {QPoint(5, 5), QPoint(50, 5), QPoint(50, 30), QPoint(5, 30)})
        EXPECT_EQ(c.bitmap().image().pixel(corner), before.pixel(corner) ^ 0x00FFFFFFu);
    DrawDottedRect(c, 5, 5, 50, 30);
    EXPECT_EQ(c.bitmap().image(), before);
    // A flat rectangle walks one line there and back: still erased by the second drawing.
    DrawDottedRect(c, 10, 20, 40, 20);
    DrawDottedRect(c, 10, 20, 40, 20);
    EXPECT_EQ(c.bitmap().image(), before);
}

TEST(SaveCanvas, TheFirstSaveOfACanvasWinsAndRestoreForgetsIt) {
    gdi::BitmapCanvas a(4, 4);
    gdi::BitmapCanvas b(4, 4);
    TSaveCanvas stack;
    a.pen().color = gdi::Rgb(1, 2, 3);
    a.font().faceName = "Arial";
    stack.Save(a);
    a.pen().color = gdi::Rgb(9, 9, 9);
    a.brush().color = gdi::Rgb(7, 7, 7);
    a.SetTextColor(gdi::Rgb(5, 5, 5));
    a.SetCopyMode(gdi::SRCINVERT);
    a.font().faceName = "Courier New";
    stack.Save(a);  // ignored: a is saved already
    stack.Save(b);
    b.pen().width = 5;

    stack.Restore(a);
    EXPECT_EQ(a.pen().color, gdi::Rgb(1, 2, 3));
    EXPECT_EQ(a.brush().color, gdi::Rgb(255, 255, 255));
    EXPECT_EQ(a.TextColor(), gdi::Rgb(0, 0, 0));
    EXPECT_EQ(a.CopyMode(), gdi::SRCCOPY);
    EXPECT_EQ(a.font().faceName, "Arial");
    a.pen().color = gdi::Rgb(4, 4, 4);
    stack.Restore(a);  // nothing kept any more
    EXPECT_EQ(a.pen().color, gdi::Rgb(4, 4, 4));

    gdi::BitmapCanvas never(4, 4);
    never.pen().color = gdi::Rgb(8, 8, 8);
    stack.Restore(never);
    EXPECT_EQ(never.pen().color, gdi::Rgb(8, 8, 8));
    stack.Restore(b);
    EXPECT_EQ(b.pen().width, 1);
    EXPECT_FALSE(stack.HasSaved(b));
}
