#pragma once
// The basic polygon shapes that the figures need so far: the ellipse (or pie)
// and the plain rectangle.

#include "shapes/AutoShape.h"

// An ellipse; when the angles of its two polar handles differ by a degree or
// more, the pie from the first handle's angle clockwise to the second's.
class TEllipseShape : public TAbstractPolygonShape {
public:
    TEllipseShape();

protected:
    void BuildPoints() override;
};

class TRechteckShape : public TAbstractPolygonShape {
protected:
    void BuildPoints() override { BuildBoxPoints(); }
};

// Registers the classes of this unit with the factory.
void RegisterPfeilShapes(TAutoShapeFactory& factory);
