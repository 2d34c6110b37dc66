#include "figures/Rasten.h"

#include "foundation/Scaler.h"

#include <cmath>
#include <limits>

double RasterWeite = 5.0;
double RasterWinkel = 5.0;

bool IsValidStep(double step) { return std::isfinite(step) && step >= 0; }

double GetGridX() { return RasterWeite; }

void SetGridX(double step) {
    if (IsValidStep(step)) RasterWeite = step == 0 ? 0.1 : step;
}

double GetAngleStep() { return RasterWinkel; }

void SetAngleStep(double step) {
    if (IsValidStep(step)) RasterWinkel = step == 0 ? 0.2 : step;
}

// nearbyint rounds ties to even in the default rounding mode and, unlike a
// conversion to an integer, cannot overflow.
double SnapX(double v) { return std::nearbyint(v / RasterWeite) * RasterWeite; }
double SnapY(double v) { return std::nearbyint(v / RasterWeite) * RasterWeite; }

namespace {

bool FitsDevice(long double v) {
    return std::isfinite(v) && v > std::numeric_limits<int32_t>::min() && v < std::numeric_limits<int32_t>::max();
}

}  // namespace

int32_t SnapPixelX(int32_t x, const TCustomScaler& scaler) {
    const float snapped = static_cast<float>(SnapX(scaler.PixelToMMX(x)));
    if (!FitsDevice((static_cast<long double>(snapped) + scaler.MMOffsetX) * scaler.ScaleX - scaler.PixelOffsetX))
        return x;
    return scaler.MMToPixelX(snapped);
}

int32_t SnapPixelY(int32_t y, const TCustomScaler& scaler) {
    const float snapped = static_cast<float>(SnapY(scaler.PixelToMMY(y)));
    if (!FitsDevice((static_cast<long double>(snapped) + scaler.MMOffsetY) * scaler.ScaleY - scaler.PixelOffsetY))
        return y;
    return scaler.MMToPixelY(snapped);
}

TPoint SnapPixelPoint(TPoint p, const TCustomScaler& scaler) {
    return {SnapPixelX(p.x, scaler), SnapPixelY(p.y, scaler)};
}
