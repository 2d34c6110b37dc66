// Aligning and distributing the selection of a design.
#include "design/DesignTesting.h"

#include "foundation/ElementAlignFlags.h"

#include <vector>

namespace {

using namespace ElementAlign;
using K = TFigureKind;

constexpr double kTolerance = 0.02;  // the measuring canvas counts 1/100 mm

enum class Edge { Low, Center, High };

double EdgeOf(const TFigure& f, bool vertical, Edge edge) {
    switch (edge) {
    case Edge::Low: return vertical ? f.GetExtentTop() : f.GetExtentLeft();
    case Edge::Center: return vertical ? f.CenterY : f.CenterX;
    case Edge::High: return vertical ? f.GetExtentBottom() : f.GetExtentRight();
    }
    return 0;
}

class AlignTest : public DesignTest {
protected:
    AlignTest() { SetLabel(100, 90); }

    void SetLabel(float width, float height) {
        child.sheet.SetLabelWidth(width);
        child.sheet.SetLabelHeight(height);
    }
    // A figure whose drawn extent is (along x across) mm about the centre,
    // laid out along the x axis, or along y when vertical. With turned, the
    // figure is a box of the other proportions turned by 90 degrees.
    StubFigure& AddAlong(bool vertical, double along, double across, double alongSize, double acrossSize,
                         bool turned = false) {
        const double cx = vertical ? across : along, cy = vertical ? along : across;
        double w = vertical ? acrossSize : alongSize, h = vertical ? alongSize : acrossSize;
        if (turned) std::swap(w, h);
        StubFigure& f = Add(K::Rechteck, cx, cy, w, h);
        if (turned) f.SetAngle(90);
        return f;
    }
    std::vector<Centre> Centres() const {
        std::vector<Centre> centres;
        for (int32_t i = 0; i < design.FigureCount(); ++i)
            centres.push_back({design.GetFigure(i)->CenterX, design.GetFigure(i)->CenterY});
        return centres;
    }
    void ExpectCentres(const std::vector<Centre>& expected) const {
        ASSERT_EQ(static_cast<size_t>(design.FigureCount()), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(design.GetFigure(static_cast<int32_t>(i))->CenterX, expected[i].x, 1e-9) << i;
            EXPECT_NEAR(design.GetFigure(static_cast<int32_t>(i))->CenterY, expected[i].y, 1e-9) << i;
        }
    }
    // One undo step "Position" that puts every figure back, and the mark.
    void ExpectOneStepBackTo(const std::vector<Centre>& before, int undoBefore) {
        EXPECT_EQ(design.UndoCount(), undoBefore + 1);
        EXPECT_EQ(design.GetUndoCaption(), QString("Position"));
        EXPECT_TRUE(design.IsModified());
        EXPECT_TRUE(child.modified);
        design.Undo();
        ExpectCentres(before);
    }
    void Prepare() {
        design.ClearUndo();
        design.SetModified(false);
        child.modified = false;
    }
};

}  // namespace

// Three figures, the second turned by 90 degrees; C is selected last.
//   A: x 15..25, y 67..77   B: x 45..65, y 10..20   C: x 30..40, y 45..65
// Selection: left 15, right 65, top 10, bottom 77. Label 100 x 90.
TEST_F(AlignTest, AlignsEachEdgeToEachReference) {
    const struct {
        int32_t flag;
        bool vertical;
        Edge edge;
        double toSelection, toLabel, toLast;
    } rows[] = {
        {kLeft, false, Edge::Low, 15, 0, 30},       {kHCenter, false, Edge::Center, 40, 50, 35},
        {kRight, false, Edge::High, 65, 100, 40},   {kTop, true, Edge::Low, 10, 0, 45},
        {kVCenter, true, Edge::Center, 43.5, 45, 55}, {kBottom, true, Edge::High, 77, 90, 65},
    };
    for (const auto& row : rows)
        for (const auto& [reference, expected] : {std::pair{kToSelection, row.toSelection},
                                                  std::pair{kToLabel, row.toLabel},
                                                  std::pair{kToLastSelected, row.toLast}}) {
            SCOPED_TRACE(::testing::Message() << "flag " << row.flag << " reference " << reference);
            Clear();
            StubFigure& a = Add(K::Rechteck, 20, 72, 10, 10);
            StubFigure& b = Add(K::Rechteck, 55, 15, 10, 20);
            b.SetAngle(90);
            StubFigure& c = Add(K::Rechteck, 35, 55, 10, 20);
            Select({&a, &b, &c});
            Prepare();
            const std::vector<Centre> before = Centres();

            design.AlignSelection(row.flag | reference);
            for (const StubFigure* f : {&a, &b, &c}) {
                EXPECT_NEAR(EdgeOf(*f, row.vertical, row.edge), expected, kTolerance);
                // The other direction stays.
                const size_t i = static_cast<size_t>(design.IndexOf(f));
                EXPECT_EQ(row.vertical ? f->CenterX : f->CenterY, row.vertical ? before[i].x : before[i].y);
            }
            ExpectOneStepBackTo(before, 0);
        }
}

