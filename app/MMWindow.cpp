#include "app/MMWindow.h"

#include "app/Cursors.h"
#include "figures/widgets/TrackerDragLoop.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Sizes beyond this many millimetres (100 m) are taken as this.
constexpr float kMaxWorldMM = 100000.0f;
constexpr int kWheelNotch = 120;
// The world reaches at least this far beyond the client area.
constexpr int kWorldOverhang = 100;

float SaneSize(float mm, float previous) {
    if (!std::isfinite(mm)) return previous;
    return std::clamp(mm, 0.0f, kMaxWorldMM);
}

QRect NormalizedQRect(const TRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)).normalized(); }

TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

struct StandardCursor {
    int32_t id;
    Qt::CursorShape shape;
};

// The standard cursor constants of the class library.
constexpr StandardCursor kStandardCursors[] = {
    {-1, Qt::BlankCursor},       {-2, Qt::ArrowCursor},         {-3, Qt::CrossCursor},
    {-4, Qt::IBeamCursor},       {-5, Qt::SizeAllCursor},       {-6, Qt::SizeBDiagCursor},
    {-7, Qt::SizeVerCursor},     {-8, Qt::SizeFDiagCursor},     {-9, Qt::SizeHorCursor},
    {-10, Qt::UpArrowCursor},    {-11, Qt::WaitCursor},         {-12, Qt::DragMoveCursor},
    {-13, Qt::ForbiddenCursor},  {-14, Qt::SplitHCursor},       {-15, Qt::SplitVCursor},
    {-16, Qt::DragCopyCursor},   {-17, Qt::WaitCursor},         {-18, Qt::ForbiddenCursor},
    {-19, Qt::BusyCursor},       {-20, Qt::WhatsThisCursor},    {-21, Qt::PointingHandCursor},
    {-22, Qt::SizeAllCursor},
};

QCursor CursorOf(int32_t id) {
    if (id < 0) {
        for (const StandardCursor& c : kStandardCursors)
            if (c.id == id) return QCursor(c.shape);
        return QCursor(Qt::ArrowCursor);
    }
    if (id == 0) return QCursor(Qt::ArrowCursor);
    if (id < 100) return ScreenCursor(id);
    return LoadCursorResource(id);
}

// The hourglass while a zoom recomputes the view.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Moves the pixels of the image by (dx, dy); what is uncovered keeps its old pixels.
void ShiftPixels(gdi::BitmapCanvas& canvas, int dx, int dy) {
    const int w = canvas.bitmap().Width();
    const int h = canvas.bitmap().Height();
    const int keep = w - std::abs(dx);
    if (keep <= 0 || std::abs(dy) >= h) return;
    const int srcX = std::max(0, -dx);
    const int dstX = std::max(0, dx);
    auto moveRow = [&](int y) {
        uint32_t* dst = canvas.ScanLine(y);
        const uint32_t* src = canvas.ScanLine(y - dy);
        std::memmove(dst + dstX, src + srcX, static_cast<size_t>(keep) * sizeof(uint32_t));
    };
    if (dy > 0) {
        for (int y = h - 1; y >= dy; --y) moveRow(y);
    } else {
        for (int y = 0; y < h + dy; ++y) moveRow(y);
    }
}

}  // namespace

// Collects the repaints of a zoom or resize into one.
class TMMWindow::RedrawOff {
public:
    explicit RedrawOff(TMMWindow& w) : w_(w) { ++w_.redrawOff_; }
    ~RedrawOff() {
        if (--w_.redrawOff_ == 0) w_.InvalidateAll();
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    TMMWindow& w_;
};

TMMWindow::TMMWindow(QWidget* parent)
    : QAbstractScrollArea(parent),
      windowCanvas_(&frame_),
      color_(gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNFACE))),
      autoScrollTimer_(std::make_unique<TQtViewTimer>()) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    bufferCanvas_.Reset(kResetScreen);
    windowCanvas_.Reset(kResetScreen);
    frame_.OnTouched = [this](const gdi::Rect& r) { ShowFeedback(r); };
    for (int bar : {kHorizontal, kVertical}) {
        Bar(bar)->setSingleStep(kLineStep);
        connect(Bar(bar), &QScrollBar::valueChanged, this, [this, bar](int value) { ScrollBarMoved(bar, value); });
    }
    autoScrollTimer_->OnTimeout = [this] { AutoScrollTick(); };
    CursorPosition = [this] { return viewport()->mapFromGlobal(QCursor::pos()); };
    SizeImages();
    UpdateScrollRanges(true);
}

