#pragma once
// The zoomable, scrolling drawing surface of a document window. A world of
// WorldWidth x WorldHeight millimetres is mapped onto the client area through
// two scale canvases that always carry the same zoom and offsets: one on an
// off-screen bitmap, the other on the presented frame. The template (the
// label) lies centred in the world.
//
// Painting renders the invalidated area into the bitmap (OnPaint draws
// there) and copies it into the presented frame, which the screen shows.
// Outside painting, drawing goes straight into the frame, and the touched
// rectangle is shown at once without repainting it; so inverting feedback
// (rubber bands, tracker outlines, dotted lines) is drawn with the raster
// operations of the drawing layer and erased by drawing it again.
//
// Both images are as large as the client area; their memory grows in steps
// and stays when the window shrinks, since a resize repaints everything.
// The scroll bars stay visible
// and are disabled when there is nothing to scroll.

#include "foundation/ViewTimer.h"
#include "app/WindowCanvas.h"
#include "document/MMWindowBase.h"
#include "foundation/BmpScaleCanvas.h"
#include "foundation/ScaleCanvas.h"

#include <QtCore/QPoint>
#include <QtGui/QRegion>
#include <QtWidgets/QAbstractScrollArea>

#include <cstdint>
#include <functional>
#include <memory>

class QKeyEvent;

// Added to the shift state of a mouse press that is the second of a double click.
inline constexpr uint32_t kDoubleClick = 64;

class TMMWindow : public QAbstractScrollArea, public TMMWindowBase {
    Q_OBJECT
public:
    // What FitMode says is re-applied after a resize.
    enum : uint8_t { kFitNone = 0, kFitTemplate = 1, kFitTemplateWidth = 2, kFitTemplateHeight = 3 };
    enum : int { kHorizontal = 0, kVertical = 1 };
    static constexpr double kMinZoom = 0.2;
    static constexpr double kMaxZoom = 8.0;
    static constexpr int kLineStep = 20;
    static constexpr int kAutoScrollInterval = 50;
    static constexpr int kAutoScrollBorder = 20;
    // Room left around a fitted template or rectangle (55 pixels each side).
    static constexpr int kFitMargin = 110;

    explicit TMMWindow(QWidget* parent = nullptr);
    ~TMMWindow() override;

    // ---- sizes in millimetres; each setter recomputes the scroll ranges.
    float TemplateWidth() const { return templateWidth_; }
    float TemplateHeight() const { return templateHeight_; }
    float WorldWidth() const { return worldWidth_; }
    float WorldHeight() const { return worldHeight_; }
    void SetTemplateWidth(float w);
    void SetTemplateHeight(float h);
    void SetWorldWidth(float w);
    void SetWorldHeight(float h);

    // ---- zoom and scrolling
    float GetZoom() const override;
    void SetZoom(double zoom) { ZoomCentered(zoom); }
    // Zooms so that the millimetre point (x, y) comes to the middle of the
    // client area (as far as the scroll range allows). The zoom is kept
    // within 0.2 .. 8.
    void ZoomAt(double zoom, float x, float y);
    void ZoomCentered(double zoom);
    void ZoomToRect(float left, float top, float right, float bottom);
    void ZoomToPixelRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void FitTemplate();
    void FitTemplateWidth();
    void FitTemplateHeight();
    uint8_t FitMode() const { return fitMode_; }
    // Moves the scroll bar (kHorizontal, kVertical) to the pixel position,
    // kept within its range.
    void ScrollTo(int bar, int position);
    int ScrollPosition(int bar) const;
    int ScrollMaximum(int bar) const;
    // Sizes the world to at least the client area + 100 pixels, puts both
    // scroll positions in the middle and centres the template.
    void UpdateScrollRanges(bool redraw);
    // Moves the presented pixels by (dx, dy) and repaints what was uncovered
    // (everything when OptimizedScroll is off).
    void ScrollContent(int dx, int dy);
    // The page step of a scroll bar: the larger of 60 and the smaller of a
    // sixth of the range and a fifth of the client extent along that axis.
    static int PageStep(int rangeMin, int rangeMax, int clientExtent);

    bool AutoScroll = true;
    bool OptimizedScroll = true;

