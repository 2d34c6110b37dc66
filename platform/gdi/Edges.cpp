#include "platform/gdi/Edges.h"

#include "platform/gdi/Canvas.h"

namespace gdi {
namespace {

struct RingColors {
    Color topLeft, bottomRight;
};

RingColors OuterColors(uint32_t edge, uint32_t flags) {
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDOUTER) {
        return {SysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT), SysColor(COLOR_3DDKSHADOW)};
    }
    return {SysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT)};
}

RingColors InnerColors(uint32_t edge, uint32_t flags) {
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDINNER) return {SysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW)};
    return {SysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT)};
}

// One ring of each kind at most: a ring that names both raised and sunken is none.
bool HasRing(uint32_t edge, uint32_t raised, uint32_t sunken) {
    return ((edge & raised) != 0) != ((edge & sunken) != 0);
}

Rect Shrunk(const Rect& r, uint32_t sides) {
    return {r.left + ((sides & BF_LEFT) ? 1 : 0), r.top + ((sides & BF_TOP) ? 1 : 0),
            r.right - ((sides & BF_RIGHT) ? 1 : 0), r.bottom - ((sides & BF_BOTTOM) ? 1 : 0)};
}

}  // namespace

void DrawEdgeRing(Canvas& canvas, const Rect& r, uint32_t sides, Color topLeft, Color bottomRight) {
    if (r.IsEmpty()) return;
    const Brush first = SolidBrush(topLeft), second = SolidBrush(bottomRight);
    if (sides & BF_LEFT) canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, first);
    if (sides & BF_TOP) canvas.FillRect({r.left, r.top, r.right, r.top + 1}, first);
    if (sides & BF_RIGHT) canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, second);
    if (sides & BF_BOTTOM) canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, second);
}

bool DrawEdge(Canvas& canvas, Rect& rect, uint32_t edge, uint32_t flags) {
    const bool outer = HasRing(edge, BDR_RAISEDOUTER, BDR_SUNKENOUTER);
    const bool inner = HasRing(edge, BDR_RAISEDINNER, BDR_SUNKENINNER);
    if (!outer && !inner) return false;
    const uint32_t sides = flags & BF_RECT;
    Rect r = rect;
    if (outer) {
        RingColors c = OuterColors(edge, flags);
        if (flags & BF_MONO) c = {SysColor(COLOR_WINDOWFRAME), SysColor(COLOR_WINDOWFRAME)};
        else if (flags & BF_FLAT) c = {SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNSHADOW)};
        DrawEdgeRing(canvas, r, sides, c.topLeft, c.bottomRight);
        r = Shrunk(r, sides);
    }
    if (inner) {
        RingColors c = InnerColors(edge, flags);
        if (flags & BF_MONO) c = {SysColor(COLOR_WINDOW), SysColor(COLOR_WINDOW)};
        else if (flags & BF_FLAT) c = {SysColor(COLOR_BTNFACE), SysColor(COLOR_BTNFACE)};
        DrawEdgeRing(canvas, r, sides, c.topLeft, c.bottomRight);
        r = Shrunk(r, sides);
    }
    if ((flags & BF_MIDDLE) && !r.IsEmpty()) {
        canvas.FillRect(r, SolidBrush(SysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE)));
    }
    if (flags & BF_ADJUST) rect = r;
    return true;
}

}  // namespace gdi
