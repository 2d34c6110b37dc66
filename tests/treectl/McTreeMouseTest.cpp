// The tree view and the mouse: the hit test, expanding by the button and
// by double clicks, the selection rules of single and multiple selection
// with Ctrl and Shift, presses on the selection, check boxes and radio
// buttons, and the tree's mouse events in tree coordinates.
#include "TreeTesting.h"

#include "platform/gdi/ImageList.h"

#include <gtest/gtest.h>

namespace {

void ClickWith(QWidget* w, QPoint p, Qt::KeyboardModifiers modifiers, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, p, button, modifiers);
    SendMouse(w, QEvent::MouseButtonRelease, p, button, modifiers);
}

}  // namespace

TEST(McTreeMouse, HitTestOfTheWizardsRow) {
    TreeWindow w;
    gdi::ImageList pictures(16, 16);
    pictures.Add(gdi::Bitmap(16, 16));
    w.tree->SetShowRoot(true);
    w.tree->SetShowCheckboxes(true);
    w.tree->SetImages(&pictures);
    w.Build({"Folder", "  Sub folder with a long name", "    file"});
    TMcTreeItem* sub = w.Find("Sub folder with a long name");
    for (TMcTreeItem* item : w.tree->AllItems()) {
        item->SetShowCheckBox(true);
        item->SetImageIndex(0);
    }
    w.Paint();
    ASSERT_EQ(sub->TextLeft, 70);
    const struct {
        int x;
        TMcTreeHitPart part;
    } cases[] = {
        {10, TMcTreeHitPart::tpRow},   {25, TMcTreeHitPart::tpButton},  {40, TMcTreeHitPart::tpCheckBox},
        {55, TMcTreeHitPart::tpPicture}, {70, TMcTreeHitPart::tpText}, {sub->TextRight, TMcTreeHitPart::tpText},
    };
    for (int32_t left : {0, 30}) {
        if (left) {
            // Scrolled sideways the same parts lie further left on the screen.
            w.tree->resize(64, 174);
            w.tree->SetLeftPosition(left);
            ASSERT_EQ(w.tree->LeftPosition(), left);
            w.Paint();
        }
        for (const auto& c : cases) {
            TMcTreeHitPart part;
            int32_t column = 99;
            EXPECT_EQ(w.View().HitTest(c.x - left, 20, part, column), sub);
            EXPECT_EQ(part, c.part) << "x " << c.x << ", scrolled by " << left;
            EXPECT_EQ(column, 0);
        }
    }
    TMcTreeHitPart part;
    int32_t column;
    EXPECT_EQ(w.View().HitTest(5, 200, part, column), nullptr);
    EXPECT_EQ(part, TMcTreeHitPart::tpRow);
}

