#include "platform/gdi/ShapeSpans.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace gdi {

namespace {

using Wide = __int128;

// The smallest x in lo..hi-1 for which the monotone (false, then true)
// predicate holds, or hi; looked for next to the guess first.
template <typename Pred>
int64_t FirstTrue(int64_t lo, int64_t hi, double guess, Pred holds) {
    if (lo >= hi) return hi;
    const int64_t g = guess != guess ? lo : static_cast<int64_t>(std::clamp(guess, double(lo), double(hi)));
    int64_t a = lo, b = hi;  // the answer lies in a..b
    if (g < hi) {
        if (holds(g)) {
            if (g == lo || !holds(g - 1)) return g;
            b = g - 1;
        } else {
            if (g + 1 == hi || holds(g + 1)) return g + 1;
            a = g + 2;
        }
    }
    while (a < b) {
        const int64_t mid = a + (b - a) / 2;
        if (holds(mid)) {
            b = mid;
        } else {
            a = mid + 1;
        }
    }
    return a;
}

// ceil(v / 2)
int64_t CeilHalf(int64_t v) { return v >= 0 ? (v + 1) / 2 : -((-v) / 2); }

// The radial through p as an angle in radians on the unit circle that the
// ellipse of r is a scaled copy of (counter-clockwise, y up).
double RadialAngle(const Rect& r, QPointF p) {
    const double cx = r.left + (static_cast<double>(r.right) - r.left) / 2;
    const double cy = r.top + (static_cast<double>(r.bottom) - r.top) / 2;
    const double rx = std::max((static_cast<double>(r.right) - r.left) / 2, 1e-9);
    const double ry = std::max((static_cast<double>(r.bottom) - r.top) / 2, 1e-9);
    const double dx = (p.x() - cx) / rx, dy = -(p.y() - cy) / ry;
    return dx == 0 && dy == 0 ? 0 : std::atan2(dy, dx);
}

}  // namespace

ShapeSpans::ShapeSpans(Canvas::Shape shape, const Rect& outline, QPointF a, QPointF b, Size corner, bool clockwise)
    : outline_(outline.Normalized()) {
    w_ = int64_t{outline_.right} - outline_.left;
    h_ = int64_t{outline_.bottom} - outline_.top;
    small_ = w_ < (1 << 15) && h_ < (1 << 15);
    rx2_ = std::min<int64_t>(std::abs(int64_t{corner.cx}), w_);
    ry2_ = std::min<int64_t>(std::abs(int64_t{corner.cy}), h_);
    switch (shape) {
    case Canvas::Shape::Rectangle: base_ = Base::Rectangle; break;
    case Canvas::Shape::RoundRect: base_ = rx2_ > 0 && ry2_ > 0 ? Base::RoundRect : Base::Rectangle; break;
    default: base_ = Base::Ellipse; break;
    }
    if (shape != Canvas::Shape::Pie && shape != Canvas::Shape::Chord) return;

    // The arc runs counter-clockwise from s by the sweep (0, 2π].
    constexpr double kTurn = 2 * std::numbers::pi;
    double s = RadialAngle(outline_, a), e = RadialAngle(outline_, b);
    if (clockwise) std::swap(s, e);
    double sweep = std::fmod(e - s, kTurn);
    if (sweep <= 1e-9 * kTurn / 360) sweep += kTurn;
    if (sweep >= kTurn) return;  // the whole ellipse
    const double sx = std::cos(s), sy = std::sin(s), ex = std::cos(s + sweep), ey = std::sin(s + sweep);
    // On the unit circle a pixel sits at q = (u / w, -v / h); the cuts are
    // kept in that form multiplied by w·h.
    const double w = static_cast<double>(w_), h = static_cast<double>(h_);
    if (shape == Canvas::Shape::Pie) {
        first_ = {-sy * h, -sx * w, 0};   // q counter-clockwise of the start radial
        second_ = {ey * h, ex * w, 0};    // q clockwise of the end radial
        cuts_ = sweep <= std::numbers::pi ? Cuts::Both : Cuts::Either;
    } else {
        // q on the arc's side of the chord from the start to the end point.
        const double dx = ex - sx, dy = ey - sy;
        first_ = {dy * h, dx * w, w * h * (dx * sy - dy * sx)};
        cuts_ = Cuts::One;
    }
}

bool ShapeSpans::BaseContains(int64_t u, int64_t v) const {
    const int64_t au = std::abs(u), av = std::abs(v);
    if (au > w_ || av > h_) return false;
    switch (base_) {
    case Base::Rectangle: return true;
    case Base::Ellipse:
        if (small_) return au * au * h_ * h_ + av * av * w_ * w_ <= w_ * w_ * h_ * h_;
        return Wide{au} * au * h_ * h_ + Wide{av} * av * w_ * w_ <= Wide{w_} * w_ * h_ * h_;
    case Base::RoundRect: {
        const int64_t du = au - (w_ - rx2_), dv = av - (h_ - ry2_);
        if (du <= 0 || dv <= 0) return true;
        return Wide{du} * du * ry2_ * ry2_ + Wide{dv} * dv * rx2_ * rx2_ <= Wide{rx2_} * rx2_ * ry2_ * ry2_;
    }
    }
    return false;
}

