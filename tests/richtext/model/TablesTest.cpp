#include "ModelFixtures.h"

#include "richtext/model/RtObject.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtTableList.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

namespace {

struct CellShape {
    int width;
    int start;
    bool prev;
    bool next;
    friend bool operator==(const CellShape&, const CellShape&) = default;
};

std::vector<CellShape> Row(TRtRTFText& text, TParagraph* cell) {
    std::vector<CellShape> shapes;
    for (TParagraph* p = TRtRTFText::RowStart(cell); p; p = p->next) {
        const TParExtra& e = text.GetParExtra(*p);
        shapes.push_back({e.width, e.start, p->Has(pfPrevCell), p->Has(pfNextCell)});
        if (!p->Has(pfNextCell)) break;
    }
    return shapes;
}

std::vector<int> Widths(TRtRTFText& text, TParagraph* cell) {
    std::vector<int> widths;
    for (const CellShape& s : Row(text, cell)) widths.push_back(s.width);
    return widths;
}

// A table of `rows` rows with `cols` cells each, cell texts "r,c".
void BuildTable(TRtRTFText& text, int rows, int cols) {
    TParagraph* p = text.FirstPar();
    text.AddTable("t", "", 0, 0, 0);
    for (int r = 0; r < rows; ++r) {
        std::vector<TRtRowCell> cells(static_cast<size_t>(cols));
        for (int c = 0; c < cols; ++c) cells[size_t(c)].text = std::to_string(r) + "," + std::to_string(c);
        text.ApplyRowRecord(p, cols, cells.data());
    }
}

}  // namespace

TEST(Tables, SplittingAPlainParagraphMakesATwoCellRow) {
    TRtRTFText text;
    Fill(text, {"text"});
    text.SplitCell(text.FirstPar(), false);
    TParagraph* first = text.FirstPar();
    EXPECT_EQ(Row(text, first), (std::vector<CellShape>{{127, 0, false, true}, {128, 127, true, false}}));
    EXPECT_EQ(first->border.flags, bfOn | bfBox);
    EXPECT_EQ(first->next->border.flags, bfOn | bfBox);
    EXPECT_EQ(TextOf(text), "text|");
    text.SplitCell(first->next, true);  // width 128 with the text moving right
    EXPECT_EQ(Widths(text, first), (std::vector<int>{127, 64, 64}));
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Tables, SplittingAnOddWidth) {
    TRtRTFText text;
    BuildTable(text, 1, 3);
    text.SplitCell(text.FirstPar(), false);
    EXPECT_EQ(Widths(text, text.FirstPar()), (std::vector<int>{42, 43, 85, 85}));
}

TEST(Tables, EvenRowsAndClampedWidths) {
    struct Case {
        std::vector<int> asked;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {{0, 0, 0}, {85, 85, 85}},
        {{0, 0, 0, 0, 0, 0, 0}, {37, 37, 37, 36, 36, 36, 36}},
        {{100, 50}, {100, 155}},          // a short row ends at 255
        {{200, 200, 200}, {200, 55, 0}},  // a long row is cut at 255
    };
    for (const Case& c : cases) {
        TRtRTFText text;
        std::vector<TRtRowCell> cells(c.asked.size());
        for (size_t i = 0; i < cells.size(); ++i) cells[i].width = uint8_t(c.asked[i]);
        TParagraph* p = text.FirstPar();
        text.ApplyRowRecord(p, int32_t(cells.size()), cells.data());
        EXPECT_EQ(Widths(text, text.FirstPar()), c.widths);
        EXPECT_EQ(text.CheckInvariants(), "");
    }
}

