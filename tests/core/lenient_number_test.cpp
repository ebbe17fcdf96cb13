#include "lenient_number.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "error_number_of.h"

#include <cmath>
#include <string>
#include <vector>

#include "run_time_error.h"

namespace quorvel {
namespace {

struct LeadingCase {
    const char* text;
    double expected;
    std::string name() const { return text; }
};

class LeadingNumberReads : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberReads, TheNumberAtTheStart) {
    const LeadingCase& c = GetParam();
    EXPECT_EQ(LeadingNumber(c.text), c.expected) << "text: \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LeadingNumberReads,
    ::testing::Values(LeadingCase{"145.18", 145.18}, LeadingCase{"  35", 35.0},
                      LeadingCase{"\t-12.345", -12.345}, LeadingCase{"+20", 20.0},
                      LeadingCase{".5", 0.5}, LeadingCase{"5.", 5.0}, LeadingCase{"-.25", -0.25},
                      LeadingCase{"1e3", 1000.0}, LeadingCase{"1E-2", 0.01},
                      LeadingCase{"2.5e+1x", 25.0},
                      // the number ends where it cannot go on
                      LeadingCase{"30:15", 30.0}, LeadingCase{"240 deg", 240.0},
                      LeadingCase{"1e", 1.0}, LeadingCase{"1e+", 1.0}, LeadingCase{"7-3", 7.0},
                      LeadingCase{"1.2.3", 1.2}, LeadingCase{"12 34", 12.0},
                      // a decimal comma is not read as a decimal point
                      LeadingCase{"30,5", 30.0},
                      // no number at the start counts as 0
                      LeadingCase{"", 0.0}, LeadingCase{"   ", 0.0}, LeadingCase{"abc", 0.0},
                      LeadingCase{".", 0.0}, LeadingCase{"-", 0.0}, LeadingCase{"e5", 0.0},
                      LeadingCase{"N35", 0.0}, LeadingCase{"inf", 0.0},
                      LeadingCase{"infinity", 0.0}, LeadingCase{"-inf", 0.0},
                      LeadingCase{"nan", 0.0}, LeadingCase{"NaN", 0.0}, LeadingCase{"0x1A", 0.0},
                      LeadingCase{"&H1A", 0.0},
                      // too small for a double is 0, not an error
                      LeadingCase{"1e-400", 0.0}, LeadingCase{"0.000001e-320", 0.0},
                      // the largest doubles and the subnormals still convert
                      LeadingCase{"1.7976931348623157e308", 1.7976931348623157e308},
                      LeadingCase{"4.9406564584124654e-324", 4.9406564584124654e-324},
                      LeadingCase{"0e999999999999999999999", 0.0}),
    testing::NameRow());

TEST(LeadingNumber, IsCorrectlyRoundedFromManyDigits) {
    // 0.1 written with far more digits than a double holds.
    const std::string text = "0.1000000000000000055511151231257827021181583404541015625";
    EXPECT_EQ(LeadingNumber(text), 0.1);
    EXPECT_EQ(LeadingNumber("9007199254740993"), 9007199254740992.0);  // ties to even
}

TEST(LeadingNumber, NegativeZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
}

TEST(LeadingNumber, BeyondTheDoubleRangeIsOverflow) {
    for (const std::string& text : std::vector<std::string>{
             "1e400", "-1e400", "1.8e308", "1e99999999999999999999", std::string(400, '9')}) {
        EXPECT_EQ(testing::ErrorNumberOf([&] { LeadingNumber(text); }), 6) << text.substr(0, 40);
    }
}

}  // namespace
}  // namespace quorvel
