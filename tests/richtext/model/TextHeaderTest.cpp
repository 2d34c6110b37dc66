#include "richtext/model/EngineSettings.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

TEST(TextHeader, NewHeaderHasLetterPageAndDefaults) {
    TTextHeader h;
    EXPECT_EQ(h.PageWidth(), 12240);
    EXPECT_EQ(h.PageHeight(), 15840);
    EXPECT_EQ(h.TopMargin(), 1440);
    EXPECT_EQ(h.BottomMargin(), 1440);
    EXPECT_EQ(h.LeftMargin(), 1880);
    EXPECT_EQ(h.RightMargin(), 1880);
    EXPECT_EQ(h.MarginHeader(), 720);
    EXPECT_EQ(h.MarginFooter(), 720);
    EXPECT_EQ(h.DefaultTabstop(), 720);
    EXPECT_EQ(h.LoadOptions, OptionBit(loAddReadParagraphStyles) | OptionBit(loOverwriteParagraphStyleAttr));
    EXPECT_TRUE(h.HasStoreOption(soWriteObjectsAsRTFBinary));
    EXPECT_EQ(h.Colors[1].Rgb(), 0x0000FFu);
    EXPECT_EQ(h.Colors[16].inUse, 0);
}

TEST(TextHeader, LandscapeKeepsPortraitSizesAndSwapsResolutions) {
    TTextHeader h;
    h.LayoutResX = 100;
    h.LayoutResY = 200;
    int changes = 0;
    h.OnChange = [&changes](int) { ++changes; };
    h.SetLandscape(true);
    EXPECT_EQ(h.PageWidth(), 12240);
    EXPECT_EQ(h.StoredPageWidth(), 15840);
    EXPECT_EQ(h.PageWidthPx, 15840 * 200 / 1440);  // horizontal values use the y resolution
    EXPECT_EQ(changes, 1);
    h.SetPageWidth(11000);
    EXPECT_EQ(h.PageWidth(), 11000);
    EXPECT_EQ(h.StoredPageHeight(), 11000);
}

TEST(TextHeader, HeaderDistanceBelow254IsRaisedWhenPixelsAreComputed) {
    TTextHeader h;
    h.SetMarginHeader(100);
    EXPECT_EQ(h.MarginHeader(), 100);
    h.UpdatePixelMetrics();
    EXPECT_EQ(h.MarginHeader(), 254);
}

TEST(TextHeader, UpdateLockAnnouncesOnceAtTheEnd) {
    TTextHeader h;
    int changes = 0;
    h.OnChange = [&changes](int) { ++changes; };
    h.BeginUpdate();
    h.BeginUpdate();
    h.SetLeftMargin(1000);
    h.SetRightMargin(1000);
    EXPECT_EQ(changes, 0);
    h.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(h.Updating());
}

TEST(TextHeader, TabsAreRoundedToTheUnitStep) {
    struct Case {
        int32_t position;
        int32_t expected;  // stored position, or -1 when refused
    };
    const Case cases[] = {
        {700, 720},   // 700 + 72 = 772, 772 - 52
        {3, -1},      // rounds to 0
        {100, 144},   // below one step: the step
        {-5, -1},
        {8480 - 100, 8480},  // within a step of the text width snaps to it
    };
    for (const Case& c : cases) {
        TTextHeader h;
        h.LayoutResX = 96;
        h.UsedUnit = UnitCm;
        const int32_t slot = h.AddTab(c.position, 0);
        if (c.expected < 0) {
            EXPECT_EQ(slot, -1) << c.position;
        } else {
            ASSERT_GE(slot, 0) << c.position;
            EXPECT_EQ(h.Tabs[slot].position, c.expected) << c.position;
            EXPECT_EQ(h.LastTabSet, uint64_t(1) << slot);
        }
    }
}

