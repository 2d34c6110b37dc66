// Tree items and their collection: building, positions, walks, moves,
// deleting with focus and selection, check boxes, expanding, sorting.
// After every change the flat list must be the pre-order walk of the
// hierarchy.
#include "FakeTreeHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void PreOrder(const TMcTreeItem* item, std::vector<const TMcTreeItem*>& out) {
    for (int32_t i = 0; i < item->GetChildCount(); ++i) {
        const TMcTreeItem* child = item->GetChild(i);
        EXPECT_EQ(child->ParentItem(), item) << child->Text();
        out.push_back(child);
        PreOrder(child, out);
    }
}

// The hierarchy as "A(A1 A2) B(B1)", checked against the flat list.
std::string Shape(FakeTree& t) {
    std::vector<const TMcTreeItem*> order;
    PreOrder(t.items.Root(), order);
    EXPECT_EQ(static_cast<int32_t>(order.size()), t.items.GetCount());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(t.items.GetItem(static_cast<int32_t>(i)), order[i]) << "flat list position " << i;
        EXPECT_EQ(order[i]->GetAbsIndex(), static_cast<int32_t>(i));
    }
    std::function<std::string(const TMcTreeItem*)> shape = [&](const TMcTreeItem* item) {
        std::string s;
        for (int32_t i = 0; i < item->GetChildCount(); ++i) {
            if (!s.empty()) s += ' ';
            s += item->GetChild(i)->Text();
            if (item->GetChild(i)->HasChildren()) s += "(" + shape(item->GetChild(i)) + ")";
        }
        return s;
    };
    return shape(t.items.Root());
}

// A(A1 A2) B(B1), everything expanded but B.
struct Sample : FakeTree {
    TMcTreeItem *A, *A1, *A2, *B, *B1;
    Sample() {
        A = items.AddChild(nullptr, "A");
        A1 = items.AddChild(A, "A1");
        A2 = items.AddChild(A, "A2");
        B = items.Add(A, "B");
        B1 = items.AddChild(B, "B1");
        A->Expand(false);
        host.log.clear();
    }
    std::string Walk(const std::function<void(const TMcTreeItems::IterateProc&)>& walk) {
        std::string s;
        walk([&](TMcTreeItem* item, int32_t number, bool&, void*, TMcTreeItems&) {
            s += item->Text() + ":" + std::to_string(number) + " ";
        });
        return s;
    }
};

TEST(McTreeItems, AbsoluteAndVisiblePositions) {
    Sample t;
    EXPECT_EQ(Shape(t), "A(A1 A2) B(B1)");
    EXPECT_EQ(t.items.GetVisItem(3), t.B);
    EXPECT_EQ(t.items.GetVisItem(4), nullptr);
    EXPECT_EQ(t.items.GetVisIndex(t.B1), -1);
    EXPECT_EQ(t.A2->GetVisIndex(), 2);
    EXPECT_EQ(t.B1->GetPrev(), t.B);
    EXPECT_EQ(t.B1->GetNext(), nullptr);
    t.A->Collapse(false);
    EXPECT_EQ(t.items.GetVisItem(1), t.B);
    t.A->Expand(false);
    t.host.options.FilteredVisibility = true;
    t.A->SetHidden(true);
    EXPECT_EQ(t.host.hiddenCount, 1);
    EXPECT_EQ(t.items.GetVisItem(0), t.B) << "a hidden item goes with its subtree";
    EXPECT_EQ(t.items.GetVisIndex(t.A1), -1);
    EXPECT_FALSE(t.A1->GetFullyVisible());
    t.A1->SetFullyVisible(true);
    EXPECT_FALSE(t.A->Hidden());
    EXPECT_EQ(t.host.hiddenCount, 0);
}

TEST(McTreeItems, NavigationAndPaths) {
    Sample t;
    TMcTreeItem* C = t.items.AddChild(t.A2, "C");
    EXPECT_EQ(C->GetFullPath("\\"), "\\A\\A2\\C");
    EXPECT_EQ(t.A->GetFullPath("\\"), "\\A");
    EXPECT_EQ(t.A->GetLevel(), 0);
    EXPECT_EQ(C->GetLevel(), 2);
    EXPECT_EQ(t.items.Root()->GetLevel(), -1);
    EXPECT_EQ(t.A->GetParent(), nullptr);
    EXPECT_EQ(C->GetTopParent(), t.A);
    EXPECT_EQ(t.A->GetLastSubItem(), C);
    EXPECT_TRUE(C->IsUnder(t.A));
    EXPECT_TRUE(C->IsUnder(C));
    EXPECT_FALSE(t.A->IsUnder(C));
    EXPECT_EQ(t.A1->GetNextSibling(), t.A2);
    EXPECT_EQ(t.A2->GetNextSibling(), nullptr);
    EXPECT_EQ(t.B->Index(), 1);
    EXPECT_EQ(t.items.Root()->Index(), -1);
    t.host.options.LineHeight = 17;
    EXPECT_EQ(t.A->GetSubtreeHeight(), 17 * 2) << "A2 is collapsed: C does not count";
}

