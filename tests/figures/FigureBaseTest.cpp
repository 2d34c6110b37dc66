// The figure base: geometry setters, records, snapshots, the position
// dialog, the turned-sheet print entry, the clip ring and the figure list.
#include "FigureTestSupport.h"
#include "support/FigureFakes.h"

#include "figures/FigureDialogs.h"
#include "figures/FigureList.h"
#include "figures/Linie.h"
#include "figures/Rechteck.h"
#include "figures/Tracker.h"
#include "foundation/FillData.h"
#include "foundation/MyMemIniFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Remembers where it was drawn; can fail while drawing.
class ProbeFigure : public TRechteck {
public:
    using TRechteck::TRechteck;
    void DrawTo(TScaleCanvas&) override {
        drawn = {CenterX, CenterY, Angle};
        if (failDrawing) throw std::runtime_error("drawing failed");
    }
    struct Place {
        double x = 0, y = 0, angle = 0;
    } drawn;
    bool failDrawing = false;
};

// Installs a position dialog for one test.
class ScopedPositionDialog {
public:
    explicit ScopedPositionDialog(TPositionDialogFunc dialog) { SetPositionDialog(std::move(dialog)); }
    ~ScopedPositionDialog() { SetPositionDialog(nullptr); }
};

}  // namespace

TEST(FigureBase, AngleSetterWrapsIntoRange) {
    struct Case {
        double set, stored;
    } cases[] = {{-90, 270}, {360, 0}, {725, 5}, {-720.5, 359.5}, {359.75, 359.75}, {-1e-20, 0}, {kNaN, 0}};
    TRechteck r(nullptr);
    for (const Case& c : cases) {
        r.SetAngle(c.set);
        EXPECT_DOUBLE_EQ(r.Angle, c.stored) << c.set;
    }
    r.SetAngle(1e300);
    EXPECT_TRUE(r.Angle >= 0 && r.Angle < 360);
    r.SetAngle(350);
    r.RotateBy(30);
    EXPECT_DOUBLE_EQ(r.Angle, 20);
}

TEST(FigureBase, SizesNeverGoNegativeAndEdgesMoveTheCentre) {
    TRechteck r(nullptr);
    r.SetWidth(-1);
    r.SetHeight(-0.5);
    EXPECT_EQ(r.Width, 0);
    EXPECT_EQ(r.Height, 0);
    r.SetWidth(4);
    r.SetHeight(3);
    r.ResizeBy(-10, 0);
    EXPECT_EQ(r.Width, 0);
    EXPECT_EQ(r.Height, 3);

    r.SetWidth(10);
    r.SetLeft(5);
    EXPECT_DOUBLE_EQ(r.CenterX, 10);
    r.SetRight(5);
    EXPECT_DOUBLE_EQ(r.CenterX, 0);
    r.SetTop(1);
    EXPECT_DOUBLE_EQ(r.GetTop(), 1);
    r.SetBottom(1);
    EXPECT_DOUBLE_EQ(r.GetBottom(), 1);
    EXPECT_DOUBLE_EQ(r.Height, 3);
}

TEST(FigureBase, ElementCodesFollowTheKinds) {
    EXPECT_EQ(ElementCodeOfKind(TFigureKind::Figure), ecFigure);
    EXPECT_EQ(ElementCodeOfKind(TFigureKind::Linie), 4);
    EXPECT_EQ(ElementCodeOfKind(TFigureKind::FieldText), 12);
    EXPECT_EQ(ElementCodeOfKind(TFigureKind::RTFText), 14);
    EXPECT_EQ(ElementCodeOfKind(TFigureKind::RTFTabelle), 23);
    EXPECT_EQ(ElementCodeOfKind(TFigureKind::Zaehlerfeld), 25);
}

TEST(FigureBase, RecordValuesAreTakenAsStored) {
    TRechteck r(nullptr);
    r.Angle = 400;  // as a file may hold it
    r.Width = 1e300;
    const auto read = ReadElementBytes(ElementBytes(r));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Angle, 400);
    EXPECT_EQ(read->Width, 1e300);
    read->RotateBy(0);
    EXPECT_DOUBLE_EQ(read->Angle, 40);
}

TEST(FigureBase, Reserved1SurvivesRecordSnapshotAndAssign) {
    TRechteck r(nullptr);
    r.Reserved1 = 7.5;
    r.Reserved2 = -2.25;
    const auto read = ReadElementBytes(ElementBytes(r));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Reserved1, 7.5);
    EXPECT_EQ(ElementBytes(*read), ElementBytes(r));

    TRechteck snapshot(nullptr);
    LoadSnapshot(snapshot, SnapshotBytes(*read));
    EXPECT_EQ(snapshot.Reserved1, 7.5);
    TRechteck assigned(nullptr);
    assigned.Assign(snapshot);
    EXPECT_EQ(assigned.Reserved1, 7.5);
    EXPECT_EQ(assigned.Reserved2, -2.25);
}

