// Scroll bar: painting its buttons, track and thumb.
#include "treectl/header/McScrollBar.h"

#include "treectl/support/McGuiUtils.h"

#include "platform/gdi/Canvas.h"

#include <QtGui/QPaintEvent>

#include <memory>

using gdi::Rect;

void TCustomMcScrollBar::paintEvent(QPaintEvent* event) {
    buffer_.Paint(*this, *event, [this](gdi::Canvas& canvas) { Paint(canvas); });
}

Rect TCustomMcScrollBar::PartRect(int32_t from, int32_t to) const {
    if (Vertical()) return {0, from, width(), to};
    return {from, 0, to, height()};
}

void TCustomMcScrollBar::InvalidateTrack() {
    const TMcScrollGeometry g = Geometry();
    const int32_t bs = g.ButtonSize();
    const Rect r = PartRect(bs * g.StartButtonCount(), g.length - bs * g.EndButtonCount());
    repaint(QRect(r.left, r.top, r.Width(), r.Height()));
}

void TCustomMcScrollBar::FillTrack(gdi::Canvas& canvas, const Rect& r) {
    const bool systemIsFace = gdi::ResolveColor(clScrollBar) == gdi::ResolveColor(clBtnFace);
    if ((blendBackground_ && !systemBkColor_) || (systemBkColor_ && systemIsFace)) {
        gdi::Brush pattern;
        pattern.style = gdi::BrushStyle::Pattern;
        pattern.color = color_;
        pattern.pattern = std::make_shared<gdi::Bitmap>(blendPattern_);
        canvas.FillRect(r, pattern);
    } else {
        canvas.FillRect(r, gdi::SolidBrush(systemBkColor_ ? clScrollBar : color_));
    }
}

void TCustomMcScrollBar::FillButtonBack(gdi::Canvas& canvas, const Rect& r) {
    if (drawArrowFrames_) canvas.FillRect(r, gdi::SolidBrush(color_));
    else FillTrack(canvas, r);
}

bool TCustomMcScrollBar::PartRaised(TMcScrollBarPart part, bool canScroll) const {
    return !flat_ || (!scrollActive_ && mouseInside_ && !activeFlat_ && hotPart_ == part && (canScroll || noDisableButtons_));
}

// Asks OnDrawPart with OwnerDraw; true when the part's own drawing is to follow.
bool TCustomMcScrollBar::AskOwnerDraw(gdi::Canvas& canvas, const Rect& r, TMcScrollBarPart part, bool enabled,
                                      bool focused, bool pressed) {
    bool defaultDraw = true;
    if (ownerDraw_ && OnDrawPart) OnDrawPart(this, canvas, r, part, enabled, focused, pressed, defaultDraw);
    return defaultDraw;
}

namespace {

TMcArrowDirection Backward(bool vertical) { return vertical ? TMcArrowDirection::Up : TMcArrowDirection::Left; }
TMcArrowDirection Forward(bool vertical) { return vertical ? TMcArrowDirection::Down : TMcArrowDirection::Right; }

}  // namespace

void TCustomMcScrollBar::PaintButton(gdi::Canvas& canvas, const Rect& r, TMcScrollBarPart part, bool enabled,
                                     bool start) {
    FillButtonBack(canvas, r);
    const bool raised = PartRaised(part, enabled);
    const bool pressed = pressedPart_ == part && hotPart_ == part;
    if (!AskOwnerDraw(canvas, r, part, enabled, raised, pressed)) return;
    if (drawArrowFrames_) DrawButtonFrameEx(canvas, r, raised, thinFrames_, color_, pressed);
    const bool shown = enabled || noDisableButtons_;
    const gdi::Color arrow = raised ? arrowHotTrackColor_ : arrowColor_;
    const bool secondary = part == TMcScrollBarPart::sbpStartSecondary || part == TMcScrollBarPart::sbpEndSecondary;
    if (!secondary) {
        DrawArrow(canvas, start ? Backward(Vertical()) : Forward(Vertical()), r, arrow, shown);
        return;
    }
    if (secondBtnKind_ != TMcSecButtonsKind::sbkPage) {
        // One arrow the other way than its neighbour.
        DrawArrow(canvas, start ? Forward(Vertical()) : Backward(Vertical()), r, arrow, shown);
        return;
    }
    // Two arrows the way of the neighbour: a page at a time.
    const TMcArrowDirection direction = start ? Backward(Vertical()) : Forward(Vertical());
    const int32_t offsets[] = {start ? 1 : 2, start ? -2 : -1};
    for (const int32_t offset : offsets) {
        DrawArrow(canvas, direction, Vertical() ? r.Offset(0, offset) : r.Offset(offset, 0), arrow, shown);
    }
}

