#include "platform/gdi/QtConvert.h"

#include "platform/gdi/Spans.h"

#include <QtGui/QImage>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace gdi {

QColor ToQColor(Color c) {
    const Color rgb = ResolveColor(c);
    return QColor(static_cast<int>(RedOf(rgb)), static_cast<int>(GreenOf(rgb)), static_cast<int>(BlueOf(rgb)));
}

Color FromQRgb(QRgb rgb) {
    return Rgb(static_cast<uint32_t>(qRed(rgb)), static_cast<uint32_t>(qGreen(rgb)), static_cast<uint32_t>(qBlue(rgb)));
}

QRect ToQRect(const Rect& r) {
    const int32_t left = OnPlane(r.left), top = OnPlane(r.top);
    return QRect(left, top, OnPlane(r.right) - left, OnPlane(r.bottom) - top);
}

int32_t RoundCoord(double v) {
    if (!(v == v)) return 0;  // NaN
    const double r = std::floor(v + 0.5);
    if (r >= static_cast<double>(INT32_MAX)) return INT32_MAX;
    if (r <= static_cast<double>(INT32_MIN)) return INT32_MIN;
    return static_cast<int32_t>(r);
}

QRegion RegionFromMask(const QImage& mask, QPoint offset) {
    BandBuilder bands;
    SpanList runs;
    for (int row = 0; row < mask.height(); ++row) {
        const uchar* line = mask.constScanLine(row);
        runs.clear();
        for (int x = 0; x < mask.width();) {
            while (x < mask.width() && line[x] == 0) ++x;
            const int start = x;
            while (x < mask.width() && line[x] != 0) ++x;
            AppendSpan(runs, start + offset.x(), x + offset.x());
        }
        bands.AddRow(row + offset.y(), runs);
    }
    return bands.Finish();
}

QPainterPath ToPainterPath(const PathData& path, PolyFillMode mode) {
    QPainterPath out;
    out.setFillRule(mode == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    const size_t n = std::min(path.points.size(), path.types.size());
    for (size_t i = 0; i < n; ++i) {
        const QPointF p(path.points[i].x, path.points[i].y);
        const uint8_t type = path.types[i] & ~PT_CLOSEFIGURE;
        bool closes = path.types[i] & PT_CLOSEFIGURE;
        if (type == PT_MOVETO) {
            out.moveTo(p);
        } else if (type == PT_BEZIERTO && i + 2 < n) {
            const QPointF c2(path.points[i + 1].x, path.points[i + 1].y);
            const QPointF e(path.points[i + 2].x, path.points[i + 2].y);
            out.cubicTo(p, c2, e);
            closes = path.types[i + 2] & PT_CLOSEFIGURE;
            i += 2;
        } else {
            out.lineTo(p);
        }
        if (closes) out.closeSubpath();
    }
    return out;
}

void AppendPainterPath(PathData& out, const QPainterPath& path, bool closeFigures) {
    auto add = [&out](const QPointF& p, uint8_t type) {
        out.points.push_back({RoundCoord(p.x()), RoundCoord(p.y())});
        out.types.push_back(type);
    };
    size_t figureStart = out.points.size();
    auto closeFigure = [&]() {
        if (!closeFigures || out.points.size() <= figureStart) return;
        // Qt closes with a line back to the start; a closed figure does not need it.
        if (out.points.size() > figureStart + 1 && out.points.back() == out.points[figureStart] &&
            out.types.back() == PT_LINETO) {
            out.points.pop_back();
            out.types.pop_back();
        }
        out.types.back() |= PT_CLOSEFIGURE;
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            closeFigure();
            figureStart = out.points.size();
            add(e, PT_MOVETO);
            break;
        case QPainterPath::LineToElement:
            add(e, PT_LINETO);
            break;
        case QPainterPath::CurveToElement:
            add(e, PT_BEZIERTO);
            break;
        case QPainterPath::CurveToDataElement:
            add(e, PT_BEZIERTO);
            break;
        }
    }
    closeFigure();
}