TEST(FigureBase, NonFiniteDoublesRefuseTheRecord) {
    // Distinct values for every Double of a rectangle record.
    TRechteck r(nullptr);
    r.CenterX = 11, r.CenterY = 12, r.Width = 13, r.Height = 14, r.Reserved1 = 15, r.Reserved2 = 16, r.Angle = 17;
    r.PenWidth = 0.75f;
    r.MarginLeft = 21, r.MarginTop = 22, r.MarginRight = 23, r.MarginBottom = 24;
    const std::vector<uint8_t> good = ElementBytes(r);
    for (const double field : {11.0, 12.0, 13.0, 14.0, 15.0, 16.0, 17.0, 0.75, 21.0, 22.0, 23.0, 24.0}) {
        for (const double bad : {kNaN, kInf, -kInf}) {
            std::vector<uint8_t> bytes = good;
            ASSERT_TRUE(PatchTaggedDouble(bytes, field, bad)) << field;
            try {
                ReadElementBytes(bytes);
                ADD_FAILURE() << "accepted " << bad << " for " << field;
            } catch (const EFilerReadError& e) {
                EXPECT_NE(QString::fromUtf8(e.what()).indexOf("konnte nicht geladen werden"), -1);
            }
        }
    }
}

TEST(FigureBase, WriteToIniRoundsToHundredthsTiesToEven) {
    TRechteck r(nullptr);
    TMyMemIniFile ini;
    const struct {
        double value, written;
    } cases[] = {{10.125, 10.12}, {10.375, 10.38}, {-0.125, -0.12}, {7, 7}};
    for (const auto& c : cases) {
        r.CenterX = c.value;
        r.WriteToIni(ini, "Template");
        EXPECT_DOUBLE_EQ(ini.ReadFloat("Template", "CenterX", 0), c.written) << c.value;
    }
    EXPECT_EQ(ini.ReadString("Template", "ClassName", ""), "TRechteck");
    for (const char* key : {"CenterY", "Width", "Height", "Angle"}) EXPECT_TRUE(ini.ValueExists("Template", key));
}

TEST(FigureBase, EditPositionClampsThroughTheSetters) {
    TPositionValues shown;
    TPositionValues entered;
    const ScopedPositionDialog dialog([&](TPositionValues& v) {
        shown = v;
        v = entered;
        return true;
    });
    struct Case {
        bool line;
        double limit;
    } cases[] = {{true, 1000}, {false, 5000}};
    for (const Case& c : cases) {
        std::unique_ptr<TFigure> f;
        if (c.line)
            f = std::make_unique<TLinie>(nullptr);
        else
            f = std::make_unique<TRechteck>(nullptr);
        f->SetCenterX(12.34);
        // A line folds any angle into its box; the rectangle keeps it.
        entered = {11, 6000, -6000, 7000, 0.5, c.line ? 0.0 : -30.0};
        EXPECT_TRUE(f->EditPosition());
        EXPECT_EQ(shown.Flags, 11);
        EXPECT_DOUBLE_EQ(shown.CenterX, 12.3);
        EXPECT_EQ(f->CenterX, c.limit);
        EXPECT_EQ(f->CenterY, -c.limit);
        EXPECT_EQ(f->Width, c.limit);
        EXPECT_EQ(f->Height, 0.5);
        if (!c.line) {
            EXPECT_EQ(f->Angle, 330);
        }
        EXPECT_TRUE(f->Selected);
    }
}

TEST(FigureBase, CancelledPositionDialogChangesNothing) {
    const ScopedPositionDialog dialog([](TPositionValues& v) {
        v.CenterX = 99;
        return false;
    });
    TRechteck r(nullptr);
    r.SetCenterX(3);
    EXPECT_FALSE(r.EditPosition());
    EXPECT_EQ(r.CenterX, 3);
    EXPECT_FALSE(r.Selected);
}

TEST(FigureBase, TurnedSheetDrawsTurnedAndRestoresTheExactPlace) {
    gdi::BitmapCanvas bitmap(10, 10);
    TRegionScaleCanvas sheet(&bitmap);
    ProbeFigure f(nullptr);
    f.SetCenterX(10);
    f.SetCenterY(20);
    f.DrawToSheetCanvas(sheet);
    EXPECT_EQ(f.drawn.x, 10);  // not turned
    sheet.RotatedSheet = true;
    f.DrawToSheetCanvas(sheet);
    EXPECT_EQ(f.drawn.x, 20);
    EXPECT_EQ(f.drawn.y, -10);
    EXPECT_EQ(f.drawn.angle, 270);

    // Values a single cannot hold come back bit for bit, the gradient too.
    f.SetCenterX(10.123456789012345);
    f.SetCenterY(-20.987654321098765);
    f.SetAngle(33.3);
    f.Fill->SetKind(fkGradient);
    f.Fill->SetWinkel(12.5f);
    const std::vector<uint8_t> before = SnapshotBytes(f);
    for (int i = 0; i < 3; ++i) f.DrawToSheetCanvas(sheet);
    EXPECT_EQ(SnapshotBytes(f), before);
    f.failDrawing = true;
    EXPECT_THROW(f.DrawToSheetCanvas(sheet), std::runtime_error);
    EXPECT_EQ(SnapshotBytes(f), before);
}

