// The drawing surface: zoom, fits, scroll ranges and steps, the wheel, the
// automatic scroll, and painting into the presented frame.
#include "app/DottedLine.h"
#include "app/MMWindow.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QScrollBar>

#include <cmath>
#include <limits>

namespace {

// A timer whose time passes only when the test says so.
class ManualTimer : public TViewTimer {
public:
    void Start(int milliseconds) override {
        active_ = true;
        interval_ = milliseconds;
        elapsed_ = 0;
    }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }
    void Advance(int milliseconds) {
        for (int t = 0; t < milliseconds && active_; ++t) {
            if (++elapsed_ < interval_) continue;
            elapsed_ = 0;
            OnTimeout();
        }
    }

private:
    bool active_ = false;
    int interval_ = 0;
    int elapsed_ = 0;
};

void SendMouse(TMMWindow& view, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, p, view.viewport()->mapToGlobal(p), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &e);
}

void SendWheel(TMMWindow& view, int delta, Qt::KeyboardModifiers modifiers) {
    const QPoint p(100, 100);
    QWheelEvent e(p, view.viewport()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &e);
}

class MMWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(640, 480);
        view.show();
        QCoreApplication::processEvents();
        cw = view.ClientWidth();
        ch = view.ClientHeight();
        res = view.WindowCanvas().ResolutionX;
    }

    // Where a millimetre point of the template appears now.
    TPoint Pixel(float x, float y) { return view.GetScaleCanvas().MMPointToPixel(x, y); }

    TMMWindow view;
    int cw = 0;
    int ch = 0;
    double res = 0;
};

}  // namespace

TEST_F(MMWindowTest, ZoomStaysWithinItsLimits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double asked;
        float zoom;
    } cases[] = {{0.1, 0.2f}, {0.2, 0.2f}, {1.5, 1.5f}, {8, 8}, {20, 8}, {-3, 0.2f}, {nan, 0.2f}, {inf, 8}};
    for (const auto& c : cases) {
        view.SetZoom(c.asked);
        EXPECT_FLOAT_EQ(view.GetZoom(), c.zoom) << c.asked;
        EXPECT_EQ(view.BufferCanvas().Zoom, view.WindowCanvas().Zoom);
    }
    // Ctrl and the wheel turned towards the user zoom in, away zoom out; 8 is the end.
    view.SetZoom(1);
    SendWheel(view, -120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.GetZoom(), 1.2f);
    SendWheel(view, 120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.GetZoom(), 1.0f);
    view.SetZoom(8);
    SendWheel(view, -120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.GetZoom(), 8.0f);
}

TEST_F(MMWindowTest, ZoomToRectFitsTheRectangleAndCentresIt) {
    const double fit = std::min((ch - 110) / (30 * res), (cw - 110) / (50 * res));
    const struct {
        float l, t, r, b;
        double zoom;
    } cases[] = {
        {0, 0, 50, 30, fit},
        {10, 0, 10, 10, 5},            // no width: 5 across, the height would allow more
        {20, 20, 20, 20, 5},           // a point: 5 about that point
        {40, 40, 41, 41, 8},           // too small: the largest zoom
        {50, 30, 0, 0, 0.2},           // turned round: the smallest zoom
    };
    for (const auto& c : cases) {
        view.ZoomToRect(c.l, c.t, c.r, c.b);
        EXPECT_NEAR(view.GetZoom(), c.zoom, 1e-5) << c.l << "," << c.t << "," << c.r << "," << c.b;
        EXPECT_EQ(view.FitMode(), TMMWindow::kFitNone);
        if (c.zoom > 0.2) {
            const TPoint centre = Pixel((c.l + c.r) / 2, (c.t + c.b) / 2);
            EXPECT_NEAR(centre.x, cw / 2, 1);
            EXPECT_NEAR(centre.y, ch / 2, 1);
        }
    }
}

