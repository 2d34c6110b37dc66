// The commands of a design and its undo manager.
#include "design/DesignTesting.h"

#include "content/barcode/ZRBarcode.h"
#include "design/DesignDialogs.h"
#include "figures/Barcode.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureGroup.h"
#include "figures/Tracker.h"
#include "foundation/FillData.h"
#include "support/BarcodeSupport.h"

#include <functional>

namespace {

using K = TFigureKind;

// A text that takes font and alignment but no pen or fill.
StubFigure& MakeText(StubFigure& f) {
    f.takesPen = f.takesFill = false;
    f.takesFont = f.takesAlignment = true;
    return f;
}

}  // namespace

TEST_F(DesignTest, PropertyCommandsTable) {
    using Command = std::function<void(TEinzelEtikett&)>;
    const struct {
        const char* caption;
        bool forBoxes;  // taken by the rectangle, else by the text
        Command run;
    } commands[] = {
        {"Stiftfarbe", true, [](TEinzelEtikett& d) { d.SetPenColor(0x0000FF); }},
        {"Stiftdicke", true, [](TEinzelEtikett& d) { d.SetPenWidth(0.5f); }},
        {"Füllfarbe", true, [](TEinzelEtikett& d) { d.SetFillColor(0x00FF00); }},
        {"Füllstil", true, [](TEinzelEtikett& d) { d.SetBrushStyle(1); }},
        {"Füllung", true, [](TEinzelEtikett& d) { d.SetFillData(TFillData()); }},
        {"Schriftart", false, [](TEinzelEtikett& d) { d.SetFontName("Arial"); }},
        {"Schriftgröße", false, [](TEinzelEtikett& d) { d.SetFontSize(12); }},
        {"Schriftstil", false, [](TEinzelEtikett& d) { d.SetFontStyle(fsBold, 1); }},
        {"Schriftfarbe", false, [](TEinzelEtikett& d) { d.SetFontColor(0xFF0000); }},
        {"Textausrichtung", false, [](TEinzelEtikett& d) { d.SetAlignment(1, 2); }},
    };
    enum Selection { None, Box, Text, Both };
    for (const auto& command : commands)
        for (Selection selection : {None, Box, Text, Both}) {
            TEinzelEtikett d(child);
            child.currentDesign = &d;
            auto box = std::make_unique<StubFigure>(&child, K::Rechteck);
            auto text = std::make_unique<StubFigure>(&child, K::Text);
            MakeText(*text);
            d.AddFigure(std::move(box), false);
            d.AddFigure(std::move(text), false);
            if (selection == Box || selection == Both) d.SelectFigure(0);
            if (selection == Text || selection == Both) d.SelectFigure(1);
            d.ClearUndo();
            d.PushLayerUndo("IDS_UNDOONEUP");
            const int beeps = child.beeps;

            command.run(d);
            const bool taken = selection == Both || (selection == Box && command.forBoxes) ||
                               (selection == Text && !command.forBoxes);
            SCOPED_TRACE(std::string(command.caption) + " with selection " + std::to_string(selection));
            EXPECT_EQ(d.UndoCount(), taken ? 2 : 1);
            EXPECT_EQ(d.GetUndoCaption(), taken ? QString::fromUtf8(command.caption) : QString("Eins nach vorne"));
            EXPECT_EQ(child.beeps - beeps, taken ? 0 : 1);
            EXPECT_EQ(d.IsModified(), taken);
            child.currentDesign = &design;
        }
}

TEST_F(DesignTest, UndoOfAPropertyRestoresTheSnapshotAndSelectsTheFigure) {
    StubFigure& f = Add(K::Rechteck);
    StubFigure& other = Add(K::Rechteck);
    Select({&f});
    const gdi::Color before = f.PenColor;
    design.SetPenColor(0x123456);
    // Deleted and restored, the figure is still the one the snapshot names.
    design.DeleteSelection();
    design.Undo();
    EXPECT_EQ(design.GetUndoCaption(), "Stiftfarbe");
    design.DeselectAll();
    design.SelectFigure(design.IndexOf(&other));
    design.SetModified(false);
    design.Undo();
    EXPECT_EQ(f.PenColor, before);
    EXPECT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.GetSelected(0), &f);
    EXPECT_EQ(design.GetHandlesVisible(), 1);
    EXPECT_TRUE(design.IsModified());
}