TEST(FigureBase, ClipRingDecisionTable) {
    FakeMMWindow view;
    FakeChild child(view);
    gdi::BitmapCanvas bitmap(400, 300);
    TRegionScaleCanvas regionCanvas(&bitmap);
    regionCanvas.Reset(kResetUnit);
    regionCanvas.SetResolutionX(4);
    regionCanvas.SetResolutionY(4);
    TScaleCanvas plainCanvas(&bitmap);
    const gdi::Region ring = gdi::Region::FromRect({0, 0, 100, 100});
    regionCanvas.Regions = {WholeZone(gdi::Region::FromRect({300, 0, 400, 100})), WholeZone(ring)};
    child.regions = regionCanvas.Regions;

    struct Case {
        bool regionCanvas, active, groupDrawing, centreInRing, drawn;
    } cases[] = {
        {true, true, false, true, true},    {true, true, false, false, false}, {true, false, false, false, true},
        {true, true, true, false, true},    {false, true, false, false, true},
    };
    for (const Case& c : cases) {
        TRechteck r(&child);
        r.SetCenterX(c.centreInRing ? 10 : 50);  // device 40 or 200
        r.SetCenterY(10);
        child.clipRing = c.active;
        GroupDrawing = c.groupDrawing;
        TScaleCanvas& canvas = c.regionCanvas ? static_cast<TScaleCanvas&>(regionCanvas) : plainCanvas;
        EXPECT_EQ(r.InClipRing(canvas), c.drawn) << c.regionCanvas << c.active << c.groupDrawing << c.centreInRing;
        GroupDrawing = false;
    }

    // Selecting: the first region holding the centre, or no clip at all.
    child.clipRing = true;
    TRechteck inRing(&child);
    inRing.SetCenterX(10);
    inRing.SetCenterY(10);
    inRing.SelectClipRingOn(regionCanvas);
    ASSERT_TRUE(bitmap.GetClipRgn());
    EXPECT_EQ(*bitmap.GetClipRgn(), ring);
    inRing.SetCenterX(50);
    inRing.SelectClipRingOn(regionCanvas);
    EXPECT_FALSE(bitmap.GetClipRgn());
    inRing.SetCenterX(10);
    inRing.SelectClipRing();
    ASSERT_TRUE(view.image.GetClipRgn());
    EXPECT_EQ(*view.image.GetClipRgn(), ring);
}

TEST(FigureBase, HitTestCodeAndTrackStart) {
    FakeMMWindow view;
    FakeChild child(view);
    TRechteck r(&child);
    r.SetCenterX(50);
    r.SetCenterY(37.5);
    r.SetWidth(20);
    r.SetHeight(10);
    r.SetFillColor(0x00FF00);
    EXPECT_EQ(r.HitTestCode(200, 150), kCursorMoveFigure);
    EXPECT_EQ(r.HitTestCode(20, 20), 0);

    // A drag of a corner asks for a size step, of the rotation handle for an angle step.
    r.Select();
    auto& tracker = static_cast<TRectTracker&>(*r.Tracker);
    tracker.UpdateHandles();
    const TPoint corner = tracker.Handles().Rotated[kTrackBottomRight];
    view.Up(corner.x + 8, corner.y + 8);
    EXPECT_TRUE(r.TrackerMouseDown(corner.x, corner.y));
    const TPoint turn = tracker.Handles().Rotated[kTrackRotate];
    view.Up(turn.x, turn.y + 40);
    EXPECT_TRUE(r.TrackerMouseDown(turn.x, turn.y));
    EXPECT_EQ(child.design.captions, QStringList({"Größe", "Winkel"}));
    EXPECT_FALSE(r.OldBounds.IsEmpty());
    EXPECT_FALSE(r.TrackerMouseDown(10, 10));
}

TEST(FigureList, KeepsOrderAndRefusesBadIndexes) {
    TRechteck a(nullptr), b(nullptr), c(nullptr);
    TFigureList list;
    list.Add(&a);
    list.Add(&c);
    list.Insert(1, &b);
    EXPECT_EQ(list.IndexOf(&b), 1);
    list.Move(0, 2);
    EXPECT_EQ(list[0], &b);
    EXPECT_EQ(list[2], &a);
    list.Sort([&](const TFigure* x, const TFigure* y) { return x == &a ? -1 : y == &a ? 1 : 0; });
    EXPECT_EQ(list[0], &a);
    EXPECT_EQ(list[1], &b);  // stable

    TFigureList copy;
    copy.Add(&c);
    copy.Assign(list);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy[2], list[2]);
    copy.Assign(TFigureList());
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(list.Count(), 3);

    EXPECT_EQ(list.Remove(&b), 1);
    EXPECT_EQ(list.Remove(&b), -1);
    EXPECT_THROW(list.Items(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(3, &b), EListError);
}
