#include "foundation/Rounding.h"

#include <gtest/gtest.h>

TEST(Rounding, RoundTiesToEvenTruncTowardsZeroMulDivHalfAwayFromZero) {
    struct Case { long double x; int32_t round; int32_t trunc; };
    const Case cases[] = {
        {12.5L, 12, 12}, {13.5L, 14, 13}, {-12.5L, -12, -12}, {-13.5L, -14, -13},
        {0.5L, 0, 0}, {1.5L, 2, 1}, {2.4999L, 2, 2}, {-0.7L, -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.x), c.round) << static_cast<double>(c.x);
        EXPECT_EQ(Trunc(c.x), c.trunc) << static_cast<double>(c.x);
    }
    EXPECT_EQ(MulDiv(5, 1, 2), 3);     // 2.5 away from zero
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, 2), 11);    // 10.5
    EXPECT_EQ(MulDiv(10, 10, 3), 33);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(Trunc(1e30L), INT32_MAX);  // damaged data: no undefined conversion
    EXPECT_EQ(Trunc(-1e30L), INT32_MIN);
    EXPECT_EQ(Trunc(NAN), 0);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);  // no overflow in between
}
