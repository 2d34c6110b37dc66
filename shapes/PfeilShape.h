#pragma once
// The first shape family: block arrows, the ring arrow, stars, the heart, the
// rounded rectangle, the ellipse or pie and the rectangle (polygon shapes),
// and the banner, the scroll and the curved right arrow (path shapes with
// shaded faces).

#include "shapes/AutoShape.h"

// Block arrow to the right; the handle is the inner corner of shaft and head.
class TPfeilShape : public TAbstractPolygonShape {
public:
    TPfeilShape();

protected:
    void BuildPoints() override;
};

// The block arrow with a notch in its tail.
class TPfeilKerbeShape : public TAbstractPolygonShape {
public:
    TPfeilKerbeShape();

protected:
    void BuildPoints() override;
};

// A ring segment ending in an arrow head; polar handles for the inner radius
// with the end angle, and the start angle.
class TRundPfeilShape : public TAbstractPolygonShape {
public:
    TRundPfeilShape();

protected:
    void BuildPoints() override;
};

// A star of StarPoints points; the handle sets the inner radius.
class TSternShape : public TAbstractPolygonShape {
public:
    TSternShape();

    int32_t StarPoints = 4;

protected:
    void BuildPoints() override;
};

class TSternShape8 : public TSternShape {
public:
    TSternShape8() { StarPoints = 8; }
};

class TSternShape16 : public TSternShape {
public:
    TSternShape16() { StarPoints = 16; }
};

class TSternShape24 : public TSternShape {
public:
    TSternShape24() { StarPoints = 24; }
};

class TSternShape32 : public TSternShape {
public:
    TSternShape32() { StarPoints = 32; }
};

class THerzShape : public TAbstractPolygonShape {
protected:
    void BuildPoints() override;
};

// Rounded rectangle; the handle's distance from its minimum sets the radius.
class TRoundRectShape : public TAbstractPolygonShape {
public:
    TRoundRectShape();

protected:
    void BuildPoints() override;
};

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

// A ribbon banner with folded tails hanging below its ends.
class TBanderoleShape : public TAbstractPathShape {
public:
    TBanderoleShape();
    enum : size_t { Outline, LeftFold, RightFold, LeftEdge, RightEdge, LeftInner, RightInner, kArrays };

    TRect GetBounds() override;
    void DrawOutline(gdi::Canvas& canvas) override;
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override;
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override;

protected:
    void Rebuild() override { BuildBanner(Handle(1).Value2, Angle); }
    void BuildBanner(float y1, double angle);
};

// The banner upside down: the tails rise towards the top.
class TBanderoleShape1 : public TBanderoleShape {
public:
    TBanderoleShape1();
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override;

protected:
    void Rebuild() override { BuildBanner(-Handle(1).Value2, Angle + 180.0); }
};

// A paper scroll with curled corners at the lower left and upper left.
class TPapierrolleShape : public TAbstractPathShape {
public:
    TPapierrolleShape();
    enum : size_t { Outline, LowerCurl, UpperCurl, LowerLine, UpperLine, UpperArc, LowerArc, kArrays };

    TRect GetBounds() override;
    void DrawOutline(gdi::Canvas& canvas) override;
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override;
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override;

protected:
    void Rebuild() override;
};

// A horizontal scroll: the top edge rolled up to the right, the left edge
// rolled towards the front.
class TPapierrolleShape1 : public TAbstractPathShape {
public:
    TPapierrolleShape1();
    enum : size_t { Outline, RightCurl, LeftCurl, RightLine, LeftLine, LeftArc, RightArc, kArrays };

    TRect GetBounds() override;
    void DrawOutline(gdi::Canvas& canvas) override;
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override;
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override;

protected:
    void Rebuild() override;
};

// An arrow curving round to the right: the right halves of two ellipses
// centred on the right edge, the back face shaded.
class TRundPfeilRShape : public TAbstractPathShape {
public:
    TRundPfeilRShape();
    enum : size_t { BackFace, FrontFace, FrontOutline, InnerEdge, kArrays };

    TRect GetBounds() override;
    void DrawOutline(gdi::Canvas& canvas) override;
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override;
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override;
    void SetAdjustHandle(int32_t index, const THotTrackEntry& entry) override;

    TFloatPoint FoldPoint{};

protected:
    void Rebuild() override;
};

// Registers the classes of this family with the factory, in their order.
void RegisterPfeilShapes(TAutoShapeFactory& factory);

// An end angle raised by whole turns until it is not below start and less
// than a turn above it; angles that are not finite count as 0.
float EndAngleAfter(float start, float end);
