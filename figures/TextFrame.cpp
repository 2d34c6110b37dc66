#include "figures/TextFrame.h"

#include "figures/Figure.h"
#include "foundation/FloatKontur.h"
#include "foundation/Scaler.h"

#include <algorithm>
#include <cmath>

std::vector<TPoint> TextFrameOutline(const TCustomScaler& scaler, double centerX, double centerY, double width,
                                     double height, double angle, uint8_t frameKind, float cornerSize) {
    const float left = static_cast<float>(DevX(scaler, centerX - width / 2));
    const float top = static_cast<float>(DevY(scaler, centerY - height / 2));
    const float right = static_cast<float>(DevX(scaler, centerX + width / 2));
    const float bottom = static_cast<float>(DevY(scaler, centerY + height / 2));
    const int64_t halfWidth = (static_cast<int64_t>(right) - static_cast<int64_t>(left)) / 2;
    const int64_t halfHeight = (static_cast<int64_t>(bottom) - static_cast<int64_t>(top)) / 2;
    const int32_t corner = std::isfinite(cornerSize) ? scaler.MMToPixel(cornerSize) : 0;
    const float c = static_cast<float>(std::max<int64_t>(0, std::min<int64_t>({corner, halfWidth, halfHeight})));

    TFloatKontur outline(static_cast<float>(DevX(scaler, centerX)), static_cast<float>(DevY(scaler, centerY)), 1, 1);
    switch (frameKind) {
    case 0:
        for (const TFloatPoint p : {TFloatPoint{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}})
            outline.AddPoint(p.X, p.Y);
        break;
    case 1:
        for (const TFloatPoint p : {TFloatPoint{left + c, top}, {right - c, top}, {right, top + c}, {right, bottom - c},
                                    {right - c, bottom}, {left + c, bottom}, {left, bottom - c}, {left, top + c},
                                    {left + c, top}})
            outline.AddPoint(p.X, p.Y);
        break;
    case 2:
        outline.MoveTo(left + c, top);
        outline.LineTo(right - c, top);
        outline.CornerArcTo(right, top, right, top + c);
        outline.LineTo(right, bottom - c);
        outline.CornerArcTo(right, bottom, right - c, bottom);
        outline.LineTo(left + c, bottom);
        outline.CornerArcTo(left, bottom, left, bottom - c);
        outline.LineTo(left, top + c);
        outline.CornerArcTo(left, top, left + c, top);
        break;
    default:
        return {};
    }
    std::vector<TPoint> points(static_cast<size_t>(outline.Count));
    outline.ToPointArray(points, angle);
    return points;
}
