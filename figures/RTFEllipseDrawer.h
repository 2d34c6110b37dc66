#pragma once
// A label text set character by character along a circle: over the top
// reading clockwise (characters upright toward the rim) or along the bottom
// reading counter-clockwise (upright toward the centre), each character
// turned to the tangent of its place. Paragraph ends, alignment marks and
// data fields do not appear: round text is one run of characters.
//
// Two ways of drawing: with a turned device font per character (always on
// the printer), or with the characters' glyph outlines filled as polygons.
// On other devices the drawer times its draws; once one has taken more than
// 100 ms, every later one of the process draws outlines. Characters too small
// to read on the screen (a font under 6 device units) are drawn as small
// frames.
//
// Angles are on the page with y growing downwards: 0 to the right, pi/2
// down; increasing angles run clockwise.

#include "figures/RTFBasicDrawer.h"
#include "foundation/Scaler.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class TScaleCanvas;

// Where the text runs and where it lies, for hit tests.
struct TTextRing {
    int32_t InnerRadius = 0;  // device units
    int32_t OuterRadius = 0;
    double StartAngle = 0;  // radians, brought to 0 or more (with EndAngle)
    double EndAngle = 0;
    double SweepAngle = 0;
};

// Placements.
constexpr uint8_t kCircleTop = 0;
constexpr uint8_t kCircleBottom = 1;

// The place of one character on the circle.
struct TCircleCharPlace {
    double Start = 0;  // radians: where its baseline starts
    double End = 0;    // radians: where the next one starts
    double Theta = 0;  // degrees clockwise: the turn of the character
    // mm from the centre: the top-left corner of the character's cell.
    TFloatPoint Reference;
};

// The layout of all characters; no places when nothing can be drawn.
struct TCircleLayout {
    double BaselineRadius = 0;  // mm
    double StartAngle = 0, EndAngle = 0, SweepAngle = 0;  // the ring's, normalised
    std::vector<TCircleCharPlace> Places;
};

// The layout of measured tokens on a circle of the radius (mm): placement 0
// top, otherwise bottom; alignment 0 left, 1 centred, 2 right (3 counts as 1);
// spacing scales the gaps between character starts. Empty when the baseline
// radius is 0 or less.
TCircleLayout LayoutOnCircle(const TRTFTokenList& tokens, float capHeight, float totalWidth, uint8_t placement,
                             float radius, float angle, float spacing, uint8_t alignment);

// The duration (ms) of the last timed draw with turned fonts; 0 at start.
extern uint32_t LastCircleDrawTime;
// The millisecond clock that times the draws (tests put their own).
void SetCircleDrawClock(std::function<uint32_t()> clock);

class TRTFEllipseDrawer : public TRTFBasicDrawer {
public:
    TRTFEllipseDrawer();

    // Drops every token but characters and spaces, then measures them.
    void Measure(int32_t pixelsPerInch) override;
    // Draws the text on the circle about (cx, cy) of the radius (mm), starting
    // from the figure's angle (degrees) as the alignment says, and fills the
    // ring. Nothing happens, and the ring stays as it was, without tokens, for
    // a radius of 0 or less, or when the radius leaves no room under the
    // characters.
    void DrawOnCircle(TScaleCanvas& canvas, uint8_t placement, float cx, float cy, float radius, float angle,
                      float spacing, uint8_t alignment, TTextRing& ring);

    float CapHeight = 0;   // mm: the largest ascent above the internal leading
    float TotalWidth = 0;  // mm

private:
    struct TCharDraw {
        const TRTFTokenList::Record* Token;
        const TCircleCharPlace* Place;
        gdi::Point At;  // device reference point
    };
    std::vector<TCharDraw> VisibleChars(TScaleCanvas& canvas, const TCircleLayout& layout, float cx, float cy);
    void DrawExact(TScaleCanvas& canvas, const std::vector<TCharDraw>& chars, const TCircleLayout& layout,
                   float cx, float cy);
    void DrawOutlines(TScaleCanvas& canvas, const std::vector<TCharDraw>& chars);
    void DrawGreekedChar(TScaleCanvas& canvas, const TCharDraw& c, const TCircleLayout& layout, float cx, float cy);
};
