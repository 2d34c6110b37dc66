#pragma once
// One styled piece of a label text: a word, a space or break opportunity, a
// paragraph end, an alignment mark or a data field, with its font and the
// sizes measured at the drawer's fixed resolution. This is a token's full
// form; the drawers keep their tokens compactly (RTFTokenList.h).

#include "foundation/Font.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// Kinds of tokens (3 is not used).
constexpr uint8_t kTokenWord = 0;
constexpr uint8_t kTokenSpace = 1;  // a space, or a break opportunity with empty text
constexpr uint8_t kTokenParagraph = 2;
constexpr uint8_t kTokenAlignment = 4;
constexpr uint8_t kTokenField = 5;

// Alignments of marks and lines.
constexpr uint8_t kAlignLeft = 0;
constexpr uint8_t kAlignCenter = 1;
constexpr uint8_t kAlignRight = 2;
constexpr uint8_t kAlignJustify = 3;

struct TRTFToken {
    float Width = 0;   // mm: advance of Text; 0 for paragraph ends and marks
    float Height = 0;  // mm: font height plus external leading
    float Ascent = 0;  // mm
    int32_t DeviceHeight = 0;  // on the canvas of the last draw
    int32_t DeviceAscent = 0;
    uint8_t Kind = kTokenWord;
    std::string Text;       // what is drawn; "<" + name + ">" for a field not yet filled
    std::string FieldName;  // fields only
    std::string FontName;   // "Default" stands for "Arial"
    int32_t FontSize = 0;   // points
    TFontStyles FontStyle = 0;
    gdi::Color FontColor = 0;
    uint8_t Charset = gdi::DEFAULT_CHARSET;
    uint8_t Alignment = kAlignLeft;  // marks only
    // Words and fields: the advance (mm) after each byte of Text, summed.
    std::vector<float> Advances;
};
