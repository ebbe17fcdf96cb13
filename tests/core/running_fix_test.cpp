#include "running_fix.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "error_number_of.h"

#include <string>

#include <cmath>

#include "run_time_error.h"

namespace quorvel {
namespace {

// The inputs in the order the solver takes them.
struct Sights {
    double t1 = 0, t2 = 0, lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0;
    double course = 0, speed = 0, zn1 = 0, zn2 = 0, a1 = 0, a2 = 0;
};

RunningFix Solve(const Sights& s) {
    return SolveRunningFix(s.t1, s.t2, s.lon1, s.lat1, s.lon2, s.lat2, s.course, s.speed, s.zn1,
                           s.zn2, s.a1, s.a2);
}

// The window's starting entries, converted.
Sights StartingSights() {
    Sights s;
    s.t1 = 1.0;
    s.t2 = 1.0416666666666667;
    s.lon1 = -145.3;
    s.lat1 = 35.0;
    s.lon2 = -144.83333333333334;
    s.lat2 = 35.0;
    s.course = 90;
    s.speed = 20;
    s.zn1 = 340;
    s.zn2 = 240;
    s.a1 = 20;
    s.a2 = -30;
    return s;
}

struct FixCase {
    const char* what;
    Sights sights;
    double lon;
    double lat;
    std::string name() const { return what; }
};

Sights AtOrigin(double zn1, double zn2, double a1, double a2) {
    Sights s;
    s.zn1 = zn1;
    s.zn2 = zn2;
    s.a1 = a1;
    s.a2 = a2;
    return s;
}

Sights BothToward() {
    Sights s = StartingSights();
    s.a2 = 30;
    return s;
}

Sights EqualTimes() {
    // No time between the sights, whatever the speed: no run.
    Sights s = StartingSights();
    s.t2 = s.t1;
    s.speed = 1000;
    return s;
}

class SolveRunningFixFinds : public ::testing::TestWithParam<FixCase> {};

TEST_P(SolveRunningFixFinds, TheCrossingOfTheLines) {
    const FixCase& c = GetParam();
    const RunningFix fix = Solve(c.sights);
    EXPECT_NEAR(fix.fixLon, c.lon, 5e-7) << c.what;
    EXPECT_NEAR(fix.fixLat, c.lat, 5e-7) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Fixes, SolveRunningFixFinds,
    ::testing::Values(
        FixCase{"starting entries", StartingSights(), -144.535601, 35.577574},
        FixCase{"both intercepts toward", BothToward(), -145.700451, 35.230278},
        FixCase{"ten miles east and north", AtOrigin(90, 0, 10, 10), 10.0 / 60, 10.0 / 60},
        FixCase{"ten miles west and south", AtOrigin(270, 180, 10, 10), -10.0 / 60, -10.0 / 60},
        FixCase{"away is the other way", AtOrigin(90, 0, -10, -10), -10.0 / 60, -10.0 / 60},
        FixCase{"bearings beyond 360 are used as they come", AtOrigin(450, 720, 10, 10), 10.0 / 60,
                10.0 / 60},
        FixCase{"negative bearings too", AtOrigin(-270, -360, 10, 10), 10.0 / 60, 10.0 / 60}),
    testing::NameRow());

TEST(SolveRunningFix, TheRunAdvancesTheFirstLineAlongTheCourse) {
    // One line of position north-south through the first assumed position,
    // the other east-west: the fix lies where the advanced first line crosses.
    Sights s;
    s.t1 = 1.0;
    s.t2 = 1.5;
    s.course = 90;
    s.speed = 10;  // 5 miles east
    s.zn1 = 90;
    s.zn2 = 0;
    const RunningFix fix = Solve(s);
    EXPECT_NEAR(fix.fixLon, 5.0 / 60, 1e-9);
    EXPECT_NEAR(fix.fixLat, 0.0, 1e-9);

    // A second sight taken before the first moves it back along the course.
    std::swap(s.t1, s.t2);
    EXPECT_NEAR(Solve(s).fixLon, -5.0 / 60, 1e-9);
}

TEST(SolveRunningFix, EqualTimesMeanNoRun) {
    const RunningFix withRun = Solve(EqualTimes());
    Sights noSpeed = EqualTimes();
    noSpeed.speed = 0;
    const RunningFix without = Solve(noSpeed);
    EXPECT_EQ(withRun.fixLon, without.fixLon);
    EXPECT_EQ(withRun.fixLat, without.fixLat);
}

struct ParallelCase {
    double zn1;
    double zn2;
    std::string name() const { return std::to_string(zn1) + "_" + std::to_string(zn2); }
};

class ParallelLines : public ::testing::TestWithParam<ParallelCase> {};

TEST_P(ParallelLines, AreDivisionByZeroNotAFarAwayFix) {
    const ParallelCase& c = GetParam();
    Sights s = StartingSights();
    s.zn1 = c.zn1;
    s.zn2 = c.zn2;
    EXPECT_EQ(testing::ErrorNumberOf([&] { Solve(s); }), 11) << c.zn1 << " and " << c.zn2;
}

INSTANTIATE_TEST_SUITE_P(Azimuths, ParallelLines,
                         ::testing::Values(ParallelCase{240, 240}, ParallelCase{0, 0},
                                           ParallelCase{90, 90}, ParallelCase{340, 160},
                                           ParallelCase{45, 225}, ParallelCase{0, 360},
                                           ParallelCase{10, 550}, ParallelCase{-90, 90},
                                           ParallelCase{270, 90}, ParallelCase{12.5, 192.5}),
                         testing::NameRow());

TEST(SolveRunningFix, NearlyParallelLinesStillCross) {
    Sights s = AtOrigin(45, 225.001, 10, 10);
    const RunningFix fix = Solve(s);
    EXPECT_TRUE(std::isfinite(fix.fixLon));
    // The lines meet far out along their common direction (north-west or
    // south-east), thousands of miles from the assumed position.
    EXPECT_GT(std::fabs(fix.fixLat), 10.0);
}

TEST(SolveRunningFix, OverflowInAStepIsReportedAsOverflow) {
    Sights s = StartingSights();
    s.speed = 1e308;
    s.t2 = 10;
    EXPECT_EQ(testing::ErrorNumberOf([&] { Solve(s); }), 6);
}

TEST(SolveRunningFix, OverflowBeforeTheDivisionIsReportedFirst) {
    // Parallel lines, but a run so long the advance overflows first.
    Sights s = StartingSights();
    s.zn2 = s.zn1;
    s.speed = 1e308;
    s.t2 = 10;
    EXPECT_EQ(testing::ErrorNumberOf([&] { Solve(s); }), 6);
}

struct DateLineCase {
    const char* what;
    double lon1, lon2;
    double zn1, zn2;
    double a1, a2;
    double lon;  // expected
    std::string name() const { return what; }
};

class AcrossTheDateLine : public ::testing::TestWithParam<DateLineCase> {};

TEST_P(AcrossTheDateLine, AssumedPositionsAreTakenTheShortWayRound) {
    const DateLineCase& c = GetParam();
    Sights s;
    s.lat1 = s.lat2 = 0;
    s.lon1 = c.lon1;
    s.lon2 = c.lon2;
    s.zn1 = c.zn1;
    s.zn2 = c.zn2;
    s.a1 = c.a1;
    s.a2 = c.a2;
    const RunningFix fix = Solve(s);
    EXPECT_NEAR(fix.fixLon, c.lon, 1e-9) << c.what;
    EXPECT_GT(fix.fixLon, -180.0) << c.what;
    EXPECT_LE(fix.fixLon, 180.0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Longitudes, AcrossTheDateLine,
    ::testing::Values(
        // A north-south line through each assumed position, and an east-west one.
        DateLineCase{"east then west of the meridian", 179.5, -179.5, 90, 0, 0, 0, 179.5},
        DateLineCase{"west then east of the meridian", -179.5, 179.5, 90, 0, 0, 0, -179.5},
        DateLineCase{"a fix beyond 180 west is written east", -179.9, -179.9, 90, 0, -12, 0, 179.9},
        DateLineCase{"a fix beyond 180 east is written west", 179.9, 179.9, 90, 0, 12, 0, -179.9},
        DateLineCase{"away from the meridian nothing changes", 10, 20, 90, 0, 0, 0, 10.0}),
    testing::NameRow());

}  // namespace
}  // namespace quorvel
