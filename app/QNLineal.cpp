#include "app/QNLineal.h"

#include "foundation/Rounding.h"

#include <QtGui/QCursor>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kInchesPerDecimetreFactor = 2.54;  // a decimetre's pixels times this: 10 inches
constexpr double kFineScale = 200;                  // above this many pixels: a tick per unit
constexpr double kMinMajorStep = 2;
// The start is found by stepping back from StartNull; farther than this it jumps.
constexpr double kMaxStepsBack = 10000;
constexpr gdi::Color kEdgeColor = gdi::Rgb(0x80, 0x80, 0x80);

}  // namespace

TRulerScale ComputeRulerScale(double pixPerdm, int32_t startNull, bool showInch, int32_t length) {
    TRulerScale scale;
    const double p = showInch ? pixPerdm * kInchesPerDecimetreFactor : pixPerdm;
    const int q = p > kFineScale ? 10 : 2;
    const double step = p / q;
    if (!std::isfinite(step) || step < kMinMajorStep) return scale;
    scale.majorStep = step;
    const int labelStep = 10 / q;

    double v = startNull;
    int64_t label = 0;
    if (v / step > kMaxStepsBack) {
        const double skip = std::floor(v / step) - 1;
        v -= skip * step;
        label -= static_cast<int64_t>(skip) * labelStep;
    }
    while (v > 0) {
        v -= step;
        label -= labelStep;
    }
    const int32_t c0 = Round(v);
    // Ticks far left of the ruler are skipped, not walked.
    const int64_t first = std::max<int64_t>(0, static_cast<int64_t>(std::floor(-c0 / step)) - 1);
    for (int64_t k = first;; ++k) {
        const int32_t c = Round(k * p / q + c0);
        if (c >= length) break;
        scale.majorTicks.push_back(c);
        for (int i = 1; i <= 3; ++i) {
            const int32_t minor = Round(i * p / (4 * q) + c);
            if (minor < length) scale.minorTicks.push_back(minor);
        }
    }
    for (int64_t k = first;; ++k) {
        const int32_t at = k == 0 ? c0 : Trunc(k * p / q + c0);
        if (at >= length) break;
        scale.labels.push_back({at, static_cast<int32_t>(label + k * labelStep)});
    }
    return scale;
}

TQNLineal::TQNLineal(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(30, 30);
    frame_.OnTouched = [this](const gdi::Rect& r) { update(r.left, r.top, r.Width(), r.Height()); };
}

void TQNLineal::SetPixPerdm(double value) {
    pixPerdm_ = value;
    Invalidate();
}

void TQNLineal::SetStartNull(int32_t value) {
    startNull_ = value;
    Invalidate();
}

void TQNLineal::SetOrientation(TLinealOrientation value) {
    orientation_ = value;
    Invalidate();
}

void TQNLineal::SetShowInch(bool value) {
    HideCursorMark();
    showInch_ = value;
    Invalidate();
    RenderIfNeeded();
    UpdateCursorMark();
}

void TQNLineal::Invalidate() {
    dirty_ = true;
    update();
}

void TQNLineal::RenderIfNeeded() {
    const int w = std::max(1, width());
    const int h = std::max(1, height());
    if (frame_.bitmap().Width() != w || frame_.bitmap().Height() != h) {
        frame_.SetSize(w, h);
        dirty_ = true;
    }
    if (!dirty_) return;
    dirty_ = false;
    PaintScale();
}

const QImage& TQNLineal::PresentedFrame() {
    RenderIfNeeded();
    return frame_.bitmap().image();
}

void TQNLineal::paintEvent(QPaintEvent* event) {
    RenderIfNeeded();
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), frame_.bitmap().image(), r);
}

void TQNLineal::resizeEvent(QResizeEvent*) {
    mark_.reset();
    Invalidate();
    UpdateCursorMark();
}

void TQNLineal::mouseDoubleClickEvent(QMouseEvent*) {
    if (OnDblClick) OnDblClick();
}

// ---- the scale

