#pragma once
// The element records of the figures, value by value in their stored order.
// Each record is read and written here and nowhere else: by the figure
// classes and by the document preview, which keeps only what it draws, so
// the two readers cannot drift apart. A figure's whole record is the base
// record, then the record of every class between TFigure and the figure's
// class, outermost first (a rectangle: base, line, rectangle).
//
// The readers take the values into the record and leave the figure to take
// them over, so that a record that ends early or holds a Double that is not
// finite (EFilerReadError, "IDS_CANNOTREADFILE") changes nothing.

#include "foundation/Font.h"

#include <array>
#include <cstdint>
#include <string>

class TEtikettFiler;
class TFillData;

// Raised when a figure record or a group cannot be read; the message is the
// "IDS_CANNOTREADFILE" text with the filer's file name.
[[noreturn]] void RaiseRecordError(const TEtikettFiler& filer);
// A tagged Double that must be finite.
double ReadFiniteDouble(TEtikettFiler& filer);
// Writes a tagged Double that reads back: a value that arithmetic has driven
// beyond the double range is written as the largest double of its sign, a
// NaN as 0.
void WriteFiniteDouble(TEtikettFiler& filer, double v);

// The seven Doubles of every figure.
struct TBaseRecord {
    double CenterX = 0, CenterY = 0, Width = 0, Height = 0;
    double Reserved1 = 0, Reserved2 = 0;
    double Angle = 0;

    // The seven values in their stored order (the snapshot stores them so too).
    std::array<double, 7> Values() const { return {CenterX, CenterY, Width, Height, Reserved1, Reserved2, Angle}; }
    void SetValues(const std::array<double, 7>& v);
    void Read(TEtikettFiler& filer);
    // Values beyond the double range are written as the largest double of
    // their sign, a NaN as 0, so that what is saved always reads back.
    void Write(TEtikettFiler& filer) const;
};

// The pen of TLinie and of everything built on it.
struct TLinieRecord {
    bool MainDiagonal = false;
    double PenWidth = 0.1;  // mm
    int32_t PenStyle = 0;
    int32_t PenColor = 0xFF0000;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The brush style that means no fill (older records, SetBrushStyle).
inline constexpr uint8_t kClearBrush = 1;

// The inner margins of TRechteck in mm.
struct TInnerMargins {
    double Left = 1, Top = 1, Right = 1, Bottom = 1;
};

// The rectangle's record: the marker -100, the fill's own stream (untagged)
// and the four margins. The older record has a fill colour in place of the
// marker and a brush style after it, and no margins: the fill becomes a
// colour fill (none with brush style 1) and the margins are left as they
// are. Returns false for the older record.
bool ReadRechteckRecord(TEtikettFiler& filer, TFillData& fill, TInnerMargins& margins);
void WriteRechteckRecord(TEtikettFiler& filer, const TFillData& fill, const TInnerMargins& margins);

// What a group writes behind its rectangle record; the member elements
// follow, each with its element code.
struct TGroupRecordHead {
    bool FreeRotation = true;
    bool Reserved = false;
    int32_t Count = 0;

    // A count beyond the bytes that remain (every member takes at least its
    // element code) refuses the record.
    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The font of the plain texts, listings, track lists and WordArt: name,
// size in points, colour, then bold, italic, underline and strike-out.
struct TFontRecord {
    std::string Name = "Arial";
    int32_t Size = 12;
    int32_t Color = 0;
    TFontStyles Style = 0;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
    void ApplyTo(TFont& font) const;
};