TEST(McTreeItems, CreatingAtEveryPlace) {
    FakeTree t;
    TMcTreeItem* first = t.items.Insert(nullptr, "first");
    TMcTreeItem* before = t.items.InsertAfter(nullptr, "zero");
    EXPECT_EQ(Shape(t), "zero first");
    TMcTreeItem* P = t.items.Add(first, "P");
    t.items.AddChild(P, "P1");
    TMcTreeItem* P2 = t.items.AddChild(P, "P2");
    t.items.InsertAfter(P2, "P3");
    t.items.AddChildFirst(P, "P0");
    t.items.Insert(first, "mid");
    t.items.AddFirst(before, "top");
    int data = 0;
    TMcTreeItem* object = t.items.AddChildObject(P2, "deep", &data);
    EXPECT_EQ(object->Data, &data);
    EXPECT_EQ(Shape(t), "top zero mid first P(P0 P1 P2(deep) P3)");
    EXPECT_THROW(t.items.InsertItem(5, P), EMcTreeError);
    EXPECT_THROW(t.items.InsertItem(-1, P), EMcTreeError);
    EXPECT_EQ(Shape(t), "top zero mid first P(P0 P1 P2(deep) P3)") << "a bad index changes nothing";
    try {
        t.items.InsertItem(7, nullptr);
    } catch (const EMcTreeError& e) {
        EXPECT_STREQ(e.Message(), "McTree item index out of bounds.");
    }
    EXPECT_EQ(t.host.UpdateDepth(), 0);
    EXPECT_TRUE(t.host.log.front().starts_with("change "));
}

TEST(McTreeItems, Walks) {
    Sample t;
    t.B->Expand(false);
    t.B->Collapse(false);
    auto all = [&](bool visibleOnly) {
        return t.Walk([&](auto cb) { t.items.Iterate(visibleOnly, cb, nullptr); });
    };
    EXPECT_EQ(all(false), "A:0 A1:1 A2:2 B:3 B1:4 ");
    EXPECT_EQ(all(true), "A:0 A1:1 A2:2 B:3 ");
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateBack(false, cb, nullptr); }), "B1:4 B:3 A2:2 A1:1 A:0 ");
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateBack(true, cb, nullptr); }), "B:3 A2:2 A1:1 A:0 ");
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateFrom(false, cb, nullptr, t.A2); }), "A2:0 B:1 B1:2 ");
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateBackFrom(false, cb, nullptr, t.A2); }), "A2:0 A1:1 A:2 ");
    // A start under a collapsed item: forward after that item, backward from it.
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateFrom(true, cb, nullptr, t.B1); }), "");
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateBackFrom(true, cb, nullptr, t.B1); }), "B:0 A2:1 A1:2 A:3 ");
    t.A->Collapse(false);
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateFrom(true, cb, nullptr, t.A1); }), "B:0 ");
    t.A->Expand(false);
    t.host.options.FilteredVisibility = true;
    t.A->SetHidden(true);
    EXPECT_EQ(t.Walk([&](auto cb) { t.items.IterateBackFrom(true, cb, nullptr, t.A2); }), "")
        << "a hidden ancestor is skipped, and nothing stands before it";
    EXPECT_EQ(all(true), "B:0 ");
    std::string stopped;
    t.items.Iterate(false, [&](TMcTreeItem* item, int32_t, bool& go, void*, TMcTreeItems&) {
        stopped += item->Text();
        go = item != t.A1;
    }, nullptr);
    EXPECT_EQ(stopped, "AA1");
}

TEST(McTreeItems, LookForItem) {
    Sample t;
    auto named = [](const char* name) {
        return [name](TMcTreeItem* item, void*) { return item->Text() == name; };
    };
    EXPECT_EQ(t.items.LookForItem(t.A1, 0, named("A2"), nullptr, false, false, true), nullptr)
        << "A2 is not under A1: the walk stops there";
    EXPECT_EQ(t.items.LookForItem(t.A1, 0, named("B1"), nullptr, false, false, false), t.B1);
    EXPECT_EQ(t.items.LookForItem(t.A1, 0, named("A1"), nullptr, false, false, false), nullptr);
    EXPECT_EQ(t.items.LookForItem(t.A1, 0, named("A1"), nullptr, false, true, false), t.A1);
    EXPECT_EQ(t.items.LookForItem(t.A, 0, named("B1"), nullptr, true, false, false), nullptr) << "B is collapsed";
}