void TQNLineal::PaintScale() {
    mark_.reset();
    const int32_t length = Horizontal() ? width() : height();
    const int32_t cross = Horizontal() ? height() : width();
    gdi::Canvas& c = frame_;
    c.SetROP2(gdi::Rop2::CopyPen);
    c.FillRect({-1, -1, width(), height()}, gdi::SolidBrush(gdi::SysColor(gdi::COLOR_BTNFACE)));
    const TRulerScale scale = ComputeRulerScale(pixPerdm_, startNull_, showInch_, length);
    PaintTicks(scale, cross);
    PaintLabels(scale);
    PaintEdges();
}

void TQNLineal::PaintTicks(const TRulerScale& scale, int32_t cross) {
    gdi::Canvas& c = frame_;
    c.pen() = gdi::Pen{};
    c.pen().color = gdi::SysColor(gdi::COLOR_BTNSHADOW);
    auto tick = [&](int32_t at, int32_t from) {
        if (Horizontal()) {
            c.MoveTo(at, from);
            c.LineTo(at, cross);
        } else {
            c.MoveTo(from, at);
            c.LineTo(cross, at);
        }
    };
    for (const int32_t at : scale.majorTicks) tick(at, cross / 2);
    for (const int32_t at : scale.minorTicks) tick(at, 3 * cross / 4);
}

void TQNLineal::PaintLabels(const TRulerScale& scale) {
    gdi::Canvas& c = frame_;
    gdi::LogFont font;
    font.faceName = "MS Sans Serif";
    font.height = -MulDiv64(8, c.Caps().logPixelsY, 72);
    c.SetFont(font);
    c.SetTextColor(gdi::SysColor(gdi::COLOR_BTNTEXT));
    c.SetBkMode(gdi::BkMode::Transparent);
    c.SetTextAlign(Horizontal() ? gdi::TA_CENTER | gdi::TA_TOP : gdi::TA_LEFT | gdi::TA_BOTTOM);
    for (const TRulerScale::Label& label : scale.labels) {
        const std::u16string text = QString::number(label.value).toStdU16String();
        if (Horizontal()) {
            c.TextOut(label.position, 3, text);
        } else {
            c.TextOut(3, label.position, text);
        }
    }
}

void TQNLineal::PaintEdges() {
    gdi::Canvas& c = frame_;
    c.pen().color = kEdgeColor;
    const int32_t w = width();
    const int32_t h = height();
    if (Horizontal()) {
        c.MoveTo(w, h - 1);
        c.LineTo(h - 2, h - 1);
    } else {
        c.MoveTo(w - 1, 0);
        c.LineTo(w - 1, h);
        c.MoveTo(0, h - 1);
        c.LineTo(w, h - 1);
    }
    c.pen().color = gdi::Rgb(0, 0, 0);
    c.brush().style = gdi::BrushStyle::Solid;
}

// ---- the mark

int32_t TQNLineal::SnapToRaster(int32_t a) const {
    if (!Rasten || RasterWeite == 0) return a;
    const double step = RasterWeite * pixPerdm_ / 100;
    if (step == 0 || !std::isfinite(step)) return a;
    return Round(Round((a - startNull_) / step) * step + startNull_);
}

void TQNLineal::DrawMark(int32_t at) {
    gdi::Canvas& c = frame_;
    if (Horizontal()) {
        c.MoveTo(at, 0);
        c.LineTo(at, height());
    } else {
        c.MoveTo(0, at);
        c.LineTo(width(), at);
    }
}

void TQNLineal::UpdateCursorMark() { UpdateCursorMarkAt(mapFromGlobal(QCursor::pos())); }

void TQNLineal::UpdateCursorMarkAt(QPoint p) {
    RenderIfNeeded();
    gdi::Canvas& c = frame_;
    c.pen() = gdi::Pen{};
    c.SetROP2(gdi::Rop2::Not);
    if (mark_) DrawMark(*mark_);
    mark_ = SnapToRaster(Horizontal() ? p.x() : p.y());
    DrawMark(*mark_);
    c.SetROP2(gdi::Rop2::CopyPen);
}

void TQNLineal::HideCursorMark() {
    if (!mark_) return;
    gdi::Canvas& c = frame_;
    c.SetROP2(gdi::Rop2::Not);
    DrawMark(*mark_);
    c.SetROP2(gdi::Rop2::CopyPen);
    mark_.reset();
}
