#pragma once
// Text measured in millimetres for a font, whatever the zoom of the canvas
// it will be drawn on (only the font's point size counts), and text
// shortened with "..." to a width. Used by the track table (and by the
// directory listing once it comes).

#include <string>

class TFont;

class TMMFontHelper {
public:
    float TextWidthMM(const TFont& font, const std::string& text) const;
    float TextHeightMM(const TFont& font, const std::string& text) const;
    // A text that fits comes back whole; otherwise the longest prefix of at
    // least two characters that fits with "..." after it; empty when none
    // does or the width is not positive.
    std::string ShortenText(const TFont& font, const std::string& text, float widthMM) const;
};

const TMMFontHelper& MMFontHelper();