// [A B C D] as top-level items, each with one child a, b, c, d.
struct Four : FakeTree {
    TMcTreeItem* item[4];
    Four() {
        const char* names[] = {"A", "B", "C", "D"};
        const char* kids[] = {"a", "b", "c", "d"};
        for (int i = 0; i < 4; ++i) {
            item[i] = items.AddChild(nullptr, names[i]);
            items.AddChild(item[i], kids[i]);
        }
    }
};

TEST(McTreeItems, MovesKeepTheSubtreeAndTheFlatList) {
    const struct {
        const char* what;
        std::function<void(Four&)> move;
        const char* shape;
    } cases[] = {
        {"to index 2 of the own parent", [](Four& f) { f.item[0]->MoveToIns(nullptr, 2); }, "B(b) C(c) A(a) D(d)"},
        {"to the old count", [](Four& f) { f.item[0]->MoveToIns(nullptr, 4); }, "B(b) C(c) D(d) A(a)"},
        {"backwards", [](Four& f) { f.item[3]->MoveToIns(nullptr, 1); }, "A(a) D(d) B(b) C(c)"},
        {"last to the end", [](Four& f) { f.item[3]->MoveToIns(nullptr, 4); }, "A(a) B(b) C(c) D(d)"},
        {"as last child", [](Four& f) { f.item[3]->MoveTo(f.item[0]); }, "A(a D(d)) B(b) C(c)"},
        {"to the end of the list", [](Four& f) { f.item[0]->MoveTo(f.item[3]); }, "B(b) C(c) D(d A(a))"},
        {"mode 0: last sibling", [](Four& f) { f.item[0]->GetFirstChild()->MoveToItem(f.item[2], 0); },
         "A B(b) C(c) D(d) a"},
        {"mode 1: first sibling", [](Four& f) { f.item[2]->MoveToItem(f.item[1], 1); }, "C(c) A(a) B(b) D(d)"},
        {"mode 1 without item", [](Four& f) { f.item[2]->MoveToItem(nullptr, 1); }, "C(c) A(a) B(b) D(d)"},
        {"mode 2: last child", [](Four& f) { f.item[2]->MoveToItem(f.item[1], 2); }, "A(a) B(b C(c)) D(d)"},
        {"mode 3: first child", [](Four& f) { f.item[2]->MoveToItem(f.item[1], 3); }, "A(a) B(C(c) b) D(d)"},
        {"mode 4: before", [](Four& f) { f.item[3]->MoveToItem(f.item[1], 4); }, "A(a) D(d) B(b) C(c)"},
        {"into a child list", [](Four& f) { f.item[3]->MoveToIns(f.item[1], 1); }, "A(a) B(b D(d)) C(c)"},
    };
    for (const auto& c : cases) {
        Four f;
        c.move(f);
        EXPECT_EQ(Shape(f), c.shape) << c.what;
        EXPECT_EQ(f.host.UpdateDepth(), 0) << c.what;
    }
}

TEST(McTreeItems, RefusedMovesChangeNothing) {
    Four f;
    TMcTreeItem* a = f.item[0]->GetFirstChild();
    const struct {
        std::function<void()> move;
        const char* message;
    } refused[] = {
        {[&] { f.item[0]->MoveTo(a); }, "Can't move Item to one of its subitems."},
        {[&] { f.item[0]->MoveToIns(nullptr, 5); }, "McTree item index out of bounds."},
        {[&] { f.item[0]->MoveToIns(f.item[1], -1); }, "McTree item index out of bounds."},
        {[&] { f.item[0]->MoveToItem(nullptr, 0); }, "McTree item not specified"},
    };
    for (const auto& r : refused) {
        try {
            r.move();
            ADD_FAILURE() << "no error for " << r.message;
        } catch (const EMcTreeError& e) {
            EXPECT_STREQ(e.Message(), r.message);
        }
        EXPECT_EQ(Shape(f), "A(a) B(b) C(c) D(d)");
        EXPECT_EQ(f.host.UpdateDepth(), 0);
    }
    f.item[0]->MoveTo(f.item[0]);  // onto itself: nothing
    EXPECT_EQ(Shape(f), "A(a) B(b) C(c) D(d)");
}

