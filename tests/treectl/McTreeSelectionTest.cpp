// The tree's focus and selection by calls: changing the focus with its
// events, ranges over collapsed and hidden items, the selection order,
// AutoExpand, bringing items into view and the text outline.
#include "TreeTesting.h"

#include "foundation/Stream.h"

#include <gtest/gtest.h>

TEST(McTreeSelection, ChangingTheFocus) {
    TreeWindow w;
    w.Build({"a", "b", "c"});
    std::vector<std::string> events;
    bool allow = true;
    w.tree->OnChanging = [&](TCustomMcTree&, TMcTreeItem* item, bool& allowChange) {
        events.push_back("changing " + item->Text());
        allowChange = allow;
    };
    w.tree->OnItemFocused = [&](TCustomMcTree& t) { events.push_back("focused " + t.FocusedItem()->Text()); };
    EXPECT_TRUE(w.tree->ChangeFocus(w.Find("a"), false, false));
    EXPECT_FALSE(w.tree->ChangeFocus(w.Find("a"), false, false)) << "already focused";
    EXPECT_EQ(events, (std::vector<std::string>{"changing a", "focused a"}));
    allow = false;
    EXPECT_FALSE(w.tree->ChangeFocus(w.Find("b"), false, false));
    EXPECT_EQ(w.Focused(), "a") << "refused";
    EXPECT_TRUE(w.tree->ChangeFocus(w.Find("b"), true, false));
    EXPECT_EQ(w.Focused(), "b") << "forced";
    EXPECT_TRUE(w.Find("b")->Focused());
    EXPECT_FALSE(w.Find("a")->Focused());
}

TEST(McTreeSelection, RangesAndWalks) {
    TreeWindow w;
    w.Build({"a", "b-", "  b1", "  b2", "c", "d"});
    w.tree->SelectItemRange(w.Find("a"), w.Find("c"));
    EXPECT_EQ(w.Selected(), "a b b1 b2 c") << "a range takes the collapsed children along";
    w.tree->UnselectItems(true);
    EXPECT_EQ(w.Selected(), "");
    w.tree->SelectItems(false);
    EXPECT_EQ(w.Selected(), "a b c d") << "the shown items only";
    w.tree->InvertItems(true);
    EXPECT_EQ(w.Selected(), "b1 b2");
    w.tree->SelectAllItems();
    EXPECT_EQ(w.Selected(), "a b b1 b2 c d");

    w.tree->UnselectItems(true);
    for (const char* text : {"c", "a", "b"}) w.Find(text)->SetSelected(true);
    std::string order;
    for (TMcTreeItem* i = w.tree->NextSelectedItem(nullptr); i; i = w.tree->NextSelectedItem(i)) order += i->Text();
    EXPECT_EQ(order, "cab") << "in the order of selection";

    w.tree->SetFilteredVisibility(true);
    w.Find("c")->SetHidden(true);
    w.tree->UnselectShownItems();
    EXPECT_EQ(w.Selected(), "c") << "hidden items stay selected";
}

TEST(McTreeSelection, SingleSelectionFollowsTheFocus) {
    TreeWindow w;
    w.Build({"a", "b"});
    w.tree->SetFocusedItem(w.Find("a"));
    w.tree->SetMultiSelect(false);
    EXPECT_EQ(w.Selected(), "a");
    w.tree->SetFocusedItem(w.Find("b"));
    EXPECT_EQ(w.Selected(), "b");
    EXPECT_EQ(w.tree->NextSelectedItem(nullptr), w.Find("b"));
    EXPECT_EQ(w.tree->NextSelectedItem(w.Find("b")), nullptr);
    w.tree->SetMultiSelect(true);
    EXPECT_EQ(w.Selected(), "b");
    EXPECT_EQ(w.tree->SelectedItemCount(), 1);
}

TEST(McTreeSelection, AutoExpandFollowsTheFocus) {
    TreeWindow w;
    w.Build({"A", "  a1", "B-", "  b1"});
    w.tree->SetMoveFocusOnCollapse(true);
    w.tree->SetAutoExpand(true);
    EXPECT_FALSE(w.tree->Options().MoveFocusOnCollapse) << "the two exclude each other";
    w.tree->SetFocusedItem(w.Find("a1"));
    w.tree->SetFocusedItem(w.Find("B"));
    EXPECT_FALSE(w.Find("A")->Expanded()) << "the old branch closes";
    EXPECT_TRUE(w.Find("B")->Expanded()) << "the new item opens";
}

TEST(McTreeSelection, BringingItemsIntoView) {
    TreeWindow w(204, 4 + 17 * 3 + 5);  // three rows and a cut-off fourth
    w.Build({"a", "b", "c", "d", "e", "f-", "  f1"});
    w.tree->SetFocusedItem(w.Find("d"));
    EXPECT_EQ(w.tree->TopIndex(), 1) << "focusing the cut-off last row scrolls by one";
    w.tree->MakeItemVisible(w.Find("f1"));
    EXPECT_TRUE(w.Find("f")->Expanded());
    EXPECT_EQ(w.Rows().substr(0, 2), "e ") << "as far as the top index goes";
    w.tree->ScrollItemToTop(w.Find("b"));
    EXPECT_EQ(w.tree->FirstShownItem(), w.Find("b"));
    EXPECT_THROW(w.tree->ScrollItemToTop(nullptr), EMcTreeError);
    EXPECT_THROW(w.View().EditItem(nullptr, -1), EMcTreeError);
}

TEST(McTreeSelection, WritesTheOutline) {
    TreeWindow w;
    w.Build({"A", "  B", "    C", "D"});
    TMemoryStream stream;
    w.tree->WriteOutline(stream);
    EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "A\r\n B\r\n  C\r\nD\r\n");
}
