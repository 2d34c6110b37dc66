#pragma once
// Turns characters of a TrueType font into contour lists: the glyph outline
// of a character, in glyph units with y growing downwards and the origin on
// the baseline at the character's start. Characters are bytes of the font's
// character set.

#include "foundation/Font.h"
#include "foundation/PointHelpers.h"
#include "platform/gdi/GlyphOutline.h"

#include <cstdint>

class TKonturList;

class TTTFConverter {
public:
    // Font "Arial", height 288.
    TTTFConverter();

    // Appends the outline of one character (the low byte of code, in the
    // font's charset) at the origin; nothing for a character without one,
    // such as the space.
    void CharToKonturList(TKonturList& list, int32_t code);
    // The same for a character given as Unicode.
    void UnicodeCharToKonturList(TKonturList& list, char32_t code);
    // Appends the contours of one glyph at Origin + Pen.
    void AddGlyph(uint8_t code, TKonturList& list);

    TFont Font;
    gdi::GlyphMetrics Metrics;  // of the last glyph asked for
    TPoint Origin{0, 0};
    TPoint Pen{0, 0};

private:
    void AddGlyphOf(char32_t code, TKonturList& list);
};
