#pragma once
// The pixels of the box shapes (rectangle, ellipse, rounded rectangle, pie,
// chord) on a rectangle of whole pixels, row by row. The shape runs on the
// rectangle from (left, top) to (right, bottom): a pixel belongs to it when
// its centre lies inside the outline or on it. The ellipse touches the
// rectangle's sides in their middles; a rounded rectangle's corners are
// quarters of the ellipse of the corner size; pie and chord cut the ellipse
// at the radials through two points. The rule is symmetric, so a shape is as
// wide on the left as on the right, and evaluated exactly for the ellipse,
// the rectangle and the rounded rectangle. Internal to the drawing layer.

#include "platform/gdi/Canvas.h"
#include "platform/gdi/Spans.h"

#include <QtCore/QPointF>

namespace gdi {

class ShapeSpans {
public:
    // a, b: the points that fix the radials (pie, chord), device units;
    // corner: the rounded corners' size; clockwise: the arc of pie and chord
    // runs clockwise (a mirroring map).
    ShapeSpans(Canvas::Shape shape, const Rect& outline, QPointF a = {}, QPointF b = {}, Size corner = {},
               bool clockwise = false);

    // The rows that may hold pixels: Top() .. Bottom()-1.
    int32_t Top() const { return outline_.top; }
    int32_t Bottom() const { return outline_.bottom; }
    // The spans of row y.
    void Row(int32_t y, SpanList& out) const;
    // The rule itself, pixel by pixel.
    bool Contains(int32_t x, int32_t y) const;
    // The pixels left..right-1 of row y of the shape before pie and chord
    // cut it (one span, as the shape is convex); false when there are none.
    bool BaseRow(int32_t y, int32_t& left, int32_t& right) const;

private:
    // Twice the offset of a pixel's centre from the rectangle's centre.
    int64_t U(int32_t x) const { return 2 * int64_t{x} + 1 - 2 * int64_t{outline_.left} - w_; }
    int64_t V(int32_t y) const { return 2 * int64_t{y} + 1 - 2 * int64_t{outline_.top} - h_; }
    bool BaseContains(int64_t u, int64_t v) const;
    bool CutsContain(int64_t u, int64_t v) const;
    // A straight cut: a·u + b·v + c >= 0, in doubled units from the centre.
    struct Cut {
        double a, b, c;
        bool Keeps(int64_t u, int64_t v) const { return a * static_cast<double>(u) + b * static_cast<double>(v) + c >= 0; }
    };
    // Appends the part of left..right-1 that the cut keeps.
    void KeptPart(const Cut& cut, int64_t v, int32_t left, int32_t right, int32_t& from, int32_t& to) const;

    enum class Base { Rectangle, Ellipse, RoundRect };
    enum class Cuts { None, One, Both, Either };
    Rect outline_;
    int64_t w_, h_;    // the rectangle's size
    bool small_;       // small enough for the ellipse's products to fit 64 bits
    int64_t rx2_, ry2_;  // a rounded rectangle's corner size (twice the radii)
    Base base_;
    Cuts cuts_ = Cuts::None;
    Cut first_{}, second_{};
};

}  // namespace gdi
