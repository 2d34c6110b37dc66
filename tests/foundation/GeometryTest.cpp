// Matrices, the figure transform, the fixed-point transformation and the
// integer point helpers.
#include "foundation/Exceptions.h"
#include "foundation/Matrix.h"
#include "foundation/PointHelpers.h"
#include "foundation/Transform.h"
#include "foundation/Transformation.h"

#include <gtest/gtest.h>

TEST(Matrix, StepsActAfterTheMappingAlreadyThere) {
    struct Case { const char* what; void (*build)(TMatrix3&); float x, y, X, Y; };
    const Case cases[] = {
        {"rotate about (10,0) turns clockwise on a y-down screen",
         [](TMatrix3& m) { MatrixRotateAbout(m, 90, 10, 0); }, 20, 0, 10, 10},
        {"translate then scale scales the translation too",
         [](TMatrix3& m) { MatrixTranslate(m, 1, 2); MatrixScale(m, 10, 100); }, 0, 0, 10, 200},
        {"scale then translate leaves the translation alone",
         [](TMatrix3& m) { MatrixScale(m, 10, 100); MatrixTranslate(m, 1, 2); }, 1, 1, 11, 102},
        {"rotate 180", [](TMatrix3& m) { MatrixRotate(m, 180); }, 3, 4, -3, -4},
    };
    for (const Case& c : cases) {
        TMatrix3 m;
        MatrixIdentity(m);
        c.build(m);
        float X = 0, Y = 0;
        MatrixTransformPoint(m, c.x, c.y, X, Y);
        EXPECT_NEAR(X, c.X, 1e-4) << c.what;
        EXPECT_NEAR(Y, c.Y, 1e-4) << c.what;
    }
    TMatrix3 a = kIdentityMatrix;
    MatrixScale(a, 2, 3);
    MatrixMultiply(a, a, a);  // the product may land in an operand
    EXPECT_FLOAT_EQ(a.m[0][0], 4);
    EXPECT_FLOAT_EQ(a.m[1][1], 9);
    int32_t X = 0, Y = 0;
    TMatrix3 t = kIdentityMatrix;
    MatrixTranslate(t, 0.5f, 1.5f);
    MatrixTransformPointRound(t, 0, 0, X, Y);
    EXPECT_EQ(X, 0);  // ties to even
    EXPECT_EQ(Y, 2);
}

TEST(Transform, TurnsAboutTheCentreAndBack) {
    TTransform t;
    t.SetCenter(10, 10);
    t.Rotate(90);
    const TDoublePoint p = t.TransformPoint(20, 10);
    EXPECT_NEAR(p.X, 10, 1e-9);
    EXPECT_NEAR(p.Y, 20, 1e-9);
    EXPECT_EQ(t.InverseTransformPoint({10, 20}), (gdi::Point{20, 10}));
    t.Reset();  // identity again, centre kept
    EXPECT_EQ(t.InverseTransformPoint({13, 17}), (gdi::Point{13, 17}));
    EXPECT_DOUBLE_EQ(t.Center.X, 10);
}

TEST(Transformation, FixedPointMappingFloorsAfterAddingHalfLessOne) {
    struct Case { float dx; int32_t X; };
    for (const Case& c : {Case{0.5f, 0}, Case{0.5003f, 1}, Case{-0.5f, -1}, Case{1.0f, 1}}) {
        TTransformation t;
        t.Translate(c.dx, 0);
        int32_t X = 0, Y = 0;
        t.MapPixel(0, 0, X, Y);
        EXPECT_EQ(X, c.X) << c.dx;
        EXPECT_EQ(Y, 0);
    }
    TTransformation r;
    r.Rotate(0, 0, 90);  // counter-clockwise on a y-down screen
    int32_t X = 0, Y = 0;
    r.MapPixel(4096, 0, X, Y);
    EXPECT_EQ(X, 0);
    EXPECT_EQ(Y, -4096);
    EXPECT_TRUE(r.Prepared);
    EXPECT_EQ(r.FixedInverse[1][0], -4096);  // inverse of a turn is the turn back
    EXPECT_EQ(r.FixedMatrix[0][2], 0);        // column 2 is never written
    r.Scale(2, 2);
    EXPECT_FALSE(r.Prepared);

    TTransformation singular;
    singular.Scale(0, 0);
    singular.Prepare();
    EXPECT_EQ(singular.FixedInverse[0][0], 4096);  // identity instead of a division by zero
    TTransformation about;
    about.Rotate(10, 10, 180);
    about.MapPixel(20, 10, X, Y);
    EXPECT_EQ(X, 0);
    EXPECT_EQ(Y, 10);
}

TEST(PointHelpers, ClampLerpRotateAndRectOutline) {
    EXPECT_EQ(ClampInt(5, 10, 0), 5);
    EXPECT_EQ(ClampInt(-1, 10, 0), 0);
    EXPECT_EQ(ClampInt(11, 0, 10), 10);
    EXPECT_DOUBLE_EQ(ClampDouble(11.0, 0.0, 10.0), 10.0);
    EXPECT_EQ(LerpPoint({0, 0}, {10, 5}, 0.5), (TPoint{5, 2}));  // 2.5 rounds to even
    EXPECT_EQ(RotatePointAbout({10, 0}, {0, 0}, 90), (TPoint{0, 10}));
    EXPECT_EQ(RotatePointAbout({10, 0}, {5, 5}, 90), (TPoint{10, 10}));  // cached angle reused
    EXPECT_EQ(RotatePointAbout({10, 0}, {0, 0}, 0), (TPoint{10, 0}));
    // Points from damaged data far apart: no overflow (the sanitizers watch).
    EXPECT_EQ(RotatePointAbout({INT32_MAX, 0}, {INT32_MIN, 0}, 0).y, 0);

    const TRect r{1, 2, 3, 4};
    std::vector<TPoint> four(4), six(6, TPoint{9, 9}), three(3);
    RectToArray(r, four);
    EXPECT_EQ(four[2], (TPoint{3, 4}));
    RectToArray(r, six);
    EXPECT_EQ(six[4], six[0]);
    EXPECT_EQ(six[5], (TPoint{9, 9}));  // further entries untouched
    EXPECT_THROW(RectToArray(r, three), Exception);
    OffsetPoints(four, 10, 20);
    EXPECT_EQ(four[0], (TPoint{11, 22}));
}