    // The colour that painting fills the update rectangle with ($00BBGGRR).
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color c);

    // ---- drawing
    // The bitmap's scale canvas while painting, the frame's otherwise.
    TScaleCanvas& GetScaleCanvas() override;
    gdi::Canvas& DrawCanvas() { return GetScaleCanvas().Canvas(); }
    TBmpScaleCanvas& BufferCanvas() { return bufferCanvas_; }
    TScaleCanvas& WindowCanvas() { return windowCanvas_; }
    bool IsPainting() const { return painting_; }
    // The bounds of the area being painted (device pixels); the client
    // rectangle outside painting.
    TRect UpdateRect() const;
    // The pixels now presented on the screen.
    const QImage& PresentedFrame() const;
    // Called after each figure has painted itself.
    void AfterFigurePainted() override {}

    // ---- what figures and trackers ask of the view
    // Repaints the device rectangle at the next paint (without erasing first).
    void InvalidateRect(const TRect& r) override;
    void InvalidateAll() override;
    // Shows the presented pixels of the rectangle as they are now.
    void ShowFeedback(const TRect& r) override;
    // Paints what is invalidated now instead of at the next turn of the event loop.
    void UpdateNow();
    bool HasMouseCapture() const override;
    void ReleaseMouseCapture() override;
    // Cursor ids: 0 the default, negative the standard shapes of the class
    // library (-2 arrow .. -22 move), 1..99 the main window's screen
    // cursors, others the program's cursor resources (trackers 200..214).
    int32_t GetCursor() const override { return cursorId_; }
    void SetCursor(int32_t id) override;
    TPoint ClientToScreen(TPoint p) const override;
    int ClientWidth() const;
    int ClientHeight() const;
    // Keys and buttons held now (the trackers' shift state).
    uint32_t KeyboardShiftState() const override;
    int32_t ScreenWidth() const override;
    // The trackers' drag loop on this view (see TrackerDragLoop.h).
    void RunDragLoop(const std::function<bool(const TDragEvent&)>& handler) override;

    // ---- for tests: the automatic scroll's timer and the pointer position
    // (client coordinates) it reads.
    void SetAutoScrollTimer(std::unique_ptr<TViewTimer> timer);
    TViewTimer& AutoScrollTimer() { return *autoScrollTimer_; }
    std::function<QPoint()> CursorPosition;

    // ---- events
    std::function<void()> OnPaint;
    std::function<void()> OnScroll;  // after every change of scroll position or zoom
    std::function<void()> OnBeforeAutoScroll;
    std::function<void()> OnAfterAutoScroll;
    // button: Qt's; shift: the trackers' shift state (+ kDoubleClick); client coordinates.
    std::function<void(Qt::MouseButton button, uint32_t shift, int x, int y)> OnMouseDown;
    std::function<void(uint32_t shift, int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, uint32_t shift, int x, int y)> OnMouseUp;
    std::function<void()> OnDblClick;
    std::function<void(QKeyEvent& event)> OnKeyDown;
    std::function<void(QKeyEvent& event)> OnKeyUp;
    // Without Ctrl the wheel asks these first; true when they handled it.
    std::function<bool(uint32_t shift, QPoint point)> OnMouseWheelDown;
    std::function<bool(uint32_t shift, QPoint point)> OnMouseWheelUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void scrollContentsBy(int dx, int dy) override {}

private:
    class RedrawOff;
    QScrollBar* Bar(int bar) const;
    void ChangeSize(float& size, float mm);
    void ForBothCanvases(const std::function<void(TScaleCanvas&)>& change);
    void UpdateAxisRange(int bar, float worldMM, float templateMM, int clientExtent, bool redraw);
    void UpdatePageSteps();
    // The scroll bar moved (by the user or ScrollTo) to position.
    void ScrollBarMoved(int bar, int position);
    void SetDeviceOffset(int bar, int offset);
    int DeviceOffset(int bar) const;
    void FitTo(double zoom, uint8_t mode);
    double TemplateFitZoom(bool width, bool height) const;
    void ApplyFit();
    void SizeImages();
    void ClientResized();
    void RenderPending();
    void MouseDown(QMouseEvent* event, uint32_t extraShift);
    void CheckAutoScroll(QPoint p);
    void AutoScrollTick();
    QRect AutoScrollZone() const;
    QRect ClientRect() const;

    TWindowCanvas frame_;
    TBmpScaleCanvas bufferCanvas_;
    TScaleCanvas windowCanvas_;
    float templateWidth_ = 100;
    float templateHeight_ = 100;
    float worldWidth_ = 600;
    float worldHeight_ = 600;
    gdi::Color color_;
    uint8_t fitMode_ = kFitNone;
    bool painting_ = false;
    TRect updateRect_;
    QRegion pending_;  // invalidated, not yet painted
    int redrawOff_ = 0;
    bool leftDown_ = false;
    int wheelRest_ = 0;
    int32_t cursorId_ = 0;
    std::unique_ptr<TViewTimer> autoScrollTimer_;
};
