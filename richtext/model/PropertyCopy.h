#pragma once
// The numbering of paragraph properties (bits 0 to 19) and character
// properties (bits 21 to 27) for selective copies, with their names, and the
// routines that copy by such a mask (used to apply paragraph styles).

#include "richtext/model/Attr.h"
#include "richtext/model/Paragraph.h"

#include <array>
#include <cstdint>
#include <string_view>

constexpr int kParPropertyCount = 20;
constexpr int kCharPropertyFirst = 21;
constexpr int kCharPropertyCount = 7;

// Names by bit: 0..19 paragraph properties, 21..27 character properties
// (20 has no name).
std::string_view PropertyName(int bit);
// The document information keys.
extern const std::array<std::string_view, 10> kDocInfoKeys;

// Copies the paragraph properties of copyMask from source, or with clear
// resets those not in it; properties in lockSet stay.
void CopyParProperties(TParagraph& target, uint32_t lockSet, const TParagraph& source, uint32_t copyMask,
                       bool clear);
// The same for bold, italic, underline, font, size, text and background
// colour (copy mask bits 0 to 6, lock bits 21 to 27).
void CopyCharAttrProperties(TAttr& target, uint32_t lockSet, const TAttr& source, uint32_t copyMask, bool clear);
void CopyParExtraRecord(const TParExtra& source, TParExtra& target);
// Walks from par (inclusive) while paragraphs are hidden; true when a
// visible one was reached (par is then that one).
bool SkipHiddenParagraphs(PTParagraph& par, bool forward);
bool IsHiddenParagraph(const TParagraph& par);