TEST_F(AlignTest, OneFigureAlignsOnTheLabelAndStaysForItself) {
    StubFigure& f = Add(K::Rechteck, 20, 30, 10, 6);
    design.SelectFigure(0);
    const struct {
        int32_t code;
        double x, y;
    } rows[] = {
        {kLeft | kToLabel, 5, 30},          {kHCenter | kToLabel, 50, 30},     {kRight | kToLabel, 95, 30},
        {kTop | kToLabel, 20, 3},           {kVCenter | kToLabel, 20, 45},     {kBottom | kToLabel, 20, 87},
        {kRight | kBottom | kToLabel, 95, 87},
        {kLeft | kToSelection, 20, 30},     {kBottom | kToLastSelected, 20, 30},
        // Distributing one figure moves nothing, also over the whole label.
        {kSpreadLeft | kWholeLabel | kToLabel, 20, 30}, {kSpreadVGaps | kWholeLabel, 20, 30},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        f.SetCenterX(20);
        f.SetCenterY(30);
        Prepare();
        design.AlignSelection(row.code);
        EXPECT_NEAR(f.CenterX, row.x, kTolerance);
        EXPECT_NEAR(f.CenterY, row.y, kTolerance);
        ExpectOneStepBackTo({{20, 30}}, 0);
    }
}

TEST_F(AlignTest, LandscapeExchangesTheLabelsSides) {
    child.sheet.SetOrientation(1);
    ASSERT_EQ(child.sheet.Orientation, 1);
    StubFigure& f = Add(K::Rechteck, 20, 30, 10, 10);
    design.SelectFigure(0);
    design.AlignSelection(kRight | kBottom | kToLabel);
    EXPECT_NEAR(f.GetExtentRight(), 90, kTolerance);
    EXPECT_NEAR(f.GetExtentBottom(), 100, kTolerance);
}

// Three figures along an axis, selected out of order, the middle one turned:
//   P: 5..15   Q: 20..40 (turned)   R: 75..85      label 100 long
TEST_F(AlignTest, DistributesEachWayAlongBothAxes) {
    const struct {
        int32_t flag;
        Edge edge;          // of the middle figure checked
        double middle;      // between the outer two as they are
        double middleWhole; // with the outer two put on the label's edges
    } rows[] = {
        {kSpreadLeft, Edge::Low, 40, 45},
        {kSpreadHCenter, Edge::Center, 45, 50},
        {kSpreadRight, Edge::High, 50, 55},
        {kSpreadHGaps, Edge::Low, 35, 40},  // gaps (80 - 40) / 2 and (100 - 40) / 2
    };
    SetLabel(100, 100);
    for (const bool vertical : {false, true})
        for (const auto& row : rows)
            for (const bool whole : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "flag " << row.flag << (vertical ? " vertical" : "")
                                                  << (whole ? " whole label" : ""));
                Clear();
                StubFigure& p = AddAlong(vertical, 10, 20, 10, 8);
                StubFigure& q = AddAlong(vertical, 30, 40, 20, 6, true);
                StubFigure& r = AddAlong(vertical, 80, 60, 10, 8);
                Select({&q, &r, &p});
                Prepare();
                const std::vector<Centre> before = Centres();
                // The horizontal flags shifted to their vertical partners.
                const int32_t flag = vertical ? row.flag << 4 : row.flag;

                design.AlignSelection(flag | kToSelection | (whole ? kWholeLabel : 0));
                EXPECT_NEAR(EdgeOf(q, vertical, row.edge), whole ? row.middleWhole : row.middle, kTolerance);
                EXPECT_NEAR(EdgeOf(p, vertical, Edge::Low), whole ? 0 : 5, kTolerance);
                EXPECT_NEAR(EdgeOf(r, vertical, Edge::High), whole ? 100 : 85, kTolerance);
                for (const StubFigure* f : {&p, &q, &r}) {
                    const size_t i = static_cast<size_t>(design.IndexOf(f));
                    EXPECT_EQ(vertical ? f->CenterX : f->CenterY, vertical ? before[i].x : before[i].y);
                }
                ExpectOneStepBackTo(before, 0);
            }
}