TEST(McTreeItems, RadioButtonsAndCheckBoxes) {
    FakeTree t;
    TMcTreeItem* items[4];
    for (int i = 0; i < 4; ++i) {
        items[i] = t.items.AddChild(nullptr, std::string(1, static_cast<char>('A' + i)));
        items[i]->SetCheckBoxType(i < 3 ? TMcCheckBoxType::ectRadioButton : TMcCheckBoxType::ectCheckBox);
    }
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    items[3]->SetChecked(true);
    auto states = [&] {
        std::string s;
        for (TMcTreeItem* i : items) s += i->GetChecked() ? 'x' : '.';
        return s;
    };
    EXPECT_EQ(states(), "..xx");
    items[1]->SetChecked(true);
    EXPECT_EQ(states(), ".x.x") << "the other radio buttons of the same parent go out; the check box stays";
    items[1]->SetChecked(false);
    EXPECT_EQ(states(), "...x");
    items[3]->SetCheckBoxState(TCheckBoxState::cbGrayed);
    items[3]->SetChecked(false);
    EXPECT_EQ(items[3]->CheckBoxState(), TCheckBoxState::cbGrayed) << "grayed is not checked";
}

TEST(McTreeItems, ExpandingCanBeRefused) {
    Sample t;
    t.host.expanding = [&](TMcTreeItem* item, bool& can) { can = item != t.B; };
    t.B->Expand(false);
    EXPECT_FALSE(t.B->Expanded());
    EXPECT_EQ(t.host.UpdateDepth(), 0);
    EXPECT_EQ(t.host.TakeLog(), (std::vector<std::string>{"expanding B"}));
    t.A->Collapse(true);
    t.A->Expand(true);
    EXPECT_TRUE(t.A1->Expanded());
    EXPECT_EQ(t.host.TakeLog(), (std::vector<std::string>{"collapsing A", "collapse A", "collapsing A1", "collapse A1",
                                                          "collapsing A2", "collapse A2", "expanding A", "expand A",
                                                          "expanding A1", "expand A1", "expanding A2", "expand A2"}));
}

TEST(McTreeItems, CollapsingMovesFocusAndDeselects) {
    Sample t;
    t.host.options.MoveFocusOnCollapse = true;
    t.host.options.DeselectChildrenOnCollapse = true;
    t.A->SetSelected(true);
    t.A1->SetSelected(true);
    t.A2->SetState(TMcTreeItem::kFocused, true);
    EXPECT_TRUE(t.A2->Focused());
    t.A->Collapse(false);
    EXPECT_EQ(t.host.FocusedItem(), t.A);
    EXPECT_TRUE(t.A->GetSelected());
    EXPECT_FALSE(t.A1->GetSelected());
    EXPECT_EQ(t.host.SelectedItemCount(), 1);
    EXPECT_TRUE(t.host.selectionChanged);
}

TEST(McTreeItems, DeletingMovesFocusAndAnchor) {
    Sample t;
    TMcTreeItem* C = t.items.Add(t.B, "C");
    t.B->SetState(TMcTreeItem::kFocused, true);
    t.host.anchor = t.B;
    t.B->SetSelected(true);
    t.host.edited = t.A1;
    t.host.log.clear();
    t.items.DeleteItem(t.B);
    EXPECT_EQ(t.host.FocusedItem(), t.A) << "the previous sibling";
    EXPECT_EQ(t.host.anchor, t.A);
    EXPECT_EQ(t.host.SelectedItemCount(), 0);
    EXPECT_EQ(t.host.edited, t.A1) << "an edit of another row goes on";
    EXPECT_EQ(Shape(t), "A(A1 A2) C");
    t.A->SetState(TMcTreeItem::kFocused, true);
    t.A1->SetState(TMcTreeItem::kFocused, true);
    t.items.DeleteItem(t.A1);
    EXPECT_EQ(t.host.FocusedItem(), t.A) << "deeper items give the focus to the parent";
    EXPECT_EQ(t.host.edited, nullptr);
    t.A->SetState(TMcTreeItem::kFocused, true);
    t.items.DeleteItem(t.A);
    EXPECT_EQ(t.host.FocusedItem(), C) << "the first item gives it to the next one";
    const std::vector<std::string> log = t.host.log;
    EXPECT_NE(std::find(log.begin(), log.end(), "deletion A2"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "end edit"), log.end());
    t.items.Clear();
    EXPECT_EQ(t.items.GetCount(), 0);
    EXPECT_EQ(t.host.FocusedItem(), nullptr);
    EXPECT_EQ(t.host.UpdateDepth(), 0);
}