TEST(TextHeader, TabsWithoutRoundingFindSortAndFillUp) {
    TTextHeader h;
    h.LayoutResX = 96;
    h.NoTabRounding = true;
    const int32_t a = h.AddTab(3000, 1);
    EXPECT_FALSE(h.NoTabRounding);  // the switch lasts one call
    h.NoTabRounding = true;
    const int32_t b = h.AddTab(1000, 4);  // the default kind
    EXPECT_EQ(h.Tabs[a].position, 3000);
    EXPECT_EQ(h.Tabs[b].kind, 0);
    EXPECT_EQ(h.TabOrder[0], b);
    EXPECT_EQ(h.TabOrder[1], a);
    EXPECT_EQ(h.FindTab(3000, 4), a);
    EXPECT_EQ(h.FindTab(3000, 2), -1);

    int full = 0;
    h.OnTabTableFull = [&full] { ++full; };
    for (int i = 2; i < kTabSlots; ++i) {
        h.NoTabRounding = true;
        ASSERT_GE(h.AddTab(5000 + i, 0), 0);
    }
    h.NoTabRounding = true;
    EXPECT_EQ(h.AddTab(9999, 0), -1);
    EXPECT_EQ(full, 1);
}

TEST(TextHeader, ColoursFindTheNearestOrTakeAFreeEntry) {
    TTextHeader h;
    int32_t index = -2;
    EXPECT_TRUE(h.FindOrAddColor(0x000001, false, index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(h.FindOrAddColor(0x123456, true, index));
    EXPECT_EQ(index, 17);
    EXPECT_EQ(h.Colors[17].Rgb(), 0x123456u);
    EXPECT_TRUE(h.FindOrAddColor(0x123457, true, index));  // within 256 of entry 17
    EXPECT_EQ(index, 17);
    EXPECT_TRUE(h.FindOrAddColor(0x0000FE, false, index));
    EXPECT_EQ(index, 1);
    // A full table answers false with the nearest entry.
    for (int i = 17; i < kColorCount; ++i) h.Colors[i].inUse = 1;
    EXPECT_FALSE(h.FindOrAddColor(0x406080, true, index));
    EXPECT_GE(index, 0);
}

TEST(TextHeader, FontsFindByNameAndCharset) {
    TTextHeader h;
    const int32_t symbol = h.FindOrAddFont("Symbol", 0);
    EXPECT_EQ(h.Fonts[symbol].charset, 2);
    const int32_t arial = h.FindOrAddFont("Arial", 0);
    EXPECT_EQ(h.FindOrAddFont("ARIAL", -1), arial);
    EXPECT_NE(h.FindOrAddFont("Arial", 161), arial);
    RtEngine().FontNamesOnly = true;
    EXPECT_EQ(h.FindOrAddFont("Arial", 204), arial);
    RtEngine().FontNamesOnly = false;
    for (int i = 0; i < kFontCount; ++i) h.Fonts[i].name = "F" + std::to_string(i);
    EXPECT_EQ(h.FindOrAddFont("New", 0), 0);
}

TEST(TextHeader, PapersAreMatchedBySize) {
    int32_t index = -1;
    EXPECT_EQ(PaperSizeFromTwips(11900, 16790, index), 9);  // 16790 lies within 10 of 29.6 cm
    EXPECT_EQ(index, 5);
    EXPECT_EQ(PaperSizeFromTwips(12240, 15840, index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(PaperSizeFromTwips(5000, 5000, index), -1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(RtEngine().PaperSizeMatcher, &PaperSizeFromTwips);
}

TEST(TextHeader, PageSizeSetsTheSizeButNotTheDefault) {
    TTextHeader h;
    h.SetPageSize(rt_DinA4);
    EXPECT_EQ(h.PageWidth(), 11906);
    EXPECT_EQ(h.PageHeight(), 16838);
    EXPECT_EQ(h.DefaultPageSize(), rt_Custom);
    EXPECT_EQ(h.PageSize(), rt_DinA4);
    h.SetDefaultPageSize(rt_DinA5);
    EXPECT_EQ(h.DefaultPageWidth, 8391);
    EXPECT_EQ(h.DefaultPageHeight, 11906);
}

TEST(TextHeader, AssignCopiesTablesAndPageLayout) {
    TTextHeader source;
    source.FindOrAddFont("Courier New", 0);
    source.NoTabRounding = true;
    source.AddTab(2000, 2);
    source.SetLeftMargin(500);
    source.StoreOptions = 0;
    TTextHeader target;
    target.Assign(source);
    EXPECT_EQ(target.Fonts[0].name, "Courier New");
    EXPECT_EQ(target.Tabs, source.Tabs);
    EXPECT_EQ(target.LeftMargin(), 500);
    EXPECT_EQ(target.StoreOptions, 0u);
}
