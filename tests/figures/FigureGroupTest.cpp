// Groups: members moved, scaled and turned through their own setters,
// quarter-turn snapping, delegated hits and fills, nested records.
#include "FigureTestSupport.h"
#include "support/FigureFakes.h"

#include "figures/Ellipse.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureGroup.h"
#include "figures/Tracker.h"
#include "foundation/FillData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

class GroupTest : public ::testing::Test {
protected:
    GroupTest() : child(view), group(&child) {
        // Two boxes side by side and a line below them; the frame around them.
        a = AddBox<TRechteck>(40, 30, 10, 6, 0);
        b = AddBox<TEllipse>(60, 30, 10, 6, 30);
        line = AddBox<TLinie>(50, 40, 20, 0, 0);
        group.CenterX = 50;
        group.CenterY = 35;
        group.Width = 30;
        group.Height = 10;
        group.UpdateTransform();
    }

    template <class F>
    F* AddBox(double cx, double cy, double w, double h, double angle) {
        auto f = std::make_unique<F>(&child);
        SetGeometry(*f, cx, cy, w, h, angle);
        F* raw = f.get();
        group.AddMember(std::move(f));
        return raw;
    }

    FakeMMWindow view;
    FakeChild child;
    TFigureGroup group;
    TRechteck* a;
    TEllipse* b;
    TLinie* line;
};

// A group nested depth deep (the innermost holds one rectangle).
std::unique_ptr<TFigureGroup> Nested(int depth) {
    auto inner = std::make_unique<TFigureGroup>(nullptr);
    inner->AddMember(std::make_unique<TRechteck>(nullptr));
    for (int i = 1; i < depth; ++i) {
        auto outer = std::make_unique<TFigureGroup>(nullptr);
        outer->AddMember(std::move(inner));
        inner = std::move(outer);
    }
    return inner;
}

}  // namespace

TEST_F(GroupTest, MovesAndScalesTheMembers) {
    group.MoveBy(5, -2);
    EXPECT_EQ(a->CenterX, 45);
    EXPECT_EQ(b->CenterY, 28);
    EXPECT_EQ(group.CenterX, 55);

    group.SetWidth(60);  // twice as wide
    EXPECT_DOUBLE_EQ(a->Width, 20);
    EXPECT_DOUBLE_EQ(a->CenterX, 55 - 20);  // twice as far from the centre
    EXPECT_DOUBLE_EQ(b->CenterX, 55 + 20);
    EXPECT_DOUBLE_EQ(a->Height, 6);
    group.SetHeight(5);  // half as high
    EXPECT_DOUBLE_EQ(a->Height, 3);
    EXPECT_DOUBLE_EQ(line->CenterY, 33 + 2.5);
    EXPECT_EQ(group.Width, 60);

    group.ResizeBy(10, 10);  // a group is sized through its setters only
    EXPECT_EQ(group.Width, 60);
}

TEST_F(GroupTest, ZeroWidthScalesByZero) {
    group.Width = 0;
    group.SetWidth(10);
    EXPECT_EQ(a->Width, 0);
    EXPECT_EQ(a->CenterX, 50);
}

TEST_F(GroupTest, QuarterTurnAndBack) {
    group.RotateBy(90);
    EXPECT_NEAR(a->CenterX, 55, 1e-9);  // (-10, -5) from the centre goes to (5, -10)
    EXPECT_NEAR(a->CenterY, 25, 1e-9);
    EXPECT_DOUBLE_EQ(a->Angle, 90);
    EXPECT_DOUBLE_EQ(b->Angle, 120);
    EXPECT_EQ(line->Angle, 0);  // folded into its box
    EXPECT_NEAR(line->Height, 20, 1e-9);
    group.RotateBy(-90);
    EXPECT_EQ(group.Angle, 0);
    EXPECT_NEAR(a->CenterX, 40, 1e-9);
    EXPECT_NEAR(a->CenterY, 30, 1e-9);
    EXPECT_NEAR(a->Angle, 0, 1e-9);
    EXPECT_NEAR(b->CenterX, 60, 1e-9);
    EXPECT_NEAR(b->Angle, 30, 1e-9);
    EXPECT_NEAR(line->CenterY, 40, 1e-9);
    EXPECT_NEAR(line->Width, 20, 1e-9);
    EXPECT_NEAR(line->Height, 0, 1e-9);
}

TEST_F(GroupTest, WithoutFreeRotationTheHandleSnapsToQuarterTurns) {
    group.FreeRotation = false;
    group.Select();
    auto& tracker = static_cast<TRectTracker&>(*group.Tracker);
    EXPECT_EQ(tracker.HandleFlags, kHandleCorners | kHandleRotation);
    tracker.UpdateHandles();
    const TPoint handle = tracker.Handles().Rotated[kTrackRotate];
    const TPoint centre{200, 140};
    const int r = handle.x - centre.x;
    // About 80 degrees clockwise.
    view.Move(centre.x + r / 5, centre.y + r);
    view.Up(centre.x + r / 5, centre.y + r);
    EXPECT_TRUE(group.TrackerMouseDown(handle.x, handle.y));
    EXPECT_EQ(group.Angle, 90);
    EXPECT_DOUBLE_EQ(a->Angle, 90);
    EXPECT_NEAR(a->CenterX, 55, 1e-6);
    EXPECT_EQ(child.design.captions, QStringList({"Winkel"}));

    // The position dialog offers no angle then.
    TPositionValues shown;
    SetPositionDialog([&](TPositionValues& v) {
        shown = v;
        v.Angle = 45;
        return true;
    });
    EXPECT_TRUE(group.EditPosition());
    SetPositionDialog(nullptr);
    EXPECT_EQ(shown.Flags, kPositionEditable | kSizeProportional);
    EXPECT_EQ(group.Angle, 90);
}