TEST_F(AlignTest, EqualSpacingOfFourFiguresCountsAllTheirWidths) {
    // Widths 10, 20, 6, 10 over 5..85: three gaps of (80 - 46) / 3.
    StubFigure& d1 = Add(K::Rechteck, 10, 10, 10, 5);
    StubFigure& d2 = Add(K::Rechteck, 30, 30, 20, 5);
    StubFigure& d3 = Add(K::Rechteck, 45, 50, 6, 5);
    StubFigure& d4 = Add(K::Rechteck, 80, 70, 10, 5);
    Select({&d3, &d1, &d4, &d2});
    design.AlignSelection(kSpreadHGaps | kToSelection);
    const double gap = (80.0 - 46) / 3;
    EXPECT_NEAR(d1.GetExtentLeft(), 5, kTolerance);
    EXPECT_NEAR(d2.GetExtentLeft() - d1.GetExtentRight(), gap, kTolerance);
    EXPECT_NEAR(d3.GetExtentLeft() - d2.GetExtentRight(), gap, kTolerance);
    EXPECT_NEAR(d4.GetExtentLeft() - d3.GetExtentRight(), gap, kTolerance);
    EXPECT_NEAR(d4.GetExtentRight(), 85, kTolerance);
}

TEST_F(AlignTest, AligningAndDistributingTogether) {
    // Left edges to the selection, then the tops spread over the whole label.
    StubFigure& a = Add(K::Rechteck, 20, 30, 10, 10);
    StubFigure& b = Add(K::Rechteck, 40, 50, 10, 10);
    StubFigure& c = Add(K::Rechteck, 60, 70, 10, 10);
    Select({&a, &b, &c});
    Prepare();
    design.AlignSelection(kLeft | kSpreadTop | kToSelection | kWholeLabel);
    for (const StubFigure* f : {&a, &b, &c}) EXPECT_NEAR(f->GetExtentLeft(), 15, kTolerance);
    EXPECT_NEAR(a.GetExtentTop(), 0, kTolerance);
    EXPECT_NEAR(b.GetExtentTop(), 40, kTolerance);
    EXPECT_NEAR(c.GetExtentBottom(), 90, kTolerance);
    EXPECT_EQ(design.UndoCount(), 1);
}

TEST_F(AlignTest, NothingToDoRecordsNothing) {
    design.AlignSelection(kLeft | kToLabel);  // no selection
    Add(K::Rechteck);
    design.SelectFigure(0);
    Prepare();
    design.AlignSelection(kToLabel | kWholeLabel);  // no flag that moves
    EXPECT_EQ(design.UndoCount(), 0);
    EXPECT_FALSE(design.IsModified());
}

TEST_F(AlignTest, TheDialogGetsTheSelectionCountAndItsCodeIsApplied) {
    DialogsScope scope;
    StubFigure& a = Add(K::Rechteck, 20, 30, 10, 10);
    StubFigure& b = Add(K::Rechteck, 40, 50, 10, 10);
    design.AlignSelectionDialog();  // no selection: no dialog
    Select({&a, &b});
    int32_t askedFor = 0;
    bool confirm = false;
    DesignDialogs().AlignElements = [&](int32_t& code, int32_t count) {
        askedFor = count;
        code = kTop | kToLabel;
        return confirm;
    };
    design.AlignSelectionDialog();
    EXPECT_EQ(askedFor, 2);
    EXPECT_EQ(design.UndoCount(), 2);  // only the two creations
    EXPECT_EQ(a.CenterY, 30);

    confirm = true;
    design.AlignSelectionDialog();
    EXPECT_NEAR(a.GetExtentTop(), 0, kTolerance);
    EXPECT_NEAR(b.GetExtentTop(), 0, kTolerance);
    EXPECT_EQ(design.GetUndoCaption(), QString("Position"));
}