TEST_F(MMWindowTest, AWorldSmallerThanTheClientStillScrollsAHundredPixels) {
    view.SetWorldWidth(10);
    view.SetWorldHeight(10);
    for (int bar : {TMMWindow::kHorizontal, TMMWindow::kVertical}) {
        EXPECT_EQ(view.ScrollMaximum(bar), 100);
        EXPECT_EQ(view.ScrollPosition(bar), 50);
    }
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
    // The template stays centred in the client area.
    const TPoint centre = Pixel(50, 50);
    EXPECT_NEAR(centre.x, cw / 2, 1);
    EXPECT_NEAR(centre.y, ch / 2, 1);
    view.ScrollTo(TMMWindow::kHorizontal, -10);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kHorizontal), 0);
    EXPECT_EQ(view.WindowCanvas().DeviceOffsetX, 0);
    view.ScrollTo(TMMWindow::kHorizontal, 500);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kHorizontal), 100);
    EXPECT_EQ(view.BufferCanvas().DeviceOffsetX, 100);
    EXPECT_EQ(Pixel(50, 50).x, centre.x - 50);
}

TEST_F(MMWindowTest, AFitIsKeptThroughAResizeAndAZoomToAPointKeepsTheScrollPosition) {
    view.FitTemplate();
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitTemplate);
    EXPECT_NEAR(view.GetZoom(), std::min((cw - 110) / (100 * res), (ch - 110) / (100 * res)), 1e-5);

    view.resize(900, 760);
    QCoreApplication::processEvents();
    const int cw2 = view.ClientWidth();
    const int ch2 = view.ClientHeight();
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitTemplate);
    EXPECT_NEAR(view.GetZoom(), std::min((cw2 - 110) / (100 * res), (ch2 - 110) / (100 * res)), 1e-5);
    EXPECT_NEAR(Pixel(50, 50).x, cw2 / 2, 1);
    EXPECT_NEAR(Pixel(50, 50).y, ch2 / 2, 1);

    view.FitTemplateWidth();
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitTemplateWidth);
    EXPECT_NEAR(view.GetZoom(), (cw2 - 110) / (100 * res), 1e-5);

    view.ZoomAt(2, 30, 40);
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitNone);
    const int x = view.ScrollPosition(TMMWindow::kHorizontal);
    const int y = view.ScrollPosition(TMMWindow::kVertical);
    view.resize(700, 520);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(view.GetZoom(), 2);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kHorizontal), x);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kVertical), y);
    EXPECT_EQ(view.WindowCanvas().DeviceOffsetY, y);
}

TEST_F(MMWindowTest, ScrollStepsFollowTheLineAndPageRules) {
    const struct {
        int min, max, client, step;
    } pages[] = {{0, 1200, 500, 100}, {0, 300, 1000, 60}, {0, 6000, 2000, 400}, {0, 100, 100, 60}, {0, 2400, 3000, 400}};
    for (const auto& p : pages) EXPECT_EQ(TMMWindow::PageStep(p.min, p.max, p.client), p.step) << p.max << " " << p.client;

    int scrolls = 0;
    view.OnScroll = [&] { ++scrolls; };
    QScrollBar* bar = view.verticalScrollBar();
    const int start = bar->value();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.WindowCanvas().DeviceOffsetY, start + 20);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(view.BufferCanvas().DeviceOffsetY, start + 20 + TMMWindow::PageStep(0, bar->maximum(), ch));
    EXPECT_EQ(scrolls, 2);

    // The wheel scrolls a line unless the view's wheel event takes it.
    const int before = view.ScrollPosition(TMMWindow::kVertical);
    SendWheel(view, -120, Qt::NoModifier);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kVertical), before + 20);
    view.OnMouseWheelUp = [](uint32_t, QPoint) { return true; };
    SendWheel(view, 120, Qt::NoModifier);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kVertical), before + 20);
}

