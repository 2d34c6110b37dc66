// The tree view and the keyboard: moving the focus over enabled items,
// Shift and Ctrl with the arrows, expanding and collapsing, Space, F2,
// Backspace, the Page keys with scrolling and the delayed focus event.
#include "TreeTesting.h"

#include <gtest/gtest.h>

TEST(McTreeKeys, MovesOverEnabledItems) {
    TreeWindow w;
    w.Build({"a", "b", "c", "d", "e"});
    w.Find("a")->SetEnabled(false);
    w.Find("e")->SetEnabled(false);
    w.View().setFocus();
    const struct {
        int key;
        const char* focused;
    } steps[] = {
        {Qt::Key_Down, "b"},  // without a focused item: the first enabled one
        {Qt::Key_Up, "b"},    // nothing enabled above
        {Qt::Key_End, "d"},   // steps back over the disabled end
        {Qt::Key_Down, "d"},
        {Qt::Key_Home, "b"},
        {Qt::Key_Down, "c"},
    };
    for (const auto& s : steps) {
        w.Key(s.key);
        EXPECT_EQ(w.Focused(), s.focused) << s.key;
        EXPECT_EQ(w.Selected(), s.focused) << "plain moves select the new item";
    }
}

TEST(McTreeKeys, ShiftSelectsRangesAndCtrlMovesOnly) {
    TreeWindow w;
    w.Build({"a", "b", "c", "d", "e"});
    Click(&w.View(), w.RowPoint("b"));  // focus and anchor
    w.Key(Qt::Key_Down, Qt::ShiftModifier);
    w.Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(w.Selected(), "b c d");
    EXPECT_EQ(w.Focused(), "d");
    w.Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(w.Selected(), "b c") << "the range shrinks back towards the anchor";
    w.Key(Qt::Key_Down, Qt::ControlModifier);
    w.Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(w.Focused(), "e");
    EXPECT_EQ(w.Selected(), "b c") << "Ctrl moves the focus and leaves the selection as it was";
    w.Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w.Selected(), "b c e") << "Ctrl+Space toggles the focused item";
    w.Key(Qt::Key_Up);
    EXPECT_EQ(w.Selected(), "d");
}

TEST(McTreeKeys, ExpandingAndCollapsing) {
    TreeWindow w;
    w.Build({"A-", "  A1-", "    A11", "  A2", "B"});
    w.tree->SetFocusedItem(w.Find("A"));
    w.Key(Qt::Key_Right);
    EXPECT_EQ(w.Rows(), "A A1 A2 B") << "Right expands";
    w.Key(Qt::Key_Right);
    EXPECT_EQ(w.Focused(), "A1") << "Right on an expanded item goes to its first child";
    w.Key(Qt::Key_Plus);
    EXPECT_EQ(w.Rows(), "A A1 A11 A2 B");
    w.Key(Qt::Key_Minus);
    EXPECT_EQ(w.Rows(), "A A1 A2 B");
    w.Key(Qt::Key_Left);
    EXPECT_EQ(w.Focused(), "A") << "Left on a collapsed item goes to its parent";
    w.Key(Qt::Key_Left);
    EXPECT_EQ(w.Rows(), "A B") << "Left collapses";
    w.Key(Qt::Key_Asterisk);
    EXPECT_EQ(w.Rows(), "A A1 A11 A2 B") << "the asterisk expands everything below";
    w.Key(Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(w.Rows(), "A B");
    EXPECT_FALSE(w.Find("A1")->Expanded()) << "the keypad slash collapses everything below";

    w.tree->SetRightAlignedTree(true);
    w.Key(Qt::Key_Left);
    EXPECT_EQ(w.Rows(), "A A1 A2 B") << "a right-aligned tree expands with Left";
    w.Key(Qt::Key_Right);
    EXPECT_EQ(w.Rows(), "A B");

    w.tree->SetRightAlignedTree(false);
    w.Key(Qt::Key_Right);
    w.Key(Qt::Key_Down);
    w.Key(Qt::Key_Backspace);
    EXPECT_EQ(w.Focused(), "A") << "Backspace goes to the parent";
}

TEST(McTreeKeys, SpaceChecksTheFocusedCheckBox) {
    TreeWindow w;
    w.tree->SetShowCheckboxes(true);
    w.Build({"a", "b"});
    w.Find("a")->SetShowCheckBox(true);
    int checked = 0;
    w.tree->OnItemChecked = [&](TCustomMcTree&, TMcTreeItem*) { ++checked; };
    w.tree->SetFocusedItem(w.Find("a"));
    w.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(w.Find("a")->GetChecked());
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(w.Selected(), "a") << "the selection stays";
    EXPECT_EQ(w.View().accessibleName(), "a") << "screen readers hear the focused row";
    EXPECT_EQ(w.View().accessibleDescription(), QString::fromUtf8("Ebene 1, angekreuzt, ausgewählt"));
    w.Key(Qt::Key_Down);
    w.Key(Qt::Key_Space, Qt::ControlModifier, " ");
    EXPECT_EQ(w.Selected(), "") << "without a check box (Ctrl+)Space toggles the selection";
}

TEST(McTreeKeys, PageKeysScrollTheFocusIntoView) {
    TreeWindow w;
    w.Build(Flat(30));
    w.tree->SetFocusedItem(w.Find("i0"));
    w.Key(Qt::Key_PageDown);
    EXPECT_EQ(w.Focused(), "i9") << "a page is PageRowCount - 1 items";
    EXPECT_EQ(w.tree->TopIndex(), 0) << "still on screen";
    w.Key(Qt::Key_PageDown);
    EXPECT_EQ(w.Focused(), "i18");
    EXPECT_EQ(w.tree->TopIndex(), 9);
    w.Key(Qt::Key_End);
    EXPECT_EQ(w.Focused(), "i29");
    EXPECT_EQ(w.tree->TopIndex(), 21);
    w.Key(Qt::Key_Home);
    EXPECT_EQ(w.tree->TopIndex(), 0);
    w.Key(Qt::Key_Up);
    EXPECT_EQ(w.Focused(), "i0");
}

TEST(McTreeKeys, KeyboardFocusEventWaitsForTheChangeDelay) {
    TreeWindow w;
    w.Build(Flat(5));
    int focused = 0;
    w.tree->OnItemFocused = [&](TCustomMcTree&) { ++focused; };
    w.tree->SetChangeDelay(500);
    w.tree->SetFocusedItem(w.Find("i0"));
    EXPECT_EQ(focused, 1) << "a focus set by the program reports at once";
    for (int i = 0; i < 3; ++i) w.Key(Qt::Key_Down);
    EXPECT_EQ(focused, 1);
    EXPECT_EQ(Interval(w.tree->ChangeTimer()), 500);
    Fire(w.tree->ChangeTimer());
    EXPECT_EQ(focused, 2) << "three quick moves, one event";
    w.tree->SetChangeDelay(0);
    w.Key(Qt::Key_Down);
    EXPECT_EQ(focused, 3);
}

TEST(McTreeKeys, TreeSeesKeysFirst) {
    TreeWindow w;
    w.Build({"a", "b"});
    w.tree->SetFocusedItem(w.Find("a"));
    w.tree->OnKeyDown = [](TCustomMcTree&, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down) key = 0;
    };
    w.Key(Qt::Key_Down);
    EXPECT_EQ(w.Focused(), "a") << "a handler that takes the key stops it";
}