TMMWindow::~TMMWindow() {
    autoScrollTimer_->Stop();
    if (HasMouseCapture()) viewport()->releaseMouse();
}

// ---- sizes

void TMMWindow::ChangeSize(float& size, float mm) {
    size = SaneSize(mm, size);
    UpdateScrollRanges(true);
    InvalidateAll();
}

void TMMWindow::SetTemplateWidth(float w) { ChangeSize(templateWidth_, w); }
void TMMWindow::SetTemplateHeight(float h) { ChangeSize(templateHeight_, h); }
void TMMWindow::SetWorldWidth(float w) { ChangeSize(worldWidth_, w); }
void TMMWindow::SetWorldHeight(float h) { ChangeSize(worldHeight_, h); }

void TMMWindow::SetColor(gdi::Color c) {
    color_ = c;
    InvalidateAll();
}

// ---- scroll ranges and positions

QScrollBar* TMMWindow::Bar(int bar) const { return bar == kHorizontal ? horizontalScrollBar() : verticalScrollBar(); }

int TMMWindow::ClientWidth() const { return viewport()->width(); }
int TMMWindow::ClientHeight() const { return viewport()->height(); }
QRect TMMWindow::ClientRect() const { return viewport()->rect(); }

void TMMWindow::ForBothCanvases(const std::function<void(TScaleCanvas&)>& change) {
    change(bufferCanvas_);
    change(windowCanvas_);
}

int TMMWindow::DeviceOffset(int bar) const {
    return bar == kHorizontal ? windowCanvas_.DeviceOffsetX : windowCanvas_.DeviceOffsetY;
}

void TMMWindow::SetDeviceOffset(int bar, int offset) {
    ForBothCanvases([bar, offset](TScaleCanvas& c) {
        if (bar == kHorizontal) {
            c.SetDeviceOffsetX(offset);
        } else {
            c.SetDeviceOffsetY(offset);
        }
    });
}

int TMMWindow::ScrollPosition(int bar) const { return Bar(bar)->value(); }
int TMMWindow::ScrollMaximum(int bar) const { return Bar(bar)->maximum(); }

int TMMWindow::PageStep(int rangeMin, int rangeMax, int clientExtent) {
    return std::max(60, std::min((rangeMax - rangeMin) / 6, clientExtent / 5));
}

void TMMWindow::UpdateScrollRanges(bool redraw) {
    // Qt's scroll bars repaint themselves, so redraw needs no handling here.
    UpdateAxisRange(kHorizontal, worldWidth_, templateWidth_, ClientWidth(), redraw);
    UpdateAxisRange(kVertical, worldHeight_, templateHeight_, ClientHeight(), redraw);
}

void TMMWindow::UpdateAxisRange(int bar, float worldMM, float templateMM, int clientExtent, bool) {
    const int world = std::max(windowCanvas_.MMToPixel(worldMM), clientExtent + kWorldOverhang);
    const int range = std::max(0, world - clientExtent);
    QScrollBar* b = Bar(bar);
    {
        const QSignalBlocker block(b);
        b->setRange(0, range);
        b->setValue(range / 2);
        b->setPageStep(PageStep(0, range, clientExtent));
        b->setEnabled(range > 0);
    }
    const int physical = (windowCanvas_.MMToPixel(templateMM) - world) / 2;
    SetDeviceOffset(bar, range / 2);
    ForBothCanvases([bar, physical](TScaleCanvas& c) {
        if (bar == kHorizontal) {
            c.SetPhysicalOffsetX(physical);
        } else {
            c.SetPhysicalOffsetY(physical);
        }
    });
}

void TMMWindow::ScrollTo(int bar, int position) {
    QScrollBar* b = Bar(bar);
    const int clamped = std::clamp(position, b->minimum(), b->maximum());
    {
        const QSignalBlocker block(b);
        b->setValue(clamped);
    }
    ScrollBarMoved(bar, clamped);
}

void TMMWindow::ScrollBarMoved(int bar, int position) {
    const int old = DeviceOffset(bar);
    SetDeviceOffset(bar, position);
    if (bar == kHorizontal) {
        ScrollContent(old - position, 0);
    } else {
        ScrollContent(0, old - position);
    }
    if (OnScroll) OnScroll();
}

