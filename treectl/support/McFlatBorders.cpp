// Flat borders and flat scroll bars of McGuiUtils.h.
#include "treectl/support/McGuiUtils.h"

#include "treectl/support/McTools.h"

#include "foundation/Rounding.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/Edges.h"
#include "platform/system/SystemMetrics.h"

using gdi::Canvas;
using gdi::Color;
using gdi::Rect;

void DrawEdgeLines(Canvas& canvas, const Rect& r, Color topLeft, Rect& inner, uint32_t sides, Color bottomRight) {
    const gdi::Pen saved = canvas.pen();
    canvas.pen().style = gdi::PenStyle::Solid;
    canvas.pen().width = 1;
    canvas.pen().color = topLeft;
    auto line = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (sides & kEdgeLeft) line(r.left, r.top, r.left, r.bottom);
    if (sides & kEdgeTop) line(r.left, r.top, r.right, r.top);
    canvas.pen().color = bottomRight;
    if (sides & kEdgeRight) line(r.right - 1, r.top, r.right - 1, r.bottom);
    if (sides & kEdgeBottom) line(r.left, r.bottom - 1, r.right, r.bottom - 1);
    canvas.SetPen(saved);
    inner = {r.left + ((sides & kEdgeLeft) ? 1 : 0), r.top + ((sides & kEdgeTop) ? 1 : 0),
             r.right - ((sides & kEdgeRight) ? 1 : 0), r.bottom - ((sides & kEdgeBottom) ? 1 : 0)};
}

namespace {

const gdi::Brush& Face() {
    static const gdi::Brush b = gdi::SolidBrush(clBtnFace);
    return b;
}
const gdi::Brush& Window() {
    static const gdi::Brush b = gdi::SolidBrush(clWindow);
    return b;
}
const gdi::Brush& Shadow() {
    static const gdi::Brush b = gdi::SolidBrush(clBtnShadow);
    return b;
}

// ring (a, b): the four sides, a top-left and b bottom-right; returns the inside.
Rect Ring(Canvas& canvas, const Rect& r, Color topLeft, Color bottomRight) {
    Rect inner;
    DrawEdgeLines(canvas, r, topLeft, inner, kEdgeAll, bottomRight);
    return inner;
}

// Two rings in the background colour, then the outer ring again in the
// given colours: the frame of the flat types.
void BackgroundRings(Canvas& canvas, const Rect& r, Color color) {
    Ring(canvas, Ring(canvas, r, color, color), color, color);
}

void FlatRings(Canvas& canvas, const Rect& r, Color color) {
    BackgroundRings(canvas, r, color);
    Ring(canvas, r, clBtnShadow, clBtnHighlight);
}

// The edge with BF_RECT | BF_ADJUST; returns what is left inside it.
Rect Edge(Canvas& canvas, const Rect& r, uint32_t edge) {
    Rect a = r;
    gdi::DrawEdge(canvas, a, edge, gdi::BF_RECT | gdi::BF_ADJUST);
    return a;
}

void Fill(Canvas& canvas, const gdi::Brush& brush, int32_t l, int32_t t, int32_t r, int32_t b) {
    canvas.FillRect({l, t, r, b}, brush);
}
void Frame(Canvas& canvas, const gdi::Brush& brush, int32_t l, int32_t t, int32_t r, int32_t b) {
    canvas.FrameRect({l, t, r, b}, brush);
}

// The face colour just inside the edge: frames along the left and top
// (shortened by `shorter` at their far ends), fills along the right and bottom.
void FaceRing(Canvas& canvas, const Rect& a, int32_t shorter) {
    Frame(canvas, Face(), a.left, a.top, a.left + 1, a.bottom - shorter);
    Frame(canvas, Face(), a.left, a.top, a.right - shorter, a.top + 1);
    Fill(canvas, Face(), a.right - 1, a.top, a.right, a.bottom);
    Fill(canvas, Face(), a.left, a.bottom - 1, a.right, a.bottom);
}

void DrawShadowUnderBump(Canvas& canvas, const Rect& a) {
    Fill(canvas, Shadow(), a.left - 1, a.top - 1, a.left, a.bottom);
    Fill(canvas, Shadow(), a.left, a.top - 1, a.right, a.top);
    Fill(canvas, Shadow(), a.left - 2, a.bottom + 1, a.right + 2, a.bottom + 2);
}

}  // namespace

