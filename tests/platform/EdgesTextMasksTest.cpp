// Edges, formatted text, colour-keyed masks and image lists of the drawing layer.
#include "PixelTestSupport.h"

#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/Masks.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using test::InkBox;
using test::kBlack;
using test::kWhite;

TEST(Edges, RingsTheirColoursAndAdjustment) {
    const struct {
        uint32_t edge;
        Color outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {EDGE_RAISED, SysColor(COLOR_3DLIGHT), SysColor(COLOR_3DDKSHADOW),
         SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW)},
        {EDGE_SUNKEN, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT),
         SysColor(COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT)},
        {EDGE_ETCHED, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT),
         SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW)},
        {EDGE_BUMP, SysColor(COLOR_3DLIGHT), SysColor(COLOR_3DDKSHADOW),
         SysColor(COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT)},
    };
    for (const auto& c : cases) {
        BitmapCanvas canvas(12, 10);
        const Color background = Rgb(1, 2, 3);
        canvas.FillRect({0, 0, 12, 10}, SolidBrush(background));
        Rect r{1, 1, 11, 9};
        EXPECT_TRUE(DrawEdge(canvas, r, c.edge, BF_RECT | BF_ADJUST));
        EXPECT_EQ(r, (Rect{3, 3, 9, 7}));
        const Bitmap& b = canvas.bitmap();
        EXPECT_EQ(b.Pixel(1, 1), c.outerTopLeft) << c.edge;
        EXPECT_EQ(b.Pixel(10, 1), c.outerBottomRight) << "the far corner takes the bottom-right colour";
        EXPECT_EQ(b.Pixel(1, 8), c.outerBottomRight);
        EXPECT_EQ(b.Pixel(2, 2), c.innerTopLeft);
        EXPECT_EQ(b.Pixel(9, 7), c.innerBottomRight);
        EXPECT_EQ(b.Pixel(5, 5), background) << "no BF_MIDDLE";
        EXPECT_EQ(InkBox(b, background), (Rect{1, 1, 11, 9}));
    }
}

TEST(Edges, PartialSidesAndOptions) {
    BitmapCanvas canvas(10, 10);
    Rect r{0, 0, 10, 10};
    EXPECT_TRUE(DrawEdge(canvas, r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM | BF_ADJUST));
    EXPECT_EQ(r, (Rect{0, 0, 9, 9}));
    EXPECT_EQ(canvas.bitmap().Pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.bitmap().Pixel(9, 0), SysColor(COLOR_3DDKSHADOW));
    Rect unchanged{0, 0, 10, 10};
    EXPECT_FALSE(DrawEdge(canvas, unchanged, 0, BF_RECT | BF_ADJUST));
    EXPECT_EQ(unchanged, (Rect{0, 0, 10, 10}));
    Rect flat{0, 0, 10, 10};
    DrawEdge(canvas, flat, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE);
    EXPECT_EQ(canvas.bitmap().Pixel(0, 0), SysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.bitmap().Pixel(5, 5), SysColor(COLOR_BTNFACE));
}

class DrawTextTest : public ::testing::Test {
protected:
    BitmapCanvas canvas{200, 60};
    void SetUp() override {
        canvas.font().height = -11;
        canvas.SetBkMode(BkMode::Transparent);
    }
    int32_t Width(std::u16string_view s) { return canvas.TextExtent(s).cx; }
};

