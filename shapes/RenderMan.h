#pragma once
// Renders contour lists into device polygons: every point through a 3 x 3
// matrix, curves flattened by recursive subdivision until the mapped chord
// is within 0.7 pixel. One closed polygon per contour.

#include "foundation/Matrix.h"
#include "shapes/FloatTypes.h"

#include <cstdint>

class TKonturList;
class TPolyPolygonData;

class TRenderMan {
public:
    // Empties data and fills it with the list's contours mapped by the matrix only.
    void RenderPlain(const TKonturList& list, TPolyPolygonData& data, const TMatrix3& matrix);

    TMatrix3 Matrix = kIdentityMatrix;

private:
    struct TSample {
        float T;
        TFloatPoint Point;  // mapped
    };
    TFloatPoint MapPoint(TFloatPoint p) const;
    void FlattenBezier(int count, const TFloatPoint* controls);
    void SubdivideCurve(const TSample& a, const TSample& b);

    TPolyPolygonData* data_ = nullptr;
    TBezierBlock weights_{};
    int weightCount_ = 0;
    int32_t depth_ = 0;
};
