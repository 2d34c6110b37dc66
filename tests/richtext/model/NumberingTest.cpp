#include "ModelFixtures.h"

#include "richtext/model/RtRTFNumberingStyle.h"

#include <gtest/gtest.h>

TEST(Numbering, NumberToText) {
    struct Case {
        int32_t n;
        TRtNumberStyle style;
        const char* text;
    };
    const Case cases[] = {
        {1, rt_a, "a"},      {26, rt_a, "z"},    {27, rt_a, "aa"},     {28, rt_a, "ab"},    {52, rt_a, "az"},
        {53, rt_a, "ba"},    {78, rt_a, "bz"},   {702, rt_a, "zz"},    {703, rt_a, "a"},    {0, rt_a, ""},
        {27, rt_lg_a, "AA"}, {4, rt_lg_i, "IV"}, {14, rt_lg_i, "XIV"}, {40, rt_lg_i, "XXXX"},
        {99, rt_lg_i, "LXXXXIX"}, {100, rt_lg_i, ""}, {9, rt_i, "ix"},  {12, rt_1, "12"},    {5, rt_bullet, ""},
        {5, rt_none, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberToText(c.n, c.style), c.text) << c.n << " " << int(c.style);
}

TEST(Numbering, DefaultStylesAndDisplayNames) {
    TRtRTFText text;
    TRtRTFNumberingStyleCollection& styles = text.NumberStyles();
    EXPECT_EQ(styles.Count(), 6 + 3 + 9);
    EXPECT_EQ(styles.FindStyle(1, 0)->TextB, "l");
    EXPECT_EQ(styles.FindStyle(1, 0)->Font, "WingDings");
    EXPECT_EQ(styles.FindStyle(2, 0)->Format(1), "A)");
    EXPECT_EQ(styles.FindStyle(20, 0)->TextB, "p");
    EXPECT_EQ(styles.FindStyle(-1, 5)->Format(2), "(ii)");
    EXPECT_EQ(styles.FindStyle(6, 0)->GetDisplayName(styles), "6=  \"1.\"  <reserved number not locked>");
    TRtRTFNumberingStyle* level1 = styles.GetGroupStyle(1, 1);
    EXPECT_EQ(level1->Format(3), "III.");
    EXPECT_EQ(styles.GetGroupStyle(0, 1), nullptr);
    EXPECT_EQ(styles.GetGroupStyle(2, 12)->LevelInGroup, 9);  // added for the group
    const int32_t found = styles.FindOrAddStyle(rt_1, "", 0, 0, false, 0, 0, "", ".");
    EXPECT_EQ(found, 6);
    const int32_t added = styles.FindOrAddStyle(rt_1, "#", 0, 0, false, 12, 0, "Arial", ".");
    EXPECT_GE(added, kFirstFreeStyleNumber);
    EXPECT_EQ(styles.FindStyle(added, 0)->Size, 12);
    styles.FindStyle(added, 0)->Locked = rtClearDoesNotDelete;
    styles.ResetDefaults(true);
    EXPECT_EQ(styles.Count(), 1);  // a locked style survives; no defaults then
}

TEST(Numbering, PlainListsCountAndRestart) {
    for (const bool continuous : {false, true}) {
        TRtRTFText text;
        Fill(text, {"a", "b", "c", "plain", "d", "e"});
        for (int i : {0, 1, 2, 4, 5}) Par(text, i)->numberStyle = 6;
        text.NumberingOptions = continuous ? 1 : 0;
        text.UpdateNumbering();
        std::vector<int> values;
        for (int i : {0, 1, 2, 4, 5}) values.push_back(Par(text, i)->numberValue);
        EXPECT_EQ(values, continuous ? (std::vector<int>{1, 2, 3, 4, 5}) : (std::vector<int>{1, 2, 3, 1, 2}));
    }
}

TEST(Numbering, EmptyParagraphsStartValuesAndUnknownStyles) {
    TRtRTFText text;
    Fill(text, {"a", "", "b", "c", "d"});
    for (int i = 0; i < 4; ++i) Par(text, i)->numberStyle = 6;
    Par(text, 1)->numberValue = 42;
    Par(text, 3)->numberStart = 5;
    Par(text, 4)->numberStyle = 777;
    text.UpdateNumbering();
    EXPECT_EQ(Par(text, 0)->numberValue, 1);
    EXPECT_EQ(Par(text, 1)->numberValue, 42);  // empty: keeps its value, no count
    EXPECT_EQ(Par(text, 2)->numberValue, 2);
    EXPECT_EQ(Par(text, 3)->numberValue, 5);
    TRtRTFNumberingStyle* style = nullptr;
    EXPECT_EQ(text.GetNumberText(Par(text, 4), style), "1.");
    EXPECT_EQ(style, nullptr);
    EXPECT_EQ(text.GetNumberText(Par(text, 3), style), "5.");
}

TEST(Numbering, OutlineLevelsIncludeEnclosingNumbers) {
    for (const bool usePrev : {true, false}) {
        TRtRTFText text;
        Fill(text, {"I", "II", "A"});
        const int32_t level1 = text.NumberStyles().GetGroupStyle(1, 1)->Number;
        const int32_t level2 = text.NumberStyles().GetGroupStyle(1, 2)->Number;
        text.NumberStyles().GetGroupStyle(1, 2)->UsePrev = usePrev;
        for (int i = 0; i < 2; ++i) {
            Par(text, i)->numberStyle = int16_t(level1);
            Par(text, i)->numberLevel = 1;
        }
        Par(text, 2)->numberStyle = int16_t(level2);
        Par(text, 2)->numberLevel = 2;
        text.UpdateNumbering();
        TRtRTFNumberingStyle* style = nullptr;
        EXPECT_EQ(text.GetNumberText(Par(text, 2), style), usePrev ? "II.A." : "A.");
    }
}

TEST(Numbering, OutlineDemoteAndPromote) {
    TRtRTFText text;
    Fill(text, {"head", "body", "next"});
    text.Cursor = {Par(text, 1), Par(text, 1)->firstLine, 0};
    text.OutlineDemote();
    text.OutlineDemote();
    EXPECT_EQ(Par(text, 1)->outlineLevel, -2);
    text.Cursor = {Par(text, 0), Par(text, 0)->firstLine, 0};
    text.OutlinePromote();
    EXPECT_EQ(Par(text, 0)->outlineLevel, 0);
    // A collapsed heading hides the deeper paragraphs below it.
    Par(text, 0)->flags |= pfCollapsed;
    text.OutlinePromote();
    EXPECT_TRUE(Par(text, 1)->Has(pfCollapsedHidden));
    EXPECT_FALSE(Par(text, 2)->Has(pfCollapsedHidden));
    // A selection changes every paragraph it covers, whichever way it was made.
    text.SelStart = {Par(text, 2), Par(text, 2)->firstLine, 0};
    text.SelEnd = {Par(text, 1), Par(text, 1)->firstLine, 0};
    text.OutlineDemote();
    EXPECT_EQ(Par(text, 1)->outlineLevel, -3);
    EXPECT_EQ(Par(text, 2)->outlineLevel, -1);
}
