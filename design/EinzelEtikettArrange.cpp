// Arranging the selection of a design: aligning and distributing it by the
// code of the element-alignment dialog, moving and copying it between the
// rings of CD ring labels, and the right click that opens the context menu.
#include "design/EinzelEtikett.h"

#include "design/DesignDialogs.h"
#include "design/RingLabels.h"
#include "document/ChildBase.h"
#include "document/Etikett.h"
#include "document/MMWindowBase.h"
#include "figures/Figure.h"
#include "foundation/ElementAlignFlags.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace ElementAlign;

// One direction of the label: the drawn extents of figures along it and
// the label's length.
struct TAxis {
    double (TFigure::*low)() const;
    double (TFigure::*high)() const;
    double (TFigure::*size)() const;
    void (TFigure::*setLow)(double);
    void (TFigure::*setHigh)(double);
    double TFigure::*center;
    void (TFigure::*setCenter)(double);
    double length;
};

enum class TEdge { Low, Center, High };

double EdgeOf(const TFigure& f, const TAxis& axis, TEdge edge) {
    switch (edge) {
    case TEdge::Low: return (f.*axis.low)();
    case TEdge::Center: return f.*axis.center;
    case TEdge::High: return (f.*axis.high)();
    }
    return 0;
}

void SetEdge(TFigure& f, const TAxis& axis, TEdge edge, double value) {
    switch (edge) {
    case TEdge::Low: (f.*axis.setLow)(value); break;
    case TEdge::Center: (f.*axis.setCenter)(value); break;
    case TEdge::High: (f.*axis.setHigh)(value); break;
    }
}

// The value every selected figure's edge takes. Without a reference flag
// the label's edges (its centre line at 0); several reference flags: the
// selection before the last selected figure before the label.
double AlignReference(const TFigureList& selection, const TAxis& axis, TEdge edge, int32_t code) {
    double r = edge == TEdge::High ? axis.length : 0;
    if (code & kToLabel) r = edge == TEdge::Center ? axis.length / 2 : r;
    if (code & kToLastSelected) r = EdgeOf(*selection.Items(selection.Count() - 1), axis, edge);
    if (code & kToSelection) {
        double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
        for (const TFigure* f : selection) {
            low = std::min(low, (f->*axis.low)());
            high = std::max(high, (f->*axis.high)());
        }
        r = edge == TEdge::Low ? low : edge == TEdge::High ? high : (low + high) / 2;
    }
    return r;
}

void AlignAxis(const TFigureList& selection, const TAxis& axis, int32_t code, const int32_t (&flags)[3]) {
    constexpr TEdge kEdges[] = {TEdge::Low, TEdge::Center, TEdge::High};
    for (int k = 0; k < 3; ++k) {
        if (!(code & flags[k])) continue;
        const double r = AlignReference(selection, axis, kEdges[k], code);
        for (TFigure* f : selection) SetEdge(*f, axis, kEdges[k], r);
    }
}

// Distributes edges (or centres) evenly between the outermost two figures,
// or, for equal gaps, the space between the figures.
void DistributeAxis(const TFigureList& selection, const TAxis& axis, int32_t code, const int32_t (&flags)[4]) {
    const int32_t n = selection.Count();
    if (n < 2) return;
    for (int k = 0; k < 4; ++k) {
        if (!(code & flags[k])) continue;
        const bool gaps = k == 3;
        const TEdge edge = gaps ? TEdge::Center : static_cast<TEdge>(k);
        std::vector<TFigure*> sorted(selection.begin(), selection.end());
        std::stable_sort(sorted.begin(), sorted.end(), [&](const TFigure* a, const TFigure* b) {
            return EdgeOf(*a, axis, edge) < EdgeOf(*b, axis, edge);
        });
        TFigure& first = *sorted.front();
        TFigure& last = *sorted.back();
        if (code & kWholeLabel) {
            (first.*axis.setLow)(0);
            (last.*axis.setHigh)(axis.length);
        }
        if (gaps) {
            double total = 0;
            for (const TFigure* f : sorted) total += (f->*axis.size)();
            const double gap = ((last.*axis.high)() - (first.*axis.low)() - total) / (n - 1);
            for (size_t i = 1; i + 1 < sorted.size(); ++i)
                (sorted[i]->*axis.setLow)((sorted[i - 1]->*axis.high)() + gap);
        } else {
            const double start = EdgeOf(first, axis, edge);
            const double step = (EdgeOf(last, axis, edge) - start) / (n - 1);
            for (size_t i = 1; i + 1 < sorted.size(); ++i) SetEdge(*sorted[i], axis, edge, start + i * step);
        }
    }
}

TPoint RectCenter(const TRect& r) {
    return {static_cast<int32_t>((int64_t{r.left} + r.right) / 2),
            static_cast<int32_t>((int64_t{r.top} + r.bottom) / 2)};
}

}  // namespace

// ---- alignment

