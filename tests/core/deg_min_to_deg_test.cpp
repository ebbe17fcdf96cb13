#include "deg_min_to_deg.h"

#include <gtest/gtest.h>

#include "case_name.h"

#include <string>

#include <cmath>

namespace quorvel {
namespace {

struct DegMinCase {
    double value;
    OptionState flag;
    double degrees;
    std::string name() const { return std::to_string(value) + (flag != 0 ? "_flagged" : ""); }
};

class DegMinToDegConverts : public ::testing::TestWithParam<DegMinCase> {};

TEST_P(DegMinToDegConverts, ToTheLastBit) {
    const DegMinCase& c = GetParam();
    EXPECT_EQ(DegMinToDeg(c.value, c.flag), c.degrees) << c.value << " flag " << c.flag;
}

INSTANTIATE_TEST_SUITE_P(
    Values, DegMinToDegConverts,
    ::testing::Values(DegMinCase{145.18, kSelected, -145.3},
                      DegMinCase{144.50, kSelected, -144.83333333333334},
                      DegMinCase{35, kClear, 35.0}, DegMinCase{12.345, kClear, 12.575000000000001},
                      DegMinCase{12.5, kClear, 12.833333333333334},  // 12 degrees 50 minutes
                      DegMinCase{12.75, kClear, 13.25},              // minutes carry
                      DegMinCase{12.6, kClear, 13.0}, DegMinCase{179.999, kClear, 180.665},
                      DegMinCase{-12.345, kClear, -12.575000000000001},
                      DegMinCase{-12.345, kSelected, 12.575000000000001},
                      // any nonzero flag negates
                      DegMinCase{12.6, 1, -13.0}, DegMinCase{12.6, 0x7fff, -13.0},
                      DegMinCase{1.7976931348623157e308, kClear, 1.7976931348623157e308}),
    testing::NameRow());

TEST(DegMinToDeg, ZeroNegatedIsNegativeZero) {
    const double r = DegMinToDeg(0.0, kSelected);
    EXPECT_EQ(r, 0.0);
    EXPECT_TRUE(std::signbit(r));
}

}  // namespace
}  // namespace quorvel
