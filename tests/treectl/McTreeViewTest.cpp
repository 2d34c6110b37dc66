// The tree view's rows and positions: which rows are on screen for a top
// index, the scroll codes of both bars, the wheel, and scrolling with an
// in-place editor open.
#include "TreeTesting.h"

#include <QtWidgets/QLineEdit>

#include <gtest/gtest.h>

namespace {

void Scroll(TMcTree& tree, TScrollBarKind kind, int code, int position = 0) {
    bool doChange = true;
    TMcScrollBar& bar = kind == TScrollBarKind::sbVertical ? tree.VertScrollBar() : tree.HorzScrollBar();
    if (kind == TScrollBarKind::sbVertical) tree.View().VertScroll(&bar, TMcScrollCode(code), position, doChange);
    else tree.View().HorzScroll(&bar, TMcScrollCode(code), position, doChange);
    EXPECT_FALSE(doChange) << "the view positions the bars itself";
}

}  // namespace

TEST(McTreeView, RowsOnScreen) {
    struct Case {
        int viewHeight, count, requested, top, rows, bottom, pageRows, wholeRows, rest;
    };
    const Case cases[] = {
        {170, 0, 0, 0, 0, 0, 10, 10, 0},    // empty: no rows, indices 0
        {170, 30, 100, 21, 9, 29, 10, 10, 0},  // beyond the end: the last row position stays empty
        {160, 30, 5, 5, 10, 14, 10, 9, 7},  // the last row is cut off and counted
        {160, 30, 40, 21, 10, 30, 10, 9, 7},
        {170, 5, 3, 0, 5, 4, 10, 10, 0},    // everything fits: the top stays 0
    };
    for (const Case& c : cases) {
        TreeWindow w(204, c.viewHeight + 4);
        w.Build(Flat(c.count));
        w.tree->SetTopIndex(c.requested);
        const std::string name = std::to_string(c.viewHeight) + "/" + std::to_string(c.count);
        EXPECT_EQ(w.View().height(), c.viewHeight) << name;
        EXPECT_EQ(w.tree->TopIndex(), c.top) << name;
        EXPECT_EQ(w.View().Rows().Count(), std::min(c.rows, c.count - c.top)) << name;
        EXPECT_EQ(w.View().PageRowCount(), c.pageRows) << name;
        EXPECT_EQ(w.View().RowFit(), std::make_pair(c.wholeRows, c.rest)) << name;
        EXPECT_EQ(w.tree->BottomIndex(), c.count > 0 ? std::min(c.bottom, c.count - 1) : 0) << name;
    }
}

TEST(McTreeView, RowRectanglesAndItemsAtY) {
    TreeWindow w;
    w.Build(Flat(3));
    gdi::Rect r;
    w.View().GetRowRect(1, r);
    EXPECT_EQ(r, (gdi::Rect{0, 17, w.View().width(), 33})) << "the bottom is inclusive";
    w.View().GetRowRect(3, r);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(w.View().GetItemAtY(16)->Text(), "i0");
    EXPECT_EQ(w.View().GetItemAtY(17)->Text(), "i1");
    EXPECT_EQ(w.View().GetItemAtY(-1), nullptr);
    EXPECT_EQ(w.View().GetItemAtY(51), nullptr) << "below the last row";
}

TEST(McTreeView, VerticalScrollCodes) {
    TreeWindow w;
    w.Build(Flat(30));
    TMcTree& tree = *w.tree;
    struct Step {
        int code, position, top;
    };
    const Step steps[] = {
        {1, 0, 1}, {3, 0, 10}, {2, 0, 1}, {0, 0, 0}, {0, 0, 0}, {7, 0, 21}, {6, 0, 0}, {4, 12, 12},
        {5, 3, 12},  // tracking only with ScrollTracking
        {8, 0, 12},
    };
    for (const Step& s : steps) {
        Scroll(tree, TScrollBarKind::sbVertical, s.code, s.position);
        EXPECT_EQ(tree.TopIndex(), s.top) << "code " << s.code;
    }
    tree.SetScrollTracking(true);
    Scroll(tree, TScrollBarKind::sbVertical, 5, 3);
    EXPECT_EQ(tree.TopIndex(), 3);
    EXPECT_EQ(tree.VertScrollBar().Position(), 3) << "the bar follows the top index";

    // The secondary buttons by the bar's kind of secondary buttons.
    tree.VertScrollBar().SetSecondBtnKind(TMcSecButtonsKind::sbkOpposite);
    Scroll(tree, TScrollBarKind::sbVertical, 10);
    EXPECT_EQ(tree.TopIndex(), 2) << "10 is a line up";
    tree.VertScrollBar().SetSecondBtnKind(TMcSecButtonsKind::sbkPage);
    Scroll(tree, TScrollBarKind::sbVertical, 10);
    EXPECT_EQ(tree.TopIndex(), 11) << "10 is a page down";
    tree.VertScrollBar().SetSecondBtnKind(TMcSecButtonsKind::sbkCustom);
    Scroll(tree, TScrollBarKind::sbVertical, 10);
    EXPECT_EQ(tree.TopIndex(), 11) << "custom buttons scroll nothing";

    std::vector<std::string> reported;
    tree.OnScroll = [&](TCustomMcTree&, TScrollBarKind kind, TMcScrollCode code) {
        reported.push_back(std::to_string(int(kind)) + ":" + std::to_string(int(code)));
    };
    Scroll(tree, TScrollBarKind::sbVertical, 9);
    EXPECT_EQ(reported, std::vector<std::string>{"1:9"}) << "reported with the code received";
}

