#pragma once
// One line of text bent along a circle, character by character: with a font
// turned to each character's place on the arc, or, where rotated fonts are
// switched off (the printer with "NoRotate" = 1 in "Drucker"), as filled
// glyph outlines. Device units; this routine takes π as 3.1415.

#include "platform/gdi/Canvas.h"

#include <cstdint>
#include <string>

struct TCircleTextGeometry {
    int32_t BaseRadius = 0;  // radius of the baseline as used with rotated fonts
    int32_t Radius = 0;      // circle radius
    double StartAngle = 0;   // radians: arc position of the text's start
    double EndAngle = 0;     // radians: arc position of the text's end
    double Span = 0;         // radians: arc length of the text divided by the radius
};

constexpr int32_t kCircleTextUpper = 0;  // along the upper arc
constexpr int32_t kCircleTextLower = 1;  // along the lower arc

// False only for the canvas of the running print job when the setting
// "NoRotate" of "Drucker" is 1 (read afresh on each such call).
bool UseRotatedFonts(gdi::Canvas& canvas);

// The text (Windows-1252) along the circle inscribed in rect's width:
// radius (right - left) div 2, centre (left + r, top + r); nothing when the
// radius is 0. angle (degrees) is the arc position of the text's middle;
// spacing scales the advance of every character but the last. Afterwards
// the font is unrotated and the text alignment is top-left.
void DrawTextOnCircle(gdi::Canvas& canvas, const gdi::Rect& rect, int32_t mode, double angle, const std::string& text,
                      double spacing, TCircleTextGeometry& geometry);
// The same with the way of drawing given.
void DrawTextOnCircle(gdi::Canvas& canvas, const gdi::Rect& rect, int32_t mode, double angle, const std::string& text,
                      double spacing, TCircleTextGeometry& geometry, bool rotatedFonts);
