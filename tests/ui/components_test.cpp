#include "ui/components/area_chart.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace wattlet;

TEST(AreaChart, PointsSpanTheWidthOnAFixedScale)
{
    // Out of range and missing values lie on the edges of the scale.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(AreaChart::points({ 150, -5, nan, 50, 25 }, QSizeF(200, 56)),
        (std::vector<QPointF> { { 0, 0 }, { 50, 56 }, { 100, 56 }, { 150, 28 }, { 200, 42 } }));
    EXPECT_EQ(AreaChart::points({ 60 }, QSizeF(200, 56)).at(0).x(), 0);
}
