#pragma once
// 3x3 single-precision matrices for column vectors:
//   x' = m[0][0]·x + m[0][1]·y + m[0][2],  y' = m[1][0]·x + m[1][1]·y + m[1][2].
// Every step applied to a matrix acts after the mapping already in it
// (new = step × old). Angles are degrees; a positive angle turns clockwise on
// a screen whose y axis points down.

#include <cstdint>

struct TMatrix3 {
    float m[3][3];
};

extern const TMatrix3 kIdentityMatrix;
extern const TMatrix3 kZeroMatrix;

void MatrixIdentity(TMatrix3& M);
// D := A × B; D may be A or B.
void MatrixMultiply(TMatrix3& D, const TMatrix3& A, const TMatrix3& B);
void MatrixScale(TMatrix3& M, float sx, float sy);
void MatrixTranslate(TMatrix3& M, float dx, float dy);
// The turn by angle degrees: rows (cos, −sin, 0), (sin, cos, 0), (0, 0, 1), in singles.
TMatrix3 RotationMatrix(float angle);
void MatrixRotate(TMatrix3& M, float angle);
void MatrixRotateAbout(TMatrix3& M, float angle, float px, float py);
void MatrixTransformPoint(const TMatrix3& M, float x, float y, float& X, float& Y);
void MatrixTransformPointRound(const TMatrix3& M, float x, float y, int32_t& X, int32_t& Y);
