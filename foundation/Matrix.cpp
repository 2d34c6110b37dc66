#include "foundation/Matrix.h"

#include "foundation/Rounding.h"

#include <cmath>
#include <numbers>

const TMatrix3 kIdentityMatrix = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
const TMatrix3 kZeroMatrix = {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}};

void MatrixIdentity(TMatrix3& M) {
    M = kIdentityMatrix;
}

void MatrixMultiply(TMatrix3& D, const TMatrix3& A, const TMatrix3& B) {
    TMatrix3 result;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            result.m[i][j] = A.m[i][0] * B.m[0][j] + A.m[i][1] * B.m[1][j] + A.m[i][2] * B.m[2][j];
    D = result;
}

void MatrixScale(TMatrix3& M, float sx, float sy) {
    TMatrix3 S = kIdentityMatrix;
    S.m[0][0] = sx;
    S.m[1][1] = sy;
    MatrixMultiply(M, S, M);
}

void MatrixTranslate(TMatrix3& M, float dx, float dy) {
    TMatrix3 T = kIdentityMatrix;
    T.m[0][2] = dx;
    T.m[1][2] = dy;
    MatrixMultiply(M, T, M);
}

TMatrix3 RotationMatrix(float angle) {
    const long double radians = static_cast<long double>(angle) * std::numbers::pi_v<long double> / 180.0L;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    TMatrix3 R = kIdentityMatrix;
    R.m[0][0] = c;
    R.m[0][1] = -s;
    R.m[1][0] = s;
    R.m[1][1] = c;
    return R;
}

void MatrixRotate(TMatrix3& M, float angle) {
    MatrixMultiply(M, RotationMatrix(angle), M);
}

void MatrixRotateAbout(TMatrix3& M, float angle, float px, float py) {
    MatrixTranslate(M, -px, -py);
    MatrixRotate(M, angle);
    MatrixTranslate(M, px, py);
}

void MatrixTransformPoint(const TMatrix3& M, float x, float y, float& X, float& Y) {
    X = M.m[0][0] * x + M.m[0][1] * y + M.m[0][2];
    Y = M.m[1][0] * x + M.m[1][1] * y + M.m[1][2];
}

void MatrixTransformPointRound(const TMatrix3& M, float x, float y, int32_t& X, int32_t& Y) {
    float fx = 0;
    float fy = 0;
    MatrixTransformPoint(M, x, y, fx, fy);
    X = Round(fx);
    Y = Round(fy);
}
