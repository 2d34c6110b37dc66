// The auto-shape figure: its shape by class name, the record with the raw
// handle record, snapshots and copies, hit tests and the adjust handles on
// the tracker.
#include "FigureTestSupport.h"
#include "support/FigureFakes.h"

#include "figures/AutoForm.h"
#include "figures/ContentFigureRecords.h"
#include "figures/Rasten.h"
#include "figures/Tracker.h"
#include "shapes/AutoShape.h"
#include "shapes/PfeilShape.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A view at 4 pixels per mm.
class AutoFormOnView : public ::testing::Test {
protected:
    AutoFormOnView() : child(view) { SetGridX(0.25); }
    ~AutoFormOnView() override { RasterWeite = savedGrid_; }

    std::unique_ptr<TAutoForm> Make(const char* shape, double cx, double cy, double w, double h, double angle = 0) {
        auto f = std::make_unique<TAutoForm>(&child);
        SetGeometry(*f, cx, cy, w, h, angle);
        f->SetShapeClass(shape);
        return f;
    }

    FakeMMWindow view;
    FakeChild child;

private:
    double savedGrid_ = RasterWeite;
};

std::vector<uint8_t> AutoFormRecordBytes(const std::string& shapeClass, const THotTrackData& handles) {
    TMemoryStream stream;
    TEtikettFiler filer;
    filer.Stream = &stream;
    TAutoFormRecord{shapeClass, handles}.Write(filer);
    return stream.Bytes();
}

std::vector<uint8_t> HandleBytes(const THotTrackData& handles) {
    TMemoryStream stream;
    WriteHotTrackData(stream, handles);
    return stream.Bytes();
}

// A star with its inner radius pulled in.
void MakeStar(TAutoForm& figure) {
    SetGeometry(figure, 40, 30, 50, 30, 30);
    figure.SetFillColor(0x3366CC);
    figure.SetShapeClass("tsternshape8");
    THotTrackEntry entry = figure.Shape->HotTrackData.Entries[0];
    entry.Value1 = (entry.Min1 + entry.Value1) / 2;
    entry.Value2 = (entry.Min2 + entry.Value2) / 2;
    figure.Shape->SetAdjustHandle(0, entry);
}

}  // namespace

TEST(AutoFormFigure, RecordSnapshotAndCopyCarryShapeAndHandles) {
    TAutoForm figure(nullptr);
    EXPECT_EQ(figure.Kind, TFigureKind::AutoForm);
    EXPECT_EQ(figure.ShapeClass(), "TBanderoleShape");
    MakeStar(figure);
    EXPECT_EQ(figure.ShapeClass(), "TSternShape8") << "stored as registered";
    const THotTrackData handles = figure.Shape->HotTrackData;
    ASSERT_GT(handles.Count, 0);

    const std::vector<uint8_t> bytes = ElementBytes(figure);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], ecAutoForm);
    const std::vector<uint8_t> tail = AutoFormRecordBytes("TSternShape8", handles);
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<ptrdiff_t>(tail.size())));

    const std::unique_ptr<TFigure> read = ReadElementBytes(bytes);
    auto* form = dynamic_cast<TAutoForm*>(read.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ShapeClass(), "TSternShape8");
    EXPECT_EQ(ElementBytes(*form), bytes) << "written, read and written again";
    const auto& tracker = static_cast<const TRectTracker&>(*form->Tracker);
    EXPECT_EQ(HandleBytes(tracker.AdjustHandles), HandleBytes(handles)) << "the tracker shows the handles";

    // The snapshot holds the handles, not the class.
    TAutoForm fromSnapshot(nullptr);
    fromSnapshot.SetShapeClass("TSternShape8");
    LoadSnapshot(fromSnapshot, SnapshotBytes(figure));
    EXPECT_EQ(ElementBytes(fromSnapshot), bytes);
    EXPECT_EQ(ElementBytes(*figure.Clone()), bytes);
}

TEST(AutoFormFigure, DamagedHandleRecordRefusesTheRead) {
    TAutoForm figure(nullptr);
    MakeStar(figure);
    const std::vector<uint8_t> good = ElementBytes(figure);
    const size_t countAt = good.size() - kHotTrackDataSize;
    struct Case {
        const char* what;
        int32_t count;
        size_t cut;
    };
    for (const Case c : {Case{"nine handles", 9, 0}, Case{"a negative count", -1, 0},
                         Case{"a huge count", 0x7FFFFFFF, 0}, Case{"a short record", 1, 30}}) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + countAt, &c.count, 4);
        bytes.resize(bytes.size() - c.cut);
        EXPECT_THROW(ReadElementBytes(bytes), EFilerReadError) << c.what;
    }
}