void TCustomMcScrollBar::PaintTrackPart(gdi::Canvas& canvas, const Rect& r, TMcScrollBarPart part) {
    const bool pressed = pressedPart_ == part && hotPart_ == part;
    if (!AskOwnerDraw(canvas, r, part, isEnabled(), hasFocus(), pressed)) return;
    if (pressed && changeColorsOnScroll_) canvas.FillRect(r, gdi::SolidBrush(DarkenColor()));
    else FillTrack(canvas, r);
}

void TCustomMcScrollBar::PaintThumb(gdi::Canvas& canvas, const Rect& r) {
    const bool raised = (hasFocus() && !activeFlat_) || !flat_ ||
                        (mouseInside_ && !activeFlat_ && hotPart_ == TMcScrollBarPart::sbpThumb && max_ >= min_ + 1 &&
                         page_ < int64_t{max_} - min_);
    const bool pressed = pressedPart_ == TMcScrollBarPart::sbpThumb;
    if (!AskOwnerDraw(canvas, r, TMcScrollBarPart::sbpThumb, isEnabled(), raised, pressed)) return;
    canvas.FillRect(r, gdi::SolidBrush(color_));
    const bool sunken = pressed && !noSunkenThumb_;
    if (drawFrames_) DrawButtonFrameEx(canvas, r, raised, thinFrames_, color_, sunken);
    const int32_t ts = Vertical() ? r.Height() : r.Width();
    if (!drawBars_ || ts <= 14) return;
    const int32_t o = static_cast<int32_t>(barOffset_) + (drawFrames_ ? 1 : 0);
    const int32_t s = raised && sunken ? 1 : 0;
    const int32_t cross = Vertical() ? width() : height();
    if (cross < 2 * o + 3) return;
    const int32_t middle = (Vertical() ? r.top : r.left) + ts / 2 + s;
    const gdi::Pen saved = canvas.pen();
    canvas.pen().color = barColor_;
    canvas.pen().style = gdi::PenStyle::Solid;
    canvas.pen().width = 1;
    for (const int32_t at : {middle - 3, middle - 1, middle + 1, middle + 3}) {
        if (Vertical()) {
            canvas.MoveTo(o + s, at);
            canvas.LineTo(cross - o + s, at);
        } else {
            canvas.MoveTo(at, o + s);
            canvas.LineTo(at, cross - o + s);
        }
    }
    canvas.SetPen(saved);
}

void TCustomMcScrollBar::Paint(gdi::Canvas& canvas) {
    const TMcScrollGeometry g = Geometry();
    const int32_t bs = g.ButtonSize(), length = g.length;
    int32_t start = 0, end = length;
    if (showLeftArrows_) {
        PaintButton(canvas, PartRect(0, bs), TMcScrollBarPart::sbpStartArrow, CanScrollBack(), true);
        start = bs;
    }
    if (showRightArrows_) {
        PaintButton(canvas, PartRect(length - bs, length), TMcScrollBarPart::sbpEndArrow, CanScrollForward(), false);
        end = length - bs;
    }
    if (secondaryButtons_) {
        const bool page = secondBtnKind_ == TMcSecButtonsKind::sbkPage, custom = secondBtnKind_ == TMcSecButtonsKind::sbkCustom;
        if (showLeftArrows_) {
            const bool enabled = (CanScrollForward() && !page) || (CanScrollBack() && page) || custom;
            PaintButton(canvas, PartRect(start, start + bs), TMcScrollBarPart::sbpStartSecondary, enabled, true);
            start += bs;
        }
        if (showRightArrows_) {
            const bool enabled = (CanScrollBack() && !page) || (CanScrollForward() && page) || custom;
            PaintButton(canvas, PartRect(end - bs, end), TMcScrollBarPart::sbpEndSecondary, enabled, false);
            end -= bs;
        }
    }
    const int32_t ts = g.ThumbSize();
    if (ts > 0 && isEnabled()) {
        PaintTrackPart(canvas, PartRect(start, thumbPos_), TMcScrollBarPart::sbpTrackBefore);
        PaintThumb(canvas, PartRect(thumbPos_, thumbPos_ + ts));
        PaintTrackPart(canvas, PartRect(thumbPos_ + ts, length - bs * g.EndButtonCount()), TMcScrollBarPart::sbpTrackAfter);
    } else {
        const Rect rest = PartRect(start, end);
        if (AskOwnerDraw(canvas, rest, TMcScrollBarPart::sbpNone, isEnabled(), hasFocus(), false)) FillTrack(canvas, rest);
    }
}