TEST(McTreeItems, SortsChildrenAndRewritesTheFlatList) {
    FakeTree t;
    for (const char* name : {"c", "a", "d", "b"}) {
        TMcTreeItem* item = t.items.AddChild(nullptr, name);
        TMcTreeItem* only = t.items.AddChild(item, std::string(name) + "1");
        for (const char* kid : {"z", "x", "y"}) t.items.AddChild(only, kid);
    }
    t.items.Root()->Sort(false);
    EXPECT_EQ(Shape(t), "a(a1(z x y)) b(b1(z x y)) c(c1(z x y)) d(d1(z x y))");
    t.items.Root()->Sort(true);
    EXPECT_EQ(Shape(t), "a(a1(x y z)) b(b1(x y z)) c(c1(x y z)) d(d1(x y z))")
        << "levels below an item with one child are sorted too";
    EXPECT_EQ(t.host.SortingCount(), 0);
}

TEST(McTreeItems, SortColumnAndKeys) {
    FakeTree t;
    TMcHeaderSections sections;
    for (int i = 0; i < 2; ++i) sections.AddSection();
    sections.Item(1)->SetFieldType(TFieldTypes::sftNumber);
    sections.Item(1)->SetSortMode(TMcSSortMode::hsmDescend);
    t.host.sections = &sections;
    t.host.options.SortSection = 1;
    std::vector<std::string> seen;
    t.host.compare = [&](TMcTreeItem* a, TMcTreeItem* b, int32_t column, TSortTypes type, TMcSSortMode mode) {
        EXPECT_EQ(column, 1);
        EXPECT_EQ(type, TSortTypes::stNumber);
        EXPECT_EQ(mode, TMcSSortMode::hsmDescend);
        const TMcSortKey &x = a->SortKey(), &y = b->SortKey();
        if (x.GetKind() == TMcSortKey::Kind::None || y.GetKind() == TMcSortKey::Kind::None) {
            return x.GetKind() == y.GetKind() ? 0 : x.GetKind() == TMcSortKey::Kind::None ? 1 : -1;
        }
        return x.Number() > y.Number() ? -1 : x.Number() < y.Number() ? 1 : 0;
    };
    for (const char* value : {"9", "x", "10", "$10", " -3"}) {
        TMcTreeItem* item = t.items.AddChild(nullptr, value);
        item->AddColumnText(value);
    }
    t.items.Root()->Sort(false);
    EXPECT_EQ(Shape(t), "$10 10 9  -3 x");
    for (int32_t i = 0; i < t.items.GetCount(); ++i) {
        EXPECT_EQ(t.items.GetItem(i)->SortKey().GetKind(), TMcSortKey::Kind::None) << "keys are released";
    }
}

TEST(McTreeItems, ChangesAskTheTree) {
    FakeTree t;
    t.host.options.ShowColumns = true;
    t.host.options.SortMode = TSortModes::smAdd;
    TMcTreeItem* b = t.items.AddChild(nullptr, "b");
    TMcTreeItem* a = t.items.AddChild(nullptr, "c");
    t.host.log.clear();
    a->SetText("a");
    EXPECT_EQ(t.host.TakeLog(), (std::vector<std::string>{"change a 0", "sort begin", "sort end", "autosize 0"}));
    EXPECT_EQ(Shape(t), "a b");
    b->SetState(TMcTreeItem::kBold, true);
    b->SetState(TMcTreeItem::kBold, true);
    EXPECT_EQ(t.host.TakeLog(), (std::vector<std::string>{"change b 1"}));
    const int32_t before = t.host.repaints;
    b->SetColor(0x123456);
    b->SetColor(0x123456);
    EXPECT_EQ(t.host.repaints, before + 1) << "an unchanged value does nothing";
    t.items.BeginUpdate();
    b->SetText("0");
    t.items.EndUpdate();
    EXPECT_EQ(t.host.TakeLog(), (std::vector<std::string>{"change 0 0", "pending sort"}));
}

TEST(McTreeItems, AssignCopiesTheSubtree) {
    Sample source;
    source.A->SetImageIndex(3);
    source.A->SetUseStyles(true);
    source.A->AddStyle()->CellColor = 0xFF;
    source.A->SetSelected(true);
    source.A->SetHint("not copied");
    FakeTree copy;
    copy.items.Assign(source.items);
    EXPECT_EQ(Shape(copy), "A(A1 A2) B(B1)");
    const TMcTreeItem* A = copy.items.GetItem(0);
    EXPECT_EQ(A->ImageIndex(), 3);
    EXPECT_EQ(A->StylesCount(), 1);
    EXPECT_EQ(A->GetStyle(0)->CellColor, 0xFFu);
    EXPECT_FALSE(A->GetSelected());
    EXPECT_EQ(A->Hint(), "");
    EXPECT_TRUE(A->Expanded());
}

}  // namespace
