#include "figures/Rasten.h"

#include "foundation/Scaler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class RastenTest : public ::testing::Test {
protected:
    ~RastenTest() override {
        RasterWeite = savedGrid_;
        RasterWinkel = savedAngle_;
    }

private:
    double savedGrid_ = RasterWeite;
    double savedAngle_ = RasterWinkel;
};

}  // namespace

TEST_F(RastenTest, StepsAndTheirZeroValues) {
    SetGridX(2.5);
    EXPECT_EQ(GetGridX(), 2.5);
    SetGridX(0);
    EXPECT_EQ(GetGridX(), 0.1);
    SetAngleStep(7.5);
    EXPECT_EQ(GetAngleStep(), 7.5);
    SetAngleStep(0);
    EXPECT_EQ(GetAngleStep(), 0.2);

    // Steps that are no numbers or negative are refused; the steps stay.
    SetGridX(2.5);
    SetAngleStep(7.5);
    for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY), -5.0, -0.1}) {
        SetGridX(bad);
        SetAngleStep(bad);
        EXPECT_EQ(GetGridX(), 2.5) << bad;
        EXPECT_EQ(GetAngleStep(), 7.5) << bad;
    }
}

TEST_F(RastenTest, SnapToTheNearestMultipleTiesToEven) {
    struct Case {
        double grid, value, snapped;
    };
    const Case cases[] = {
        {5, 12.5, 10}, {5, 17.5, 20}, {5, 7.4, 5},   {5, 7.5, 10},  {5, 2.5, 0}, {5, -12.5, -10},
        {5, -13, -15}, {1, 0.5, 0},   {1, 1.5, 2},   {1, -0.49, 0}, {2, 3, 4},   {0.5, 1.3, 1.5},
    };
    for (const Case& c : cases) {
        SetGridX(c.grid);
        EXPECT_DOUBLE_EQ(SnapX(c.value), c.snapped) << c.grid << " " << c.value;
        EXPECT_DOUBLE_EQ(SnapY(c.value), c.snapped) << c.grid << " " << c.value;
    }
}

TEST_F(RastenTest, SnapPixelsThroughTheScaler) {
    TCustomScaler scaler;
    scaler.SetResolutionX(4);
    scaler.SetResolutionY(4);
    scaler.SetDeviceOffsetY(-8);  // device y = mm x 4 + 8
    SetGridX(5);
    EXPECT_EQ(SnapPixelX(50, scaler), 40);   // 12.5 mm -> 10
    EXPECT_EQ(SnapPixelX(70, scaler), 80);   // 17.5 mm -> 20
    EXPECT_EQ(SnapPixelY(50, scaler), 48);   // 10.5 mm -> 10
    EXPECT_EQ(SnapPixelPoint({70, 50}, scaler), (TPoint{80, 48}));

    TCustomScaler broken;  // a scale of 0: the conversion fails
    broken.SetResolutionX(0);
    broken.SetResolutionY(0);
    EXPECT_EQ(SnapPixelX(7, broken), 7);
    EXPECT_EQ(SnapPixelY(0, broken), 0);
    EXPECT_EQ(SnapPixelPoint({-3, 9}, broken), (TPoint{-3, 9}));
}
