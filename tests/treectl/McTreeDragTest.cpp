// Dragging items inside the tree: the 5-pixel start, the drag events with
// the tree as source and target, dropping and cancelling, the picture of
// the dragged rows, scrolling at the edges and expanding a hovered folder.
#include "TreeTesting.h"

#include "platform/gdi/ImageList.h"

#include <gtest/gtest.h>

namespace {

struct DragWindow : TreeWindow {
    DragWindow() {
        tree->SetDragAllowed(true);
        Build({"a", "b", "folder-", "  inside", "c"});
        tree->OnStartDrag = [this](TCustomMcTree&, TMcTreeDragObject*&) { log.push_back("start"); };
        tree->OnDragOver = [this](TCustomMcTree& sender, QObject* source, int32_t x, int32_t y, TDragState state,
                                  bool& accept) {
            TMcTreeHitPart part;
            int32_t column;
            TMcTreeItem* target = sender.HitTest(x, y, part, column);
            accept = source == &sender && target && target->Text() == "folder";
            if (state == TDragState::dsDragEnter) log.push_back("enter");
        };
        tree->OnDragDrop = [this](TCustomMcTree& sender, QObject* source, int32_t x, int32_t y) {
            TMcTreeHitPart part;
            int32_t column;
            TMcTreeItem* target = sender.HitTest(x, y, part, column);
            log.push_back(std::string("drop on ") + target->Text() + (source == &sender ? " from the tree" : ""));
            TMcItemList moved;
            sender.CopySelectionTo(moved);
            for (TMcTreeItem* item : moved) item->MoveTo(target);
        };
        tree->OnEndDrag = [this](TCustomMcTree& sender, QObject* target, int32_t, int32_t) {
            log.push_back(target == &sender ? "end in the tree" : "end nowhere");
        };
    }
    void MoveBy(QPoint from, QPoint by) { SendMouse(&View(), QEvent::MouseMove, from + by, Qt::LeftButton); }
};

}  // namespace

TEST(McTreeDrag, StartsAfterFivePixelsAndDropsOnAFolder) {
    DragWindow w;
    const QPoint a = w.RowPoint("a");
    Press(&w.View(), a);
    w.MoveBy(a, {4, 0});
    w.MoveBy(a, {0, 4});
    w.MoveBy(a, {-2, 3});
    EXPECT_FALSE(w.View().IsDragging()) << "4 pixels in any direction start nothing";
    w.MoveBy(a, {3, 4});
    ASSERT_TRUE(w.View().IsDragging());
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"start", "enter"}));
    w.MoveBy(w.RowPoint("folder"), {});
    EXPECT_EQ(w.View().DropTarget(), w.Find("folder"));
    EXPECT_TRUE(w.View().DropAccepted());
    Release(&w.View(), w.RowPoint("folder"));
    EXPECT_FALSE(w.View().IsDragging());
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"drop on folder from the tree", "end in the tree"}));
    EXPECT_EQ(w.Find("a")->GetParent(), w.Find("folder"));
    EXPECT_EQ(w.View().DropTarget(), nullptr);
    EXPECT_EQ(w.Selected(), "a") << "the release after a drag leaves the selection";
}

TEST(McTreeDrag, RefusedAndCancelledDragsDropNothing) {
    DragWindow w;
    const QPoint a = w.RowPoint("a");
    Press(&w.View(), a);
    w.MoveBy(a, {0, 6});
    w.MoveBy(w.RowPoint("c"), {});
    EXPECT_FALSE(w.View().DropAccepted());
    Release(&w.View(), w.RowPoint("c"));
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"start", "enter", "end nowhere"}));

    Press(&w.View(), a);
    w.MoveBy(w.RowPoint("folder"), {});
    w.Key(Qt::Key_Escape);
    EXPECT_FALSE(w.View().IsDragging());
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"start", "enter", "end nowhere"}));
    EXPECT_EQ(w.Find("a")->GetParent(), nullptr);
}

TEST(McTreeDrag, PictureOfTheSelectedRows) {
    TreeWindow w;
    w.Build({"r1", "r2", "r3", "r4", "r5", "r6"});
    for (const char* text : {"r2", "r5"}) w.Find(text)->SetSelected(true);
    w.tree->SetDragImageMode(TDragImgMode::dimOne);
    w.View().BuildDragImage();
    EXPECT_EQ(w.View().DragImages(), nullptr) << "one row only, and two are selected";
    w.tree->SetDragImageMode(TDragImgMode::dimAll);
    w.View().BuildDragImage();
    ASSERT_NE(w.View().DragImages(), nullptr);
    EXPECT_EQ(w.View().DragImages()->Height(), 4 * 17) << "from row 2 to row 5";
    EXPECT_EQ(w.View().DragImageTop(), 17);
}

TEST(McTreeDrag, ScrollsAtTheEdgesAndExpandsAHoveredFolder) {
    DragWindow w;
    w.tree->SetUpdating(true);
    for (int i = 0; i < 30; ++i) w.Items().AddChild(nullptr, "more " + std::to_string(i));
    w.tree->SetUpdating(false);
    w.tree->SetExpandOnDragOver(true);
    w.tree->SetTopIndex(3);
    w.Paint();
    const QPoint c = w.RowPoint("c") + QPoint(0, 4);  // the first row
    Press(&w.View(), c);
    w.MoveBy(c, {0, -9});  // into the upper half of the first row
    ASSERT_TRUE(w.View().IsDragging());
    EXPECT_EQ(Interval(w.View().AutoScrollTimer()), 300);
    Fire(w.View().AutoScrollTimer());
    EXPECT_EQ(w.tree->TopIndex(), 2);
    EXPECT_EQ(Interval(w.View().AutoScrollTimer()), 100) << "then every 100 ms";
    Fire(w.View().AutoScrollTimer());
    Fire(w.View().AutoScrollTimer());
    Fire(w.View().AutoScrollTimer());
    EXPECT_EQ(w.tree->TopIndex(), 0);
    EXPECT_FALSE(Running(w.View().AutoScrollTimer())) << "until the top";

    w.Paint();
    w.MoveBy(w.RowPoint("folder"), {});
    EXPECT_EQ(Interval(w.View().DragExpandTimer()), 500);
    Fire(w.View().DragExpandTimer());
    EXPECT_TRUE(w.Find("folder")->Expanded()) << "hovered for DragExpandDelay";
    w.Key(Qt::Key_Escape);
}