TEST_F(GroupTest, FreeDragResizesFromTheSnapshot) {
    group.Select();
    auto& tracker = static_cast<TRectTracker&>(*group.Tracker);
    tracker.UpdateHandles();
    const TPoint corner = tracker.Handles().Rotated[kTrackBottomRight];
    // The corner moves by (30, 10) mm: the frame doubles.
    for (int step = 1; step <= 4; ++step) view.Move(corner.x + 30 * step, corner.y + 10 * step);
    view.Up(corner.x + 120, corner.y + 40);
    EXPECT_TRUE(group.TrackerMouseDown(corner.x, corner.y));
    EXPECT_NEAR(group.Width, 60, 1e-4);
    EXPECT_NEAR(group.Height, 20, 1e-4);
    EXPECT_NEAR(a->Width, 20, 1e-4);  // applied once, on the state of the start
    EXPECT_NEAR(a->Height, 12, 1e-4);
    EXPECT_EQ(child.design.captions, QStringList({"Größe"}));
}

TEST_F(GroupTest, HitsOnlyItsMembers) {
    // Device: a spans 140..180 x 108..132; the group's frame 140..260 x 120..160.
    a->SetFillColor(0x00FF00);
    EXPECT_TRUE(group.HitTest({160, 120}));
    EXPECT_FALSE(group.HitTest({200, 150}));  // inside the frame, on no member
    EXPECT_TRUE(group.HitTest({200, 160}));   // the line
}

TEST_F(GroupTest, PenAndFillGoToTheMembers) {
    EXPECT_TRUE(group.SetFillColor(0x00FF00));
    EXPECT_EQ(a->Fill->Kind(), fkColor);
    EXPECT_EQ(b->Fill->Color(), 0x00FF00u);
    EXPECT_EQ(group.Fill->Kind(), fkNone);  // the group's own fill stays
    EXPECT_TRUE(group.SetPenColor(0x0000FF));
    EXPECT_EQ(line->PenColor, 0x0000FFu);
    EXPECT_FALSE(group.SetFontSize(12));

    TFigureGroup lines(nullptr);
    lines.AddMember(std::make_unique<TLinie>(nullptr));
    EXPECT_FALSE(lines.SetFillColor(0x00FF00));
}

TEST_F(GroupTest, CopiesAreDeep) {
    const auto copy = group.Clone();
    auto* g = dynamic_cast<TFigureGroup*>(copy.get());
    ASSERT_TRUE(g);
    ASSERT_EQ(g->Members.Count(), 3);
    EXPECT_NE(g->Members[0], a);
    g->MoveBy(10, 0);
    EXPECT_EQ(a->CenterX, 40);
    EXPECT_EQ(g->Members[0]->CenterX, 50);
    EXPECT_STREQ(g->Members[1]->ClassName(), "TEllipse");
}

TEST(GroupRecords, NestingIsBounded) {
    const auto ok = ReadElementBytes(ElementBytes(*Nested(kMaxGroupDepth)));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ElementBytes(*ok), ElementBytes(*Nested(kMaxGroupDepth)));
    EXPECT_THROW(ReadElementBytes(ElementBytes(*Nested(kMaxGroupDepth + 1))), EFilerReadError);

    // A crafted chain of group headers far deeper than the stack could take.
    TFigureGroup empty(nullptr);
    std::vector<uint8_t> header = ElementBytes(empty);
    header.resize(header.size() - 4);  // the member count 0 ...
    const int32_t one = 1;
    header.insert(header.end(), reinterpret_cast<const uint8_t*>(&one), reinterpret_cast<const uint8_t*>(&one) + 4);
    std::vector<uint8_t> chain;
    for (int i = 0; i < 1000; ++i) chain.insert(chain.end(), header.begin(), header.end());
    EXPECT_THROW(ReadElementBytes(chain), EFilerReadError);
}

TEST(GroupRecords, MemberCountsAndCodes) {
    TFigureGroup group(nullptr);
    group.AddMember(std::make_unique<TRechteck>(nullptr));
    group.AddMember(std::make_unique<TLinie>(nullptr));
    const std::vector<uint8_t> bytes = ElementBytes(group);
    // The member count (tag 2, then 2) is right before the first member's code 5.
    const uint8_t countTwo[] = {2, 2, 0, 0, 0, ecRechteck};
    const auto at = std::search(bytes.begin(), bytes.end(), std::begin(countTwo), std::end(countTwo));
    ASSERT_NE(at, bytes.end());
    const size_t count = static_cast<size_t>(at - bytes.begin()) + 1;

    // An entry without figure (code 2) is skipped.
    std::vector<uint8_t> withEmpty = bytes;
    withEmpty[count] = 3;
    withEmpty.insert(withEmpty.begin() + static_cast<long>(count) + 4, ecFigure);
    auto read = ReadElementBytes(withEmpty);
    ASSERT_TRUE(read);
    EXPECT_EQ(static_cast<TFigureGroup&>(*read).Members.Count(), 2);

    // A code that names no figure class aborts the load where it stands.
    std::vector<uint8_t> invalid = bytes;
    invalid[count + 4] = ecFieldList;
    bool aborted = false;
    read = ReadElementBytes(invalid, nullptr, &aborted);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(static_cast<TFigureGroup&>(*read).Members.Count(), 0);

    // A count beyond the bytes that remain is refused before reading members.
    std::vector<uint8_t> huge = bytes;
    const int32_t many = 1 << 30;
    std::memcpy(huge.data() + count, &many, 4);
    EXPECT_THROW(ReadElementBytes(huge), EFilerReadError);
}