TEST(AutoFormFigure, UnknownClassLoadsTheDefaultShapeAndKeepsWhatWasStored) {
    std::vector<std::string> notices;
    SetShapeNoticeHandler([&](const std::string& m) { notices.push_back(m); });
    TAutoForm figure(nullptr);
    MakeStar(figure);
    std::vector<uint8_t> bytes = ElementBytes(figure);
    const std::vector<uint8_t> star = AutoFormRecordBytes("TSternShape8", figure.Shape->HotTrackData);
    const std::vector<uint8_t> other = AutoFormRecordBytes("TSternShapeX", figure.Shape->HotTrackData);
    bytes.resize(bytes.size() - star.size());
    bytes.insert(bytes.end(), other.begin(), other.end());

    const std::unique_ptr<TFigure> read = ReadElementBytes(bytes);
    SetShapeNoticeHandler(nullptr);
    auto* form = dynamic_cast<TAutoForm*>(read.get());
    ASSERT_NE(form, nullptr);
    EXPECT_NE(dynamic_cast<TDefaultShape*>(form->Shape.get()), nullptr);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("TSternShapeX"), std::string::npos);
    EXPECT_EQ(ElementBytes(*form), bytes) << "the stored name and handles are saved back";
}

TEST(AutoFormFigure, AssignReplacesTheShapeOnlyForAnotherClass) {
    TAutoForm star(nullptr);
    MakeStar(star);
    TAutoForm arrow(nullptr);
    arrow.SetShapeClass("TPfeilShape");
    arrow.Assign(star);
    EXPECT_EQ(arrow.ShapeClass(), "TSternShape8");
    EXPECT_NE(dynamic_cast<TSternShape8*>(arrow.Shape.get()), nullptr);
    EXPECT_EQ(ElementBytes(arrow), ElementBytes(star));

    TAutoForm sameClass(nullptr);
    sameClass.SetShapeClass("TSternShape8");
    const TAbstractAutoShape* kept = sameClass.Shape.get();
    sameClass.Assign(star);
    EXPECT_EQ(sameClass.Shape.get(), kept);
    EXPECT_EQ(ElementBytes(sameClass), ElementBytes(star));
    // The same class in another letter case keeps the shape and its handles too.
    sameClass.SetShapeClass("TSTERNSHAPE8");
    EXPECT_EQ(sameClass.Shape.get(), kept);
    EXPECT_EQ(sameClass.ShapeClass(), "TSternShape8");

    TRechteck box(nullptr);
    EXPECT_THROW(arrow.Assign(box), EInvalidCast);
}

TEST_F(AutoFormOnView, HitNearTheOutlineOrInsideWhenFilled) {
    auto box = Make("TRechteckShape", 40, 25, 40, 20);  // (80, 60) to (240, 140)
    struct Case {
        TPoint p;
        bool unfilled, filled;
    };
    for (const Case c : {Case{{160, 100}, false, true}, Case{{80, 100}, true, true}, Case{{84, 100}, true, true},
                         Case{{74, 100}, false, false}, Case{{300, 100}, false, false}}) {
        box->SetFillColor(kNoColor);
        EXPECT_EQ(box->HitTest(c.p), c.unfilled) << c.p.x << "," << c.p.y;
        box->SetFillColor(0x00FF00);
        EXPECT_EQ(box->HitTest(c.p), c.filled) << c.p.x << "," << c.p.y;
    }
    // The shape follows the turned box.
    box->SetAngle(90);
    box->UpdateTransform();
    box->SetFillColor(0x00FF00);
    EXPECT_TRUE(box->HitTest({160, 170}));
    EXPECT_FALSE(box->HitTest({90, 100}));
}

TEST_F(AutoFormOnView, DraggingAnAdjustHandleReshapesTheFigure) {
    auto arrow = Make("TPfeilShape", 50, 37.5, 40, 20);
    arrow->Select();
    auto& tracker = static_cast<TRectTracker&>(*arrow->Tracker);
    tracker.UpdateHandles();
    ASSERT_GT(tracker.Handles().AdjustCount, 0);
    const THotTrackEntry before = arrow->Shape->HotTrackData.Entries[0];
    const TPoint handle = tracker.Handles().Adjust[0];

    // Escape gives the shape back as it was.
    view.Move(handle.x - 20, handle.y);
    view.script.push_back({TDragEvent::Kind::Abandon, {handle.x - 20, handle.y}, 0});
    EXPECT_TRUE(arrow->TrackerMouseDown(handle.x, handle.y));
    EXPECT_EQ(arrow->Shape->HotTrackData.Entries[0].Value1, before.Value1);

    view.Move(handle.x - 10, handle.y);
    view.Move(handle.x - 20, handle.y);
    view.Up(handle.x - 20, handle.y);
    EXPECT_TRUE(arrow->TrackerMouseDown(handle.x, handle.y));
    const THotTrackEntry after = arrow->Shape->HotTrackData.Entries[0];
    EXPECT_LT(after.Value1, before.Value1) << "the head's start moved left";
    EXPECT_EQ(tracker.AdjustHandles.Entries[0].Value1, after.Value1);
    // The inverted outlines were all drawn twice.
    for (int y = 0; y < 300; y += 3)
        for (int x = 0; x < 400; x += 3) ASSERT_EQ(view.Pixel(x, y), 0xFFFFFFu) << x << "," << y;
}
