#pragma once
// A matrix for row vectors (x' = x·m00 + y·m10 + m20, y' = x·m01 + y·m11 + m21)
// with fixed-point copies (12 fraction bits) for the per-pixel loop of turned
// bitmaps. A positive angle turns counter-clockwise on a y-down screen.
// FixedInverse is read directly by that loop as nine 32-bit integers, row-major.

#include "foundation/Matrix.h"

#include <cstdint>

class TTransformation {
public:
    TTransformation();
    void Translate(float dx, float dy);
    void Scale(float sx, float sy);
    void Rotate(float cx, float cy, float angle);
    void Prepare();
    // Maps a pixel with the fixed-point matrix: floor((v + 2047) / 4096).
    void MapPixel(int32_t x, int32_t y, int32_t& X, int32_t& Y);

    bool Prepared = false;
    TMatrix3 Matrix;
    TMatrix3 Inverse;
    int32_t FixedMatrix[3][3];
    int32_t FixedInverse[3][3];

private:
    void MultiplyBy(const TMatrix3& step);
};
