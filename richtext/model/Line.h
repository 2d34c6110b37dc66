#pragma once
// TLine: one piece of a paragraph's text, which is also one line of its
// layout. A piece holds its characters (8-bit, always NUL-terminated after the
// last one) and, in attribute mode, one attribute entry per buffer place:
// the character's width and the index of the rest of its attribute in the
// text's attribute table. While every entry has the same attribute the piece
// keeps that one index instead of an array (the common case of plain runs).
//
// The entry just after the last character is meaningful: it is the attribute
// that characters typed at the end of the piece inherit.
//
// Lengths and capacities are 32-bit; a piece never grows past
// kMaxPieceCapacity, so no counter can wrap.

#include <cstddef>
#include <cstdint>

// Line flags.
constexpr uint16_t lfChanged = 0x0001;        // must be repainted
constexpr uint16_t lfPageStart = 0x0002;      // starts a new page
constexpr uint16_t lfHyphenEnd = 0x0004;      // ends with a hyphen
constexpr uint16_t lfHasObjects = 0x0008;     // contains embedded objects
constexpr uint16_t lfRepositionObj = 0x0010;  // contains an object to reposition
constexpr uint16_t lfInSelection = 0x0040;
constexpr uint16_t lfWhollySelected = 0x0080;

constexpr uint32_t kMaxPieceCapacity = 0x40000000;  // 1 GiB of characters

class TLine {
public:
    TLine() = default;
    ~TLine() { FreeBuffers(); }
    TLine(const TLine&) = delete;
    TLine& operator=(const TLine&) = delete;

    TLine* next = nullptr;
    TLine* prev = nullptr;
    int32_t yPos = 0;           // top of the line in the laid-out text
    uint16_t height = 0;        // layout units
    uint16_t baseLine = 0;      // ascent above the base line
    uint16_t justFirst = 0;     // index of the first stretched blank
    uint16_t justAdd = 0;       // width added to a stretched blank
    uint16_t justRest = 0;      // remaining layout units
    uint16_t pageNumber = 0;    // from 0
    uint16_t spaceAbove = 0;
    uint16_t spaceBelow = 0;
    uint16_t layoutA = 0;
    uint16_t layoutB = 0;
    uint16_t flags = 0;

    uint32_t Length() const { return length_; }
    uint32_t Capacity() const { return capacity_; }
    bool HasAttrs() const { return widths_ != nullptr; }
    const char* Text() const { return text_ ? text_ : ""; }
    char* MutableText() { return text_; }
    char CharAt(uint32_t i) const { return text_[i]; }
    void SetCharAt(uint32_t i, char c) { text_[i] = c; }

    // Attribute entries (attribute mode only; i < Capacity()).
    uint32_t FormatAt(uint32_t i) const { return formats_ ? formats_[i] : uniform_; }
    uint16_t WidthAt(uint32_t i) const { return widths_[i]; }
    void SetWidthAt(uint32_t i, uint16_t w) { widths_[i] = w; }
    void SetFormatAt(uint32_t i, uint32_t format);
    // Sets every entry to one attribute.
    void FillFormat(uint32_t format);
    // True while every entry shares one attribute index.
    bool IsUniform() const { return formats_ == nullptr; }

    // A zeroed buffer of the capacity (rounded up to even), with attribute
    // entries when asked; the old content is dropped.
    void Allocate(uint32_t capacity, bool withAttrs, uint32_t format = 0);
    // Reallocates keeping the characters and entries that fit; the length
    // is cut to capacity - 1 when it no longer fits. Attribute entries are
    // made (filled with `format`) or dropped as withAttrs says.
    void Reallocate(uint32_t capacity, bool withAttrs, uint32_t format = 0);
    void FreeBuffers();
    // Grows the buffer so that `room` more characters fit after the length
    // (capacity at least length + room + 1); headroom as typing needs it.
    bool EnsureRoom(uint32_t room, uint32_t headroom);

    // Sets the length (< capacity) and the NUL after it.
    void SetLength(uint32_t length);
    // Opens `count` places at index (index <= length), moving the tail with
    // its NUL and entries right; the room must be there.
    void OpenGap(uint32_t index, uint32_t count);
    // Removes `count` characters with their entries at index.
    void Erase(uint32_t index, uint32_t count);
    // Copies characters and entries from another piece (of the same text)
    // into places that exist; ranges may overlap within one piece.
    static void CopyChars(TLine& target, uint32_t targetIndex, const TLine& source, uint32_t sourceIndex,
                          uint32_t count);
    // Moves the characters from `offset` on (with the end entry) to the end
    // of `target`, which must have the room; this piece ends at offset.
    void MoveTailTo(uint32_t offset, TLine& target);

    // Takes a copy of another piece's characters and entries (with the end
    // entry), in a buffer just large enough; the layout values are copied too.
    void CopyFrom(const TLine& source);

    // Heap bytes held by the buffers (for the memory benchmark and checks).
    size_t HeapBytes() const;

private:
    char* text_ = nullptr;
    uint16_t* widths_ = nullptr;
    uint32_t* formats_ = nullptr;
    uint32_t uniform_ = 0;
    uint32_t length_ = 0;
    uint32_t capacity_ = 0;

    void MakeFormatArray();
};
using PTLine = TLine*;

// Even capacity that holds `size`, at most kMaxPieceCapacity.
uint32_t EvenCapacity(uint64_t size);