TEST_F(MMWindowTest, HoldingTheButtonNearTheBorderScrollsEveryFiftyMilliseconds) {
    auto timer = std::make_unique<ManualTimer>();
    ManualTimer& clock = *timer;
    view.SetAutoScrollTimer(std::move(timer));
    QPoint pointer(100, 100);
    view.CursorPosition = [&] { return pointer; };
    int steps = 0;
    view.OnBeforeAutoScroll = [&] { ++steps; };

    SendMouse(view, QEvent::MouseButtonPress, pointer, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(clock.IsActive());
    const int start = view.ScrollPosition(TMMWindow::kHorizontal);
    pointer = QPoint(cw - 10, 100);
    SendMouse(view, QEvent::MouseMove, pointer, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(clock.IsActive());
    clock.Advance(49);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kHorizontal), start);
    clock.Advance(101);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kHorizontal), start + 60);
    EXPECT_EQ(view.WindowCanvas().DeviceOffsetX, start + 60);
    EXPECT_EQ(steps, 3);

    // Exactly 20 pixels inside still scrolls; more than 20 stops.
    pointer = QPoint(cw - 20, 100);
    SendMouse(view, QEvent::MouseMove, pointer, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(clock.IsActive());
    pointer = QPoint(cw - 21, 100);
    SendMouse(view, QEvent::MouseMove, pointer, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(clock.IsActive());

    // Beyond a corner both axes move.
    const int y = view.ScrollPosition(TMMWindow::kVertical);
    pointer = QPoint(2, 3);
    SendMouse(view, QEvent::MouseMove, pointer, Qt::NoButton, Qt::LeftButton);
    clock.Advance(50);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kHorizontal), start + 40);
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kVertical), y - 20);

    SendMouse(view, QEvent::MouseButtonRelease, pointer, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(clock.IsActive());
    EXPECT_FALSE(view.HasMouseCapture());
    // Without the button, the border does nothing.
    SendMouse(view, QEvent::MouseMove, QPoint(cw - 5, 100), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(clock.IsActive());
}

TEST_F(MMWindowTest, PaintingRendersOnlyTheInvalidatedAreaIntoThePresentedFrame) {
    gdi::Color paint = gdi::Rgb(255, 0, 0);
    std::vector<TRect> painted;
    view.OnPaint = [&] {
        EXPECT_TRUE(view.IsPainting());
        EXPECT_EQ(&view.GetScaleCanvas(), &view.BufferCanvas());
        painted.push_back(view.UpdateRect());
        view.DrawCanvas().FillRect({0, 0, cw, ch}, gdi::SolidBrush(paint));
    };
    view.InvalidateAll();
    view.UpdateNow();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (TRect{0, 0, cw, ch}));
    EXPECT_EQ(view.PresentedFrame().pixel(cw - 1, ch - 1), qRgb(255, 0, 0));

    paint = gdi::Rgb(0, 0, 255);
    view.InvalidateRect({10, 10, 50, 40});
    view.UpdateNow();
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[1], (TRect{10, 10, 50, 40}));
    EXPECT_EQ(view.PresentedFrame().pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(view.PresentedFrame().pixel(49, 39), qRgb(0, 0, 255));
    EXPECT_EQ(view.PresentedFrame().pixel(50, 39), qRgb(255, 0, 0));
    // Outside painting drawing goes to the frame, and the area is the client.
    EXPECT_FALSE(view.IsPainting());
    EXPECT_EQ(&view.GetScaleCanvas(), &view.WindowCanvas());
    EXPECT_EQ(view.UpdateRect(), (TRect{0, 0, cw, ch}));
    // Nothing invalidated: nothing painted.
    view.UpdateNow();
    EXPECT_EQ(painted.size(), 2u);
}

// Resizing repaints the whole view into the images it had: no new memory
// while the window grows by a few pixels at a time or shrinks.
TEST_F(MMWindowTest, AResizeRepaintsTheWholeViewInTheSameImages) {
    std::vector<TRect> painted;
    view.OnPaint = [&] {
        painted.push_back(view.UpdateRect());
        view.DrawCanvas().FillRect(view.UpdateRect(), gdi::SolidBrush(gdi::Rgb(255, 0, 0)));
    };
    view.InvalidateAll();
    view.UpdateNow();
    const uchar* frame = view.PresentedFrame().constBits();
    const uchar* buffer = view.BufferCanvas().Bitmap().image().constBits();
    for (int step = 1; step <= 12; ++step) {
        view.resize(step < 8 ? 640 + 6 * step : 560, step < 8 ? 480 + 3 * step : 400);
        QCoreApplication::processEvents();
        view.UpdateNow();
        const int w = view.ClientWidth(), h = view.ClientHeight();
        ASSERT_FALSE(painted.empty());
        EXPECT_EQ(painted.back(), (TRect{0, 0, w, h})) << step;
        EXPECT_EQ(view.PresentedFrame().size(), QSize(w, h)) << step;
        EXPECT_EQ(view.PresentedFrame().pixel(w - 1, h - 1), qRgb(255, 0, 0)) << step;
        EXPECT_EQ(view.PresentedFrame().constBits(), frame) << step;
        EXPECT_EQ(view.BufferCanvas().Bitmap().image().constBits(), buffer) << step;
    }
}

