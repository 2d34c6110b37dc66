#pragma once
// Measures the text of label-text tokens on a measuring device whose logical
// unit is one pixel of the drawer's fixed resolution. Like a device context
// it has a current font; the metrics and the advance of every character are
// asked of the device once per font and kept, since the device's extents are
// sums of its characters' advances.

#include "platform/gdi/Canvas.h"

#include <array>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

class TRTFTextMeasurer {
public:
    // The canvas is not owned; it is used with the identity mapping.
    explicit TRTFTextMeasurer(gdi::Canvas& canvas);

    // Makes the font current; its metrics in logical units.
    const gdi::TextMetrics& Select(const gdi::LogFont& font);
    // The advance of one UTF-16 unit in the current font.
    int32_t Advance(char16_t unit);
    // The face the device chooses for a font name.
    std::string TextFace(const std::string& faceName);

private:
    struct FontCache {
        gdi::LogFont font;
        gdi::TextMetrics metrics;
        std::array<int32_t, 256> low;  // -1 until asked
        std::unordered_map<char16_t, int32_t> other;
    };
    int32_t Measure(char16_t unit);

    gdi::Canvas& canvas_;
    std::list<FontCache> caches_;  // the current font first
};

// The measurer of the program: a measuring device like the screen.
TRTFTextMeasurer& ScreenRTFTextMeasurer();
