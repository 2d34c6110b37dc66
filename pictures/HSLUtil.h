#pragma once
// Colour conversions of the colour filters: hue, saturation and lightness,
// each in 0 .. 1 (hue in turns), computed in single precision. Colours are
// 00BBGGRR.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <vector>

// Low when x < low, high when x > high, else x.
float ClampSingle(float high, float low, float x);
// x moved by whole (high - low) steps into (low, high]: a hue of 0 becomes 1,
// the same colour.
float WrapSingle(float high, float low, float x);

gdi::Color HSLToColor(float hue, float saturation, float lightness);

// Shifts the colour's hue (turns), saturation and lightness; hue wraps round,
// saturation and lightness stop at 0 and 1.
void AdjustHSL(uint8_t& red, uint8_t& green, uint8_t& blue, float hueShift, float saturationShift,
               float lightnessShift);
// AdjustHSL for count pixels of bytesPerPixel bytes (blue, green, red
// first), as many at a time as the processor's vector registers take (or
// lanes, one of HSLLaneWidths()): the same results to the bit.
void AdjustHSLPixels(uint8_t* pixels, int32_t count, int32_t bytesPerPixel, float hueShift, float saturationShift,
                     float lightnessShift, int32_t lanes = 0);
// The numbers of pixels at a time that the processor offers, widest last.
std::vector<int32_t> HSLLaneWidths();
