#include "richtext/model/CharacterAttr.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/PropertyCopy.h"

#include <gtest/gtest.h>

TEST(EngineMessages, UndoCaptionsAndTabKindTexts) {
    EXPECT_EQ(GetUndoKindText(14), "Change Graphic");
    EXPECT_EQ(GetUndoKindText(16), "Change Table");
    EXPECT_EQ(GetUndoKindText(18), "Changes");
    EXPECT_EQ(GetUndoKindText(0x80 | 2), "Input");  // the high bit does not count
    EXPECT_EQ(GetUndoKindText(0), "");
    EXPECT_EQ(GetEngineMessage(meTkCenter), "Right");
    EXPECT_EQ(GetEngineMessage(meTkRight), "Center");
    EXPECT_EQ(GetEngineMessage(meReportTemplateErr), "Error in Report Template!");
    EXPECT_EQ(GetEngineMessage(kEngineMessageCount), "");
}

TEST(EngineSettings, WordDelimitersAndHexTables) {
    const auto& d = RtEngine().WordDelimiters;
    EXPECT_TRUE(d['-']);
    EXPECT_TRUE(d[' ']);
    EXPECT_FALSE(d['5']);
    EXPECT_FALSE(d['A']);
    EXPECT_FALSE(d['z']);
    EXPECT_FALSE(d[0xE4]);  // a-umlaut
    EXPECT_TRUE(RtEngine().IsHexDigit['f']);
    EXPECT_EQ(RtEngine().HexValue16['B'], 0xB0);
    EXPECT_FALSE(RtEngine().IsHexDigit['g']);
}

TEST(EngineSettings, PrinterNamedNoneLeavesNoContext) {
    for (const char* name : {"none", "NONE", "NoNe"}) {
        SelectEnginePrinter(name);
        EXPECT_FALSE(EnginePrinter().ownContext) << name;
        EXPECT_TRUE(EnginePrinter().deviceName.empty()) << name;
    }
    ResetEnginePrinter();
    EXPECT_TRUE(EnginePrinter().ownContext);
    EXPECT_GT(EnginePrinter().dpiX, 0);
}

TEST(CharacterAttr, SettersCallBackAsTheTableSays) {
    TCharacterAttr a(2);
    std::vector<std::pair<uint32_t, bool>> calls;
    a.OnChange = [&calls](uint32_t set, bool relayout) { calls.emplace_back(set, relayout); };
    a.SetTextColor(0x00FF00);
    EXPECT_TRUE(a.UseTextColor());
    a.SetUseUnderlineColor(true);  // Underline is tsIgnore: no callback
    a.SetBold(tsTRUE);
    a.SetBold(tsTRUE);  // unchanged: nothing
    a.SetDoubleUnderline(true);
    EXPECT_EQ(a.Underline(), tsTRUE);
    a.SetHotTextColor(0x123456);  // no callback
    EXPECT_TRUE(a.HotStyleIsActive());
    const std::vector<std::pair<uint32_t, bool>> expected = {{4u, false}, {4u, true}, {4u, false}};
    EXPECT_EQ(calls, expected);
    a.SetHotEffect(rteffOutline);
    EXPECT_EQ(a.HotEffectColor(), 0x00FFFFu);

    TCharacterAttr b(5);
    b.Assign(a);
    EXPECT_EQ(b.Bold(), tsTRUE);
    EXPECT_FALSE(b.DoubleUnderline());  // not copied
    EXPECT_EQ(b.HotEffect(), rteffNone);
    EXPECT_EQ(b.Kind(), 5);
}

TEST(PropertyCopy, ClearingKeepsBordersAndCellBorderDetails) {
    TParagraph source;
    source.leftIndent = 100;
    source.shadingColor = 3;
    TParagraph target;
    target.leftIndent = 50;
    target.firstIndent = 20;
    target.spaceBefore = 30;
    target.border = {bfOn | bfBox, 15, {1, 2, 3, 4}, 2};
    TParagraph cell = target;
    cell.flags = pfTableCell;

    CopyParProperties(target, 0, source, 0, true);
    EXPECT_EQ(target.leftIndent, 0);
    EXPECT_EQ(target.firstIndent, 0);
    EXPECT_EQ(target.spaceBefore, 0);
    EXPECT_EQ(target.border.flags, bfOn | bfBox);  // border flags are never cleared
    EXPECT_EQ(target.border.width, 0);

    CopyParProperties(cell, 0, source, 0, true);
    EXPECT_EQ(cell.border.width, 15);  // a cell keeps width and colours
    EXPECT_EQ(cell.border.colors[2], 3);

    TParagraph shaded;
    CopyParProperties(shaded, 0, source, 1u << 11 | 1u << 0, false);
    EXPECT_EQ(shaded.shadingColor, 3);
    EXPECT_EQ(shaded.shadingPercent, 100);  // 0 in the source becomes 100
    EXPECT_EQ(shaded.leftIndent, 100);

    TParagraph locked;
    locked.leftIndent = 7;
    CopyParProperties(locked, 1u << 0, source, 1u << 0, true);
    EXPECT_EQ(locked.leftIndent, 7);
    EXPECT_EQ(PropertyName(18), "KeepTogther");
    EXPECT_EQ(PropertyName(27), "FontBGColor");
}

TEST(PropertyCopy, CharacterPropertiesByMaskAndLock) {
    TAttr source;
    source.style = afsBold | afsUnderline;
    source.font = 3;
    source.textColor = 4;
    TAttr target;
    target.style = afsItalic;
    target.size = 12;
    target.backColor = 9;
    CopyCharAttrProperties(target, afsParStyleItalic, source, 0x01 | 0x08, true);
    EXPECT_EQ(target.style, afsBold | afsItalic);  // italic is locked, underline cleared
    EXPECT_EQ(target.font, 3);
    EXPECT_EQ(target.size, 12);  // never cleared
    EXPECT_EQ(target.backColor, 0);
}

TEST(ParExtra, MergeCountStopsAt15) {
    TParExtra e;
    for (int i = 0; i < 40; ++i) e.AddMerge();
    EXPECT_EQ(e.MergeCount(), 15);
    EXPECT_FALSE(e.TypingLocked());
}
