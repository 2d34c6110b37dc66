#include "platform/gdi/FrameControl.h"

#include "platform/gdi/Canvas.h"
#include "platform/gdi/Edges.h"

#include <algorithm>
#include <memory>

namespace gdi {
namespace {

// The classic 7 x 7 check mark, one string per row.
constexpr const char* kCheckMark[7] = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};

void DrawCheckMark(Canvas& canvas, const Rect& box, Color color) {
    const int32_t left = box.left + (box.Width() - 7) / 2, top = box.top + (box.Height() - 7) / 2;
    const Brush brush = SolidBrush(color);
    for (int32_t row = 0; row < 7; ++row) {
        for (int32_t col = 0; col < 7;) {
            if (kCheckMark[row][col] != '#') {
                ++col;
                continue;
            }
            int32_t end = col;
            while (end < 7 && kCheckMark[row][end] == '#') ++end;
            canvas.FillRect({left + col, top + row, left + end, top + row + 1}, brush);
            col = end;
        }
    }
}

void DrawCheckBox(Canvas& canvas, const Rect& rect, uint32_t state) {
    const bool inactive = state & DFCS_INACTIVE, checked = state & DFCS_CHECKED;
    const bool grayed = (state & DFCS_BUTTON3STATE) && checked;
    Rect inside = rect;
    DrawEdge(canvas, inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    canvas.FillRect(inside, SolidBrush(SysColor(inactive || grayed ? COLOR_BTNFACE : COLOR_WINDOW)));
    if (checked) DrawCheckMark(canvas, inside, SysColor(inactive || grayed ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
}

void DrawRadioButton(Canvas& canvas, const Rect& rect, uint32_t state) {
    const int32_t size = std::min(rect.Width(), rect.Height());
    const Rect box{rect.left, rect.top, rect.left + size, rect.top + size};
    const Pen savedPen = canvas.pen();
    const Brush savedBrush = canvas.brush();
    canvas.SetBrush(SolidBrush(SysColor(state & DFCS_INACTIVE ? COLOR_BTNFACE : COLOR_WINDOW)));
    canvas.SetPen(Pen{PenStyle::Null});
    canvas.Ellipse(box.left, box.top, box.right + 1, box.bottom + 1);
    // Upper-left arcs in the shadows, lower-right arcs in the lights.
    auto arcs = [&](const Rect& r, Color upper, Color lower) {
        canvas.SetPen(Pen{PenStyle::Solid, 1, upper});
        canvas.Arc(r.left, r.top, r.right, r.bottom, r.right, r.top, r.left, r.bottom);
        canvas.SetPen(Pen{PenStyle::Solid, 1, lower});
        canvas.Arc(r.left, r.top, r.right, r.bottom, r.left, r.bottom, r.right, r.top);
    };
    arcs(box, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
    arcs(box.Inflated(-1, -1), SysColor(COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT));
    if (state & DFCS_CHECKED) {
        const Color dot = SysColor(state & DFCS_INACTIVE ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
        canvas.SetBrush(SolidBrush(dot));
        canvas.SetPen(Pen{PenStyle::Null});
        const int32_t c = size / 2, r = std::max(size / 6, 2);
        canvas.Ellipse(box.left + c - r, box.top + c - r, box.left + c + r + 1, box.top + c + r + 1);
    }
    canvas.SetPen(savedPen);
    canvas.SetBrush(savedBrush);
}

const Brush& FocusPattern() {
    static const Brush brush = [] {
        auto pattern = std::make_shared<Bitmap>(8, 8);
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 0; x < 8; ++x) pattern->SetPixel(x, y, (x + y) % 2 == 0 ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
        }
        return Brush{BrushStyle::Pattern, Rgb(0, 0, 0), HatchStyle::Horizontal, pattern};
    }();
    return brush;
}

}  // namespace

bool DrawFrameControl(Canvas& canvas, const Rect& rect, uint32_t type, uint32_t state) {
    if (type != DFC_BUTTON || rect.IsEmpty()) return false;
    if (state & DFCS_BUTTONRADIO) DrawRadioButton(canvas, rect, state);
    else DrawCheckBox(canvas, rect, state);
    return true;
}

void DrawFocusRect(Canvas& canvas, const Rect& rect) {
    if (rect.IsEmpty()) return;
    const Brush saved = canvas.brush();
    const Point origin = canvas.SetBrushOrg({0, 0});
    canvas.SetBrush(FocusPattern());
    canvas.PatBlt({rect.left, rect.top, rect.right, rect.top + 1}, PATINVERT);
    if (rect.Height() > 1) canvas.PatBlt({rect.left, rect.bottom - 1, rect.right, rect.bottom}, PATINVERT);
    if (rect.Height() > 2) {
        canvas.PatBlt({rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, PATINVERT);
        if (rect.Width() > 1) canvas.PatBlt({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, PATINVERT);
    }
    canvas.SetBrush(saved);
    canvas.SetBrushOrg(origin);
}

}  // namespace gdi
