// A tracker in a window on Qt's offscreen platform, dragged by synthesized
// mouse and key events through the widget drag loop.
#include "figures/Tracker.h"

#include "figures/Rasten.h"
#include "figures/widgets/TrackerDragLoop.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The view of one box figure: an off-screen image at 4 pixels per millimetre,
// the figure's outline, and its tracker's handles.
class TTrackerTestWindow : public QWidget, public TTrackerSurface {
public:
    TTrackerTestWindow() : tracker(*this) {
        setFixedSize(400, 300);
        scale_.Reset(kResetUnit);
        scale_.SetResolutionX(4);
        scale_.SetResolutionY(4);
        tracker.SetGeometry(figure);
        tracker.OnApply = [this](TRectTracker&, const TTrackGeometry& g) {
            imageAtApply = Image();
            figure = g;
            figure.Mode = kTrackNone;
            tracker.SetGeometry(figure);
            ++applies;
        };
        tracker.OnBeginTrack = [this](TCustomTracker&) { imageAtBegin = Image(); };
        tracker.SetVisible(true);
        Render();
    }

    void Render() {
        gdi::Canvas& dc = image_;
        dc.FillRect({0, 0, 400, 300}, gdi::Brush{});
        dc.SetPen(gdi::Pen{});
        dc.brush().style = gdi::BrushStyle::Null;
        scale_.RotatedRectangle(figure.CenterX - figure.Width / 2, figure.CenterY - figure.Height / 2,
                                figure.CenterX + figure.Width / 2, figure.CenterY + figure.Height / 2, figure.Angle);
        tracker.DrawHandles();
        dirty_ = false;
    }
    QImage Image() const { return image_.bitmap().image().copy(); }
    gdi::Color Pixel(int x, int y) const { return image_.bitmap().Pixel(x, y); }

    // ---- the drawing surface
    TScaleCanvas& GetScaleCanvas() override { return scale_; }
    void InvalidateRect(const TRect& r) override {
        dirty_ = true;
        update(QRect(r.left, r.top, r.Width(), r.Height()));
    }
    void ShowFeedback(const TRect& r) override { update(QRect(r.left, r.top, r.Width(), r.Height())); }
    int32_t GetCursor() const override { return cursorId_; }
    void SetCursor(int32_t id) override {
        cursorId_ = id;
        setCursor(TrackerCursor(id));
    }
    void ReleaseMouseCapture() override { releaseMouse(); }
    uint32_t KeyboardShiftState() const override { return CurrentShiftState() | kLeftButton; }
    int32_t ScreenWidth() const override { return 1600; }
    void RunDragLoop(const std::function<bool(const TDragEvent&)>& handler) override {
        RunWidgetDragLoop(this, handler);
    }

private:
    gdi::BitmapCanvas image_{400, 300};
    TScaleCanvas scale_{&image_};

public:
    TTrackGeometry figure{50, 50, 40, 20, 0, kTrackNone};
    TRectTracker tracker;
    int applies = 0;
    bool handleHit = false;
    QImage imageAtBegin, imageAtApply;
    struct Failure {
        std::string message;
        bool grabbedWhenReported;
    };
    std::vector<Failure> failures;
    std::vector<int> keysSeen;

protected:
    void paintEvent(QPaintEvent*) override {
        if (dirty_) Render();
        QPainter painter(this);
        painter.drawImage(0, 0, image_.bitmap().image());
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        grabMouse();
        try {
            handleHit = tracker.MouseDown(e->position().toPoint().x(), e->position().toPoint().y());
        } catch (const std::exception& failure) {
            // Where the program's application object would report it.
            failures.push_back({failure.what(), QWidget::mouseGrabber() == this});
            return;
        }
        if (!handleHit) releaseMouse();
    }
    void keyPressEvent(QKeyEvent* e) override { keysSeen.push_back(e->key()); }

private:
    int32_t cursorId_ = 0;
    bool dirty_ = false;
};

class TrackerWindowTest : public ::testing::Test {
protected:
    TrackerWindowTest() {
        SetGridX(1);
        window.show();
        QCoreApplication::processEvents();
    }
    ~TrackerWindowTest() override {
        RasterWeite = savedGrid_;
        if (QWidget::mouseGrabber()) QWidget::mouseGrabber()->releaseMouse();
    }

    // Mouse events are made when their turn comes: a Qt mouse event shares
    // its point with the device, so events made in advance would all end up
    // at the last position.
    void PostMouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers) {
        PostCall([this, type, p, button, buttons, modifiers] {
            QMouseEvent e(type, QPointF(p), QPointF(window.mapToGlobal(p)), button, buttons, modifiers);
            QApplication::sendEvent(&window, &e);
        });
    }
    void PostMove(QPoint p, Qt::KeyboardModifiers modifiers = {}) {
        PostMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton, modifiers);
    }
    void PostRelease(QPoint p, Qt::KeyboardModifiers modifiers = {}) {
        PostMouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    void PostKey(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
        QCoreApplication::postEvent(&window, new QKeyEvent(type, key, modifiers));
    }
    void PostCall(std::function<void()> call) {
        QMetaObject::invokeMethod(&window, std::move(call), Qt::QueuedConnection);
    }
    // The button goes down at p; the posted events run inside the drag.
    void Press(QPoint p) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), QPointF(window.mapToGlobal(p)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &press);
        QCoreApplication::processEvents();
    }
    void ExpectFigure(float cx, float cy, float w, float h, float angle = 0) {
        EXPECT_NEAR(window.figure.CenterX, cx, 1e-4);
        EXPECT_NEAR(window.figure.CenterY, cy, 1e-4);
        EXPECT_NEAR(window.figure.Width, w, 1e-4);
        EXPECT_NEAR(window.figure.Height, h, 1e-4);
        EXPECT_NEAR(window.figure.Angle, angle, 1e-3);
    }

    TTrackerTestWindow window;