void TMMWindow::ScrollContent(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const QRect client = ClientRect();
    if (!OptimizedScroll || redrawOff_ > 0 || std::abs(dx) >= client.width() || std::abs(dy) >= client.height()) {
        InvalidateAll();
        return;
    }
    ShiftPixels(frame_, dx, dy);
    pending_.translate(dx, dy);
    pending_ += QRegion(client).subtracted(QRegion(client.translated(dx, dy)));
    pending_ &= client;
    viewport()->update();
}

// ---- zoom

float TMMWindow::GetZoom() const { return painting_ ? bufferCanvas_.Zoom : windowCanvas_.Zoom; }

void TMMWindow::ZoomAt(double zoom, float x, float y) {
    if (!(zoom >= kMinZoom)) zoom = kMinZoom;  // also a zoom that is not a number
    zoom = std::min(zoom, kMaxZoom);
    {
        const WaitCursor wait;
        const RedrawOff off(*this);
        ForBothCanvases([zoom](TScaleCanvas& c) { c.SetZoom(static_cast<float>(zoom)); });
        UpdateScrollRanges(true);
        ScrollTo(kHorizontal, windowCanvas_.MMToPixel(x) - windowCanvas_.PhysicalOffsetX - ClientWidth() / 2);
        ScrollTo(kVertical, windowCanvas_.MMToPixel(y) - windowCanvas_.PhysicalOffsetY - ClientHeight() / 2);
    }
    fitMode_ = kFitNone;
    if (OnScroll) OnScroll();
}

void TMMWindow::ZoomCentered(double zoom) {
    const float x = windowCanvas_.PixelToMMX(ClientWidth() / 2);
    const float y = windowCanvas_.PixelToMMY(ClientHeight() / 2);
    ZoomAt(zoom, x, y);
}

void TMMWindow::ZoomToRect(float left, float top, float right, float bottom) {
    const double zx = right == left ? 5.0 : (ClientWidth() - kFitMargin) / ((right - left) * double{windowCanvas_.ResolutionX});
    const double zy = bottom == top ? 5.0 : (ClientHeight() - kFitMargin) / ((bottom - top) * double{windowCanvas_.ResolutionY});
    ZoomAt(std::min(zy, zx), (left + right) / 2, (top + bottom) / 2);
}

void TMMWindow::ZoomToPixelRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    ZoomToRect(windowCanvas_.PixelToMMX(x1), windowCanvas_.PixelToMMY(y1), windowCanvas_.PixelToMMX(x2),
               windowCanvas_.PixelToMMY(y2));
}

double TMMWindow::TemplateFitZoom(bool width, bool height) const {
    const double zx = (ClientWidth() - kFitMargin) / (double{windowCanvas_.ResolutionX} * templateWidth_);
    const double zy = (ClientHeight() - kFitMargin) / (double{windowCanvas_.ResolutionY} * templateHeight_);
    if (width && height) return std::min(zx, zy);
    return width ? zx : zy;
}

void TMMWindow::FitTo(double zoom, uint8_t mode) {
    ZoomAt(zoom, templateWidth_ / 2, templateHeight_ / 2);
    fitMode_ = mode;
}

void TMMWindow::FitTemplate() { FitTo(TemplateFitZoom(true, true), kFitTemplate); }
void TMMWindow::FitTemplateWidth() { FitTo(TemplateFitZoom(true, false), kFitTemplateWidth); }
void TMMWindow::FitTemplateHeight() { FitTo(TemplateFitZoom(false, true), kFitTemplateHeight); }

void TMMWindow::ApplyFit() {
    switch (fitMode_) {
    case kFitTemplate: FitTemplate(); break;
    case kFitTemplateWidth: FitTemplateWidth(); break;
    case kFitTemplateHeight: FitTemplateHeight(); break;
    default: break;
    }
}

// ---- painting

TScaleCanvas& TMMWindow::GetScaleCanvas() {
    if (painting_) return bufferCanvas_;
    return windowCanvas_;
}

TRect TMMWindow::UpdateRect() const { return painting_ ? updateRect_ : ToTRect(ClientRect()); }

const QImage& TMMWindow::PresentedFrame() const { return frame_.bitmap().image(); }

