#pragma once
// The mathematics of the selection trackers, as plain functions: handle
// places, handle hits and cursors, the new geometry of a sizing, rotating,
// adjust-handle or line-end drag. Geometry is in millimetres and degrees;
// handle places and mouse points are device pixels of the scaler at hand.

#include "shapes/HotTrackData.h"
#include "foundation/PointHelpers.h"
#include "foundation/Scaler.h"

#include <array>
#include <cstdint>

// The geometry exchanged with a box-shaped figure.
struct TTrackGeometry {
    float CenterX = 0, CenterY = 0;
    float Width = 0, Height = 0;
    float Angle = 0;
    int32_t Mode = -1;  // the track mode at the time of the call
};

// The geometry exchanged with a line.
struct TLineTrackGeometry {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    int32_t Mode = 0;  // 0: the first end point is dragged, 1: the second
};

// Track modes of the box tracker.
enum TTrackMode : int32_t {
    kTrackNone = -1,
    kTrackTopLeft = 0,
    kTrackTopRight = 1,
    kTrackBottomRight = 2,
    kTrackBottomLeft = 3,
    kTrackTop = 4,
    kTrackRight = 5,
    kTrackBottom = 6,
    kTrackLeft = 7,
    kTrackRotate = 8,
    kTrackAdjust = 100,  // + the adjust handle's index
};

// Bits of the handle flags: which handle groups can be grabbed.
inline constexpr uint8_t kHandleCorners = 1;
inline constexpr uint8_t kHandleEdges = 2;
inline constexpr uint8_t kHandleRotation = 4;

// Cursor ids of the trackers.
inline constexpr int32_t kCursorRotate = 200;
inline constexpr int32_t kCursorRotate15 = 201;
inline constexpr int32_t kCursorRotate10 = 202;
inline constexpr int32_t kCursorRotate5 = 203;
inline constexpr int32_t kCursorRotate1 = 204;
inline constexpr int32_t kCursorRotateFine = 205;
inline constexpr int32_t kCursorAdjust = 210;
inline constexpr int32_t kCursorSizeNS = 211;
inline constexpr int32_t kCursorSizeNWSE = 212;
inline constexpr int32_t kCursorSizeWE = 213;
inline constexpr int32_t kCursorSizeNESW = 214;

// Handle places: 0-3 corners (top-left, top-right, bottom-right, bottom-left)
// 7 pixels outside the box, 4-7 edges (top, right, bottom, left), 8 the
// rotation handle 18 pixels right of the right edge handle; all turned about
// the device centre. Bounds span the rotation handle, the corners and the top
// handle.
struct TRectHandlePoints {
    std::array<TPoint, 9> Unrotated{};
    std::array<TPoint, 9> Rotated{};
    std::array<TPoint, kHotTrackEntries> Adjust{};
    int32_t AdjustCount = 0;
    TRect Bounds;
};

TPoint DeviceCenter(const TTrackGeometry& g, const TCustomScaler& scaler);
TRectHandlePoints ComputeRectHandles(const TTrackGeometry& g, const THotTrackData& adjust,
                                     const TCustomScaler& scaler);
// Turns p about c by angle degrees, each coordinate rounded.
TPoint RotateIntPoint(TPoint p, TPoint c, double angle);
// The box of the geometry turned about its centre: top-left, top-right,
// bottom-right, bottom-left and the first again.
std::array<TPoint, 5> RotatedBoxPoints(const TTrackGeometry& g, const TCustomScaler& scaler);

// Within 4 pixels in x and in y.
bool NearHandle(TPoint p, TPoint handle);
// The mode of the handle under p (corners, edges, rotation, adjust handles,
// each group only when active), -1 for none. grabOffset becomes p minus the
// handle for the rotation and adjust handles, (0, 0) otherwise.
int32_t HitRectHandle(const TRectHandlePoints& handles, uint8_t flags, TPoint p, TPoint& grabOffset);
// The cursor over a handle of that mode; the sizing cursors follow the
// frame's turn.
int32_t RectHandleCursor(const TRectHandlePoints& handles, TPoint deviceCenter, int32_t mode);

// Keeps the proportions of the saved size (when both are non-zero).
void KeepAspect(float savedWidth, float savedHeight, float& width, float& height);
// A sizing drag (modes 0-7) by the unrotated displacement du, dv in mm. The
// opposite handle stays in place, or with symmetric the centre does; sizes
// are snapped to the grid and corners keep the proportions.
TTrackGeometry SizeTrackGeometry(const TTrackGeometry& saved, int32_t mode, float du, float dv, bool symmetric);

// The angle step of a rotation drag by the mouse's distance from the centre.
float RotationStep(double distance, int32_t screenWidth);
int32_t RotationStepCursor(float step);

struct TRotationDrag {
    TPoint Mouse;         // the mouse point now
    TPoint GrabOffset;    // mouse minus the rotation handle when it was grabbed
    TPoint Start;         // the mouse point when the drag started
    TPoint DeviceCenter;  // of the saved geometry
    int32_t ScreenWidth = 0;
    bool Ctrl = false;    // 0.1 degree steps
    bool Shift = false;   // scale with the distance too
};
// A rotation drag; step (when given) receives the angle step used.
TTrackGeometry RotateTrackGeometry(const TTrackGeometry& saved, const TRotationDrag& drag,
                                   const TCustomScaler& scaler, float* step = nullptr);

// The entry of an adjust handle dragged to the mouse point (mm).
THotTrackEntry TrackAdjustEntry(const THotTrackEntry& entry, TFloatPoint mouse, const TTrackGeometry& g);

// A line-end drag by du, dv mm; the dragged end point is snapped to the grid.
TLineTrackGeometry DragLineEnd(const TLineTrackGeometry& saved, int32_t mode, float du, float dv);

// Same centre, size and angle.
bool SameGeometry(const TTrackGeometry& a, const TTrackGeometry& b);
