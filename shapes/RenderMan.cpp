#include "shapes/RenderMan.h"

#include "shapes/KonturList.h"
#include "shapes/PolyPolygonData.h"

namespace {

constexpr float kFlatness = 0.7f;
constexpr int32_t kMaxDepth = 16;

}  // namespace

TFloatPoint TRenderMan::MapPoint(TFloatPoint p) const {
    TFloatPoint mapped;
    MatrixTransformPoint(Matrix, p.X, p.Y, mapped.X, mapped.Y);
    return mapped;
}

void TRenderMan::RenderPlain(const TKonturList& list, TPolyPolygonData& data, const TMatrix3& matrix) {
    Matrix = matrix;
    data_ = &data;
    data.Clear();
    for (int32_t k = 0; k < list.Count(); ++k) {
        const TKontur& kontur = list.Items(k);
        TFloatPoint last{};
        for (int32_t i = 0; i < kontur.Count(); ++i) {
            const TStroke& stroke = kontur.Strokes(i);
            switch (stroke.Kind) {
            case kStrokeMove:
            case kStrokeLine: {
                const TFloatPoint p = MapPoint(stroke.Points[0]);
                data.AddFloatPoint(p.X, p.Y);
                break;
            }
            case kStrokeQuad: {
                const TFloatPoint controls[3] = {last, stroke.Points[0], stroke.Points[1]};
                FlattenBezier(3, controls);
                break;
            }
            case kStrokeCubic: {
                const TFloatPoint controls[4] = {last, stroke.Points[0], stroke.Points[1], stroke.Points[2]};
                FlattenBezier(4, controls);
                break;
            }
            default: continue;
            }
            last = stroke.End();
        }
        data.ClosePolygon();
    }
    data_ = nullptr;
}

void TRenderMan::FlattenBezier(int count, const TFloatPoint* controls) {
    weightCount_ = count;
    BezierWeights(count, std::span<const TFloatPoint>(controls, static_cast<size_t>(count)), weights_);
    const TSample a{0, MapPoint(BezierPointWeighted(count, weights_, 0))};
    const TSample b{1, MapPoint(BezierPointWeighted(count, weights_, 1))};
    depth_ = 0;
    SubdivideCurve(a, b);
}

// Emits b once the mapped curve between a and b is flat enough; the first
// split of every curve is at 0.4 rather than the middle.
void TRenderMan::SubdivideCurve(const TSample& a, const TSample& b) {
    ++depth_;
    float tm = a.T + (b.T - a.T) * 0.5f;
    if (tm == 0.5f) tm = a.T + (b.T - a.T) * 0.4f;
    const TSample m{tm, MapPoint(BezierPointWeighted(weightCount_, weights_, tm))};
    if (FloatPointNearLine(m.Point.X, m.Point.Y, a.Point.X, a.Point.Y, b.Point.X, b.Point.Y, kFlatness) ||
        depth_ > kMaxDepth) {
        data_->AddFloatPoint(b.Point.X, b.Point.Y);
    } else {
        SubdivideCurve(a, m);
        SubdivideCurve(m, b);
    }
    --depth_;
}
