// Folders filled while they expand, as the directory wizard loads them.
#include "TreeTesting.h"

#include <gtest/gtest.h>

TEST(McTreeLazy, ChildrenAddedWhileExpandingShowAtOnce) {
    TreeWindow w;
    w.tree->HeaderSections().AddSection()->SetWidth(150);
    w.tree->HeaderSections().AddSection()->SetWidth(50);
    w.tree->SetShowColumns(true);
    w.tree->SetUseCustomScrollBars(false);
    w.tree->SetShowCheckboxes(true);
    w.Build({"a", "folder-", "b"});
    w.Find("folder")->SetForceButtons(true);
    w.tree->OnItemExpanding = [&](TCustomMcTree& tree, TMcTreeItem* item, bool& can) {
        if (item->HasChildren()) return;
        tree.SetUpdating(true);
        TMcTreeItem* loaded = tree.Items().AddChild(item, "loaded");
        loaded->SetShowCheckBox(true);
        loaded->SetColumnText({"x"});
        tree.SetUpdating(false);
        item->SetForceButtons(false);
        can = item->HasChildren();
    };
    Click(&w.View(), {5, 17 + 8});
    EXPECT_EQ(w.Rows(), "a folder loaded b");
}
