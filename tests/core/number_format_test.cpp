#include "number_format.h"

#include <gtest/gtest.h>

#include "case_name.h"

#include <string>

namespace quorvel {
namespace {

struct FormatCase {
    double value;
    RegionalSettings region;
    const char* expected;
    std::string name() const { return expected; }
};

class FormatNumberWrites : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberWrites, ThreeDecimalsInTheUsersNotation) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatNumber(c.value, 3, c.region), c.expected);
}

const RegionalSettings kEnglish{".", ","};
const RegionalSettings kGerman{",", "."};
const RegionalSettings kFrench{",", "\xE2\x80\xAF"};  // narrow no-break space

INSTANTIATE_TEST_SUITE_P(
    Values, FormatNumberWrites,
    ::testing::Values(
        FormatCase{144.32136, kEnglish, "144.321"}, FormatCase{0.5, kEnglish, "0.500"},
        FormatCase{0.0, kEnglish, "0.000"}, FormatCase{-0.0, kEnglish, "0.000"},
        FormatCase{-0.0001, kEnglish, "0.000"}, FormatCase{-2.5, kEnglish, "-2.500"},
        FormatCase{999.9994, kEnglish, "999.999"}, FormatCase{999.9996, kEnglish, "1,000.000"},
        FormatCase{1234.5, kEnglish, "1,234.500"},
        FormatCase{1234567.25, kEnglish, "1,234,567.250"},
        FormatCase{123456.0, kEnglish, "123,456.000"}, FormatCase{1234.5, kGerman, "1.234,500"},
        FormatCase{1234.5, kFrench,
                   "1\xE2\x80\xAF"
                   "234,500"},
        FormatCase{35.347, kGerman, "35,347"},
        // rounding follows the exact binary value: 0.0005 is just above
        FormatCase{0.0005, kEnglish, "0.001"}, FormatCase{1.0005, kEnglish, "1.000"}),
    testing::NameRow());

TEST(FixedText, IsPlainWhateverTheRegion) {
    EXPECT_EQ(FixedText(1234.5678, 3), "1234.568");
    EXPECT_EQ(FixedText(1e20, 3), "100000000000000000000.000");
    EXPECT_EQ(FixedText(1.7976931348623157e308, 3).size(), 309u + 4u);
}

}  // namespace
}  // namespace quorvel
