#include "refdata/distance.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CalcDistance, KnownDistances)
{
    struct Case {
        double homeLat, homeLon, dxLat, dxLon, km;
    } cases[] = {
        {0, 0, 0, 1, 111},          // one degree along the equator
        {55.75, -37.62, 55.75, -37.62, 0},
        {0, 0, 1, 0, 111},          // one degree along the meridian at the equator
    };
    for (const Case& c : cases)
        EXPECT_EQ(Calc_distance(c.homeLat, c.homeLon, c.dxLat, c.dxLon), c.km)
            << c.homeLat << "," << c.homeLon << " -> " << c.dxLat << "," << c.dxLon;
}

TEST(CalcDistance, AntipodesGiveHalfTheCircumference)
{
    for (auto [lat, lon] : {std::pair{0.0, 0.0}, {45.0, 30.0}, {-33.9, -151.2}}) {
        const double d = Calc_distance(lat, lon, -lat, lon > 0 ? lon - 180 : lon + 180);
        ASSERT_TRUE(std::isfinite(d));
        EXPECT_GT(d, 19900);
        EXPECT_LT(d, 20100);
    }
}