void TMMWindow::SizeImages() {
    const int w = std::max(1, ClientWidth());
    const int h = std::max(1, ClientHeight());
    // Both are painted whole after a change of size (ClientResized
    // invalidates everything), so nothing in them is kept, filled or copied.
    if (bufferCanvas_.Bitmap().Width() != w || bufferCanvas_.Bitmap().Height() != h) {
        bufferCanvas_.SetSizeForRepaint(w, h);
        frame_.SetSizeForRepaint(w, h);
    }
    bufferCanvas_.VisibleRect = {0, 0, w, h};
    windowCanvas_.VisibleRect = {0, 0, w, h};
}

void TMMWindow::RenderPending() {
    const QRect area = (pending_ & ClientRect()).boundingRect();
    pending_ = QRegion();
    if (area.isEmpty()) return;
    struct PaintScope {
        TMMWindow& w;
        ~PaintScope() {
            w.painting_ = false;
            w.bufferCanvas_.VisibleRect = ToTRect(w.ClientRect());
        }
    };
    {
        const PaintScope scope{*this};
        painting_ = true;
        updateRect_ = ToTRect(area);
        bufferCanvas_.VisibleRect = updateRect_;
        gdi::Canvas& canvas = bufferCanvas_.Canvas();
        canvas.SelectClipRgn(nullptr);
        canvas.FillRect(updateRect_, gdi::SolidBrush(color_));
        if (OnPaint) OnPaint();
    }
    const gdi::Bitmap& rendered = bufferCanvas_.Bitmap();
    const size_t bytes = static_cast<size_t>(area.width()) * sizeof(uint32_t);
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(frame_.ScanLine(y) + area.left(), rendered.ScanLine(y) + area.left(), bytes);
}

void TMMWindow::paintEvent(QPaintEvent* event) {
    RenderPending();
    QPainter painter(viewport());
    const QImage& frame = PresentedFrame();
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), frame, r);
}

bool TMMWindow::viewportEvent(QEvent* event) {
    const bool result = QAbstractScrollArea::viewportEvent(event);
    if (event->type() == QEvent::Resize) ClientResized();
    return result;
}

void TMMWindow::ClientResized() {
    SizeImages();
    const int oldX = DeviceOffset(kHorizontal);
    const int oldY = DeviceOffset(kVertical);
    const RedrawOff off(*this);
    UpdateScrollRanges(false);
    if (fitMode_ == kFitNone) {
        ScrollTo(kHorizontal, oldX);
        ScrollTo(kVertical, oldY);
    } else {
        ApplyFit();
    }
}

// ---- invalidation and the presented frame

void TMMWindow::InvalidateRect(const TRect& r) {
    const QRect area = NormalizedQRect(r) & ClientRect();
    if (area.isEmpty()) return;
    pending_ += area;
    viewport()->update(area);
}

void TMMWindow::InvalidateAll() {
    pending_ = QRegion(ClientRect());
    viewport()->update();
}

void TMMWindow::ShowFeedback(const TRect& r) { viewport()->update(NormalizedQRect(r)); }

void TMMWindow::UpdateNow() {
    RenderPending();
    if (viewport()->isVisible()) viewport()->repaint();
}

// ---- mouse, wheel and keys

bool TMMWindow::HasMouseCapture() const { return QWidget::mouseGrabber() == viewport(); }

void TMMWindow::ReleaseMouseCapture() {
    if (HasMouseCapture()) viewport()->releaseMouse();
}

void TMMWindow::SetCursor(int32_t id) {
    cursorId_ = id;
    viewport()->setCursor(CursorOf(id));
}

TPoint TMMWindow::ClientToScreen(TPoint p) const {
    const QPoint s = viewport()->mapToGlobal(QPoint(p.x, p.y));
    return {s.x(), s.y()};
}

uint32_t TMMWindow::KeyboardShiftState() const { return CurrentShiftState(); }

int32_t TMMWindow::ScreenWidth() const {
    const QScreen* s = screen();
    return s ? s->geometry().width() : gdi::ScreenCaps().horzRes;
}

void TMMWindow::RunDragLoop(const std::function<bool(const TDragEvent&)>& handler) {
    RunWidgetDragLoop(viewport(), handler);
}

void TMMWindow::mousePressEvent(QMouseEvent* event) { MouseDown(event, 0); }

void TMMWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDblClick) OnDblClick();
    MouseDown(event, kDoubleClick);
}

