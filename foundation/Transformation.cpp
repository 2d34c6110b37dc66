#include "foundation/Transformation.h"

#include "foundation/Rounding.h"
#include "platform/gdi/GdiTypes.h"

#include <cmath>
#include <cstring>

namespace {

int64_t SaturatedSum(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return a > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

}  // namespace

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
    // Each product fits 64 bits; their sums saturate, and so does the result
    // (far-off pixels under a large matrix). The shift is arithmetic.
    const int64_t vx = SaturatedSum(SaturatedSum(int64_t{x} * F[0][0], int64_t{y} * F[1][0]), int64_t{F[2][0]} + 2047);
    const int64_t vy = SaturatedSum(SaturatedSum(int64_t{x} * F[0][1], int64_t{y} * F[1][1]), int64_t{F[2][1]} + 2047);
    X = gdi::Saturated(vx >> 12);
    Y = gdi::Saturated(vy >> 12);
}
