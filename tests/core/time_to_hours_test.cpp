#include "time_to_hours.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "error_number_of.h"

#include <string>

#include "regions.h"
#include "run_time_error.h"

namespace quorvel {
namespace {

struct TimeCase {
    const char* text;
    double hours;  // used when error is 0
    int error;
    std::string name() const { return text; }
};

class TimeToHoursReads : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeToHoursReads, SightTimes) {
    const TimeCase& c = GetParam();
    if (c.error == 0) {
        EXPECT_EQ(TimeToHours(c.text, testing::kDecimalPoint), c.hours) << '"' << c.text << '"';
        return;
    }
    EXPECT_EQ(testing::ErrorNumberOf([&] { TimeToHours(c.text, testing::kDecimalPoint); }), c.error)
        << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeToHoursReads,
    ::testing::Values(
        TimeCase{"1:00:00", 1.0, 0}, TimeCase{"1:02:30", 1.0416666666666667, 0},
        TimeCase{"1:02", 1.0333333333333334, 0}, TimeCase{"0:59:60", 1.0, 0},
        TimeCase{"14:06:13", 14.10361111111111, 0},
        // an am/pm marker is ignored, not read as afternoon
        TimeCase{"2:06:13pm", 2.1036111111111113, 0},
        // empty or non-numeric minutes and seconds count as 0
        TimeCase{"1:", 1.0, 0}, TimeCase{"1:02:", 1.0333333333333334, 0},
        TimeCase{"1::30", 1.0083333333333333, 0}, TimeCase{"1:xx:yy", 1.0, 0},
        // a fourth field is ignored
        TimeCase{"1:02:30:45", 1.0416666666666667, 0},
        // no range limits, and each field keeps its own sign
        TimeCase{"25:75:90", 26.275, 0}, TimeCase{"-1:30", -0.5, 0}, TimeCase{"1:-30", 0.5, 0},
        // blanks around the hours; minutes read with "." only
        TimeCase{" 1 :30", 1.5, 0}, TimeCase{"1:30,5", 1.5, 0}, TimeCase{"1:1e-400", 1.0, 0},
        // no colon: invalid procedure call
        TimeCase{"130", 0, 5}, TimeCase{"", 0, 5}, TimeCase{"1.30", 0, 5},
        TimeCase{"1\xEF\xBC\x9A"
                 "30",
                 0, 5},  // a fullwidth colon is not a colon
        // hours that are not a number: type mismatch
        TimeCase{":30", 0, 13}, TimeCase{":02:30", 0, 13}, TimeCase{"x:30", 0, 13},
        TimeCase{"inf:00", 0, 13}, TimeCase{"nan:00", 0, 13}, TimeCase{"0x1:00", 0, 13},
        // type mismatch in the hours is met before overflow in the minutes
        TimeCase{"x:1e400", 0, 13},
        // beyond the double range: overflow, in a field or in the sum
        TimeCase{"1e400:00", 0, 6}, TimeCase{"1:1e400", 0, 6}, TimeCase{"1:00:1e400", 0, 6},
        TimeCase{"1.79e308:1e308", 0, 6}),
    testing::NameRow());

TEST(TimeToHours, OnlyTheHoursFollowTheUsersDecimalSeparator) {
    const RegionalSettings& german = testing::kDecimalComma;
    EXPECT_EQ(TimeToHours("1,5:00", german), 1.5);
    EXPECT_EQ(TimeToHours("1:30,5", german), 1.5);
    EXPECT_EQ(TimeToHours("1:30.5", german), 1.5 + 0.5 / 60.0);
    EXPECT_THROW(TimeToHours("1.5:00", german), RunTimeError);
}

TEST(TimeToHours, LongTextsAreReadWhole) {
    std::string longMinutes = "1:" + std::string(100000, '0') + "30";
    EXPECT_EQ(TimeToHours(longMinutes, testing::kDecimalPoint), 1.5);
}

}  // namespace
}  // namespace quorvel
