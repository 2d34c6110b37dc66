// Moving and copying the selection between the rings of CD ring labels.
#include "design/DesignTesting.h"

#include "design/RingLabels.h"

#include <array>
#include <optional>

namespace {

using K = TFigureKind;

struct RingSheet {
    const char* article;
    bool turned;
    std::array<std::optional<Centre>, 3> rings;  // top, middle, bottom
};

const RingSheet kRingSheets[] = {
    {"QN-2049", false, {Centre{62, 67}, Centre{146, 148.5}, Centre{62, 230}}},
    {"QN-2049", true, {Centre{148, 67}, Centre{64, 148.5}, Centre{148, 230}}},
    {"QN-2052", false, {Centre{62.5, 62.5}, Centre{147.5, 142}, Centre{62.5, 221.5}}},
    {"QN-2071", false, {Centre{105, 78.5}, std::nullopt, Centre{105, 218.5}}},
    {"KROXARING", false, {Centre{105, 74.5}, std::nullopt, Centre{105, 222.5}}},
    {"Rayfilm CD35", false, {Centre{105, 74.25}, std::nullopt, Centre{105, 222.75}}},
    {"VEROZEVUZEZOVED", false, {Centre{105, 80}, std::nullopt, Centre{105, 217}}},
    {"ZOZODADEVUZOZAZAZI", false, {Centre{105, 80}, std::nullopt, Centre{105, 217}}},
};

class RingTest : public DesignTest {
protected:
    void UseSheet(const char* article, bool turned = false) {
        child.sheet.SetName(article);
        child.sheet.SetArtikel(article);
        child.sheet.SetSheetTurned(turned ? 1 : 0);
        ASSERT_EQ(child.sheet.GetShapeKey(), article);
        ASSERT_EQ(child.sheet.SheetTurned, turned ? 1 : 0);
    }
    // One selected figure centred at the point, the only one of the design.
    StubFigure& PlaceAt(Centre c) {
        Clear();
        StubFigure& f = Add(K::Rechteck, c.x, c.y, 10, 10);
        design.SelectFigure(0);
        design.ClearUndo();
        return f;
    }
    static void ExpectAt(const TFigure& f, Centre c) {
        EXPECT_NEAR(f.CenterX, c.x, 1e-4);
        EXPECT_NEAR(f.CenterY, c.y, 1e-4);
    }
};

}  // namespace

TEST_F(RingTest, TheTableOfRingCentres) {
    for (const RingSheet& sheet : kRingSheets) {
        SCOPED_TRACE(::testing::Message() << sheet.article << (sheet.turned ? " turned" : ""));
        UseSheet(sheet.article, sheet.turned);
        EXPECT_EQ(RingCount(child.sheet), sheet.rings[1] ? 3 : 2);
        for (int32_t ring = 1; ring <= 3; ++ring) {
            const auto& expected = sheet.rings[static_cast<size_t>(ring - 1)];
            const auto centre = RingCenter(child.sheet, ring);
            ASSERT_EQ(centre.has_value(), expected.has_value()) << ring;
            if (centre) {
                EXPECT_FLOAT_EQ(centre->X, static_cast<float>(expected->x));
                EXPECT_FLOAT_EQ(centre->Y, static_cast<float>(expected->y));
            }
        }
    }
    UseSheet("QN-2051EX");
    EXPECT_EQ(RingCount(child.sheet), 0);
    EXPECT_FALSE(RingCenter(child.sheet, 1));
    EXPECT_TRUE(OffersLabelCentering(child.sheet));
}

