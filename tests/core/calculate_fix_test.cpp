#include "calculate_fix.h"

#include <gtest/gtest.h>

#include "case_name.h"

#include <functional>
#include <string>

#include "regions.h"
#include "run_time_error.h"
#include "starting_fix.h"
#include "worked_example.h"

namespace quorvel {
namespace {

using testing::kDecimalComma;
using testing::kDecimalPoint;
using testing::WorkedExample;

struct CommandCase {
    const char* what;
    std::function<void(FixEntries&)> change;
    const char* text;
    std::string name() const { return what; }
};

class CalculateFixWrites : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CalculateFixWrites, TheFixText) {
    const CommandCase& c = GetParam();
    FixEntries entries = WorkedExample();
    c.change(entries);
    EXPECT_EQ(Command1_Click(entries, kDecimalPoint), c.text) << c.what;
}

// Expected texts are worked out apart from the code, by hand or with an
// independent model of the written algorithm, never by the command itself.

// Both assumed positions at 0,0, no run: the lines of position lie the
// intercepts away from the origin.
void AtOrigin(FixEntries& e) {
    e.Long1 = e.Lat1 = e.Long2 = e.Lat2 = "0";
    e.speed = "0";
    e.West1 = e.West2 = kClear;
    e.A1_A = e.A2_A = kClear;
}

// A north-south line through the first assumed position and an east-west one
// through the second, both with no intercept: the fix is at (Long1, Lat2).
void CrossAtAssumedPositions(FixEntries& e) {
    e.Zn1 = "90";
    e.Zn2 = "0";
    e.A1 = e.A2 = "0";
    e.A1_A = e.A2_A = kClear;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CalculateFixWrites,
    ::testing::Values(
        CommandCase{"worked example", [](FixEntries&) {}, testing::kStartingFix},
        CommandCase{"both toward", [](FixEntries& e) { e.A2_A = kClear; }, "145.420 W,  35.138 N"},
        CommandCase{"south by the button", [](FixEntries& e) { e.North1 = e.North2 = kClear; },
                    "144.321 W,  34.253 S"},
        // Each latitude takes its own sight's button: a fix near the equator
        // comes out wrong if either sight reads the other's.
        CommandCase{"first sight north, second south of the equator",
                    [](FixEntries& e) {
                        e.Lat1 = "0.05";
                        e.Lat2 = "0.50";
                        e.North2 = kClear;
                    },
                    "145.025 W,  0.316 N"},
        CommandCase{"first sight south, second north of the equator",
                    [](FixEntries& e) {
                        e.Lat1 = "1.30";
                        e.North1 = kClear;
                        e.Lat2 = "0.10";
                    },
                    "143.485 W,  0.365 S"},
        CommandCase{"a minus sign keeps a north-selected latitude south",
                    [](FixEntries& e) { e.Lat1 = e.Lat2 = "-35"; }, "144.321 W,  34.253 S"},
        CommandCase{"both assumed positions a degree further west",
                    [](FixEntries& e) {
                        e.Long1 = "146.18";
                        e.Long2 = "145.50";
                    },
                    "145.321 W,  35.347 N"},
        CommandCase{"an empty speed gives no run",
                    [](FixEntries& e) {
                        e.speed = "";
                        CrossAtAssumedPositions(e);
                    },
                    "145.180 W,  35.000 N"},
        CommandCase{"a fix at exactly 0 is east and north",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        CrossAtAssumedPositions(e);
                    },
                    "0.000 E,  0.000 N"},
        CommandCase{"ten miles east and north of the origin",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Zn1 = "90";
                        e.Zn2 = "0";
                        e.A1 = "10";
                        e.A2 = "10";
                    },
                    "0.100 E,  0.100 N"},
        CommandCase{"non-numeric entries count as 0",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Long1 = e.Lat1 = "abc";
                        e.Long2 = e.Lat2 = "";
                        e.course = "x";
                        e.speed = "inf";
                        e.Zn1 = "90";
                        e.Zn2 = "nan";
                        e.A1 = "0x10";
                        e.A2 = "";
                    },
                    "0.000 E,  0.000 N"},
        CommandCase{"minutes that round to 60 carry into the degrees",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Lat1 = e.Lat2 = "35.5999994";  // 35 degrees 59.99994 minutes
                        e.Long1 = e.Long2 = "10.5999994";
                        CrossAtAssumedPositions(e);
                    },
                    "11.000 E,  36.000 N"},
        CommandCase{"minutes just short of rounding up stay",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Lat1 = e.Lat2 = "35.5994";
                        CrossAtAssumedPositions(e);
                    },
                    "0.000 E,  35.599 N"},
        CommandCase{"assumed positions either side of the date line",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Long1 = "179.30";  // 179.5 E
                        e.Long2 = "179.30";  // 179.5 W
                        e.West2 = kSelected;
                        CrossAtAssumedPositions(e);
                    },
                    "179.300 E,  0.000 N"},
        CommandCase{"a fix past 180 west is written east",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Long1 = e.Long2 = "179.54";  // 179.9 W
                        e.West1 = e.West2 = kSelected;
                        CrossAtAssumedPositions(e);
                        e.A1 = "-12";  // 0.2 degrees west
                    },
                    "179.540 E,  0.000 N"},
        CommandCase{"latitudes of 1000 degrees and more are grouped",
                    [](FixEntries& e) {
                        AtOrigin(e);
                        e.Lat1 = e.Lat2 = "1234.30";
                        CrossAtAssumedPositions(e);
                    },
                    "0.000 E,  1,234.300 N"}),
    testing::NameRow());