TEST(Tables, RowsReplaceTheOnlyEmptyParagraph) {
    TRtRTFText text;
    std::vector<TRtRowCell> cells(2);
    cells[1].text = "b";
    cells[1].attr.style = afsBold;
    TParagraph* p = text.FirstPar();
    text.ApplyRowRecord(p, 2, cells.data());
    EXPECT_EQ(TextOf(text), " |b");  // the empty first cell gets a blank
    EXPECT_EQ(p, Par(text, 1));
    EXPECT_TRUE(text.GetAttr(p->firstLine, 0).Has(afsBold));
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Tables, RowWithAnEmbeddedObject) {
    TRtRTFText text;
    Fill(text, {"before"});
    std::vector<TRtRowCell> cells(1);
    cells[0].object = new TRtObject();
    cells[0].object->WidthTwips = 0;
    TParagraph* p = text.FirstPar();
    text.ApplyRowRecord(p, 1, cells.data());
    ASSERT_NE(cells[0].objectRef, nullptr);
    EXPECT_EQ(cells[0].objectRef->width, 1001);
    EXPECT_EQ(cells[0].objectRef->height, 721);
    EXPECT_TRUE(text.GetAttr(p->firstLine, 0).Has(afsIsObject));
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Tables, MergingCells) {
    TRtRTFText text;
    BuildTable(text, 1, 3);
    TParagraph* last = Par(text, 2);
    text.MergeCellWithNext(last);  // the last cell goes into its previous one
    EXPECT_EQ(TextOf(text), "0,0|0,10,2");
    EXPECT_EQ(Widths(text, text.FirstPar()), (std::vector<int>{85, 170}));
    EXPECT_EQ(text.GetParExtra(*Par(text, 1)).MergeCount(), 1);
    text.MergeCellWithNext(text.FirstPar());
    EXPECT_EQ(Widths(text, text.FirstPar()), (std::vector<int>{255}));
    text.MergeCellWithNext(text.FirstPar());  // a lone cell becomes a plain paragraph
    EXPECT_FALSE(text.FirstPar()->IsCell());
    EXPECT_FALSE(text.FirstPar()->border.flags & bfOn);
    EXPECT_EQ(text.FirstPar()->extra, nullptr);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Tables, MarkingABlock) {
    TRtRTFText text;
    BuildTable(text, 3, 3);
    TParagraph* r1c2 = Par(text, 1);
    TParagraph* r3c1 = Par(text, 6);
    ASSERT_TRUE(text.MarkCellBlock(r1c2, r3c1));
    std::string marked;
    for (TParagraph* p = text.FirstPar(); p; p = p->next) {
        if (p->Has(pfMarked)) marked += TRtRTFText::ParagraphString(p) + " ";
    }
    EXPECT_EQ(marked, "0,0 0,1 1,0 1,1 2,0 2,1 ");
    EXPECT_EQ(text.MarkedCount, 6);
    text.InsertParagraphText(99, "plain", nullptr, 5);
    EXPECT_FALSE(text.MarkCellBlock(text.GetLastParagraph(), r1c2));
    EXPECT_EQ(text.MarkedCount, 0);
}

TEST(Tables, DeletingMarkedCellsKeepsTheRowWidth) {
    TRtRTFText text;
    BuildTable(text, 1, 2);
    text.FirstPar()->flags |= pfMarked;
    text.DeleteMarkedCells();
    EXPECT_EQ(Widths(text, text.FirstPar()), (std::vector<int>{255}));
    EXPECT_EQ(TextOf(text), "0,1");
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Tables, CellCommandsUndoAsOneStep) {
    TRtRTFText text;
    text.EditOptions |= rtActivateUndo | rtActivateRedo;
    BuildTable(text, 2, 2);
    const std::string before = TextOf(text);
    text.Cursor = {text.FirstPar(), text.FirstPar()->firstLine, 0};
    text.SplitMarkedCells();
    EXPECT_EQ(Widths(text, text.FirstPar()), (std::vector<int>{64, 64, 127}));
    text.MergeMarkedCells();
    text.Undo();
    text.Undo();
    EXPECT_EQ(TextOf(text), before);
    EXPECT_EQ(Widths(text, text.FirstPar()), (std::vector<int>{128, 127}));
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Tables, MaskedAttributes) {
    TRtRTFText text;
    text.Header().LayoutResX = 96;
    TRtRowCell c;
    c.mask[0] = 0x01 | 0x04 | 0x80;
    c.mask[1] = 0x20 | 0x80;
    c.mask[2] = 0x01 | 0x04;
    c.leftIndent = 400;
    c.firstIndent = 999;  // not asked for
    c.align = paralRight;
    c.tabPositions[0] = 1440;
    c.tabKinds[0] = 2;
    c.isProtected = 1;
    c.vBottom = 1;
    TParagraph* p = text.FirstPar();
    text.ApplyParAttrs(p, c);
    EXPECT_EQ(p->leftIndent, 400);
    EXPECT_EQ(p->firstIndent, 0);
    EXPECT_TRUE(p->Has(pfMultSpacing));
    EXPECT_EQ(p->align, paralRight);
    EXPECT_TRUE(p->Has(pfProtected));
    EXPECT_TRUE(p->Has(pfCellVBottom));
    ASSERT_NE(p->tabs, 0u);
    const int slot = __builtin_ctzll(p->tabs);
    EXPECT_EQ(text.Header().Tabs[slot].kind, 2);
}