bool ShapeSpans::CutsContain(int64_t u, int64_t v) const {
    switch (cuts_) {
    case Cuts::None: return true;
    case Cuts::One: return first_.Keeps(u, v);
    case Cuts::Both: return first_.Keeps(u, v) && second_.Keeps(u, v);
    case Cuts::Either: return first_.Keeps(u, v) || second_.Keeps(u, v);
    }
    return true;
}

bool ShapeSpans::Contains(int32_t x, int32_t y) const {
    return x >= outline_.left && x < outline_.right && y >= outline_.top && y < outline_.bottom &&
           BaseContains(U(x), V(y)) && CutsContain(U(x), V(y));
}

bool ShapeSpans::BaseRow(int32_t y, int32_t& left, int32_t& right) const {
    if (y < outline_.top || y >= outline_.bottom) return false;
    const int64_t v = V(y);
    if (std::abs(v) > h_) return false;
    const int64_t twiceCentre = 2 * int64_t{outline_.left} + w_;
    if (base_ == Base::Ellipse && small_) {
        // The largest u of the row's parity with u²h² <= w²(h² - v²).
        const int64_t k = w_ * w_ * (h_ * h_ - v * v);
        if (k < 0 || h_ == 0) return false;
        int64_t u = static_cast<int64_t>(std::sqrt(static_cast<double>(k)) / static_cast<double>(h_));
        while (u > 0 && u * u * h_ * h_ > k) --u;
        while ((u + 1) * (u + 1) * h_ * h_ <= k) ++u;
        if ((u + twiceCentre + 1) % 2 != 0) --u;  // u = 2x + 1 - twiceCentre
        if (u < 0) return false;
        right = static_cast<int32_t>((u + 1 + twiceCentre) / 2);
        left = static_cast<int32_t>(twiceCentre - right);
        return true;
    }
    // The widest |u| of the row, as a first guess.
    const double w = static_cast<double>(w_), h = static_cast<double>(h_), av = static_cast<double>(std::abs(v));
    double reach = w;
    if (base_ == Base::Ellipse && h_ > 0) {
        reach = w * std::sqrt(std::max(0.0, 1 - (av / h) * (av / h)));
    } else if (base_ == Base::RoundRect && av > h - static_cast<double>(ry2_)) {
        const double rx = static_cast<double>(rx2_), ry = static_cast<double>(ry2_);
        const double dv = (av - (h - ry)) / ry;
        reach = (w - rx) + rx * std::sqrt(std::max(0.0, 1 - dv * dv));
    }
    // The right half (u >= 0) ends where the shape ends; the left half mirrors it.
    const int64_t mid = CeilHalf(twiceCentre - 1);
    const int64_t end = FirstTrue(mid, outline_.right, std::floor((reach - 1 + static_cast<double>(twiceCentre)) / 2) + 1,
                                  [&](int64_t x) { return !BaseContains(U(static_cast<int32_t>(x)), v); });
    if (end <= mid) return false;
    right = static_cast<int32_t>(end);
    left = static_cast<int32_t>(twiceCentre - end);
    return true;
}

void ShapeSpans::KeptPart(const Cut& cut, int64_t v, int32_t left, int32_t right, int32_t& from, int32_t& to) const {
    from = left;
    to = right;
    const double rest = cut.b * static_cast<double>(v) + cut.c;
    if (cut.a == 0) {
        if (rest < 0) to = from;
        return;
    }
    // Where a·u + rest crosses 0, as a pixel column.
    const double u = -rest / cut.a;
    const double guess = std::floor((u - 1 + 2.0 * outline_.left + static_cast<double>(w_)) / 2);
    if (cut.a > 0) {
        from = static_cast<int32_t>(
            FirstTrue(left, right, guess, [&](int64_t x) { return cut.Keeps(U(static_cast<int32_t>(x)), v); }));
    } else {
        to = static_cast<int32_t>(
            FirstTrue(left, right, guess, [&](int64_t x) { return !cut.Keeps(U(static_cast<int32_t>(x)), v); }));
    }
}

void ShapeSpans::Row(int32_t y, SpanList& out) const {
    out.clear();
    int32_t left = 0, right = 0;
    if (!BaseRow(y, left, right)) return;
    const int64_t v = V(y);
    int32_t a0 = left, a1 = right, b0 = left, b1 = left;
    switch (cuts_) {
    case Cuts::None: break;
    case Cuts::One: KeptPart(first_, v, left, right, a0, a1); break;
    case Cuts::Both: {
        KeptPart(first_, v, left, right, a0, a1);
        KeptPart(second_, v, left, right, b0, b1);
        a0 = std::max(a0, b0);
        a1 = std::min(a1, b1);
        b0 = b1 = left;
        break;
    }
    case Cuts::Either:
        KeptPart(first_, v, left, right, a0, a1);
        KeptPart(second_, v, left, right, b0, b1);
        if (b0 < a0) {
            std::swap(a0, b0);
            std::swap(a1, b1);
        }
        break;
    }
    AppendSpan(out, a0, a1);
    AppendSpan(out, b0, b1);
}

}  // namespace gdi