TEST_F(DesignTest, StackingOrderTable) {
    using Command = void (TEinzelEtikett::*)();
    const struct {
        Command command;
        const char* caption;
        std::vector<int> selected;
        std::vector<int> expected;
    } cases[] = {
        {&TEinzelEtikett::BringForward, "Eins nach vorne", {2, 5}, {0, 1, 3, 2, 4, 6, 5, 7, 8, 9}},
        {&TEinzelEtikett::BringForward, "Eins nach vorne", {8, 9}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {&TEinzelEtikett::BringForward, "Eins nach vorne", {0, 1}, {2, 0, 1, 3, 4, 5, 6, 7, 8, 9}},
        {&TEinzelEtikett::BringToFront, "Ganz nach vorne", {2, 5}, {0, 1, 3, 4, 6, 7, 8, 9, 2, 5}},
        {&TEinzelEtikett::BringToFront, "Ganz nach vorne", {8, 9}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {&TEinzelEtikett::BringToFront, "Ganz nach vorne", {0, 1}, {2, 3, 4, 5, 6, 7, 8, 9, 0, 1}},
        {&TEinzelEtikett::SendBackward, "Eins nach hinten", {2, 5}, {0, 2, 1, 3, 5, 4, 6, 7, 8, 9}},
        {&TEinzelEtikett::SendBackward, "Eins nach hinten", {8, 9}, {0, 1, 2, 3, 4, 5, 6, 8, 9, 7}},
        {&TEinzelEtikett::SendBackward, "Eins nach hinten", {0, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {&TEinzelEtikett::SendToBack, "Ganz nach hinten", {2, 5}, {2, 5, 0, 1, 3, 4, 6, 7, 8, 9}},
        {&TEinzelEtikett::SendToBack, "Ganz nach hinten", {8, 9}, {8, 9, 0, 1, 2, 3, 4, 5, 6, 7}},
        {&TEinzelEtikett::SendToBack, "Ganz nach hinten", {0, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    const std::vector<StubFigure*> f = AddRow(10);
    const std::vector<int> original = Order(f);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.caption) + " of " + std::to_string(c.selected[0]) + ", " +
                     std::to_string(c.selected[1]));
        design.DeselectAll();
        design.ClearUndo();
        design.SetModified(false);
        // Selected from the top down, so selection order plays no part.
        for (auto i = c.selected.rbegin(); i != c.selected.rend(); ++i) design.SelectFigure(*i);
        (design.*c.command)();
        EXPECT_EQ(Order(f), c.expected);
        EXPECT_EQ(design.GetUndoCaption(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(design.IsModified());
        design.Undo();
        EXPECT_EQ(Order(f), original);
        EXPECT_EQ(design.UndoCount(), 0);
    }
    // With nothing selected the step is still recorded and changes nothing.
    design.DeselectAll();
    design.SetModified(false);
    design.BringForward();
    EXPECT_EQ(design.GetUndoCaption(), "Eins nach vorne");
    EXPECT_FALSE(design.IsModified());
}

TEST_F(DesignTest, DeleteAndUndoPutFiguresBackAtTheirPlaces) {
    const std::vector<StubFigure*> f = AddRow(6);
    design.ClearUndo();
    design.DeleteSelection();  // nothing selected
    EXPECT_EQ(child.beeps, 1);
    EXPECT_EQ(design.UndoCount(), 0);

    Select({f[4], f[1]});
    int changes = 0;
    design.OnSelectionChanged = [&](TEinzelEtikett&) { ++changes; };
    design.DeleteSelection();
    EXPECT_EQ(Order(f), (std::vector<int>{0, 2, 3, 5}));
    EXPECT_EQ(design.SelectedCount(), 0);
    EXPECT_EQ(design.KindCount(K::Rechteck), 0);
    EXPECT_EQ(design.GetUndoCaption(), "Löschen");
    EXPECT_TRUE(design.IsModified());
    EXPECT_GE(changes, 1);
    design.Undo();
    EXPECT_EQ(Order(f), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(design.SelectedCount(), 2);
    EXPECT_EQ(design.KindCount(K::Rechteck), 2);
    EXPECT_TRUE(f[1]->Selected && f[4]->Selected);

    // A deletion that is never undone frees its figures with the step
    // (the address sanitizer watches).
    design.DeselectAll();
    Select({f[0]});
    design.DeleteSelection();
    design.ClearUndo();
    EXPECT_EQ(design.FigureCount(), 5);
}

TEST_F(DesignTest, DeletionIsRecordedWhileUndoIsSuspended) {
    StubFigure& f = Add(K::Rechteck);
    design.ClearUndo();
    Select({&f});
    {
        TUndoSuspension suspension(design);
        design.SetPenColor(0x112233);
        design.DeleteSelection();
    }
    EXPECT_EQ(design.UndoCount(), 1);
    design.Undo();
    EXPECT_EQ(design.FigureCount(), 1);
}

TEST_F(DesignTest, GroupUngroupAndUndoBoth) {
    const std::vector<StubFigure*> f = AddRow(5);
    design.ClearUndo();
    design.GroupSelection();  // fewer than two: nothing
    Select({f[1]});
    design.GroupSelection();
    EXPECT_EQ(design.UndoCount(), 0);

    Select({f[3]});
    design.GroupSelection();
    ASSERT_EQ(design.FigureCount(), 4);
    auto* group = dynamic_cast<TFigureGroup*>(design.GetFigure(2));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Order(f), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(group->Members.Count(), 2);
    EXPECT_EQ(group->Members[0], f[1]);
    EXPECT_NEAR(group->CenterX, 40, 0.05);  // the members span 20 .. 60 mm
    EXPECT_NEAR(group->Width, 40, 0.05);
    EXPECT_NEAR(group->Height, 10, 0.05);
    EXPECT_TRUE(group->FreeRotation);
    EXPECT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.KindCount(K::FigureGroup), 1);
    EXPECT_EQ(design.GetUndoCaption(), "Gruppieren");

    design.UngroupSelection();
    EXPECT_EQ(Order(f), (std::vector<int>{0, 2, 1, 3, 4}));
    EXPECT_EQ(design.SelectedCount(), 2);
    EXPECT_EQ(design.GetUndoCaption(), "Gruppierung aufheben");
    EXPECT_NEAR(f[3]->CenterX, 55, 1e-9);  // the members keep their geometry

    design.Undo();  // the group is back
    EXPECT_EQ(design.FigureCount(), 4);
    EXPECT_EQ(design.GetFigure(2), group);
    EXPECT_EQ(design.GetSelected(0), group);
    design.Undo();  // and dissolved again
    EXPECT_EQ(Order(f), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(design.FigureCount(), 5);
    EXPECT_EQ(design.SelectedCount(), 2);

    // An ungrouping that is never undone: its step frees the group alone.
    Select({f[1], f[3]});
    design.GroupSelection();
    design.UngroupSelection();
    design.ClearUndo();
    EXPECT_EQ(design.FigureCount(), 5);
}

TEST_F(DesignTest, GroupsOfOldPicturesOrFixedGroupsTurnOnlyByQuarters) {
    struct Case {
        K second;
        bool fixedInner;
        bool freeRotation;
    } cases[] = {{K::Rechteck, false, true}, {K::Bild, false, false}, {K::FigureGroup, true, false},
                 {K::FigureGroup, false, true}};
    for (const Case& c : cases) {
        TEinzelEtikett d(child);
        d.AddFigure(std::make_unique<StubFigure>(&child, K::Rechteck), false);
        if (c.second == K::FigureGroup) {
            auto inner = std::make_unique<TFigureGroup>(&child);
            inner->FreeRotation = !c.fixedInner;
            d.AddFigure(std::move(inner), false);
        } else {
            d.AddFigure(std::make_unique<StubFigure>(&child, c.second), false);
        }
        d.SelectAll();
        d.GroupSelection();
        auto* group = dynamic_cast<TFigureGroup*>(d.GetFigure(0));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->FreeRotation, c.freeRotation) << static_cast<int>(c.second);
    }
}

TEST_F(DesignTest, DuplicatePutsExactCopiesOnTop) {
    StubFigure& f = Add(K::Ellipse, 30, 40, 12, 8);
    Add(K::Rechteck);
    f.SetAngle(30);
    design.ClearUndo();
    design.Duplicate();  // nothing selected
    EXPECT_EQ(design.FigureCount(), 2);
    Select({&f});
    design.Duplicate();
    ASSERT_EQ(design.FigureCount(), 3);
    const TFigure* copy = design.GetFigure(2);
    EXPECT_NE(copy, &f);
    EXPECT_EQ(copy->Kind, K::Ellipse);
    EXPECT_EQ(std::vector<double>({copy->CenterX, copy->CenterY, copy->Width, copy->Height, copy->Angle}),
              std::vector<double>({30, 40, 12, 8, 30}));
    EXPECT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.GetSelected(0), copy);
    EXPECT_TRUE(design.IsModified());
    EXPECT_EQ(design.UndoCount(), 1);
    EXPECT_EQ(design.GetUndoCaption(), "Duplizieren");
    design.Undo();
    EXPECT_EQ(design.FigureCount(), 2);
    EXPECT_EQ(design.SelectedCount(), 0);
}

TEST_F(DesignTest, GeometryCommandsAndTheirUndo) {
    StubFigure& f = Add(K::Rechteck, 20, 20, 10, 10);
    design.ClearUndo();
    design.MoveSelectionBy(5, 5);  // nothing selected: nothing
    design.RotateSelection(90);
    EXPECT_EQ(design.UndoCount(), 0);

    Select({&f});
    const struct {
        std::function<void()> run;
        const char* caption;
        std::vector<double> expected;  // centre x, centre y, width, height, angle
    } cases[] = {
        {[&] { design.MoveSelectionBy(5, -2); }, "Position", {25, 18, 10, 10, 0}},
        {[&] { design.MoveSelectionByPixels({100, 100}, {108, 104}); }, "Position", {22, 21, 10, 10, 0}},
        {[&] { design.SetSelectionCenter(50, 60); }, "Position", {50, 60, 10, 10, 0}},
        {[&] { design.RotateSelection(400); }, "Winkel", {20, 20, 10, 10, 40}},
        {[&] { design.ResizeSelection(4, -12); }, "Größe", {20, 20, 14, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        design.SetModified(false);
        c.run();
        EXPECT_EQ(std::vector<double>({f.CenterX, f.CenterY, f.Width, f.Height, f.Angle}), c.expected);
        EXPECT_EQ(design.GetUndoCaption(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(design.IsModified());
        EXPECT_EQ(design.GetHandlesVisible(), 1);
        design.Undo();
        EXPECT_EQ(std::vector<double>({f.CenterX, f.CenterY, f.Width, f.Height, f.Angle}),
                  std::vector<double>({20, 20, 10, 10, 0}));
    }
}

TEST_F(DesignTest, DialogCommandsRecordOnlyWhenConfirmed) {
    DialogsScope scope;
    TDesignDialogs& dialogs = DesignDialogs();
    StubFigure& box = Add(K::Rechteck);
    StubFigure& text = MakeText(Add(K::Text));
    const struct {
        const char* caption;
        StubFigure* figure;
        std::function<void(bool confirm)> install;
        std::function<void()> run;
        std::function<bool()> changed;
    } cases[] = {
        {"Stift", &box,
         [&](bool ok) { dialogs.PenWidth = [ok](float& w) { w = 0.456f; return ok; }; },
         [&] { design.EditPen(); }, [&] { return box.PenWidth == 0.46f; }},
        {"Stift", &box,
         [&](bool ok) { dialogs.PickColor = [ok](gdi::Color& c) { c = 0x0000FF; return ok; }; },
         [&] { design.EditPenColor(); }, [&] { return box.PenColor == 0x0000FF; }},
        {"Füllung", &box,
         [&](bool ok) {
             dialogs.EditFill = [ok](TFillData& fill, bool) {
                 fill.SetKind(1);
                 fill.SetColor(0x00FF00);
                 return ok;
             };
         },
         [&] { design.EditFill(); }, [&] { return box.Fill->Color() == 0x00FF00; }},
        {"Schriftart", &text,
         [&](bool ok) {
             dialogs.Font = [ok](TFont& font) {
                 font.SetName("Courier New");
                 return ok;
             };
         },
         [&] { design.EditFont(); }, [&] { return text.fontName == "Courier New"; }},
        {"Textausrichtung", &text,
         [&](bool ok) {
             dialogs.TextAlignment = [ok](uint8_t& h, uint8_t& v) {
                 h = 2;
                 v = 1;
                 return ok;
             };
         },
         [&] { design.EditTextAlignment(); }, [&] { return text.alignH == 2 && text.alignV == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        design.DeselectAll();
        design.SelectFigure(design.IndexOf(c.figure));
        design.ClearUndo();
        design.PushLayerUndo("IDS_UNDOONEUP");
        design.SetModified(false);
        dialogs = {};
        c.run();  // no dialog: nothing
        EXPECT_EQ(design.GetUndoCaption(), "Eins nach vorne");
        c.install(false);
        c.run();
        EXPECT_EQ(design.GetUndoCaption(), "Eins nach vorne");
        EXPECT_FALSE(design.IsModified());
        EXPECT_FALSE(c.changed());
        EXPECT_FALSE(design.IsUndoSuspended());
        c.install(true);
        c.run();
        EXPECT_EQ(design.UndoCount(), 2);
        EXPECT_EQ(design.GetUndoCaption(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(design.IsModified());
        EXPECT_TRUE(c.changed());
        EXPECT_FALSE(design.IsUndoSuspended());
        EXPECT_EQ(child.beeps, 0);
    }
    // A figure that cannot take the value: a beep and no dialog.
    int opened = 0;
    dialogs.PenWidth = [&](float&) { return ++opened, true; };
    design.DeselectAll();
    design.SelectFigure(design.IndexOf(&text));
    design.EditPen();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(child.beeps, 1);
}

TEST_F(DesignTest, DialogsStartFromTheOneSelectedFigure) {
    DialogsScope scope;
    TDesignDialogs& dialogs = DesignDialogs();
    StubFigure& a = Add(K::Rechteck);
    StubFigure& b = Add(K::RTFText);
    a.PenWidth = 0.7f;
    a.PenColor = 0x010203;
    a.Fill->SetKind(2);
    b.fontName = "Times New Roman";
    child.mainPenColor = 0x0A0B0C;
    float width = 0;
    gdi::Color color = 0;
    bool gradientFirst = false;
    std::string fontName;
    dialogs.PenWidth = [&](float& w) { return width = w, false; };
    dialogs.PickColor = [&](gdi::Color& c) { return color = c, false; };
    dialogs.EditFill = [&](TFillData&, bool g) { return gradientFirst = g, false; };
    dialogs.Font = [&](TFont& f) { return fontName = f.Name(), false; };

    Select({&a});
    design.EditPen();
    design.EditPenColor();
    design.EditFill();
    EXPECT_FLOAT_EQ(width, 0.7f);
    EXPECT_EQ(color, 0x010203u);
    EXPECT_TRUE(gradientFirst);
    Select({&b});
    design.EditPen();
    design.EditPenColor();
    design.EditFill();
    EXPECT_FLOAT_EQ(width, 0.25f);
    EXPECT_EQ(color, 0x0A0B0Cu);
    EXPECT_FALSE(gradientFirst);  // the main window's fill
    design.EditFont();
    EXPECT_EQ(fontName, "Arial");  // the first selected is no rich text
    design.DeselectAll();
    Select({&b, &a});
    design.EditFont();
    EXPECT_EQ(fontName, "Times New Roman");
}

TEST_F(DesignTest, FigureDialogsRecordOnlyWhenConfirmed) {
    StubFigure& text = Add(K::RTFText);
    StubFigure& barcode = Add(K::Barcode);
    StubFigure& field = Add(K::FieldText);
    design.ClearUndo();
    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        for (StubFigure* f : {&text, &barcode, &field}) f->dialogResult = confirm;
        const int32_t before = design.UndoCount();
        design.DeselectAll();
        Select({&text});
        design.EditSelectedText();
        design.DeselectAll();
        Select({&barcode});
        design.EditProperties();
        Select({&field});
        design.EditSelectedFieldText();
        EXPECT_EQ(text.dialogsOpened, confirm ? 2 : 1);
        EXPECT_EQ(barcode.dialogsOpened, confirm ? 2 : 1);
        EXPECT_EQ(field.dialogsOpened, confirm ? 2 : 1);
        EXPECT_EQ(design.UndoCount() - before, confirm ? 3 : 0);
        EXPECT_EQ(design.IsModified(), confirm);
        EXPECT_FALSE(design.IsUndoSuspended());
    }
    EXPECT_EQ(design.GetUndoCaption(), "Feldtext ändern");
    EXPECT_EQ(child.fieldPanelBuilds, 2);
    // Properties beep without a figure that has them; a first selected
    // figure of another kind opens nothing.
    design.DeselectAll();
    design.EditProperties();
    EXPECT_EQ(child.beeps, 1);
    StubFigure& counter = Add(K::Zaehlerfeld);
    StubFigure& box = Add(K::Rechteck);
    Select({&box, &counter});
    const int32_t before = design.UndoCount();
    design.EditProperties();
    EXPECT_EQ(counter.dialogsOpened, 0);
    EXPECT_EQ(design.UndoCount(), before);
}

TEST_F(DesignTest, PositionDialogMarksModifiedOnlyWhenConfirmed) {
    StubFigure& f = Add(K::Rechteck);
    design.ClearUndo();
    Select({&f});
    for (bool confirm : {false, true}) {
        SetPositionDialog([confirm](TPositionValues& v) {
            v.CenterX = 33;
            return confirm;
        });
        design.EditSelectedPosition();
        EXPECT_EQ(design.UndoCount(), confirm ? 1 : 0);
        EXPECT_EQ(design.IsModified(), confirm);
        EXPECT_EQ(f.CenterX, confirm ? 33 : 20);
    }
    EXPECT_EQ(child.selectToolSwitches, 2);
    SetPositionDialog({});
}

TEST_F(DesignTest, HandleDragsMarkModifiedAndAbandonedOnesLeaveNoStep) {
    StubFigure& f = Add(K::Rechteck, 20, 20, 20, 10);  // right edge at device x 120
    design.ClearUndo();
    Select({&f});
    design.SetHandlesVisible(1);
    int handleX = -1;
    for (int x = 115; x <= 125 && handleX < 0; ++x)
        if (f.GetTrackerCursor(x, 80) != 0) handleX = x;
    ASSERT_GE(handleX, 0);

    view.script.push_back({TDragEvent::Kind::Move, {handleX + 20, 80}, kLeftButton});
    view.script.push_back({TDragEvent::Kind::Abandon, {}, 0});
    EXPECT_TRUE(design.TrackerMouseDown(handleX, 80));
    EXPECT_EQ(design.UndoCount(), 0);
    EXPECT_FALSE(design.IsModified());

    view.Move(handleX + 20, 80);
    view.Up(handleX + 20, 80);
    EXPECT_TRUE(design.TrackerMouseDown(handleX, 80));
    EXPECT_NEAR(f.Width, 25, 0.5);
    EXPECT_EQ(design.GetUndoCaption(), "Größe");
    EXPECT_TRUE(design.IsModified());
    EXPECT_FALSE(design.TrackerMouseDown(300, 290));
}

TEST_F(DesignTest, FieldCommands) {
    StubFigure& bound = Add(K::FieldText);
    StubFigure& other = Add(K::FieldText);
    bound.fieldId = "100003";
    other.fieldId = "100001";
    design.BuildFieldTypeMenu();
    EXPECT_EQ(child.fieldTypeMenu, design.FieldList.Names);

    Select({&other});
    design.FieldTypeMenuClick(2);
    EXPECT_EQ(other.fieldId, design.FieldList.Ids[2]);
    EXPECT_TRUE(design.IsModified());
    design.FieldTypeMenuClick(99);  // no such field
    EXPECT_EQ(other.fieldId, design.FieldList.Ids[2]);

    bound.invalidated = other.invalidated = 0;
    design.RefreshFieldTexts("100003");
    EXPECT_EQ(bound.invalidated, 1);
    EXPECT_EQ(other.invalidated, 1);  // now bound to the third field, 100003
    design.RefreshFieldTexts("100001");
    EXPECT_EQ(bound.invalidated, 1);
    design.RefreshFieldTexts("");
    EXPECT_EQ(bound.invalidated, 2);

    // A design without field texts stays unmodified.
    TEinzelEtikett plain(child);
    plain.RefreshFieldTexts("");
    EXPECT_FALSE(plain.IsModified());
    plain.EditFieldList();
    EXPECT_TRUE(plain.IsModified());
    EXPECT_EQ(child.fieldPanelBuilds, 1);
}

TEST_F(DesignTest, TheBarcodeDialogIsABarcodesProperties) {
    WithPrinterDpi printer(600);
    auto* barcode = static_cast<TBarcode*>(design.AddFigure(std::make_unique<TBarcode>(&child), false));
    barcode->SetCenterX(40);
    barcode->SetCenterY(30);
    barcode->Barcode->SetText("1234");
    design.SelectFigure(0);
    design.ClearUndo();
    SetBarcodeDialog([](TZRBarcode& b, TDataSet*) {
        b.SetText("471100");
        return true;
    });
    design.EditProperties();
    EXPECT_EQ(barcode->Barcode->Text(), "471100");
    EXPECT_EQ(design.GetUndoCaption(), "Eigenschaften");
    EXPECT_TRUE(design.IsModified());
    design.Undo();
    EXPECT_EQ(barcode->Barcode->Text(), "1234");
    SetBarcodeDialog({});
}