void TMMWindow::MouseDown(QMouseEvent* event, uint32_t extraShift) {
    if (focusPolicy() & Qt::TabFocus) setFocus(Qt::MouseFocusReason);
    viewport()->grabMouse();
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    // A handler may run a drag of its own that takes the button's release
    // and gives the mouse back; the press has then ended.
    struct PressEnd {
        TMMWindow& w;
        ~PressEnd() {
            if (!w.HasMouseCapture()) {
                w.leftDown_ = false;
                w.autoScrollTimer_->Stop();
            }
        }
    } end{*this};
    const QPoint p = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(event->button(), ShiftStateOf(event->modifiers(), event->buttons()) | extraShift, p.x(), p.y());
}

void TMMWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
    if (leftDown_) CheckAutoScroll(p);
}

void TMMWindow::mouseReleaseEvent(QMouseEvent* event) {
    struct ReleaseEnd {
        TMMWindow& w;
        QMouseEvent* e;
        ~ReleaseEnd() {
            if (e->button() == Qt::LeftButton) {
                w.leftDown_ = false;
                w.autoScrollTimer_->Stop();
            }
            if (e->buttons() == Qt::NoButton) w.ReleaseMouseCapture();
        }
    } end{*this, event};
    const QPoint p = event->position().toPoint();
    if (OnMouseUp) OnMouseUp(event->button(), ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TMMWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    // Fine-grained wheels send parts of a notch; each whole notch counts once.
    wheelRest_ += delta;
    const uint32_t shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPoint p = event->position().toPoint();
    while (std::abs(wheelRest_) >= kWheelNotch) {
        const bool towardsUser = wheelRest_ < 0;
        wheelRest_ += towardsUser ? kWheelNotch : -kWheelNotch;
        if (event->modifiers() & Qt::ControlModifier) {
            SetZoom(towardsUser ? GetZoom() * 1.2 : GetZoom() / 1.2);
            continue;
        }
        const auto& handler = towardsUser ? OnMouseWheelDown : OnMouseWheelUp;
        if (handler && handler(shift, p)) continue;
        ScrollTo(kVertical, ScrollPosition(kVertical) + (towardsUser ? kLineStep : -kLineStep));
    }
}

void TMMWindow::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown) {
        OnKeyDown(*event);
    } else {
        event->ignore();
    }
}

void TMMWindow::keyReleaseEvent(QKeyEvent* event) {
    if (OnKeyUp) {
        OnKeyUp(*event);
    } else {
        event->ignore();
    }
}

// The view takes Tab and the arrow keys itself.
bool TMMWindow::focusNextPrevChild(bool) { return false; }

// ---- automatic scroll

void TMMWindow::SetAutoScrollTimer(std::unique_ptr<TViewTimer> timer) {
    autoScrollTimer_->Stop();
    autoScrollTimer_ = std::move(timer);
    autoScrollTimer_->OnTimeout = [this] { AutoScrollTick(); };
}

QRect TMMWindow::AutoScrollZone() const {
    return ClientRect().adjusted(kAutoScrollBorder, kAutoScrollBorder, -kAutoScrollBorder, -kAutoScrollBorder);
}

void TMMWindow::CheckAutoScroll(QPoint p) {
    if (!AutoScroll) {
        autoScrollTimer_->Stop();
        return;
    }
    const bool outside = !AutoScrollZone().contains(p);
    if (!autoScrollTimer_->IsActive()) {
        if (outside) autoScrollTimer_->Start(kAutoScrollInterval);
    } else if (!outside) {
        autoScrollTimer_->Stop();
    }
}

void TMMWindow::AutoScrollTick() {
    autoScrollTimer_->Stop();
    if (!AutoScroll) return;
    const QPoint p = CursorPosition();
    const QRect zone = AutoScrollZone();
    if (zone.contains(p)) return;
    if (OnBeforeAutoScroll) OnBeforeAutoScroll();
    if (p.x() < zone.left()) ScrollTo(kHorizontal, ScrollPosition(kHorizontal) - kLineStep);
    if (p.x() > zone.right()) ScrollTo(kHorizontal, ScrollPosition(kHorizontal) + kLineStep);
    if (p.y() < zone.top()) ScrollTo(kVertical, ScrollPosition(kVertical) - kLineStep);
    if (p.y() > zone.bottom()) ScrollTo(kVertical, ScrollPosition(kVertical) + kLineStep);
    UpdateNow();
    if (OnAfterAutoScroll) OnAfterAutoScroll();
    autoScrollTimer_->Start(kAutoScrollInterval);
}