TEST_F(MMWindowTest, InvertingFeedbackLivesInTheFrameUntilDrawnAgain) {
    view.SetColor(gdi::Rgb(255, 255, 255));
    view.InvalidateAll();
    view.UpdateNow();
    const QImage clean = view.PresentedFrame().copy();

    DrawDottedRect(view.DrawCanvas(), 100, 100, 300, 200);
    EXPECT_EQ(view.PresentedFrame().pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(view.PresentedFrame().pixel(103, 100), qRgb(255, 255, 255));
    // A repaint elsewhere leaves the feedback alone.
    view.InvalidateRect({400, 300, 420, 320});
    view.UpdateNow();
    EXPECT_EQ(view.PresentedFrame().pixel(100, 100), qRgb(0, 0, 0));
    DrawDottedRect(view.DrawCanvas(), 100, 100, 300, 200);
    EXPECT_EQ(view.PresentedFrame(), clean);
}

TEST_F(MMWindowTest, ScrollingMovesThePresentedPixelsAndRepaintsTheUncoveredStrip) {
    std::vector<TRect> painted;
    view.SetColor(gdi::Rgb(255, 255, 255));
    view.OnPaint = [&] {
        painted.push_back(view.UpdateRect());
        TScaleCanvas& c = view.GetScaleCanvas();
        c.Brush() = gdi::SolidBrush(gdi::Rgb(0, 0, 0));
        c.FillRect(0, 0, 10, 10);  // a black square at the template's corner
    };
    view.InvalidateAll();
    view.UpdateNow();
    const QImage before = view.PresentedFrame().copy();
    const TPoint corner = Pixel(0, 0);
    ASSERT_EQ(before.pixel(corner.x, corner.y), qRgb(0, 0, 0));

    painted.clear();
    view.ScrollTo(TMMWindow::kHorizontal, view.ScrollPosition(TMMWindow::kHorizontal) + 30);
    view.UpdateNow();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (TRect{cw - 30, 0, cw, ch}));
    EXPECT_EQ(view.PresentedFrame().copy(0, 0, cw - 30, ch), before.copy(30, 0, cw - 30, ch));
    EXPECT_EQ(Pixel(0, 0).x, corner.x - 30);

    view.OptimizedScroll = false;
    painted.clear();
    view.ScrollTo(TMMWindow::kVertical, view.ScrollPosition(TMMWindow::kVertical) - 25);
    view.UpdateNow();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (TRect{0, 0, cw, ch}));
    EXPECT_EQ(view.PresentedFrame().pixel(corner.x - 30, corner.y + 25), qRgb(0, 0, 0));
}

TEST_F(MMWindowTest, TheViewTakesTabAndArrowKeysAndReportsDoubleClicks) {
    std::vector<int> keys;
    view.OnKeyDown = [&](QKeyEvent& e) { keys.push_back(e.key()); };
    const int position = view.ScrollPosition(TMMWindow::kVertical);
    for (const int key : {Qt::Key_Tab, Qt::Key_Left, Qt::Key_PageDown}) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &e);
    }
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Tab, Qt::Key_Left, Qt::Key_PageDown}));
    // The keys do not scroll by themselves.
    EXPECT_EQ(view.ScrollPosition(TMMWindow::kVertical), position);

    std::vector<uint32_t> presses;
    int doubleClicks = 0;
    view.OnMouseDown = [&](Qt::MouseButton, uint32_t shift, int, int) { presses.push_back(shift); };
    view.OnDblClick = [&] { ++doubleClicks; };
    SendMouse(view, QEvent::MouseButtonPress, QPoint(50, 50), Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, QPoint(50, 50), Qt::LeftButton, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonDblClick, QPoint(50, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(view.HasMouseCapture());
    SendMouse(view, QEvent::MouseButtonRelease, QPoint(50, 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view.HasMouseCapture());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(presses, (std::vector<uint32_t>{kLeftButton, kLeftButton | kDoubleClick}));
}