// A figure a little below each ring's centre (on "QN-2049" ring 2 that is
// (146, 150)) is moved and copied to every ring.
TEST_F(RingTest, MovesAndCopiesFromEveryRingToEveryOther) {
    for (const RingSheet& sheet : kRingSheets) {
        UseSheet(sheet.article, sheet.turned);
        for (int32_t from = 1; from <= 3; ++from)
            for (int32_t to = 1; to <= 3; ++to) {
                const auto& source = sheet.rings[static_cast<size_t>(from - 1)];
                const auto& target = sheet.rings[static_cast<size_t>(to - 1)];
                if (!source) continue;
                SCOPED_TRACE(::testing::Message() << sheet.article << (sheet.turned ? " turned" : "") << " ring "
                                                  << from << " to " << to);
                const Centre start{source->x, source->y + 1.5};
                const bool moves = target && to != from;
                const Centre end = moves ? Centre{start.x + target->x - source->x, start.y + target->y - source->y}
                                         : start;

                StubFigure& f = PlaceAt(start);
                EXPECT_EQ(design.SelectionRing(), from);
                design.MoveSelectionToRing(to);
                ExpectAt(f, end);
                EXPECT_EQ(design.UndoCount(), moves ? 1 : 0);

                StubFigure& original = PlaceAt(start);
                design.CopySelectionToRing(to);
                ASSERT_EQ(design.FigureCount(), moves ? 2 : 1);
                ExpectAt(original, start);
                if (!moves) {
                    EXPECT_EQ(design.UndoCount(), 0);
                    continue;
                }
                ASSERT_EQ(design.SelectedCount(), 1);
                EXPECT_NE(design.GetSelected(0), &original);
                ExpectAt(*design.GetSelected(0), end);
                // Two steps: the move, then the copies.
                EXPECT_EQ(design.UndoCount(), 2);
                EXPECT_EQ(design.GetUndoCaption(), QString("Position"));
                design.Undo();
                ExpectAt(*design.GetFigure(1), start);
                design.Undo();
                EXPECT_EQ(design.FigureCount(), 1);
            }
    }
}

TEST_F(RingTest, TheNearestRingAndItsTies) {
    // 4 pixels per mm: on "QN-2049" ring 1 is at (248, 268) and ring 2 at
    // (584, 594); their middle is as far from both and goes to ring 2.
    UseSheet("QN-2049");
    EXPECT_EQ(design.RingAt(248, 268), 1);
    EXPECT_EQ(design.RingAt(584, 594), 2);
    EXPECT_EQ(design.RingAt(248, 920), 3);
    EXPECT_EQ(design.RingAt(416, 431), 2);
    EXPECT_EQ(design.RingAt(415, 430), 1);
    // Two rings at (420, 298) and (420, 890).
    UseSheet("KROXARING");
    EXPECT_EQ(design.RingAt(420, 594), 3);
    EXPECT_EQ(design.RingAt(420, 593), 1);
    EXPECT_EQ(design.RingAt(0, 0), 1);
}

TEST_F(RingTest, SheetsWithoutRingsMoveAndCopyNothing) {
    StubFigure& f = PlaceAt({50, 50});
    EXPECT_EQ(design.RingAt(200, 200), 0);
    design.MoveSelectionToRing(3);
    design.CopySelectionToRing(3);
    ExpectAt(f, {50, 50});
    EXPECT_EQ(design.FigureCount(), 1);
    EXPECT_EQ(design.UndoCount(), 0);
    // Nothing selected on a ring sheet.
    UseSheet("QN-2052");
    design.DeselectAll();
    design.MoveSelectionToRing(2);
    design.CopySelectionToRing(2);
    EXPECT_EQ(design.FigureCount(), 1);
    EXPECT_EQ(design.UndoCount(), 0);
}

TEST_F(RingTest, LabelCentreFollowsTheOrientation) {
    child.sheet.SetLabelWidth(120);
    child.sheet.SetLabelHeight(80);
    EXPECT_FLOAT_EQ(LabelCenter(child.sheet).X, 60);
    EXPECT_FLOAT_EQ(LabelCenter(child.sheet).Y, 40);
    child.sheet.SetOrientation(1);
    EXPECT_FLOAT_EQ(LabelCenter(child.sheet).X, 40);
    EXPECT_FLOAT_EQ(LabelCenter(child.sheet).Y, 60);
}
