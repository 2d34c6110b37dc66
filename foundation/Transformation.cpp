#include "foundation/Transformation.h"

#include "foundation/Rounding.h"

#include <cmath>
#include <cstring>

TTransformation::TTransformation() : Matrix(kIdentityMatrix), Inverse(kZeroMatrix) {
    std::memset(FixedMatrix, 0, sizeof FixedMatrix);
    std::memset(FixedInverse, 0, sizeof FixedInverse);
}

void TTransformation::MultiplyBy(const TMatrix3& step) {
    Prepared = false;
    MatrixMultiply(Matrix, Matrix, step);
}

void TTransformation::Translate(float dx, float dy) {
    TMatrix3 T = kIdentityMatrix;
    T.m[2][0] = dx;
    T.m[2][1] = dy;
    MultiplyBy(T);
}

void TTransformation::Scale(float sx, float sy) {
    TMatrix3 S = kIdentityMatrix;
    S.m[0][0] = sx;
    S.m[1][1] = sy;
    MultiplyBy(S);
}

void TTransformation::Rotate(float cx, float cy, float angle) {
    Prepared = false;
    const bool aboutPoint = cx != 0 || cy != 0;
    if (aboutPoint) Translate(-cx, -cy);
    MultiplyBy(RotationMatrix(angle));
    if (aboutPoint) Translate(cx, cy);
}

void TTransformation::Prepare() {
    const auto& m = Matrix.m;
    Inverse = Matrix;
    const float det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                      m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                      m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (std::fabs(det) < 1e-5f) {
        Inverse = kIdentityMatrix;
    } else {
        const float f = 1.0f / det;
        auto& v = Inverse.m;
        v[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * f;
        v[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * f;
        v[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * f;
        v[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * f;
        v[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * f;
        v[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * f;
        v[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * f;
        v[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * f;
        v[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * f;
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c) {
            FixedInverse[r][c] = Round(static_cast<long double>(Inverse.m[r][c]) * 4096);
            FixedMatrix[r][c] = Round(static_cast<long double>(Matrix.m[r][c]) * 4096);
        }
    }
    Prepared = true;
}

void TTransformation::MapPixel(int32_t x, int32_t y, int32_t& X, int32_t& Y) {
    if (!Prepared) Prepare();
    const auto& F = FixedMatrix;
    // 64-bit sums keep far-off pixels from overflowing; the shift is arithmetic.
    const int64_t vx = int64_t{x} * F[0][0] + int64_t{y} * F[1][0] + F[2][0] + 2047;
    const int64_t vy = int64_t{x} * F[0][1] + int64_t{y} * F[1][1] + F[2][1] + 2047;
    X = static_cast<int32_t>(vx >> 12);
    Y = static_cast<int32_t>(vy >> 12);
}
