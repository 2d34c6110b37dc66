#pragma once
// Glyph outlines in the native outline format of the system: the contours of
// a character as straight and quadratic pieces, at the size of a logical
// font (logical units) and turned by a 2x2 matrix, in a byte buffer that
// callers walk record by record. Built from the real font files; cubic
// outlines (CFF fonts) are converted to quadratic pieces within 1/32 unit.
//
// Buffer layout (little-endian), contour after contour:
//   contour header: uint32 cb (bytes of the contour including this header),
//                   uint32 type (kPolygonContour), Fixed x, Fixed y (start)
//   then, within cb, curve records:
//                   uint16 type (kLineRecord or kQSplineRecord), uint16 count,
//                   count points of Fixed x, Fixed y
// A line record's points are the ends of straight pieces. A spline record's
// points are quadratic control points followed by one end point: between two
// consecutive control points the curve passes through their midpoint. Each
// record starts where the previous one ended (the contour's start point for
// the first); a contour closes back to its start point. Coordinates grow to
// the right and upwards from the glyph origin on the baseline.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gdi {

// A 16.16 fixed-point value: the integer part in the high 16 bits.
using Fixed = int32_t;
Fixed ToFixed(double v);
inline double FromFixed(Fixed f) { return f / 65536.0; }
// The integer part, plus 1 when the fraction is a half or more.
inline int32_t RoundFixed(Fixed f) { return (f >> 16) + ((f >> 15) & 1); }

constexpr uint32_t kPolygonContour = 24;
constexpr uint16_t kLineRecord = 1;
constexpr uint16_t kQSplineRecord = 2;
constexpr size_t kContourHeaderSize = 16;
constexpr size_t kRecordHeaderSize = 4;
constexpr size_t kFixedPointSize = 8;

// The matrix applied to the outline (y up): x' = eM11·x + eM21·y, y' = eM12·x + eM22·y.
struct Mat2 {
    Fixed eM11 = 65536, eM12 = 0, eM21 = 0, eM22 = 65536;
};

struct GlyphMetrics {
    uint32_t blackBoxX = 0;  // size of the smallest box round the turned outline
    uint32_t blackBoxY = 0;
    Point glyphOrigin;       // its upper-left corner relative to the origin (y up)
    int16_t cellIncX = 0;    // the turned advance
    int16_t cellIncY = 0;
};

struct GlyphOutlineData {
    GlyphMetrics metrics;
    std::vector<uint8_t> data;  // empty for a character without contours (a space)
};

// The outline of code in the logical font; nothing when the font has no
// glyph for the code.
std::optional<GlyphOutlineData> BuildGlyphOutline(const LogFont& font, char32_t code, const Mat2& matrix);

constexpr int64_t kGlyphOutlineError = -1;
// In the manner of the system call: with an empty buffer the size needed;
// otherwise the bytes written, or kGlyphOutlineError when the buffer is too
// small. 0 for a character without an outline or one the font lacks.
int64_t GetGlyphOutline(const LogFont& font, char32_t code, GlyphMetrics* metrics, std::span<uint8_t> buffer,
                        const Mat2& matrix);

}  // namespace gdi