TEST_F(DrawTextTest, MeasuresOneLineAndBrokenLines) {
    const int32_t lineHeight = canvas.GetTextMetrics().height;
    Rect r{5, 7, 5, 7};
    EXPECT_EQ(DrawText(canvas, u"Ordner", r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX), lineHeight);
    EXPECT_EQ(r, (Rect{5, 7, 5 + Width(u"Ordner"), 7 + lineHeight}));
    Rect wrapped{0, 0, Width(u"eins zwei") + 1, 0};
    DrawText(canvas, u"eins zwei drei", wrapped, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(wrapped.Height(), 2 * lineHeight);
    EXPECT_EQ(wrapped.Width(), Width(u"eins zwei"));
    Rect lines{0, 0, 100, 0};
    DrawText(canvas, u"a\r\nb\nc", lines, DT_CALCRECT);
    EXPECT_EQ(lines.Height(), 3 * lineHeight);
    Rect prefix{0, 0, 0, 0};
    DrawText(canvas, u"&Datei && mehr", prefix, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(prefix.Width(), Width(u"Datei & mehr"));
    EXPECT_EQ(InkBox(canvas.bitmap()), (Rect{})) << "measuring draws nothing";
}

TEST_F(DrawTextTest, AlignsClipsAndShortens) {
    Rect r{10, 10, 190, 50};
    DrawText(canvas, u"Mitte", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    const Rect ink = InkBox(canvas.bitmap());
    EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 30, 3);

    BitmapCanvas narrow(200, 30);
    narrow.SetBkMode(BkMode::Transparent);
    Rect box{0, 0, 40, 20};
    DrawText(narrow, u"Ein recht langer Ordnername", box, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(InkBox(narrow.bitmap()).right, 40) << "shortened to fit";
    EXPECT_GT(InkBox(narrow.bitmap()).right, 25);

    BitmapCanvas clipped(200, 30);
    Rect small{0, 0, 30, 20};
    DrawText(clipped, u"Ein recht langer Ordnername", small, DT_SINGLELINE);
    EXPECT_LE(InkBox(clipped.bitmap()).right, 30);
    Rect right{0, 0, 150, 20};
    BitmapCanvas aligned(200, 30);
    DrawText(aligned, u"Ende", right, DT_SINGLELINE | DT_RIGHT);
    EXPECT_NEAR(InkBox(aligned.bitmap()).right, 150, 2);
}

TEST(Masks, ColourKeyAndMaskedCopy) {
    Bitmap picture(3, 2);
    picture.Fill(Rgb(0, 255, 255));
    picture.SetPixel(1, 0, Rgb(200, 0, 0));
    const Bitmap mask = ColorKeyMask(picture, {0, 0, 3, 2}, Rgb(0, 255, 255));
    EXPECT_EQ(mask.Pixel(0, 0), kWhite);
    EXPECT_EQ(mask.Pixel(1, 0), kBlack);
    EXPECT_EQ(InvertedMask(mask).Pixel(1, 0), kWhite);
    const Bitmap part = ColorKeyMask(picture, {1, 0, 9, 9}, Rgb(0, 255, 255));
    EXPECT_EQ(part.Width(), 2) << "clipped to the picture";
    BitmapCanvas canvas(5, 4);
    canvas.FillRect({0, 0, 5, 4}, SolidBrush(Rgb(10, 20, 30)));
    MaskedBlt(canvas, 1, 1, picture, {0, 0, 3, 2}, mask);
    EXPECT_EQ(canvas.bitmap().Pixel(2, 1), Rgb(200, 0, 0));
    EXPECT_EQ(canvas.bitmap().Pixel(1, 1), Rgb(10, 20, 30));
    EXPECT_EQ(canvas.bitmap().Pixel(3, 2), Rgb(10, 20, 30));
}

TEST(ImageList, PicturesKeysAndListeners) {
    std::vector<ImageList::Event> heard;
    int32_t id = 0;
    {
        ImageList list(4, 4);
        id = list.Subscribe([&](ImageList::Event e) { heard.push_back(e); });
        Bitmap picture(6, 6);  // cut to the list's size
        picture.Fill(Rgb(255, 0, 255));
        picture.SetPixel(2, 2, Rgb(0, 0, 200));
        EXPECT_EQ(list.Add(picture, Rgb(255, 0, 255)), 0);
        EXPECT_EQ(list.Picture(0).Width(), 4);
        BitmapCanvas canvas(8, 8);
        list.Draw(canvas, 0, 2, 3);
        list.Draw(canvas, 5, 0, 0);  // outside the list: nothing
        EXPECT_EQ(canvas.bitmap().Pixel(4, 5), Rgb(0, 0, 200));
        EXPECT_EQ(InkBox(canvas.bitmap()), (Rect{4, 5, 5, 6})) << "the key colour stays out";
        BitmapCanvas disabled(8, 8);
        list.Draw(disabled, 0, 0, 0, false);
        const Color grey = disabled.bitmap().Pixel(2, 2);
        EXPECT_EQ(RedOf(grey), BlueOf(grey));
        EXPECT_GT(RedOf(grey), 100u);
        list.Clear();
    }
    EXPECT_EQ(heard, (std::vector<ImageList::Event>{ImageList::Event::Changed, ImageList::Event::Changed,
                                                    ImageList::Event::Destroyed}));
    EXPECT_GT(id, 0);
}

}  // namespace
}  // namespace gdi