TEST(McTreeMouse, ButtonsExpandWithoutSelecting) {
    TreeWindow w;
    w.Build({"A-", "  A1", "B"});
    w.tree->SetFocusedItem(w.Find("B"));
    Click(&w.View(), {5, 8});  // A's button
    EXPECT_EQ(w.Rows(), "A A1 B");
    EXPECT_EQ(w.Focused(), "B") << "the button leaves focus and selection alone";
    EXPECT_EQ(w.Selected(), "B");
    Click(&w.View(), {5, 8});
    EXPECT_EQ(w.Rows(), "A B");
    ClickWith(&w.View(), {5, 8}, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(w.Rows(), "A B") << "a right click on the button counts as one on the text";
    EXPECT_EQ(w.Focused(), "A");
    DoubleClick(&w.View(), w.RowPoint("A"));
    EXPECT_EQ(w.Rows(), "A A1 B") << "a double click on the text expands";
    DoubleClick(&w.View(), w.RowPoint("A"));
    EXPECT_EQ(w.Rows(), "A B");
}

TEST(McTreeMouse, MultipleSelectionWithCtrlAndShift) {
    TreeWindow w;
    w.Build({"a", "b", "c", "d", "e", "f"});
    w.Find("c")->SetEnabled(false);
    int changes = 0;
    w.tree->OnAfterSelectionChange = [&](TCustomMcTree&) { ++changes; };
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const struct {
        const char* item;
        Qt::KeyboardModifiers modifiers;
        const char* selected;
        const char* focused;
    } steps[] = {
        {"b", none, "b", "b"},
        {"d", ctrl, "b d", "d"},
        {"d", ctrl, "b", "d"},          // Ctrl toggles
        {"b", ctrl, "b", "b"},          // a Ctrl click never empties a selection of one
        {"a", none, "a", "a"},
        {"e", shift, "a b d e", "e"},   // the range from the anchor, enabled items only
        {"f", shift, "a b d e f", "f"}, // the anchor stays
        {"d", none, "d", "d"},          // a plain click selects only the clicked item
    };
    for (const auto& s : steps) {
        ClickWith(&w.View(), w.RowPoint(s.item), s.modifiers);
        EXPECT_EQ(w.Selected(), s.selected) << s.item;
        EXPECT_EQ(w.Focused(), s.focused) << s.item;
    }
    EXPECT_GE(changes, 8);
    Click(&w.View(), w.RowPoint("c"));
    EXPECT_EQ(w.Selected(), "d") << "a press on a disabled item does nothing";
}

TEST(McTreeMouse, PressOnTheSelectionDecidesAtTheRelease) {
    TreeWindow w;
    w.Build({"a", "b", "c"});
    Click(&w.View(), w.RowPoint("a"));
    ClickWith(&w.View(), w.RowPoint("c"), Qt::ShiftModifier);
    ASSERT_EQ(w.Selected(), "a b c");
    Press(&w.View(), w.RowPoint("b"));
    EXPECT_EQ(w.Selected(), "a b c") << "the press keeps the selection for a drag";
    EXPECT_EQ(w.Focused(), "b");
    Release(&w.View(), w.RowPoint("b"));
    EXPECT_EQ(w.Selected(), "b") << "released without dragging: only the pressed item";
}

TEST(McTreeMouse, SingleAndSimpleSelection) {
    TreeWindow w;
    w.Build({"a", "b", "c"});
    w.tree->SetSelectionMode(TZRSelModes::smSimple);
    Click(&w.View(), w.RowPoint("a"));
    Click(&w.View(), w.RowPoint("c"));
    EXPECT_EQ(w.Selected(), "a c") << "smSimple: clicks add to the selection";

    w.tree->SetMultiSelect(false);
    EXPECT_EQ(w.Selected(), "c") << "the focused item stays the one selected item";
    Click(&w.View(), w.RowPoint("b"));
    EXPECT_EQ(w.Selected(), "b");
    Click(&w.View(), w.RowPoint("b"));
    EXPECT_EQ(w.Selected(), "b") << "AlwaysKeepSelection: a click on the selected item keeps it";
    EXPECT_EQ(w.tree->SelectedItemCount(), 1);

    Click(&w.View(), {50, 160});
    EXPECT_EQ(w.Focused(), "-") << "a click below the rows takes the focus away";
    EXPECT_EQ(w.Selected(), "");
    w.tree->SetAlwaysKeepFocus(true);
    Click(&w.View(), w.RowPoint("a"));
    Click(&w.View(), {50, 160});
    EXPECT_EQ(w.Focused(), "a");
}

TEST(McTreeMouse, CheckBoxesRadioButtonsAndPropagation) {
    TreeWindow w;
    w.tree->SetShowCheckboxes(true);
    w.Build({"three", "radios", "  r1", "  r2", "  r3", "folder", "  f1", "  f2"});
    for (TMcTreeItem* item : w.tree->AllItems()) item->SetShowCheckBox(true);
    w.Find("three")->SetCheckBoxType(TMcCheckBoxType::ect3SCheckBox);
    for (const char* r : {"r1", "r2", "r3"}) w.Find(r)->SetCheckBoxType(TMcCheckBoxType::ectRadioButton);
    // Checking a folder checks what it holds, as the directory wizard does.
    w.tree->OnItemChecked = [&](TCustomMcTree& tree, TMcTreeItem* item) {
        w.log.push_back("checked " + item->Text());
        tree.SetUpdating(true);
        for (int i = 0; i < item->GetChildCount(); ++i) item->GetChild(i)->SetChecked(item->GetChecked());
        tree.SetUpdating(false);
    };
    w.tree->OnItemChange = [&](TCustomMcTree&, TMcTreeItem* item, int32_t mode) {
        if (mode == 2) w.log.push_back("change " + item->Text());
    };
    auto box = [&](const char* text) {
        TMcTreeItem* item = w.Find(text);
        return QPoint(item->TextLeft - 5 - 2 - 6, w.RowPoint(text).y());
    };
    w.Paint();
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        Click(&w.View(), box("three"));
        states.push_back(w.Find("three")->CheckBoxState());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked,
                                                   TCheckBoxState::cbUnchecked}));
    EXPECT_EQ(w.Take().size(), 6u) << "each click: OnItemChecked and OnItemChange once";

    Click(&w.View(), box("r1"));
    Click(&w.View(), box("r2"));
    Click(&w.View(), box("r2"));
    EXPECT_FALSE(w.Find("r1")->GetChecked()) << "checking r2 unchecks its sibling";
    EXPECT_TRUE(w.Find("r2")->GetChecked()) << "a checked radio button stays checked";

    w.Take();
    Click(&w.View(), box("folder"));
    EXPECT_TRUE(w.Find("f1")->GetChecked() && w.Find("f2")->GetChecked());
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"checked folder", "change folder"})) << "children do not report";

    w.Find("f1")->SetCheckBoxEnabled(false);
    Click(&w.View(), box("f1"));
    EXPECT_TRUE(w.Find("f1")->GetChecked()) << "a disabled check box does not change";
}

TEST(McTreeMouse, ColumnsThatDoNotSelectAndTreeCoordinates) {
    TreeWindow w(304);
    for (const char* caption : {"Name", "Size"}) {
        TMcHeaderSection* s = w.tree->HeaderSections().AddSection();
        s->SetText(caption);
        s->SetWidth(120);
    }
    w.tree->HeaderSections().Item(1)->SetClickSelect(false);
    w.tree->SetShowColumns(true);
    w.Build({"a", "b"});
    std::vector<QPoint> downs;
    w.tree->OnMouseDown = [&](TCustomMcTree&, Qt::MouseButton, Qt::KeyboardModifiers, int32_t x, int32_t y) {
        downs.emplace_back(x, y);
    };
    Click(&w.View(), {150, 8});
    EXPECT_EQ(w.Focused(), "-") << "a column whose section does not select";
    EXPECT_TRUE(downs.empty()) << "and no OnMouseDown";
    Click(&w.View(), {5, 7});
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], QPoint(5, 7) + w.View().pos()) << "tree coordinates";
    EXPECT_EQ(w.View().pos(), QPoint(2, 2 + w.tree->HeaderHeight())) << "below the header, inside the frame";
}
