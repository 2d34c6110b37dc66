#pragma once
// Multi-line text laid out in a device rectangle without the rich-text
// engine: word wrapping at spaces, hard line breaks (CR LF), left, centred,
// right or fully justified lines, vertical placement, and turning of the
// whole block about the rectangle's centre. The caller has set the canvas
// font; texts are Windows-1252.

#include "platform/gdi/Canvas.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Flags of DrawWrappedTextRotated.
constexpr uint8_t wtLeft = 0x01;
constexpr uint8_t wtCenter = 0x02;
constexpr uint8_t wtRight = 0x04;
constexpr uint8_t wtJustify = 0x08;  // every line but the last of a paragraph spans the width
constexpr uint8_t wtTop = 0x10;
constexpr uint8_t wtVCenter = 0x20;
constexpr uint8_t wtBottom = 0x40;
constexpr uint8_t wtMeasureOnly = 0x80;

struct TWrappedTextResult {
    // The union of the lines drawn (unturned), starting as the rotation
    // centre pinned one pixel inside the edges that the flags align to.
    gdi::Rect Bounds;
    // False when text remained that did not fit vertically.
    bool Complete = true;
};

// Lays out and draws the text turned clockwise by angle degrees about the
// centre of rect. Every line takes at least one character; a word wider
// than the rectangle is split between characters. The first line is drawn
// even when it is taller than the rectangle. Returns the block height.
int32_t DrawWrappedTextRotated(gdi::Canvas& canvas, const std::string& text, const gdi::Rect& rect,
                               TWrappedTextResult& result, uint8_t flags, double angle);

// Vertical: 0 top, 1 centre, 2 bottom. Horizontal: 0 left, 1 centre,
// 2 right, 3 justified (the last line of a paragraph stays left-aligned).
// Returns the height used (at most the rectangle's); 0 for an empty rectangle.
int32_t DrawJustifiedText(gdi::Canvas& canvas, const std::string& text, const gdi::Rect& rect, int32_t vertical,
                          int32_t horizontal);

inline void AssignRect(const gdi::Rect& source, gdi::Rect& dest) { dest = source; }

// The advances of a justified line: the plain widths, each space widened so
// that the line grows by exactly `extra` (spread as evenly as whole pixels
// allow). A line without spaces keeps its widths.
std::vector<int32_t> JustifiedAdvances(std::u16string_view line, std::span<const int32_t> widths, int32_t extra);
