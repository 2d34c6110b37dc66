#pragma once
// Vector outlines: a list of contours, each a run of strokes (move, line,
// quadratic or cubic Bezier) in float coordinates. Glyph outlines are made
// of them; nothing here closes a contour by itself.

#include "foundation/Scaler.h"

class TStream;

#include <cstdint>
#include <memory>
#include <vector>

constexpr uint8_t kStrokeMove = 0;
constexpr uint8_t kStrokeLine = 1;
constexpr uint8_t kStrokeQuad = 2;   // control point 0, end point 1
constexpr uint8_t kStrokeCubic = 3;  // control points 0 and 1, end point 2

struct TStroke {
    uint8_t Kind = kStrokeMove;
    TFloatPoint Points[3] = {};
    // Where the stroke ends (point 0 for moves and lines).
    TFloatPoint End() const;
};

class TKontur {
public:
    void Clear() { strokes_.clear(); }
    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void QuadTo(float cx, float cy, float x, float y);
    void CubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
    void AddStroke(const TStroke& stroke) { strokes_.push_back(stroke); }
    void ReplaceStroke(int32_t index, const TStroke& stroke) { strokes_[static_cast<size_t>(index)] = stroke; }
    void Assign(const TKontur& source) { strokes_ = source.strokes_; }
    int32_t Count() const { return static_cast<int32_t>(strokes_.size()); }
    const TStroke& Strokes(int32_t index) const { return strokes_[static_cast<size_t>(index)]; }
    // The bounds of every point the strokes use, control points included;
    // (0, 0, 0, 0) without strokes.
    TFloatRect GetBounds() const;

private:
    std::vector<TStroke> strokes_;
};

class TKonturList {
public:
    void Clear() { konturs_.clear(); }
    TKontur& AddKontur();
    void Delete(int32_t index);
    void DeleteLast();
    int32_t Count() const { return static_cast<int32_t>(konturs_.size()); }
    TKontur& Items(int32_t index) { return *konturs_[static_cast<size_t>(index)]; }
    const TKontur& Items(int32_t index) const { return *konturs_[static_cast<size_t>(index)]; }
    // The union of the contours' bounds; (0, 0, 0, 0) when empty.
    TFloatRect GetBounds() const;
    // Maps every used point into the unit square, width and height scaled
    // independently (an extent of 0 counts as 1).
    void Normalize();
    void Assign(const TKonturList& source);

    // Contour count, then per contour its stroke count and per stroke the
    // kind (32 bits, low byte used) and six singles: 28 bytes a stroke.
    void SaveToStream(TStream& stream) const;
    // Clears first. Counts are checked against the bytes that remain, so a
    // damaged stream raises EReadError instead of allocating; the list is
    // left empty then.
    void LoadFromStream(TStream& stream);

private:
    std::vector<std::unique_ptr<TKontur>> konturs_;
};
