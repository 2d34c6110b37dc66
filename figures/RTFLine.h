#pragma once
// One line of a wrapped label text: a range of tokens with its sizes.

#include "figures/RTFToken.h"

#include <cstdint>

struct TRTFLine {
    float Height = 0;           // mm: the tallest token, marks included
    int32_t DeviceAscent = 0;   // the largest of its drawable tokens on the last canvas
    float Width = 0;            // mm: the sum of its token widths
    int32_t SpaceCount = 0;     // its spaces, which justification widens
    bool ParagraphEnd = false;  // it ends a paragraph or the text
    int32_t FirstToken = 0;     // inclusive range of token indices
    int32_t LastToken = 0;
    uint8_t Alignment = kAlignLeft;  // in force when the line was closed
};
