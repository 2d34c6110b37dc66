#include "ModelFixtures.h"

#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtSpecialTextProperty.h"

#include <gtest/gtest.h>

namespace {

// Adds a header or footer item with one line of text.
TRtSpecialTextProperty* AddItem(TRtRTFText& text, uint8_t range, uint8_t kind, const std::string& line) {
    TRtSpecialTextProperty* item = text.AddHeaderFooter(range, kind);
    text.RangeToEdit = range;
    text.SwitchEditedText(kind == rtIsHeader ? 1 : 2);
    text.SetParagraphText(0, line.c_str(), nullptr, int32_t(line.size()));
    text.SwitchEditedText(0);
    return item;
}

// Makes the text two pages long: a page break before its second paragraph.
void TwoPages(TRtRTFText& text) {
    Fill(text, {"page 1", "page 2"});
    Par(text, 1)->flags |= pfPageBreak;
    text.InvalidatePageCount();
}

}  // namespace

TEST(HeaderFooter, PagesFindTheirItems) {
    TRtRTFText text;
    TwoPages(text);
    TRtSpecialTextProperty* all = AddItem(text, rtraOnAllPages, rtIsHeader, "all");
    TRtSpecialTextProperty* first = AddItem(text, rtraOnFirstPage, rtIsHeader, "first");
    EXPECT_EQ(text.GetHeaderFooterForPage(0, rtIsHeader, false), first);
    EXPECT_EQ(text.GetHeaderFooterForPage(1, rtIsHeader, true), all);
    EXPECT_EQ(text.GetHeaderFooterForPage(0, rtIsFooter, false), nullptr);

    TRtRTFText oddEven;
    TwoPages(oddEven);
    TRtSpecialTextProperty* odd = AddItem(oddEven, rtraOnOddPages, rtIsFooter, "odd");
    TRtSpecialTextProperty* even = AddItem(oddEven, rtraOnEvenPages, rtIsFooter, "even");
    EXPECT_EQ(oddEven.GetHeaderFooterForPage(0, rtIsFooter, false), odd);  // page 1
    EXPECT_EQ(oddEven.GetHeaderFooterForPage(1, rtIsFooter, true), even);
    TRtSpecialTextProperty* last = AddItem(oddEven, rtraOnLastPage, rtIsFooter, "last");
    EXPECT_EQ(oddEven.GetHeaderFooterForPage(1, rtIsFooter, true), last);
}

TEST(HeaderFooter, LastPageFooterOfAOnePageText) {
    TRtRTFText text;
    Fill(text, {"one page"});
    AddItem(text, rtraOnLastPage, rtIsFooter, "last");
    TRtSpecialTextProperty* allHeader = AddItem(text, rtraOnAllPages, rtIsHeader, "header");
    // Neither hides the all-pages header, nor shows the last-page footer on the only page.
    EXPECT_EQ(text.GetHeaderFooterForPage(0, rtIsHeader, true), allHeader);
    EXPECT_EQ(text.GetHeaderFooterForPage(0, rtIsFooter, true), nullptr);
    TRtSpecialTextProperty* firstFooter = AddItem(text, rtraOnFirstPage, rtIsFooter, "first");
    EXPECT_EQ(text.GetHeaderFooterForPage(0, rtIsFooter, true), firstFooter);
}

TEST(HeaderFooter, SwitchingAddsItemsAndRestoresTheBody) {
    TRtRTFText text;
    Fill(text, {"body one", "body two"});
    text.Cursor = {Par(text, 1), Par(text, 1)->firstLine, 3};
    const TRtPosition cursor = text.Cursor;
    text.RangeToEdit = rtraOnAllPages;
    text.SwitchEditedText(2);
    EXPECT_EQ(text.GetHeaderFooterCount(), 1);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.EditedId, text.GetHeaderFooter(0)->Id());
    EXPECT_EQ(text.CheckInvariants(), "");
    text.SetParagraphText(0, "foot", nullptr, 4);
    text.SwitchEditedText(0);
    EXPECT_EQ(text.Cursor, cursor);
    EXPECT_EQ(TextOf(text), "body one|body two");
    EXPECT_EQ(text.EditedId, 0);
    EXPECT_TRUE(text.HasHeaderFooterText());
    EXPECT_TRUE(text.SwitchToHeaderFooterById(0));  // already the body
    EXPECT_FALSE(text.SwitchToHeaderFooterById(text.GetHeaderFooter(0)->Id()));
    EXPECT_EQ(TextOf(text), "foot");
    text.SwitchEditedText(0);
}

TEST(HeaderFooter, IgnoredItemsHaveNoTextAndEmptyOnesNoHeight) {
    TRtRTFText text;
    TRtSpecialTextProperty* ignored = AddItem(text, rtraIgnored, rtIsHeader, "x");
    EXPECT_FALSE(ignored->IsEmpty());
    EXPECT_FALSE(text.HasHeaderFooterText());
    TRtSpecialTextProperty* empty = AddItem(text, rtraOnAllPages, rtIsFooter, "");
    empty->UpdateHeight();
    EXPECT_EQ(empty->Height(), 0);
    ignored->UpdateHeight();
    EXPECT_EQ(ignored->Height(), 16);
}

TEST(HeaderFooter, LockingTwiceRaisesAndChangesNothing) {
    TRtRTFText text;
    Fill(text, {"body"});
    TRtSpecialTextProperty* a = AddItem(text, rtraOnAllPages, rtIsHeader, "a");
    TRtSpecialTextProperty* b = AddItem(text, rtraOnFirstPage, rtIsHeader, "b");
    a->SetLocked(1);
    EXPECT_EQ(TextOf(text), "a");
    EXPECT_THROW(b->SetLocked(1), ERtEngineModeError);
    EXPECT_EQ(TextOf(text), "a");
    a->SetLocked(0);
    EXPECT_EQ(TextOf(text), "body");
    EXPECT_FALSE(text.Locked);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(HeaderFooter, ClearingWhileAFooterIsEditedKeepsTheTextSound) {
    TRtRTFText text;
    Fill(text, {"body"});
    text.SwitchEditedText(1);
    text.SetParagraphText(0, "head", nullptr, 4);
    text.Clear();
    EXPECT_EQ(text.EditedKind, 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetHeaderFooterCount(), 0);
    EXPECT_EQ(text.CheckInvariants(), "");
}