private:
    double savedGrid_ = RasterWeite;
};

}  // namespace

TEST_F(TrackerWindowTest, CornerDragResizesAndLeavesNoFeedback) {
    bool framed = false;
    PostMove({93, 160});
    PostMove({73, 169});  // the top-left handle by (-10, +4) mm
    PostCall([&] {
        // Mid-drag: the frame of the new geometry is in the image, the figure is not changed yet.
        framed = window.Pixel(152, 176) != 0xFFFFFFu;
        EXPECT_EQ(window.applies, 0);
        EXPECT_EQ(QWidget::mouseGrabber(), &window);
    });
    PostRelease({73, 169});
    Press({113, 153});
    EXPECT_TRUE(window.handleHit);
    EXPECT_TRUE(framed);
    EXPECT_EQ(window.applies, 1);
    ExpectFigure(54, 52, 32, 16);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(window.imageAtApply, window.imageAtBegin) << "feedback left in the off-screen image";
    // The repaint shows the figure at its new place: its top-left corner (38, 44) mm.
    EXPECT_EQ(window.Pixel(152, 176), 0x000000u);
}

TEST_F(TrackerWindowTest, ShiftPressedDuringTheDragSizesAboutTheCentre) {
    PostMove({73, 169});
    PostKey(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    PostRelease({73, 169}, Qt::ShiftModifier);
    Press({113, 153});
    ExpectFigure(50, 50, 24, 12);
    EXPECT_EQ(window.imageAtApply, window.imageAtBegin);
}

TEST_F(TrackerWindowTest, RotationSnapsToFifteenDegreesAndCtrlToATenth) {
    // The rotation handle (305, 200) grabbed 2 pixels right and 1 down.
    PostMove({272, 251});
    PostCall([&] { EXPECT_EQ(window.GetCursor(), 201); });  // 15 degree steps near the centre
    PostRelease({272, 251});
    Press({307, 201});
    ExpectFigure(50, 50, 40, 20, 30);
    EXPECT_EQ(window.GetCursor(), 0);  // given back after the drag

    PostMove({272, 251});
    PostKey(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    PostCall([&] { EXPECT_EQ(window.GetCursor(), 205); });
    PostRelease({272, 251}, Qt::ControlModifier);
    window.tracker.UpdateHandles();
    const TPoint handle = window.tracker.Handles().Rotated[kTrackRotate];
    Press({handle.x + 2, handle.y + 1});
    ExpectFigure(50, 50, 40, 20, 35.7f);
    EXPECT_EQ(window.imageAtApply, window.imageAtBegin);
}

TEST_F(TrackerWindowTest, EdgeDragSnapsTheSizeToTheGrid) {
    SetGridX(5);
    PostMove({287 + 50, 200});  // 12.5 mm: 52.5 snaps to 50
    PostRelease({287 + 50, 200});
    Press({287, 200});
    ExpectFigure(55, 50, 50, 20);
}

TEST_F(TrackerWindowTest, EscapeAbandonsTheDrag) {
    QImage imageAfterEscape;
    PostMove({73, 169});
    PostKey(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    PostCall([&] { imageAfterEscape = window.Image(); });
    PostMove({33, 185});
    PostRelease({33, 185});
    Press({113, 153});
    ExpectFigure(50, 50, 40, 20);
    EXPECT_EQ(window.applies, 0);
    EXPECT_TRUE(window.tracker.Abandoned);
    EXPECT_EQ(imageAfterEscape, window.imageAtBegin) << "feedback left in the off-screen image";
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(TrackerWindowTest, LosingTheMouseGrabEndsTheDragWithTheResult) {
    QWidget other;
    other.show();
    PostMove({73, 169});
    PostCall([&] { other.grabMouse(); });
    PostMove({33, 185});
    PostRelease({33, 185});
    Press({113, 153});
    ExpectFigure(54, 52, 32, 16);
    EXPECT_EQ(window.applies, 1);
    other.releaseMouse();
}

TEST_F(TrackerWindowTest, APressAwayFromTheHandlesStartsNoDrag) {
    Press({200, 200});
    EXPECT_FALSE(window.handleHit);
    EXPECT_EQ(window.applies, 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// A failing callback ends the drag; the exception reaches the view only
// after the loop is gone, with the mouse free and the keys flowing again.
TEST_F(TrackerWindowTest, AFailingApplyEndsTheDragBeforeTheErrorIsReported) {
    window.tracker.OnApply = [](TRectTracker&, const TTrackGeometry&) { throw std::runtime_error("apply failed"); };
    PostMove({73, 169});
    PostRelease({73, 169});
    PostKey(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    Press({113, 153});
    QCoreApplication::processEvents();
    ASSERT_EQ(window.failures.size(), 1u);
    EXPECT_EQ(window.failures[0].message, "apply failed");
    EXPECT_FALSE(window.failures[0].grabbedWhenReported);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(window.tracker.Mode, kTrackNone);
    EXPECT_EQ(window.GetCursor(), 0);
    EXPECT_EQ(window.keysSeen, std::vector<int>{Qt::Key_A});
}
