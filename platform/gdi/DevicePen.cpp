#include "platform/gdi/DevicePen.h"

#include "platform/gdi/CanvasGeometry.h"
#include "platform/gdi/QtConvert.h"

#include <algorithm>

namespace gdi {

namespace {

// The thin pens' dashes in device pixels.
QList<qreal> CosmeticDashes(const Pen& pen) {
    switch (pen.style) {
    case PenStyle::Dash: return {18, 6};
    case PenStyle::Dot: return {3, 3};
    case PenStyle::DashDot: return {9, 6, 3, 6};
    case PenStyle::DashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// The geometric pens' dashes in pen widths.
QList<qreal> GeometricDashes(const Pen& pen) {
    switch (pen.style) {
    case PenStyle::Dash: return {3, 1};
    case PenStyle::Dot: return {1, 1};
    case PenStyle::DashDot: return {3, 1, 1, 1};
    case PenStyle::DashDotDot: return {3, 1, 1, 1, 1, 1};
    default: return {};
    }
}

QList<qreal> UserDashes(const Pen& pen, double unit) {
    QList<qreal> dashes;
    for (const uint32_t d : pen.userDashes) dashes << std::max(0.01, d / std::max(unit, 1e-9));
    if (dashes.size() % 2) dashes << dashes.back();
    return dashes;
}

// The same dashes drawn in the gaps: start with the first gap.
QList<qreal> GapDashes(const QList<qreal>& dashes, qreal& offset) {
    QList<qreal> gaps = dashes.mid(1);
    gaps << dashes.front();
    offset = 0;
    for (qsizetype i = 0; i + 1 < gaps.size(); ++i) offset += gaps[i];
    return gaps;
}

Qt::PenCapStyle ToCap(PenEndCap c) {
    switch (c) {
    case PenEndCap::Square: return Qt::SquareCap;
    case PenEndCap::Flat: return Qt::FlatCap;
    default: return Qt::RoundCap;
    }
}

Qt::PenJoinStyle ToJoin(PenJoin j) {
    switch (j) {
    case PenJoin::Bevel: return Qt::BevelJoin;
    case PenJoin::Miter: return Qt::MiterJoin;
    default: return Qt::RoundJoin;
    }
}

}  // namespace

DevicePen MakeDevicePen(const Canvas::State& s, const XForm& m, bool raster, const QColor& color) {
    DevicePen d;
    const Pen& p = s.pen;
    if (p.style == PenStyle::Null) return d;
    d.null = false;
    const int32_t width = geometry::PenDeviceWidth(m, p);
    if (width == 0) {
        d.cosmetic = raster;
        d.pen = QPen(color, raster ? 0 : 1);
        d.pen.setCapStyle(Qt::FlatCap);
        d.pen.setJoinStyle(Qt::MiterJoin);
        QList<qreal> dashes = p.style == PenStyle::UserStyle ? UserDashes(p, 1.0) : CosmeticDashes(p);
        if (!dashes.isEmpty()) {
            d.pen.setDashPattern(dashes);
            d.dashes = dashes;
            if (s.bkMode == BkMode::Opaque) {
                qreal offset = 0;
                QPen gaps = d.pen;
                gaps.setColor(ToQColor(s.bkColor));
                gaps.setDashPattern(GapDashes(dashes, offset));
                gaps.setDashOffset(offset);
                d.gaps = gaps;
            }
        }
        return d;
    }
    d.pen = QPen(color, width);
    if (p.geometric) {
        d.pen.setCapStyle(ToCap(p.cap));
        d.pen.setJoinStyle(ToJoin(p.join));
        d.pen.setMiterLimit(s.miterLimit);
        const double logicalWidth = std::max(1, p.width);
        QList<qreal> dashes = p.style == PenStyle::UserStyle ? UserDashes(p, logicalWidth) : GeometricDashes(p);
        if (!dashes.isEmpty()) d.pen.setDashPattern(dashes);
    } else {
        d.pen.setCapStyle(Qt::RoundCap);
        d.pen.setJoinStyle(Qt::RoundJoin);
    }
    return d;
}

}  // namespace gdi
