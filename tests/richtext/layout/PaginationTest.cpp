#include "LayoutFixtures.h"

#include "foundation/Rounding.h"
#include "richtext/model/RtSpecialTextProperty.h"

#include <gtest/gtest.h>

namespace {

// Lines of 120 layout pixels (10 points); a page holds `lines` of them.
struct TPagedText : TLaidOutText {
    explicit TPagedText(int32_t lines = 5) {
        SetWidthInChars(40);
        TTextHeader& h = text.Header();
        h.SetTopMargin(1440);
        h.SetBottomMargin(1440);
        h.SetPageHeight(2880 + lines * 240);
        h.UpdatePixelMetrics();
    }
    std::vector<int32_t> PagesOfParagraphs() const {
        std::vector<int32_t> pages;
        for (const TParagraph* p = text.FirstPar(); p; p = p->next) pages.push_back(p->firstLine->pageNumber);
        return pages;
    }
};

std::vector<std::string> Repeat(const std::string& s, int n) { return std::vector<std::string>(size_t(n), s); }

// Two cells; the second is narrow so that its text takes three lines.
void AddRow(TRtRTFText& text, const std::string& a, const std::string& b) {
    std::vector<TRtRowCell> cells(2);
    cells[0].text = a;
    cells[0].width = 215;
    cells[1].text = b;
    cells[1].width = 40;
    TParagraph* p = text.GetLastParagraph();
    text.ApplyRowRecord(p, 2, cells.data());
}

}  // namespace

TEST(Pagination, HardBreaksMakePagesInEveryView) {
    for (const uint16_t flags : {rtlayNormal, rtlayLayout, rtlayFullLayout}) {
        TPagedText t;
        t.Fill({"one", "two", "three"});
        t.Par(1)->flags |= pfPageBreak;
        t.Par(2)->flags |= pfPageBreak;
        t.text.LayoutFlags = flags;
        t.Layout();
        EXPECT_EQ(t.text.PageCount, 3) << flags;
        EXPECT_EQ(t.PagesOfParagraphs(), (std::vector<int32_t>{0, 1, 2})) << flags;
    }
}

TEST(Pagination, PageViewPutsTheTopMarginAboveTheFirstLine) {
    TPagedText t;
    t.Fill({"one"});
    t.text.LayoutFlags = rtlayLayout;
    t.Layout();
    const int32_t gapHalf = MulDiv(141, 720, 1440);
    EXPECT_EQ(t.Par(0)->firstLine->spaceAbove, gapHalf + 720);
}

TEST(Pagination, LinesFlowOntoTheNextPage) {
    TPagedText t(5);
    t.Fill(Repeat("line", 12));
    t.Layout();
    EXPECT_EQ(t.text.PageCount, 3);
    EXPECT_EQ(t.PagesOfParagraphs(), (std::vector<int32_t>{0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2}));
}

TEST(Pagination, KeepRules) {
    {
        // The keep-with-next paragraph goes with the one that does not fit.
        TPagedText t(5);
        t.Fill({"a", "b", "c", "d", "heading", "body"});
        t.Par(4)->flags |= pfKeepWithNext;
        t.Layout();
        EXPECT_EQ(t.PagesOfParagraphs(), (std::vector<int32_t>{0, 0, 0, 0, 1, 1}));
    }
    {
        // A kept-together paragraph of three lines whose second line overflows moves whole.
        TPagedText t(5);
        t.SetWidthInChars(6);
        t.Fill({"a", "b", "c", "d", "aaaa bbbb cccc"});
        t.Par(4)->flags |= pfKeepTogether;
        t.Layout();
        ASSERT_EQ(LinesOf(t.Par(4)).size(), 3u);
        EXPECT_EQ(t.Par(4)->firstLine->pageNumber, 1);
        EXPECT_EQ(t.Par(4)->firstLine->next->pageNumber, 1);
    }
    {
        // One that already starts a page breaks inside.
        TPagedText t(2);
        t.SetWidthInChars(6);
        t.Fill({"aaaa bbbb cccc"});
        t.Par(0)->flags |= pfKeepTogether;
        t.Layout();
        const TLine* first = t.Par(0)->firstLine;
        EXPECT_EQ(first->pageNumber, 0);
        EXPECT_EQ(first->next->pageNumber, 0);
        EXPECT_EQ(first->next->next->pageNumber, 1);
    }
}

