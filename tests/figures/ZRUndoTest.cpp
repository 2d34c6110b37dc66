// Undo records: what each kind frees when it goes, counted with figures that
// report their own end (the address sanitizer catches any double free).
#include "figures/ZRUndo.h"

#include "figures/FigureGroup.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

int alive = 0;

class CountedFigure : public TRechteck {
public:
    CountedFigure() : TRechteck(nullptr) { ++alive; }
    ~CountedFigure() override { --alive; }
};

class CountedGroup : public TFigureGroup {
public:
    CountedGroup() : TFigureGroup(nullptr) { ++alive; }
    ~CountedGroup() override { --alive; }
};

}  // namespace

TEST(ZRUndo, RecordsFreeExactlyWhatTheyOwn) {
    struct Case {
        const char* what;
        // Fills a record from the figures of a design; returns the record.
        std::function<std::unique_ptr<TZRUndoItem>(std::vector<TFigure*>& design)> make;
        int freedWithRecord;  // figures of the design freed with the record
    } cases[] = {
        {"property record",
         [](std::vector<TFigure*>& design) {
             auto item = std::make_unique<TZRUndoPropertyItem>();
             for (TFigure* f : design) {
                 TZRUndoFigureData& e = item->Figures.Add();
                 e.Figure = f;
                 f->SaveToStream(e.Snapshot);
             }
             return item;
         },
         0},
        {"layer record",
         [](std::vector<TFigure*>& design) {
             auto item = std::make_unique<TZRUndoSchichtenItem>();
             item->Order.assign(design.begin(), design.end());
             return item;
         },
         0},
        {"delete record, never undone",
         [](std::vector<TFigure*>& design) {
             auto item = std::make_unique<TZRUndoDeleteItem>();
             for (size_t i = 0; i < 2; ++i) item->Figures.Add().Figure = design[i];
             design.erase(design.begin(), design.begin() + 2);  // the record has them now
             return item;
         },
         2},
        {"delete record after its undo",
         [](std::vector<TFigure*>& design) {
             auto item = std::make_unique<TZRUndoDeleteItem>();
             item->Figures.Add().Figure = design[0];
             item->Figures.Items(0).Figure = nullptr;  // the undo put it back
             return item;
         },
         0},
        {"group record",
         [](std::vector<TFigure*>& design) {
             auto item = std::make_unique<TZRUndoSelectionToGroupItem>();
             auto* group = new CountedGroup;
             for (TFigure* f : design) {
                 item->Figures.Add().Figure = f;
                 group->Members.Add(f);
             }
             design.assign({group});
             item->Group = group;
             return item;
         },
         0},
        {"ungroup record, never undone",
         [](std::vector<TFigure*>& design) {
             // The group was dissolved: its members went back into the design.
             auto item = std::make_unique<TZRUndoGroupToSelectionItem>();
             auto* group = new CountedGroup;
             for (TFigure* f : design) group->Members.Add(f);
             item->Group = group;
             item->Index = 1;
             return item;
         },
         1},  // the group itself goes, not the members
        {"ungroup record after its undo",
         [](std::vector<TFigure*>& design) {
             auto item = std::make_unique<TZRUndoGroupToSelectionItem>();
             item->Group = nullptr;
             return item;
         },
         0},
    };
    for (const Case& c : cases) {
        alive = 0;
        std::vector<TFigure*> design;
        for (int i = 0; i < 3; ++i) design.push_back(new CountedFigure);
        std::unique_ptr<TZRUndoItem> record = c.make(design);
        record->CaptionKey = "IDS_UNDOPOSITION";
        const int before = alive;
        record.reset();
        EXPECT_EQ(before - alive, c.freedWithRecord) << c.what;
        for (TFigure* f : design) delete f;  // the design goes
        EXPECT_EQ(alive, 0) << c.what;
    }
}

TEST(ZRUndo, PropertySnapshotsRestoreTheFigures) {
    CountedFigure a, b;
    a.SetCenterX(3);
    b.SetAngle(45);
    TZRUndoPropertyItem item;
    for (TFigure* f : {static_cast<TFigure*>(&a), static_cast<TFigure*>(&b)}) {
        TZRUndoFigureData& e = item.Figures.Add();
        e.Figure = f;
        f->SaveToStream(e.Snapshot);
    }
    a.SetCenterX(30);
    b.SetAngle(90);
    for (int i = 0; i < item.Figures.Count(); ++i) {
        TZRUndoFigureData& e = item.Figures.Items(i);
        e.Snapshot.SetPosition(0);
        e.Figure->LoadFromStream(e.Snapshot);
    }
    EXPECT_EQ(a.CenterX, 3);
    EXPECT_EQ(b.Angle, 45);
    EXPECT_THROW(item.Figures.Items(2), EListError);
    TZRUndoPropertyItem empty;
    EXPECT_EQ(empty.Figures.Count(), 0);
}
