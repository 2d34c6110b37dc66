#pragma once
// TParagraph: one paragraph of a rich text, an element of the doubly linked
// chain of a text (or of a header or footer text, an undo snapshot or a paste
// chain). Its text is the concatenation of its line pieces. Lengths are twips.

#include "richtext/model/Attr.h"
#include "richtext/model/Line.h"

#include <cstdint>

struct TParExtra;
class TParObject;

// Paragraph flags.
constexpr uint32_t pfPageBreak = 0x00000001;
constexpr uint32_t pfProtected = 0x00000002;
constexpr uint32_t pfChanged = 0x00000004;
constexpr uint32_t pfMultSpacing = 0x00000008;
constexpr uint32_t pfJustifyLast = 0x00000010;
constexpr uint32_t pfMarked = 0x00000020;
constexpr uint32_t pfKeepTogether = 0x00000040;
constexpr uint32_t pfKeepWithNext = 0x00000080;
constexpr uint32_t pfNoWrap = 0x00000100;
constexpr uint32_t pfPrevCell = 0x00000200;
constexpr uint32_t pfNextCell = 0x00000400;
constexpr uint32_t pfTableCell = 0x00000800;
constexpr uint32_t pfContentsEntry = 0x00001000;
constexpr uint32_t pfNoParLines = 0x00002000;
constexpr uint32_t pfKeepLineBreaks = 0x00004000;
constexpr uint32_t pfHeaderBand = 0x00010000;
constexpr uint32_t pfFooterBand = 0x00020000;
constexpr uint32_t pfHidden = 0x00040000;
constexpr uint32_t pfNumberInIndent = 0x00100000;
constexpr uint32_t pfCellVCenter = 0x01000000;
constexpr uint32_t pfCellVBottom = 0x02000000;
constexpr uint32_t pfOneAttr = 0x08000000;
constexpr uint32_t pfCollapsedHidden = 0x10000000;
constexpr uint32_t pfCollapsed = 0x20000000;

// Border flags.
constexpr uint16_t bfOn = 0x0001;
constexpr uint16_t bfLastOfRun = 0x0002;
constexpr uint16_t bfTop = 0x0004;
constexpr uint16_t bfBottom = 0x0008;
constexpr uint16_t bfLeft = 0x0010;
constexpr uint16_t bfRight = 0x0020;
constexpr uint16_t bfBox = 0x0040;

// Explicit-property mask: set on the paragraph itself rather than by its style.
constexpr uint32_t epLeftIndent = 0x01;
constexpr uint32_t epRightIndent = 0x02;
constexpr uint32_t epFirstIndent = 0x04;
constexpr uint32_t epSpaceBefore = 0x08;
constexpr uint32_t epLineSpacing = 0x20;
constexpr uint32_t epSpaceAfter = 0x40;
constexpr uint32_t epBorders = 0x80;
constexpr uint32_t epBorderMore = 0x100;
constexpr uint32_t epBorderMore2 = 0x200;
constexpr uint32_t epNumbering = 0x4000;

// Alignment (TParAlign).
constexpr uint8_t paralLeft = 0;
constexpr uint8_t paralCenter = 1;
constexpr uint8_t paralRight = 2;
constexpr uint8_t paralBlock = 3;

// The border block: flags, width, four colour bytes and spacing, copied as one.
struct TBorderBlock {
    uint16_t flags = 0;
    uint8_t width = 0;
    uint8_t colors[4] = {};  // left, top, right, bottom
    uint8_t spacing = 0;     // points
    friend bool operator==(const TBorderBlock&, const TBorderBlock&) = default;
};

struct TParagraph {
    int16_t firstIndent = 0;
    int16_t leftIndent = 0;
    int16_t rightIndent = 0;
    int16_t spaceBefore = 0;
    int16_t spaceAfter = 0;   // a table cell keeps its free vertical space here during pagination
    int16_t lineSpacing = 0;  // 0 = single
    int16_t numberStyle = 0;  // 0 = not numbered
    int16_t numberStart = 0;  // 1 or more restarts the counter
    uint8_t numberLevel = 0;
    uint8_t shadingColor = 0;
    uint8_t shadingPercent = 0;
    uint8_t align = paralLeft;
    int32_t style = 0;
    int32_t parId = 0;
    uint64_t tabs = 0;  // bit i: tab slot i of the header applies
    TBorderBlock border;
    uint32_t flags = 0;
    TLine* firstLine = nullptr;
    TParagraph* next = nullptr;
    TParagraph* prev = nullptr;
    uint32_t explicitMask = 0;
    int32_t outlineLevel = 0;  // 0 top, deeper levels negative
    int32_t uniqueId = 0;
    uint16_t numberValue = 0;
    TParObject* objects = nullptr;
    TParExtra* extra = nullptr;
    TAttr markAttr;
    int32_t index = 0;

    bool Has(uint32_t flag) const { return (flags & flag) != 0; }
    bool IsCell() const { return Has(pfTableCell); }
    void MarkChanged() { flags |= pfChanged; }
};
using PTParagraph = TParagraph*;