TEST(Pagination, TheTallestCellSetsTheRow) {
    TPagedText t(20);
    t.Fill({"before"});
    AddRow(t.text, "a", "xxx yyy zzz");
    t.text.InsertParagraphText(3, "after", nullptr, 5);
    t.Par(1)->flags |= pfCellVBottom;
    t.Layout();
    TParagraph* a = t.Par(1);
    TParagraph* b = t.Par(2);
    ASSERT_TRUE(a->IsCell() && b->IsCell());
    ASSERT_EQ(LinesOf(b).size(), 3u);
    EXPECT_EQ(t.Par(3)->firstLine->yPos, t.Par(0)->firstLine->height + 3 * 120) << "the row is three lines high";
    // The short cell keeps its free space (two lines) and, aligned at the bottom, moves its text down.
    EXPECT_EQ(a->spaceBefore + a->spaceAfter, MulDiv(240, 1440, 720));
    EXPECT_EQ(a->firstLine->height, 3 * 120);
    EXPECT_EQ(a->firstLine->baseLine, 2 * 120 + 100);
}

TEST(Pagination, AHiddenCellIsSkippedAndTheNextStillAligns) {
    TPagedText t(20);
    AddRow(t.text, "a", "xxx yyy zzz");
    AddRow(t.text, "c", "xxx yyy zzz");
    TParagraph* hidden = t.Par(0);  // the first row's short cell
    TParagraph* aligned = t.Par(2);  // the second row's short cell
    ASSERT_TRUE(hidden->IsCell() && aligned->IsCell());
    hidden->flags |= pfHidden | pfCellVBottom;
    aligned->flags |= pfCellVBottom;
    t.Layout();
    EXPECT_EQ(hidden->firstLine->height, 0);
    EXPECT_EQ(aligned->firstLine->baseLine, 2 * 120 + 100);
}

TEST(Pagination, HeaderSpaceOnlyOnTheFirstPage) {
    TPagedText t;
    t.Fill({"text"});
    t.text.GetOrAddHeaderFooter(rtraOnAllPages, rtIsHeader)->SetParagraphs(MakeChain(t.text, {"H"}));
    t.text.Header().PrintHeaderFooterInPageMargins = false;
    t.text.PrintHeaderFooter = rtrOnlyOnFirstPage;
    t.Layout();
    EXPECT_GT(t.text.HeaderFooterSets()[0].headerSpace, 0);
    EXPECT_EQ(t.text.HeaderFooterSets()[1].headerSpace, 0);
    EXPECT_EQ(t.text.HeaderFooterSets()[2].headerSpace, 0);
    t.text.PrintHeaderFooter = rtrOnAllPages;
    t.Layout();
    EXPECT_GT(t.text.HeaderFooterSets()[2].headerSpace, 0);
}

TEST(Pagination, HiddenParagraphTakesNoSpace) {
    TPagedText t;
    t.Fill({"one", "hidden", "three"});
    t.Par(1)->flags |= pfHidden;
    t.Layout();
    EXPECT_EQ(t.Par(2)->firstLine->yPos, t.Par(0)->firstLine->height);
}

TEST(Pagination, ManualBreaksOnly) {
    TPagedText t(5);
    t.Fill(Repeat("line", 12));
    t.Par(3)->flags |= pfPageBreak;
    t.text.LayoutFlags = rtlayShowManualPageBreaks;
    t.Layout();
    EXPECT_EQ(t.text.PageCount, 2) << "the height breaks of the first pass begin no page";
}

TEST(Pagination, MeasurePageEventSetsThePageHeight) {
    TPagedText t(5);
    t.Fill(Repeat("line", 12));
    t.text.OnMeasurePage = [](TRtCustomRtfEditClass*, int32_t, int32_t& height, int32_t& top, int32_t& bottom) {
        height = top + bottom + 10 * 240;
    };
    t.Layout();
    EXPECT_EQ(t.text.PageCount, 2);
}

TEST(Pagination, LocatePageAndCursorPage) {
    TPagedText t(5);
    t.Fill(Repeat("ab", 12));
    t.Layout();
    TParagraph* par = nullptr;
    TLine* line = nullptr;
    int32_t index = 0;
    EXPECT_EQ(t.text.LocatePage(1, par, index, line), 5);
    EXPECT_EQ(par, t.Par(5));
    EXPECT_EQ(index, 15);
    t.text.Cursor = {t.Par(11), t.Par(11)->firstLine, 0};
    EXPECT_EQ(t.text.GetCursorPage(), 2);
    EXPECT_EQ(t.text.LocatePage(7, par, index, line), 12);
    EXPECT_EQ(par, nullptr);
}
