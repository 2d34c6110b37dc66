// Scrolling the view: the strip that comes into view is the only part
// painted when the window can move its pixels; long jumps land on lines; the
// scroll-bar requests; the cursor kept in view and the caret's size.
#include "LayoutFixtures.h"

#include <gtest/gtest.h>

namespace {

class TScrollHost : public TRtLayoutHost {
public:
    bool ScrollWindow(int32_t dx, int32_t dy) override {
        scrolls.push_back({dx, dy});
        return canScroll;
    }
    void Invalidate() override { ++invalidated; }
    bool canScroll = true;
    std::vector<std::pair<int32_t, int32_t>> scrolls;
    int32_t invalidated = 0;
};

struct TScrolledText : TLaidOutText {
    TScrollHost host;
    explicit TScrolledText(int32_t zoom = 100, int32_t paragraphs = 60) {
        text.Zoom = zoom;
        SetWidthInChars(30);
        std::vector<std::string> pars;
        for (int i = 0; i < paragraphs; ++i) pars.push_back("paragraph " + std::to_string(i));
        Fill(pars);
        Layout();
        text.Host = &host;
        SetView(400, 300);
    }
    void SetView(int32_t width, int32_t height) {
        text.VisibleWidth = width;
        text.VisibleHeight = height;
        text.VisibleLayoutWidth = text.UnscaleByZoom(width);
        text.VisibleLayoutHeight = text.UnscaleByZoom(height);
    }
    TLine* LastLine() const { return text.GetLastParagraph()->firstLine; }
};

}  // namespace

TEST(Scroll, ASmallStepPaintsOnlyTheUncoveredStrip) {
    TScrolledText t;
    t.canvas.Clear();
    t.text.ScrollDown(16);
    const int32_t moved = t.text.UnscaleByZoom(16);
    EXPECT_EQ(t.text.VertScroll, moved);
    ASSERT_EQ(t.host.scrolls.size(), 1u);
    EXPECT_EQ(t.host.scrolls[0], std::make_pair(0, -16));
    EXPECT_EQ(t.host.invalidated, 0);
    EXPECT_TRUE(t.text.PartialScrollDone);
    // Only lines that reach into the strip at the window's bottom are drawn.
    const int32_t stripTop = t.text.VisibleLayoutHeight - moved;
    int32_t texts = 0;
    for (const gdi::RecordedCall& c : t.canvas.Calls()) {
        if (c.op != gdi::RecordedCall::Op::Text) continue;
        ++texts;
        EXPECT_GT(c.rect.bottom, stripTop - t.text.DefaultLineHeight);
    }
    EXPECT_GT(texts, 0);
    EXPECT_LT(texts, 4);

    // Without a window that moves its pixels, everything is repainted.
    t.host.canScroll = false;
    t.text.ScrollUp(16);
    EXPECT_EQ(t.text.VertScroll, 0);
    EXPECT_EQ(t.host.invalidated, 1);
}

TEST(Scroll, LongJumpsLandOnLinesAndTheEndStandsTwoThirdsDown) {
    TScrolledText t;
    t.text.ScrollDown(16777215);
    const TLine* last = t.LastLine();
    EXPECT_EQ(t.text.VertScroll, std::max(0, last->yPos - last->spaceAbove - t.text.VisibleLayoutHeight / 3 * 2));
    t.text.VertScrollRequest(6, 0);
    EXPECT_EQ(t.text.VertScroll, 0);
    t.text.ScrollDown(301);  // more than the window: the position snaps to a line's top
    bool onLine = false;
    for (TParagraph* p = t.text.FirstPar(); p; p = p->next) onLine = onLine || p->firstLine->yPos == t.text.VertScroll;
    EXPECT_TRUE(onLine);
    // Scrolling up never goes above the text.
    t.text.ScrollUp(100000);
    EXPECT_EQ(t.text.VertScroll, 0);
}

TEST(Scroll, PositionRequestsMoveTheSameDistanceAtEveryZoom) {
    for (int32_t zoom : {100, 200}) {
        SCOPED_TRACE(zoom);
        TScrolledText t(zoom);
        t.text.VertScrollRequest(4, 700);
        EXPECT_NEAR(t.text.VertScroll, 700, t.text.UnscaleByZoom(1) + 1);
        t.text.VertScrollRequest(5, 300);
        EXPECT_NEAR(t.text.VertScroll, 300, t.text.UnscaleByZoom(1) + 1);
    }
}

TEST(Scroll, EditBoxesThatCheckTheTextFlowNeverScrollVertically) {
    TScrolledText t;
    t.text.EditBoxModes = rtemCheckTextFlow;
    t.text.ScrollDown(50);
    t.text.VertScrollRequest(7, 0);
    EXPECT_EQ(t.text.VertScroll, 0);
    EXPECT_TRUE(t.host.scrolls.empty());
}

TEST(Scroll, TheCursorIsKeptInView) {
    TScrolledText t;
    TParagraph* last = t.text.GetLastParagraph();
    t.text.Cursor = {last, last->firstLine, 3};
    t.text.ScrollToCursor();
    const TLine* line = last->firstLine;
    EXPECT_LE(t.text.VertScroll, line->yPos);
    EXPECT_GE(t.text.VertScroll + t.text.VisibleLayoutHeight, line->yPos + line->height);
    // Back to the first line: the view goes up to it.
    t.text.Cursor = {t.Par(0), t.Par(0)->firstLine, 0};
    t.text.ScrollToCursor();
    EXPECT_LE(t.text.VertScroll, t.Par(0)->firstLine->yPos);

    // A cursor right of the window scrolls it so that the caret stands at about two thirds.
    TScrolledText wide(100, 1);
    wide.SetWidthInChars(200);
    wide.Fill({std::string(190, 'w')});
    wide.Layout();
    wide.text.WordWrap = false;
    wide.SetView(100, 300);
    TParagraph* par = wide.Par(0);
    wide.text.Cursor = {par, par->firstLine, 180};
    wide.text.ScrollToCursor();
    const int32_t onScreen = wide.text.CaretX;  // the caret's x holds the horizontal offset
    EXPECT_LT(wide.text.HorzScroll, 0);
    EXPECT_GE(onScreen, wide.text.VisibleLayoutWidth / 2);
    EXPECT_LE(onScreen, wide.text.VisibleLayoutWidth);
}

TEST(Scroll, TheCaretIsAsWideAsTheCharacterInOverwriteMode) {
    TScrolledText t;
    t.text.Cursor = {t.Par(0), t.Par(0)->firstLine, 2};
    t.text.UpdateCaretPos();
    EXPECT_EQ(t.text.CaretWidth, t.text.OnePixel);
    EXPECT_EQ(t.text.CaretX, t.text.CharIndexToX(t.Par(0), t.Par(0)->firstLine, 2));
    t.text.InsertMode = false;
    t.text.UpdateCaretPos();
    EXPECT_EQ(t.text.CaretWidth, 10);
    const TLine* line = t.Par(0)->firstLine;
    EXPECT_GE(t.text.CaretY, line->yPos);
    EXPECT_LE(t.text.CaretY + t.text.CaretHeight, line->yPos + line->height);
}