void TEinzelEtikett::AlignSelectionDialog() {
    if (SelectedFigures.Count() == 0) return;
    const auto& dialog = DesignDialogs().AlignElements;
    if (!dialog) return;
    int32_t code = 0;
    if (dialog(code, SelectedFigures.Count())) AlignSelection(code);
}

void TEinzelEtikett::AlignSelection(int32_t code) {
    if (!(code & kMoveFlags)) return;
    const TFloatPoint label = DisplayedLabelSize(owner_.GetEtikett());
    const TAxis horizontal{&TFigure::GetExtentLeft, &TFigure::GetExtentRight, &TFigure::GetExtentWidth,
                           &TFigure::SetExtentLeft, &TFigure::SetExtentRight, &TFigure::CenterX,
                           &TFigure::SetCenterX, label.X};
    const TAxis vertical{&TFigure::GetExtentTop, &TFigure::GetExtentBottom, &TFigure::GetExtentHeight,
                         &TFigure::SetExtentTop, &TFigure::SetExtentBottom, &TFigure::CenterY,
                         &TFigure::SetCenterY, label.Y};
    ChangeSelection("IDS_UNDOPOSITION", true, [&] {
        for (TFigure* f : SelectedFigures) f->Invalidate();
        AlignAxis(SelectedFigures, horizontal, code, {kLeft, kHCenter, kRight});
        AlignAxis(SelectedFigures, vertical, code, {kTop, kVCenter, kBottom});
        DistributeAxis(SelectedFigures, horizontal, code, {kSpreadLeft, kSpreadHCenter, kSpreadRight, kSpreadHGaps});
        DistributeAxis(SelectedFigures, vertical, code, {kSpreadTop, kSpreadVCenter, kSpreadBottom, kSpreadVGaps});
        for (TFigure* f : SelectedFigures) f->Invalidate();
    });
}

// ---- ring labels

int32_t TEinzelEtikett::RingAt(int32_t x, int32_t y) {
    const TEtikett& sheet = owner_.GetEtikett();
    const int32_t rings = RingCount(sheet);
    if (rings == 0) return 0;
    const TScaleCanvas& canvas = owner_.GetMMWindow()->GetScaleCanvas();
    const auto distance = [&](int32_t ring) {
        const TFloatPoint c = *RingCenter(sheet, ring);
        return std::hypot(static_cast<double>(canvas.MMToPixelX(c.X)) - x,
                          static_cast<double>(canvas.MMToPixelY(c.Y)) - y);
    };
    const double d1 = distance(kRingTop), d3 = distance(kRingBottom);
    if (rings == 2) return d1 >= d3 ? kRingBottom : kRingTop;
    const double d2 = distance(kRingMiddle);
    int32_t result = kRingTop;
    double nearest = d1;
    if (d1 >= d2) {
        result = kRingMiddle;
        nearest = d2;
    }
    return d3 <= nearest ? kRingBottom : result;
}

int32_t TEinzelEtikett::SelectionRing() {
    const TPoint center = RectCenter(GetSelectionPixelRect());
    return RingAt(center.x, center.y);
}

void TEinzelEtikett::MoveSelectionToRing(int32_t ring) {
    if (SelectedFigures.Count() == 0) return;
    const TEtikett& sheet = owner_.GetEtikett();
    const int32_t source = SelectionRing();
    const auto from = RingCenter(sheet, source);
    const auto to = RingCenter(sheet, ring);
    if (!from || !to || source == ring) return;
    MoveSelectionBy(static_cast<double>(to->X) - from->X, static_cast<double>(to->Y) - from->Y);
}

void TEinzelEtikett::CopySelectionToRing(int32_t ring) {
    if (SelectedFigures.Count() == 0) return;
    const int32_t source = SelectionRing();
    const TEtikett& sheet = owner_.GetEtikett();
    if (source == ring || !RingCenter(sheet, source) || !RingCenter(sheet, ring)) return;
    Duplicate();
    MoveSelectionToRing(ring);
}

// ---- the context menu

TEinzelEtikett::TContextMenuRequest TEinzelEtikett::ContextClick(int32_t x, int32_t y) {
    TContextMenuRequest request;
    if (HitTestSelected(x, y) >= 0) {
        request.Mode = 2;
    } else if (const int32_t index = HitTestFigures(x, y); index >= 0) {
        SelectOnly(index);
        request.Mode = 1;
    }
    request.ScreenPoint = owner_.GetMMWindow()->ClientToScreen({x, y});
    return request;
}

TEinzelEtikett::TContextMenuRequest TEinzelEtikett::ContextKey() {
    TContextMenuRequest request;
    TPoint point{0, 0};
    if (SelectedFigures.Count() > 0) {
        request.Mode = 2;
        point = RectCenter(GetSelectionPixelRect());
    }
    request.ScreenPoint = owner_.GetMMWindow()->ClientToScreen(point);
    return request;
}
