#pragma once
// The four gradient renderers. Each paints the device rectangle r (and
// beyond it, within the outer shape of its bands) as bands of flat colour
// from the palette's ramp, with the pen cleared: at most `step` device pixels
// per band and at most the palette's ramp size bands. While a renderer
// paints, the palette's ramp size is the band count (and, except for the
// cone, its edge margin the margin given); both are restored afterwards.
// A rectangle too small for one band draws nothing.
//
// Angles are degrees, clockwise on the y-down device; offsets are fractions
// (-0.5 .. 0.5) of the rectangle's width by which the centre moves.

#include "foundation/GradientPalette.h"
#include "platform/gdi/Canvas.h"

#include <cstdint>

enum class TGradienttyp : uint8_t {
    gtLinear = 0,
    gtRadial = 1,
    gtKegel = 2,  // conical
    gtRect = 3,   // concentric squares
    gtLinearDoppelt = 4,  // no renderer: draws nothing
};

// Bands across the rectangle turned by angle; the first colour on the left
// edge of the turned band area (angle 90 runs from top to bottom).
void GradientLinear(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double angle, double margin,
                    int32_t step);
// Concentric circles; the first colour outside, the last at the centre.
void GradientRadial(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double offsetX,
                    double offsetY, double margin, int32_t step);
// Wedges about the centre; the first colour along the angle, the last
// opposite, symmetric on both sides.
void GradientCone(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double offsetX, double offsetY,
                  double angle);
// Concentric squares turned by angle; the first colour outside.
void GradientRect(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double offsetX,
                  double offsetY, double angle, double margin, int32_t step);