PathData Flattened(const PathData& path) {
    PathData out;
    const size_t n = std::min(path.points.size(), path.types.size());
    for (size_t i = 0; i < n; ++i) {
        const uint8_t type = path.types[i] & ~PT_CLOSEFIGURE;
        if (type != PT_BEZIERTO || i == 0 || i + 2 >= n) {
            out.points.push_back(path.points[i]);
            out.types.push_back(type == PT_BEZIERTO ? static_cast<uint8_t>(PT_LINETO | (path.types[i] & PT_CLOSEFIGURE))
                                                    : path.types[i]);
            continue;
        }
        const QPointF p0(path.points[i - 1].x, path.points[i - 1].y);
        const QPointF p1(path.points[i].x, path.points[i].y);
        const QPointF p2(path.points[i + 1].x, path.points[i + 1].y);
        const QPointF p3(path.points[i + 2].x, path.points[i + 2].y);
        const double length = QLineF(p0, p1).length() + QLineF(p1, p2).length() + QLineF(p2, p3).length();
        const int steps = std::clamp(static_cast<int>(length / 4), 2, 256);
        const uint8_t closeFlag = path.types[i + 2] & PT_CLOSEFIGURE;
        Point last = path.points[i - 1];
        for (int s = 1; s <= steps; ++s) {
            const double t = static_cast<double>(s) / steps, u = 1 - t;
            const QPointF q = u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
            const Point pt{RoundCoord(q.x()), RoundCoord(q.y())};
            if (pt == last && s < steps) continue;
            out.points.push_back(pt);
            out.types.push_back(PT_LINETO);
            last = pt;
        }
        out.types.back() |= closeFlag;
        i += 2;
    }
    return out;
}

namespace {

// Bit k of a ternary operation's index byte is the result for pattern bit
// (k >> 2), source bit (k >> 1) & 1 and destination bit k & 1.
uint8_t RopByte(uint32_t rop) { return static_cast<uint8_t>((rop >> 16) & 0xFF); }

// Binary operations: bit (pen * 2 + dest) of (code - 1).
uint8_t Rop2Table(Rop2 r) { return static_cast<uint8_t>((static_cast<int32_t>(r) - 1) & 0x0F); }

}  // namespace

std::optional<Rop2> PatternRopAsRop2(uint32_t rop) {
    const uint8_t b = RopByte(rop);
    uint8_t table = 0;
    for (int k = 0; k < 8; ++k) {
        const int p = k >> 2, s = (k >> 1) & 1, d = k & 1;
        const int other = (p << 2) | ((1 - s) << 1) | d;
        if (((b >> k) & 1) != ((b >> other) & 1)) return std::nullopt;
        if ((b >> k) & 1) table |= static_cast<uint8_t>(1 << (p * 2 + d));
    }
    return static_cast<Rop2>(table + 1);
}

std::optional<Rop2> SourceRopAsRop2(uint32_t rop) {
    const uint8_t b = RopByte(rop);
    uint8_t table = 0;
    for (int k = 0; k < 8; ++k) {
        const int p = k >> 2, s = (k >> 1) & 1, d = k & 1;
        const int other = ((1 - p) << 2) | (s << 1) | d;
        if (((b >> k) & 1) != ((b >> other) & 1)) return std::nullopt;
        if ((b >> k) & 1) table |= static_cast<uint8_t>(1 << (s * 2 + d));
    }
    return static_cast<Rop2>(table + 1);
}

uint32_t Rop2AsPatternRop(Rop2 r) {
    const uint8_t table = Rop2Table(r);
    uint32_t b = 0;
    for (int k = 0; k < 8; ++k) {
        const int p = k >> 2, d = k & 1;
        if ((table >> (p * 2 + d)) & 1) b |= 1u << k;
    }
    return b << 16;
}

QPainter::CompositionMode CompositionModeFor(Rop2 r) {
    switch (r) {
    case Rop2::Black: return QPainter::RasterOp_ClearDestination;
    case Rop2::NotMergePen: return QPainter::RasterOp_NotSourceAndNotDestination;
    case Rop2::MaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case Rop2::NotCopyPen: return QPainter::RasterOp_NotSource;
    case Rop2::MaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case Rop2::Not: return QPainter::RasterOp_NotDestination;
    case Rop2::XorPen: return QPainter::RasterOp_SourceXorDestination;
    case Rop2::NotMaskPen: return QPainter::RasterOp_NotSourceOrNotDestination;
    case Rop2::MaskPen: return QPainter::RasterOp_SourceAndDestination;
    case Rop2::NotXorPen: return QPainter::RasterOp_NotSourceXorDestination;
    case Rop2::MergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case Rop2::MergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case Rop2::MergePen: return QPainter::RasterOp_SourceOrDestination;
    case Rop2::White: return QPainter::RasterOp_SetDestination;
    case Rop2::Nop: case Rop2::CopyPen: default: return QPainter::CompositionMode_SourceOver;
    }
}

uint32_t ApplyRop3(uint8_t rop, uint32_t pattern, uint32_t source, uint32_t dest) {
    uint32_t result = 0;
    for (int k = 0; k < 8; ++k) {
        if (!((rop >> k) & 1)) continue;
        result |= ((k & 4) ? pattern : ~pattern) & ((k & 2) ? source : ~source) & ((k & 1) ? dest : ~dest);
    }
    return result;
}

}  // namespace gdi
