#include "calculate_fix.h"

#include <gtest/gtest.h>

#include "case_name.h"

#include <functional>
#include <string>

#include "entry_binding.h"
#include "run_time_error.h"

namespace quorvel {
namespace {

const RegionalSettings kEnglish{".", ","};
const RegionalSettings kGerman{",", "."};

struct CommandCase {
    const char* what;
    std::function<void(FixEntries&)> change;
    const char* text;
    std::string name() const { return what; }
};

class CalculateFixWrites : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CalculateFixWrites, TheFixText) {
    const CommandCase& c = GetParam();
    FixEntries entries = StartingEntries();
    c.change(entries);
    EXPECT_EQ(Command1_Click(entries, kEnglish), c.text) << c.what;
}

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
        CommandCase{"starting entries", [](FixEntries&) {}, "144.321 W,  35.347 N"},
        CommandCase{"both toward", [](FixEntries& e) { e.A2_A = kClear; }, "145.420 W,  35.138 N"},
        CommandCase{"south by the button", [](FixEntries& e) { e.North1 = e.North2 = kClear; },
                    "144.321 W,  34.253 S"},
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
    FixEntries entries = StartingEntries();
    EXPECT_EQ(Command1_Click(entries, kGerman), "144,321 W,  35,347 N");

    entries.Time1 = "1,5:00";  // the hours follow the region ...
    entries.Time2 = "1:30,5";  // ... the minutes do not: 30 minutes
    FixEntries sameTimes = StartingEntries();
    sameTimes.Time1 = sameTimes.Time2 = "1:30";
    EXPECT_EQ(Command1_Click(entries, kGerman), Command1_Click(sameTimes, kGerman));

    entries = StartingEntries();
    AtOrigin(entries);
    entries.Lat1 = entries.Lat2 = "1234.30";
    CrossAtAssumedPositions(entries);
    EXPECT_EQ(Command1_Click(entries, kGerman), "0,000 E,  1.234,300 N");
    EXPECT_EQ(Command1_Click(entries, RegionalSettings{",", "\xE2\x80\xAF"}),
              "0,000 E,  1\xE2\x80\xAF"
              "234,300 N");
}

TEST(CalculateFix, IsTheSameWithTheButtonOrTheSign) {
    FixEntries byButton = StartingEntries();
    byButton.A1_A = kSelected;
    byButton.A1 = "20";
    FixEntries bySign = StartingEntries();
    bySign.A1_A = kClear;
    bySign.A1 = "-20";
    EXPECT_EQ(Command1_Click(byButton), Command1_Click(bySign));
}

struct ErrorCase {
    const char* what;
    std::function<void(FixEntries&)> change;
    int error;
    const char* message;
    std::string name() const { return what; }
};

class CalculateFixFails : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CalculateFixFails, WithTheFirstErrorMet) {
    const ErrorCase& c = GetParam();
    FixEntries entries = StartingEntries();
    c.change(entries);
    try {
        const std::string text = Command1_Click(entries, kEnglish);
        ADD_FAILURE() << c.what << ": gave \"" << text << '"';
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.code(), c.error) << c.what;
        EXPECT_EQ(error.message(), c.message) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CalculateFixFails,
    ::testing::Values(
        ErrorCase{"time without a colon", [](FixEntries& e) { e.Time1 = "130"; }, 5,
                  "Invalid procedure call or argument"},
        ErrorCase{"empty second time", [](FixEntries& e) { e.Time2 = ""; }, 5,
                  "Invalid procedure call or argument"},
        ErrorCase{"hours not a number", [](FixEntries& e) { e.Time2 = "x:30"; }, 13,
                  "Type mismatch"},
        ErrorCase{"a time starting with a colon", [](FixEntries& e) { e.Time1 = ":02:30"; }, 13,
                  "Type mismatch"},
        ErrorCase{"equal azimuths", [](FixEntries& e) { e.Zn2 = "340"; }, 11, "Division by zero"},
        ErrorCase{"opposite azimuths", [](FixEntries& e) { e.Zn2 = "160"; }, 11,
                  "Division by zero"},
        ErrorCase{"a longitude beyond the double range", [](FixEntries& e) { e.Long2 = "1e400"; },
                  6, "Overflow"},
        ErrorCase{"an intercept beyond the double range", [](FixEntries& e) { e.A2 = "-1e999"; }, 6,
                  "Overflow"},
        ErrorCase{"a run beyond the double range",
                  [](FixEntries& e) {
                      e.speed = "1e308";
                      e.Time2 = "1000:00";
                  },
                  6, "Overflow"},
        // Of several faults, the first entry read decides.
        ErrorCase{"first time before second",
                  [](FixEntries& e) {
                      e.Time1 = "x:00";
                      e.Time2 = "130";
                  },
                  13, "Type mismatch"},
        ErrorCase{"no colon before a bad hours field", [](FixEntries& e) { e.Time1 = "x"; }, 5,
                  "Invalid procedure call or argument"},
        ErrorCase{"times before positions",
                  [](FixEntries& e) {
                      e.Time2 = "1";
                      e.Lat1 = "1e400";
                  },
                  5, "Invalid procedure call or argument"},
        ErrorCase{"positions before azimuths",
                  [](FixEntries& e) {
                      e.Lat2 = "1e400";
                      e.Zn2 = "340";
                  },
                  6, "Overflow"},
        ErrorCase{"entry overflow before parallel lines",
                  [](FixEntries& e) {
                      e.Zn2 = "340";
                      e.A2 = "1e400";
                  },
                  6, "Overflow"}),
    testing::NameRow());

}  // namespace
}  // namespace quorvel