void DrawFlatFrame(Canvas& canvas, const Rect& r, Color color, TMcFlatBorderType borderType) {
    using enum TMcFlatBorderType;
    switch (borderType) {
    case fbtFlat: FlatRings(canvas, r, color); break;
    case fbtSunken: Edge(canvas, r, gdi::EDGE_SUNKEN); break;
    case fbtSunkenInner: {
        const Rect a = Edge(canvas, r, gdi::BDR_SUNKENINNER);
        FaceRing(canvas, a, 0);
        Fill(canvas, Face(), a.right, a.top - 1, a.right + 1, a.bottom + 1);
        Fill(canvas, Face(), a.left - 1, a.bottom, a.right + 1, a.bottom + 1);
        break;
    }
    case fbtSunkenOuter: {
        const Rect a = Edge(canvas, r, gdi::BDR_SUNKENOUTER);
        FaceRing(canvas, a, 1);
        Fill(canvas, Window(), a.right, a.top - 1, a.right + 1, a.bottom + 1);
        Fill(canvas, Window(), a.left - 1, a.bottom, a.right + 1, a.bottom + 1);
        break;
    }
    case fbtRaised: FlatRings(canvas, Edge(canvas, r, gdi::EDGE_RAISED), color); break;
    case fbtRaisedInner: FaceRing(canvas, Edge(canvas, r, gdi::BDR_RAISEDINNER), 0); break;
    case fbtRaisedOuter: {
        const Rect a = Edge(canvas, r, gdi::BDR_RAISEDOUTER);
        const int32_t L = a.left, T = a.top, R = a.right, B = a.bottom;
        Fill(canvas, Face(), L, T, L + 1, B);
        Fill(canvas, Face(), L, T, R, T + 1);
        Fill(canvas, Face(), R - 1, T, R, B);
        Fill(canvas, Face(), L, B - 1, R, B);
        Fill(canvas, Shadow(), R, T - 1, R + 1, B + 1);
        Fill(canvas, Shadow(), L - 1, B, R + 1, B + 1);
        break;
    }
    case fbtBump: DrawShadowUnderBump(canvas, Edge(canvas, r, gdi::EDGE_BUMP)); break;
    case fbtBigBump: {
        const Rect a = Edge(canvas, r, gdi::EDGE_BUMP);
        DrawShadowUnderBump(canvas, a);
        Fill(canvas, Window(), a.left - 2, a.top - 2, a.left - 1, a.bottom + 1);
        Fill(canvas, Window(), a.left - 2, a.top - 2, a.right + 1, a.top - 1);
        Fill(canvas, Window(), a.left - 2, a.bottom, a.right + 1, a.bottom + 1);
        break;
    }
    case fbtEtched: {
        const Rect a = Edge(canvas, r, gdi::EDGE_ETCHED);
        Fill(canvas, Face(), a.left - 1, a.top - 1, a.right, a.top);
        break;
    }
    case fbtFramed: {
        const Rect a = Edge(canvas, r, gdi::EDGE_BUMP);
        const int32_t L = a.left, T = a.top, R = a.right, B = a.bottom;
        Frame(canvas, Face(), L - 1, T, L, B);
        Frame(canvas, Face(), L - 2, T - 1, R + 1, T);
        Frame(canvas, Shadow(), R + 1, T - 2, R + 2, B + 2);
        Frame(canvas, Shadow(), L - 2, B + 1, R + 2, B + 2);
        break;
    }
    case fbtLine:
    case fbtLineBorder: {
        BackgroundRings(canvas, r, color);
        Rect unused;
        DrawEdgeLines(canvas, r, clWindowFrame, unused, borderType == fbtLine ? kEdgeBottom : kEdgeAll, clWindowFrame);
        break;
    }
    case fbtNone: BackgroundRings(canvas, r, color); break;
    }
}

