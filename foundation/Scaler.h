#pragma once
// Millimetres to device units and back:
//   device = round((mm + world offset) × resolution × zoom) − (device offset + physical offset)
// per axis, rounding ties to even. Lengths use the vertical scale. Results
// beyond the 32-bit range stop at its ends, whatever the offsets. Every
// setter recalculates the derived fields at once, so the conversions on the
// drawing and hit-testing paths read only those.

#include "foundation/PointHelpers.h"

#include <cstdint>

struct TFloatPoint {
    float X = 0;
    float Y = 0;
};
inline TFloatPoint FloatPoint(float x, float y) { return {x, y}; }

struct TFloatRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
};
inline TFloatRect FloatRect(float l, float t, float r, float b) { return {l, t, r, b}; }

// The kinds of Reset: one unit per millimetre, the screen, the current printer.
constexpr int32_t kResetUnit = 0;
constexpr int32_t kResetScreen = 1;
constexpr int32_t kResetPrinter = 2;

class TCustomScaler {
public:
    TCustomScaler();
    virtual ~TCustomScaler() = default;

    virtual void Recalculate();
    virtual void SetZoom(float zoom);
    virtual void Reset(int32_t kind);

    int32_t MMToPixelX(float x) const;
    int32_t MMToPixelY(float y) const;
    int32_t MMToPixelW(float w) const;
    int32_t MMToPixelH(float h) const;
    int32_t MMToPixel(float length) const;
    TRect MMRectToPixel(float l, float t, float r, float b) const;
    float PixelToMMX(int32_t px) const;
    float PixelToMMY(int32_t py) const;
    float PixelToMM(int32_t n) const;
    float PixelToMMF(float v) const;

    void SetDeviceOffsetX(int32_t v);
    void SetDeviceOffsetY(int32_t v);
    void SetWorldOffsetX(float v);
    void SetWorldOffsetY(float v);
    void SetPhysicalOffsetX(int32_t v);
    void SetPhysicalOffsetY(int32_t v);
    void SetResolutionX(float v);
    void SetResolutionY(float v);
    void AssignScaling(const TCustomScaler& other);

    // Derived.
    int32_t PixelOffsetX = 0, PixelOffsetY = 0;
    float MMOffsetX = 0, MMOffsetY = 0;
    float ScaleX = 1, ScaleY = 1;
    // Parts.
    int32_t DeviceOffsetX = 0, DeviceOffsetY = 0;
    float WorldOffsetX = 0, WorldOffsetY = 0;
    int32_t PhysicalOffsetX = 0, PhysicalOffsetY = 0;
    float ResolutionY = 1, ResolutionX = 1;
    float Zoom = 1;
};

class TScaler : public TCustomScaler {};

// round(x × steps) / steps; steps 0 counts as 1.
float RoundToFraction(float x, int32_t steps);
// Turns p about c by angle degrees (brought into [−360, 360] first), with the
// conversion factor 0.017453292.
TFloatPoint RotateFloatPointAbout(TFloatPoint p, TFloatPoint c, double angle);
