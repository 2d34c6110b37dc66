#pragma once
// Single-precision geometry of the outline pipeline: interpolation, the
// point-near-line test and Bezier curves of up to degree 12 in Bernstein form.

#include "foundation/Scaler.h"

#include <array>
#include <span>

// A Bezier control polygon: the first Count points are used (Count <= 13).
using TBezierBlock = std::array<TFloatPoint, 13>;

TFloatPoint LerpFloatPoint(TFloatPoint a, TFloatPoint b, float t);
float FloatHypot(float a, float b);
// Whether p lies within tol of the infinite line through a and b (a square
// box test when a and b coincide).
bool FloatPointNearLine(float px, float py, float ax, float ay, float bx, float by, float tol);
void UnionFloatRect(const TFloatRect& a, const TFloatRect& b, TFloatRect& r);
// out[i] := C(count - 1, i) × points[i].
void BezierWeights(int count, std::span<const TFloatPoint> points, TBezierBlock& out);
// The curve point at t of weighted control points.
TFloatPoint BezierPointWeighted(int count, const TBezierBlock& weighted, float t);
