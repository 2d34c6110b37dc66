#pragma once
// TAttr: the attribute of one character of a rich text (and the paragraph
// mark attribute of a paragraph). Lines keep a character's width apart from
// the rest of its attribute, which they share through the text's attribute
// table (AttrTable.h); TAttr is the whole value as callers see it.

#include <cstdint>

// The style set of a character (TOneWrtStyle), as bit masks; the comment
// gives the bit number.
constexpr uint32_t afsBold = 1u << 0;
constexpr uint32_t afsItalic = 1u << 1;
constexpr uint32_t afsHyperLink = 1u << 2;
constexpr uint32_t afsSuper = 1u << 3;
constexpr uint32_t afsSub = 1u << 4;
constexpr uint32_t afsProtected = 1u << 5;
constexpr uint32_t afsIsFootnote = 1u << 6;
constexpr uint32_t afsIsInsertpoint = 1u << 7;
constexpr uint32_t afsAutomatic = 1u << 8;
constexpr uint32_t afsUnderline = 1u << 9;
constexpr uint32_t afsStrikeOut = 1u << 10;
constexpr uint32_t afsHidden = 1u << 11;
constexpr uint32_t afsIsRTFCode = 1u << 12;
constexpr uint32_t afsDelete = 1u << 13;
constexpr uint32_t afsUserdefined = 1u << 14;
constexpr uint32_t afsBookmark = 1u << 15;
constexpr uint32_t afsMisSpelled = 1u << 16;
constexpr uint32_t afsIsObject = 1u << 17;
constexpr uint32_t afsHyphen = 1u << 18;
constexpr uint32_t afsWasChecked = 1u << 19;
constexpr uint32_t afsHotStyle = 1u << 20;
constexpr uint32_t afsParStyleBold = 1u << 21;
constexpr uint32_t afsParStyleItalic = 1u << 22;
constexpr uint32_t afsParStyleUnderline = 1u << 23;
constexpr uint32_t afsParStyleFont = 1u << 24;
constexpr uint32_t afsParStyleSize = 1u << 25;
constexpr uint32_t afsParStyleColor = 1u << 26;
constexpr uint32_t afsParStyleBGColor = 1u << 27;
constexpr uint32_t afsDBCSOne = 1u << 28;
constexpr uint32_t afsDBCSTwo = 1u << 29;

// Special character codes in line texts.
constexpr char kObjectChar = 1;       // a single embedded object
constexpr char kCodeOpenChar = 2;     // opening code of a paired text object
constexpr char kCodeCloseChar = 3;    // closing code of a paired text object
constexpr char kTabChar = 9;
constexpr char kLineBreakChar = 10;   // line break inside a paragraph

struct TAttr {
    uint32_t style = 0;
    // With afsIsObject the id of the object reference; for insert points and
    // automatic text the low 16 bits are the tag reported for protected runs.
    int32_t reference = 0;
    uint16_t width = 0;     // measured advance, layout units
    uint16_t baseLine = 0;  // ascent of the font
    uint16_t height = 0;    // height of the font
    uint8_t textColor = 0;  // colour table index
    uint8_t backColor = 0;  // colour table index
    uint8_t font = 0;       // font table index
    uint8_t measureA = 0;   // used by the measuring layer
    uint8_t size = 0;       // points
    uint8_t measureB = 0;   // used by the measuring layer

    bool Has(uint32_t styleMask) const { return (style & styleMask) != 0; }
    friend bool operator==(const TAttr&, const TAttr&) = default;
};
using PTAttr = TAttr*;
