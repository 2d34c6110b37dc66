#pragma once
// The rotation of a figure about its centre, with the inverse that brings a
// mouse point back into the unrotated figure. Column-vector convention in
// double precision; the matrix only ever receives rotations.

#include "platform/gdi/GdiTypes.h"

struct TDoublePoint {
    double X = 0;
    double Y = 0;
};
inline TDoublePoint MakeDoublePoint(double x, double y) { return {x, y}; }

class TTransform {
public:
    TTransform();
    void Reset();  // identity; centre and inverse keep their values
    void SetCenter(double x, double y);
    void Rotate(double angle);  // degrees, clockwise on a y-down screen
    TDoublePoint TransformPoint(double x, double y) const;
    gdi::Point InverseTransformPoint(gdi::Point p);

    double Matrix[3][3];
    double Inverse[3][3];
    TDoublePoint Center;

private:
    void ComputeInverse();
};