// ---- flat scroll bars

TMcFlatThumb FlatScrollThumb(int32_t barLength, int32_t buttonLength, const TMcScrollInfo& info, bool tracking,
                             bool isControlBar) {
    const int64_t range = int64_t{info.max} - info.min + 1;
    const int32_t track = barLength - 2 * buttonLength;
    if (range <= 0 || range > INT32_MAX || track <= 0) return {};
    const int32_t n = static_cast<int32_t>(range);
    const int32_t minimum = OsFlags().IsWin98Up ? buttonLength / 2 : 8;
    int32_t thumb = info.page == 0 ? sys::GetSystemMetrics(sys::SM_CXHTHUMB) : Max(MulDiv(info.page, track, n), minimum);
    if (thumb >= track) {
        if (!isControlBar) return {};
        return {buttonLength, track};
    }
    if (info.page == n) return {buttonLength, thumb - 1};
    const int32_t position = tracking ? info.trackPos : info.pos;
    const int32_t offset = MulDiv(position - info.min, track - thumb, n - info.page);
    return {buttonLength + offset, thumb};
}

namespace {

Rect Along(const Rect& bar, bool vertical, int32_t start, int32_t length) {
    if (vertical) return {bar.left, bar.top + start, bar.right, bar.top + start + length};
    return {bar.left + start, bar.top, bar.left + start + length, bar.bottom};
}

}  // namespace

void DrawFlatScrollBar(Canvas& canvas, const Rect& bar, bool raised, bool tracking, bool isControlBar, bool vertical,
                       const TMcScrollInfo& info, bool enabled) {
    const int32_t length = vertical ? bar.Height() : bar.Width();
    int32_t button = sys::GetSystemMetrics(vertical ? sys::SM_CYVSCROLL : sys::SM_CXHSCROLL);
    if (length < 2 * button) button = length / 2;
    if (!tracking) {
        DrawScrollPartFrame(canvas, Along(bar, vertical, 0, button), raised);
        DrawScrollPartFrame(canvas, Along(bar, vertical, length - button, button), raised);
    }
    if (isControlBar && !enabled) return;
    const TMcFlatThumb thumb = FlatScrollThumb(length, button, info, tracking, isControlBar);
    if (thumb.length > 0) DrawScrollPartFrame(canvas, Along(bar, vertical, thumb.start, thumb.length), raised);
}

void DrawFlatScrollBars(Canvas& canvas, const TMcScrollingWindow& w, bool isControlBar, bool vertTracking,
                        bool horzTracking, int32_t barKinds, bool raised) {
    if (barKinds == 0) return;
    const int32_t edge = w.bordered ? sys::GetSystemMetrics(sys::SM_CXEDGE) : 0;
    const int32_t horzSize = sys::GetSystemMetrics(sys::SM_CYHSCROLL);
    const int32_t vertSize = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
    const bool horz = w.hasHorzBar && w.window.bottom - edge - w.client.bottom >= horzSize;
    const bool vert = w.hasVertBar && w.window.right - edge - w.client.right >= vertSize;
    const int32_t right = w.window.right - edge, bottom = w.window.bottom - edge;
    if (horz && (barKinds & 1)) {
        const Rect bar{w.window.left + edge, bottom - horzSize, vert ? right - vertSize : right, bottom};
        DrawFlatScrollBar(canvas, bar, raised, horzTracking, isControlBar, false, w.horz, w.enabled);
    }
    if (vert && (barKinds & 2)) {
        const Rect bar{right - vertSize, w.window.top + edge, right, horz ? bottom - horzSize : bottom};
        DrawFlatScrollBar(canvas, bar, raised, vertTracking, isControlBar, true, w.vert, w.enabled);
    }
}
