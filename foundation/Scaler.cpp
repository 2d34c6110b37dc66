#include "foundation/Scaler.h"

#include "foundation/Rounding.h"
#include "platform/gdi/Canvas.h"
#include "platform/printer/Printer.h"

#include <algorithm>
#include <cmath>

TCustomScaler::TCustomScaler() {
    Recalculate();
}

void TCustomScaler::Recalculate() {
    PixelOffsetX = gdi::Saturated(int64_t{DeviceOffsetX} + PhysicalOffsetX);
    PixelOffsetY = gdi::Saturated(int64_t{DeviceOffsetY} + PhysicalOffsetY);
    MMOffsetX = WorldOffsetX;
    MMOffsetY = WorldOffsetY;
    ScaleX = ResolutionX * Zoom;
    ScaleY = ResolutionY * Zoom;
}

void TCustomScaler::SetZoom(float zoom) {
    Zoom = zoom;
    Recalculate();
}

void TCustomScaler::Reset(int32_t kind) {
    SetZoom(1);
    WorldOffsetX = WorldOffsetY = 0;
    DeviceOffsetX = DeviceOffsetY = 0;
    PhysicalOffsetX = PhysicalOffsetY = 0;
    if (kind == kResetUnit) {
        ResolutionX = ResolutionY = 1;
    } else if (kind == kResetScreen) {
        const gdi::DeviceCaps screen = gdi::ScreenCaps();
        ResolutionX = static_cast<float>(screen.logPixelsX / 25.4L);
        ResolutionY = static_cast<float>(screen.logPixelsY / 25.4L);
    } else if (kind == kResetPrinter) {
        const gdi::DeviceCaps printer = gdi::CurrentPrinter().Caps();
        ResolutionX = static_cast<float>(printer.logPixelsX / 25.4L);
        ResolutionY = static_cast<float>(printer.logPixelsY / 25.4L);
        PhysicalOffsetX = printer.physicalOffsetX;
        PhysicalOffsetY = printer.physicalOffsetY;
    }
    Recalculate();
}

namespace {

// round(scaled) - offset, rounded first (ties to even on the scaled value).
int32_t RoundedLessOffset(long double scaled, int32_t offset) {
    // Far enough beyond the 32-bit range that the offset cannot bring it back.
    constexpr int64_t kFar = int64_t{1} << 40;
    return gdi::Saturated(std::clamp(Round64(scaled), -kFar, kFar) - offset);
}

}  // namespace

int32_t TCustomScaler::MMToPixelX(float x) const {
    return RoundedLessOffset((static_cast<long double>(x) + MMOffsetX) * ScaleX, PixelOffsetX);
}

int32_t TCustomScaler::MMToPixelY(float y) const {
    return RoundedLessOffset((static_cast<long double>(y) + MMOffsetY) * ScaleY, PixelOffsetY);
}

int32_t TCustomScaler::MMToPixelW(float w) const {
    return Round(static_cast<long double>(w) * ScaleX);
}

int32_t TCustomScaler::MMToPixelH(float h) const {
    return Round(static_cast<long double>(h) * ScaleY);
}

int32_t TCustomScaler::MMToPixel(float length) const {
    return Round(static_cast<long double>(length) * ScaleY);
}

TRect TCustomScaler::MMRectToPixel(float l, float t, float r, float b) const {
    return {MMToPixelX(l), MMToPixelY(t), MMToPixelX(r), MMToPixelY(b)};
}

float TCustomScaler::PixelToMMX(int32_t px) const {
    return static_cast<float>((static_cast<long double>(px) + PixelOffsetX) / ScaleX - MMOffsetX);
}

float TCustomScaler::PixelToMMY(int32_t py) const {
    return static_cast<float>((static_cast<long double>(py) + PixelOffsetY) / ScaleY - MMOffsetY);
}

float TCustomScaler::PixelToMM(int32_t n) const {
    return static_cast<float>(static_cast<long double>(n) / ScaleY);
}

float TCustomScaler::PixelToMMF(float v) const {
    return static_cast<float>(static_cast<long double>(v) / ScaleY);
}

void TCustomScaler::SetDeviceOffsetX(int32_t v) { DeviceOffsetX = v; Recalculate(); }
void TCustomScaler::SetDeviceOffsetY(int32_t v) { DeviceOffsetY = v; Recalculate(); }
void TCustomScaler::SetWorldOffsetX(float v) { WorldOffsetX = v; Recalculate(); }
void TCustomScaler::SetWorldOffsetY(float v) { WorldOffsetY = v; Recalculate(); }
void TCustomScaler::SetPhysicalOffsetX(int32_t v) { PhysicalOffsetX = v; Recalculate(); }
void TCustomScaler::SetPhysicalOffsetY(int32_t v) { PhysicalOffsetY = v; Recalculate(); }
void TCustomScaler::SetResolutionX(float v) { ResolutionX = v; Recalculate(); }
void TCustomScaler::SetResolutionY(float v) { ResolutionY = v; Recalculate(); }

void TCustomScaler::AssignScaling(const TCustomScaler& other) {
    PixelOffsetX = other.PixelOffsetX;
    PixelOffsetY = other.PixelOffsetY;
    MMOffsetX = other.MMOffsetX;
    MMOffsetY = other.MMOffsetY;
    ScaleX = other.ScaleX;
    ScaleY = other.ScaleY;
    DeviceOffsetX = other.DeviceOffsetX;
    DeviceOffsetY = other.DeviceOffsetY;
    WorldOffsetX = other.WorldOffsetX;
    WorldOffsetY = other.WorldOffsetY;
    PhysicalOffsetX = other.PhysicalOffsetX;
    PhysicalOffsetY = other.PhysicalOffsetY;
    ResolutionX = other.ResolutionX;
    ResolutionY = other.ResolutionY;
    Zoom = other.Zoom;
}

float RoundToFraction(float x, int32_t steps) {
    if (steps == 0) steps = 1;
    return static_cast<float>(static_cast<long double>(Round(static_cast<long double>(x) * steps)) / steps);
}

TFloatPoint RotateFloatPointAbout(TFloatPoint p, TFloatPoint c, double angle) {
    long double a = angle;
    // Far-off angles are folded at once; stepping by 360 would never end there.
    if (std::fabs(a) > 720) a = std::fmod(a, 360.0L);
    while (a > 360) a -= 360;
    while (a < -360) a += 360;
    const long double radians = a * 0.017453292L;
    const long double cosine = std::cos(radians);
    const long double sine = std::sin(radians);
    const long double dx = static_cast<long double>(p.X) - c.X;
    const long double dy = static_cast<long double>(p.Y) - c.Y;
    return {static_cast<float>(c.X + dx * cosine - dy * sine), static_cast<float>(c.Y + dx * sine + dy * cosine)};
}
