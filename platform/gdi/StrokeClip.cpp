#include "platform/gdi/StrokeClip.h"

#include "platform/gdi/ScanConverter.h"

#include <QtGui/QPainterPathStroker>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace gdi {

namespace {

// A part of one figure of a path: its own open figure, and the length of
// the figure before it (where a dash pattern stands when the part begins).
struct StrokePiece {
    QPainterPath path;
    double start = 0;
};

using Cubic = CubicPiece;

double Distance(const QPointF& a, const QPointF& b) { return std::hypot(b.x() - a.x(), b.y() - a.y()); }

// The length of a cubic piece: between its chord and its control polygon,
// halved until the two agree to a fraction of a pixel (or of the length,
// for lengths beyond any device).
double CubicLength(const Cubic& c, int depth = 0) {
    const double chord = Distance(c[0], c[3]);
    const double polygon = Distance(c[0], c[1]) + Distance(c[1], c[2]) + Distance(c[2], c[3]);
    if (polygon - chord <= std::max(1.0 / 64, polygon * 1e-9) || depth >= 30) return (chord + polygon) / 2;
    const auto [first, second] = CubicHalves(c);
    return CubicLength(first, depth + 1) + CubicLength(second, depth + 1);
}

// The part t0..t1 of the line from p to q inside the rectangle.
bool ClipLine(const QPointF& p, const QPointF& q, const QRectF& r, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double d[2] = {q.x() - p.x(), q.y() - p.y()};
    const double from[2] = {p.x(), p.y()};
    const double low[2] = {r.left(), r.top()}, high[2] = {r.right(), r.bottom()};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (from[axis] < low[axis] || from[axis] > high[axis]) return false;
            continue;
        }
        double a = (low[axis] - from[axis]) / d[axis], b = (high[axis] - from[axis]) / d[axis];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
    }
    return t0 <= t1;
}

class PieceBuilder {
public:
    PieceBuilder(const QRectF& window, bool joinClosed) : window_(window), joinClosed_(joinClosed) {}

    void BeginFigure(const QPointF& at) {
        EndFigure();
        figureStart_ = current_ = at;
        length_ = 0;
        open_ = false;
        firstPiece_ = pieces_.size();
        cut_ = false;
        inFigure_ = true;
    }
    void Line(const QPointF& to) {
        const double length = Distance(current_, to);
        double t0 = 0, t1 = 0;
        if (!ClipLine(current_, to, window_, t0, t1)) {
            Cut();
        } else {
            if (t0 > 0) Cut();
            if (!open_) Start(current_ + (to - current_) * t0, length_ + length * t0);
            pieces_.back().path.lineTo(t1 < 1 ? current_ + (to - current_) * t1 : to);
            if (t1 < 1) Cut();
        }
        length_ += length;
        current_ = to;
    }
    void Curve(const Cubic& c, int depth = 0) {
        constexpr int kMaxDepth = 40;
        const QRectF box = BoxOf(c);
        if (!Meets(box, window_)) {
            Cut();
            length_ += CubicLength(c);
        } else if (depth >= kMaxDepth || (box.width() <= window_.width() && box.height() <= window_.height())) {
            if (!open_) Start(c[0], length_);
            pieces_.back().path.cubicTo(c[1], c[2], c[3]);
            length_ += CubicLength(c);
        } else {
            const auto [first, second] = CubicHalves(c);
            Curve(first, depth + 1);
            Curve(second, depth + 1);
        }
        current_ = c[3];
    }
    const QPointF& Current() const { return current_; }

    std::vector<StrokePiece> Finish() {
        EndFigure();
        return std::move(pieces_);
    }

private:
    void Start(const QPointF& at, double start) {
        pieces_.push_back({QPainterPath(at), start});
        open_ = true;
    }
    void Cut() {
        cut_ = true;
        open_ = false;
    }
    // A closed figure cut elsewhere whose first part begins at its start and
    // whose last part ends there: the two become one, so the join stays.
    void EndFigure() {
        if (!inFigure_) return;
        inFigure_ = false;
        const bool closed = current_ == figureStart_;
        if (!joinClosed_ || !closed || !cut_ || !open_ || pieces_.size() < firstPiece_ + 2) return;
        StrokePiece& first = pieces_[firstPiece_];
        if (first.start != 0) return;
        StrokePiece& last = pieces_.back();
        for (int i = 1; i < first.path.elementCount(); ++i) {
            const QPainterPath::Element e = first.path.elementAt(i);
            if (e.type == QPainterPath::CurveToElement) {
                last.path.cubicTo(e, first.path.elementAt(i + 1), first.path.elementAt(i + 2));
                i += 2;
            } else {
                last.path.lineTo(e);
            }
        }
        pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(firstPiece_));
        open_ = false;
    }

    QRectF window_;
    bool joinClosed_;
    std::vector<StrokePiece> pieces_;
    QPointF figureStart_, current_;
    double length_ = 0;
    size_t firstPiece_ = 0;
    bool open_ = false, cut_ = false, inFigure_ = false;
};

// The parts of the path within reach of the window; nothing when the whole
// path is.
std::optional<std::vector<StrokePiece>> VisibleStrokePieces(const QPainterPath& path, const QRectF& window,
                                                            double reach, bool joinClosedFigures) {
    const QRectF near = window.adjusted(-reach, -reach, reach, reach);
    if (path.isEmpty() || near.contains(path.controlPointRect())) return std::nullopt;
    PieceBuilder pieces(near, joinClosedFigures);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement || i == 0) {
            pieces.BeginFigure(e);
            if (e.type == QPainterPath::MoveToElement) continue;
        }
        if (e.type == QPainterPath::CurveToElement && i + 2 < path.elementCount()) {
            pieces.Curve({pieces.Current(), e, path.elementAt(i + 1), path.elementAt(i + 2)});
            i += 2;
        } else {
            pieces.Line(e);
        }
    }
    return pieces.Finish();
}

}  // namespace

QPainterPath StrokeWithin(const QPen& pen, const QPainterPath& path, const QRectF& window) {
    const double width = std::max(1.0, pen.widthF());
    const double miter = pen.joinStyle() == Qt::MiterJoin ? std::max(1.0, pen.miterLimit()) : 1.0;
    const bool dashed = pen.style() != Qt::SolidLine;
    const std::optional<std::vector<StrokePiece>> pieces = VisibleStrokePieces(path, window, width * miter + 2, !dashed);
    if (!pieces) return QPainterPathStroker(pen).createStroke(path);
    QPainterPath outline;
    for (const StrokePiece& piece : *pieces) {
        QPen part = pen;
        if (dashed) part.setDashOffset(pen.dashOffset() + piece.start / width);
        outline.addPath(QPainterPathStroker(part).createStroke(piece.path));
    }
    return outline;
}

}  // namespace gdi