TEST(McTreeView, PageDownWithOneRowShown) {
    TreeWindow w(204, 14);  // a view 10 pixels high: one row, cut off
    w.Build(Flat(5));
    EXPECT_EQ(w.View().PageRowCount(), 1);
    Scroll(*w.tree, TScrollBarKind::sbVertical, 3);
    EXPECT_EQ(w.tree->TopIndex(), 1) << "a page of one row still moves";
}

TEST(McTreeView, HorizontalScrollCodes) {
    TreeWindow w;
    w.Build({"a rather long text that does not fit into the narrow view at all", "b"});
    TMcTree& tree = *w.tree;
    const int32_t most = w.View().ContentWidth() - w.View().width();
    ASSERT_GT(most, 8);
    Scroll(tree, TScrollBarKind::sbHorizontal, 1);
    EXPECT_EQ(tree.LeftPosition(), 4);
    Scroll(tree, TScrollBarKind::sbHorizontal, 0);
    EXPECT_EQ(tree.LeftPosition(), 0);
    Scroll(tree, TScrollBarKind::sbHorizontal, 3);
    EXPECT_EQ(tree.LeftPosition(), std::min(most, w.View().width() / 2));
    Scroll(tree, TScrollBarKind::sbHorizontal, 7);
    EXPECT_EQ(tree.LeftPosition(), most) << "never beyond content width - view width";
    Scroll(tree, TScrollBarKind::sbHorizontal, 1);
    EXPECT_EQ(tree.LeftPosition(), most);
    EXPECT_EQ(tree.Header().LeftPos(), most) << "the header scrolls along";
    Scroll(tree, TScrollBarKind::sbHorizontal, 6);
    EXPECT_EQ(tree.LeftPosition(), 0);
}

TEST(McTreeView, WheelScrollsRowsAndKeepsTheRest) {
    TreeWindow w;
    w.Build(Flat(40));
    TMcTree& tree = *w.tree;
    tree.SetTopIndex(10);
    w.View().WheelRows(120, 3);
    EXPECT_EQ(tree.TopIndex(), 7) << "a notch of three lines";
    w.View().WheelRows(120, 0);
    EXPECT_EQ(tree.TopIndex(), 6) << "a setting of 0 counts as 1";
    w.View().WheelRows(-120, 3);
    EXPECT_EQ(tree.TopIndex(), 9);
    for (int i = 0; i < 4; ++i) w.View().WheelRows(30, 3);
    EXPECT_EQ(tree.TopIndex(), 6) << "four quarter notches make one notch";
    w.View().WheelRows(120, 500);
    EXPECT_EQ(tree.TopIndex(), 0) << "an oversized setting neither divides by zero nor overflows";
}

TEST(McTreeView, VerticalScrollingWithAnEditorOpen) {
    TreeWindow w;
    w.Build(Flat(30));
    TMcTree& tree = *w.tree;
    std::vector<std::string> stored;
    tree.OnValidateInplaceEdit = [&](TCustomMcTree&, TMcTreeItem*, TMcHeaderSection*, std::string& text, bool&) {
        stored.push_back(text);
    };
    tree.StartEdit(w.Find("i0"), -1);
    auto* edit = qobject_cast<QLineEdit*>(w.View().Editor());
    ASSERT_NE(edit, nullptr);
    edit->setText("edited");
    Scroll(tree, TScrollBarKind::sbVertical, 1);
    EXPECT_EQ(tree.TopIndex(), 0) << "the first notification only ends the bar's action";
    EXPECT_TRUE(w.View().EditorVisible());
    Scroll(tree, TScrollBarKind::sbVertical, 1);
    EXPECT_EQ(tree.TopIndex(), 1);
    EXPECT_FALSE(w.View().EditorVisible());
    EXPECT_EQ(stored, std::vector<std::string>{"edited"});
    EXPECT_EQ(w.Find("edited") != nullptr, true);
}