TEST(CalculateFix, FollowsTheUsersDecimalAndGroupSeparators) {
    FixEntries entries = WorkedExample();
    EXPECT_EQ(Command1_Click(entries, kDecimalComma), testing::kStartingFixDecimalComma);

    entries.Time1 = "1,5:00";  // the hours follow the region ...
    entries.Time2 = "1:30,5";  // ... the minutes do not: 30 minutes
    FixEntries sameTimes = WorkedExample();
    sameTimes.Time1 = sameTimes.Time2 = "1:30";
    EXPECT_EQ(Command1_Click(entries, kDecimalComma), Command1_Click(sameTimes, kDecimalComma));

    entries = WorkedExample();
    AtOrigin(entries);
    entries.Lat1 = entries.Lat2 = "1234.30";
    CrossAtAssumedPositions(entries);
    EXPECT_EQ(Command1_Click(entries, kDecimalComma), "0,000 E,  1.234,300 N");
    EXPECT_EQ(Command1_Click(entries, RegionalSettings{",", "\xE2\x80\xAF"}),
              "0,000 E,  1\xE2\x80\xAF"
              "234,300 N");
}

TEST(CalculateFix, IsTheSameWithTheButtonOrTheSign) {
    FixEntries byButton = WorkedExample();
    byButton.A1_A = kSelected;
    byButton.A1 = "20";
    FixEntries bySign = WorkedExample();
    bySign.A1_A = kClear;
    bySign.A1 = "-20";
    EXPECT_EQ(Command1_Click(byButton, kDecimalPoint), Command1_Click(bySign, kDecimalPoint));
}

struct ErrorCase {
    const char* what;
    std::function<void(FixEntries&)> change;
    ErrorNumber error;
    std::string name() const { return what; }
};

constexpr ErrorNumber kInvalidCall = ErrorNumber::InvalidProcedureCall;
constexpr ErrorNumber kOverflow = ErrorNumber::Overflow;
constexpr ErrorNumber kDivisionByZero = ErrorNumber::DivisionByZero;
constexpr ErrorNumber kTypeMismatch = ErrorNumber::TypeMismatch;

class CalculateFixFails : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CalculateFixFails, WithTheFirstErrorMet) {
    const ErrorCase& c = GetParam();
    FixEntries entries = WorkedExample();
    c.change(entries);
    try {
        const std::string text = Command1_Click(entries, kDecimalPoint);
        ADD_FAILURE() << c.what << ": gave \"" << text << '"';
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number(), c.error) << c.what;
        EXPECT_EQ(error.message(), ErrorMessage(c.error)) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CalculateFixFails,
    ::testing::Values(
        ErrorCase{"time without a colon", [](FixEntries& e) { e.Time1 = "130"; }, kInvalidCall},
        ErrorCase{"empty second time", [](FixEntries& e) { e.Time2 = ""; }, kInvalidCall},
        ErrorCase{"hours not a number", [](FixEntries& e) { e.Time2 = "x:30"; }, kTypeMismatch},
        ErrorCase{"a time starting with a colon", [](FixEntries& e) { e.Time1 = ":02:30"; },
                  kTypeMismatch},
        ErrorCase{"equal azimuths", [](FixEntries& e) { e.Zn2 = "340"; }, kDivisionByZero},
        ErrorCase{"opposite azimuths", [](FixEntries& e) { e.Zn2 = "160"; }, kDivisionByZero},
        ErrorCase{"a longitude beyond the double range", [](FixEntries& e) { e.Long2 = "1e400"; },
                  kOverflow},
        ErrorCase{"an intercept beyond the double range", [](FixEntries& e) { e.A2 = "-1e999"; },
                  kOverflow},
        ErrorCase{"a run beyond the double range",
                  [](FixEntries& e) {
                      e.speed = "1e308";
                      e.Time2 = "1000:00";
                  },
                  kOverflow},
        // Of several faults, the first entry read decides.
        ErrorCase{"first time before second",
                  [](FixEntries& e) {
                      e.Time1 = "x:00";
                      e.Time2 = "130";
                  },
                  kTypeMismatch},
        ErrorCase{"no colon before a bad hours field", [](FixEntries& e) { e.Time1 = "x"; },
                  kInvalidCall},
        ErrorCase{"times before positions",
                  [](FixEntries& e) {
                      e.Time2 = "1";
                      e.Lat1 = "1e400";
                  },
                  kInvalidCall},
        ErrorCase{"positions before azimuths",
                  [](FixEntries& e) {
                      e.Lat2 = "1e400";
                      e.Zn2 = "340";
                  },
                  kOverflow},
        ErrorCase{"entry overflow before parallel lines",
                  [](FixEntries& e) {
                      e.Zn2 = "340";
                      e.A2 = "1e400";
                  },
                  kOverflow}),
    testing::NameRow());

}  // namespace
}  // namespace quorvel
