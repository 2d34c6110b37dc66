#include "foundation/Transform.h"

#include "foundation/Rounding.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {
void SetIdentity(double m[3][3]) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0 : 0.0;
}
}  // namespace

TTransform::TTransform() {
    SetIdentity(Matrix);
    std::memset(Inverse, 0, sizeof Inverse);
}

void TTransform::Reset() {
    SetIdentity(Matrix);
}

void TTransform::SetCenter(double x, double y) {
    Center = {x, y};
}

void TTransform::Rotate(double angle) {
    const double radians = angle * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double R[3][3] = {{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
    double result[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            result[i][j] = R[i][0] * Matrix[0][j] + R[i][1] * Matrix[1][j] + R[i][2] * Matrix[2][j];
    std::memcpy(Matrix, result, sizeof Matrix);
}

TDoublePoint TTransform::TransformPoint(double x, double y) const {
    const double dx = x - Center.X;
    const double dy = y - Center.Y;
    return {Center.X + dx * Matrix[0][0] + dy * Matrix[0][1] + Matrix[0][2],
            Center.Y + dx * Matrix[1][0] + dy * Matrix[1][1] + Matrix[1][2]};
}

// The transposed cofactors of the linear part without division by the
// determinant: exact for the pure rotations this matrix holds.
void TTransform::ComputeInverse() {
    const auto& m = Matrix;
    const double det = m[0][0] * m[1][1] * m[2][2] + m[0][1] * m[1][2] * m[2][0] + m[0][2] * m[1][0] * m[2][1] -
                       m[0][1] * m[1][0] * m[2][2] - m[0][0] * m[1][2] * m[2][1] - m[0][2] * m[1][1] * m[2][0];
    if (det == 0) return;
    Inverse[0][0] = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    Inverse[0][1] = -(m[0][1] * m[2][2] - m[0][2] * m[2][1]);
    Inverse[1][0] = -(m[1][0] * m[2][2] - m[1][2] * m[2][0]);
    Inverse[1][1] = m[0][0] * m[2][2] - m[0][2] * m[2][0];
    Inverse[0][2] = 0;
    Inverse[1][2] = 0;
}

gdi::Point TTransform::InverseTransformPoint(gdi::Point p) {
    ComputeInverse();
    const double dx = p.x - Center.X;
    const double dy = p.y - Center.Y;
    return {Round(Center.X + dx * Inverse[0][0] + dy * Inverse[0][1] + Inverse[0][2]),
            Round(Center.Y + dx * Inverse[1][0] + dy * Inverse[1][1] + Inverse[1][2])};
}
