#pragma once
// TRtLinePaint: what the painter works out for one line before it draws it:
// the line's rectangles, its alignment offset and base line, the bands beside
// it and in the page gaps, its background, the selected part and the row
// position of a table cell. All values are layout pixels relative to the
// window (scroll positions and insets applied).

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <string>

// Page-gap marks below a line.
constexpr uint8_t gmNone = 0;
constexpr uint8_t gmSoftBreak = 1;
constexpr uint8_t gmHardBreak = 2;
constexpr uint8_t gmEndOfText = 3;
constexpr uint8_t gmEndWithoutLine = 5;

// Numbering texts and font names are cut to this many characters.
constexpr size_t kLinePaintTextLimit = 128;

struct TRtLineBand {
    gdi::Rect rect;
    bool present = false;
    void Set(int32_t l, int32_t t, int32_t r, int32_t b) {
        rect = {l, t, r, b};
        present = r > l && b > t;
    }
};

struct TRtLinePaint {
    gdi::Rect line;          // top and bottom of the line; left = text start, right = text end
    int32_t parLeft = 0;     // the paragraph's edges (without border, with the horizontal offset)
    int32_t parRight = 0;
    int32_t textStart = 0;
    int32_t textEnd = 0;
    int32_t alignOffset = 0;
    int32_t baseline = 0;

    TRtLineBand leftMargin;
    TRtLineBand leftPageEdge;
    TRtLineBand spaceAbove;
    TRtLineBand topPageEdge;
    TRtLineBand spaceBelow;
    TRtLineBand bottomPageEdge;
    TRtLineBand rightBand;
    TRtLineBand rightPageEdge;
    uint8_t gapMark = gmNone;

    bool hasBackground = false;
    gdi::Color background = 0;

    bool lineSelected = false;  // the whole line
    int32_t selFrom = 0;        // the selected characters [selFrom, selTo)
    int32_t selTo = 0;
    bool selRunsOn = false;     // the selection goes on past the line's end

    bool firstRow = false;
    bool lastRow = false;

    std::string numberText;
    std::string numberFont;
    bool band = false;  // painting a header or footer into a page gap

    bool InSelection(int32_t index) const { return lineSelected || (index >= selFrom && index < selTo); }
    void SetNumbering(std::string_view text, std::string_view font) {
        numberText.assign(text.substr(0, kLinePaintTextLimit));
        numberFont.assign(font.substr(0, kLinePaintTextLimit));
    }
};
