#include "LayoutFixtures.h"

#include "richtext/layout/Caret.h"

#include <gtest/gtest.h>

namespace {

// Rows of cells: each row a list of (start, width) in 255ths.
void AddRow(TRtRTFText& text, const std::vector<uint8_t>& widths) {
    std::vector<TRtRowCell> cells(widths.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        cells[i].width = widths[i];
        cells[i].text = "c" + std::to_string(i);
    }
    TParagraph* p = text.GetLastParagraph();
    text.ApplyRowRecord(p, int32_t(cells.size()), cells.data());
}

}  // namespace

TEST(Positions, AbsoluteIndexesCountParagraphEnds) {
    TRtRTFTextIo text;
    text.SetParagraphText(0, "ab", nullptr, 2);
    text.InsertParagraphText(1, "cd", nullptr, 2);
    TParagraph* second = text.ParagraphByIndex(1);
    int32_t index = 0;
    int32_t lines = 0;
    int32_t offset = 0;
    int32_t pars = 0;
    text.PositionToIndex(0, second->firstLine, second, index, lines, offset, pars);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(pars, 1);
    struct Case {
        int32_t index;
        int32_t lineNumber;
        int32_t column;
        int32_t parNumber;
        int32_t par;
        int32_t position;
    };
    for (const Case c : {Case{3, 0, 0, 0, 1, 0}, Case{2, 0, 0, 0, 0, 2}, Case{99, 0, 0, 0, 1, 2},
                         Case{0, 1, 0, 0, 1, 0}, Case{0, 0, 1, 1, 1, 1}, Case{0, 0, 9, 0, 0, 2}}) {
        int32_t position = -1;
        TLine* line = nullptr;
        TParagraph* par = nullptr;
        EXPECT_TRUE(text.FindPositionAt(c.index, c.lineNumber, position, line, par, c.column, c.parNumber));
        EXPECT_EQ(par, text.ParagraphByIndex(c.par)) << c.index << "/" << c.lineNumber << "/" << c.column;
        EXPECT_EQ(position, c.position) << c.index << "/" << c.lineNumber << "/" << c.column;
    }
}

TEST(Positions, TableNavigation) {
    TRtRTFTextIo text;
    text.SetParagraphText(0, "before", nullptr, 6);
    AddRow(text, {85, 85, 85});
    AddRow(text, {128, 127});
    text.InsertParagraphText(text.CountParagraphs() + 1, "after", nullptr, 5);
    TParagraph* row1 = text.ParagraphByIndex(1);
    TParagraph* row2 = text.ParagraphByIndex(4);
    TParagraph* after = text.ParagraphByIndex(6);
    EXPECT_EQ(TRtRTFTextIo::GetCellIndex(row1->next->next), 2);
    EXPECT_EQ(TRtRTFTextIo::GetCellIndex(text.FirstPar()), -1);
    EXPECT_EQ(TRtRTFTextIo::GetRowStartBelow(row1->next), row2);
    EXPECT_EQ(TRtRTFTextIo::GetRowStartAbove(row2->next), row1);
    EXPECT_EQ(TRtRTFTextIo::GetRowStartAbove(row1), nullptr);
    EXPECT_EQ(TRtRTFTextIo::GetCellOfRow(row1, 2), row1->next->next);
    EXPECT_EQ(TRtRTFTextIo::GetCellOfRow(row1, 3), nullptr);
    EXPECT_EQ(TRtRTFTextIo::GetTableRow(row2->next, 0), row1);
    EXPECT_EQ(TRtRTFTextIo::GetTableRow(row1, 1), row2);
    // Up from below the table: the first cell of its last row.
    text.Cursor = {after, after->firstLine, 3};
    EXPECT_TRUE(text.MoveCursorToRow(true));
    EXPECT_EQ(text.Cursor.par, row2);
    EXPECT_EQ(text.Cursor.offset, 2);
    // Down from the second cell of the first row (column 85) into the first cell of the next row.
    text.Cursor = {row1->next, row1->next->firstLine, 0};
    EXPECT_TRUE(text.MoveCursorToRow(false));
    EXPECT_EQ(text.Cursor.par, row2);
    // Down from a column that no cell of the next row covers fails and leaves the cursor.
    row2->next->extra->width = 10;
    text.Cursor = {row1->next->next, row1->next->next->firstLine, 1};
    EXPECT_FALSE(text.MoveCursorToRow(false));
    EXPECT_EQ(text.Cursor.par, row1->next->next);
}

namespace {

struct TFakeCaretWindow : TCaretWindow {
    bool WindowExists() const override { return true; }
    bool HasFocus() const override { return true; }
    void CreateCaret(int32_t w, int32_t h) override {
        width = w;
        height = h;
        ++created;
    }
    void DestroyCaret() override { ++destroyed; }
    void ShowCaret() override {}
    void MoveCaret(int32_t, int32_t) override {}
    int32_t width = 0;
    int32_t height = 0;
    int created = 0;
    int destroyed = 0;
};

}  // namespace

TEST(Positions, CaretIsRecreatedAtLeastFourPixelsHigh) {
    TRtRTFTextIo text;
    TFakeCaretWindow window;
    TCaret caret(window, text);
    caret.SetEnabled(true);
    caret.SetShown(true);
    EXPECT_TRUE(caret.IsShown());
    EXPECT_EQ(window.height, 16);
    text.CursorHeight = 2;
    caret.UpdatePosition();
    EXPECT_EQ(caret.Height, 4);
    EXPECT_EQ(window.height, 4);
    EXPECT_EQ(window.destroyed, 1);
    caret.SetSuspended(true);
    EXPECT_FALSE(caret.IsShown());
}
