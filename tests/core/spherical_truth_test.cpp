// The solver against the sphere: sights are generated from a known track with
// exact spherical formulas, reduced from assumed positions near the truth the
// way a navigator would, and the running fix must land on the true position.
#include <gtest/gtest.h>

#include "case_name.h"

#include <string>

#include <cmath>
#include <numbers>

#include "running_fix.h"

namespace quorvel {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kDeg = 180.0 / std::numbers::pi;

struct LatLon {
    double lat;
    double lon;
};

// The point at an angular distance along an initial great-circle bearing.
LatLon Destination(LatLon from, double bearingDeg, double distanceDeg) {
    const double lat1 = from.lat * kRad;
    const double b = bearingDeg * kRad;
    const double d = distanceDeg * kRad;
    const double lat2 =
        std::asin(std::sin(lat1) * std::cos(d) + std::cos(lat1) * std::sin(d) * std::cos(b));
    const double dLon = std::atan2(std::sin(b) * std::sin(d) * std::cos(lat1),
                                   std::cos(d) - std::sin(lat1) * std::sin(lat2));
    double lon = from.lon + dLon * kDeg;
    lon = std::remainder(lon, 360.0);
    return {lat2 * kDeg, lon};
}

// Along a rhumb line, the track a vessel on a steady course follows.
LatLon RhumbDestination(LatLon from, double courseDeg, double miles) {
    const double lat1 = from.lat * kRad;
    const double dLat = miles / 60.0 * std::cos(courseDeg * kRad) * kRad;
    const double lat2 = lat1 + dLat;
    const double dPsi = std::log(std::tan(std::numbers::pi / 4 + lat2 / 2) /
                                 std::tan(std::numbers::pi / 4 + lat1 / 2));
    const double q = std::fabs(dPsi) > 1e-12 ? dLat / dPsi : std::cos(lat1);
    const double dLon = miles / 60.0 * std::sin(courseDeg * kRad) * kRad / q;
    return {lat2 * kDeg, std::remainder(from.lon + dLon * kDeg, 360.0)};
}

double DistanceMiles(LatLon a, LatLon b) {
    const double la = a.lat * kRad, lb = b.lat * kRad;
    const double h =
        std::pow(std::sin((lb - la) / 2), 2) +
        std::cos(la) * std::cos(lb) * std::pow(std::sin((b.lon - a.lon) * kRad / 2), 2);
    return 2 * std::asin(std::sqrt(h)) * kDeg * 60.0;
}

// Altitude and azimuth of a body over its geographic position, seen from a place.
struct AltAz {
    double altitude;
    double azimuth;
};

AltAz Observe(LatLon from, LatLon body) {
    const double lat = from.lat * kRad, dec = body.lat * kRad;
    const double lha = (from.lon - body.lon) * kRad;
    const double alt =
        std::asin(std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(lha));
    double az =
        std::atan2(-std::sin(lha) * std::cos(dec),
                   std::cos(lat) * std::sin(dec) - std::sin(lat) * std::cos(dec) * std::cos(lha));
    az = std::fmod(az * kDeg + 360.0, 360.0);
    return {alt * kDeg, az};
}

struct Voyage {
    const char* what;
    LatLon fix;       // true position at the second sight
    double course;    // true
    double speed;     // knots
    double hours;     // between the sights
    double bearing1;  // of each body from the true position
    double bearing2;
    double zenith;                        // zenith distance of both bodies, degrees
    double offsetBearing1, offsetMiles1;  // assumed position from the truth
    double offsetBearing2, offsetMiles2;
    std::string name() const { return what; }
};

class SphericalTruth : public ::testing::TestWithParam<Voyage> {};

TEST_P(SphericalTruth, TheFixIsWithinATenthOfAMile) {
    const Voyage& v = GetParam();
    const LatLon truth2 = v.fix;
    const LatLon truth1 = RhumbDestination(truth2, v.course + 180.0, v.speed * v.hours);

    const LatLon body1 = Destination(truth1, v.bearing1, v.zenith);
    const LatLon body2 = Destination(truth2, v.bearing2, v.zenith);
    const double observed1 = Observe(truth1, body1).altitude;
    const double observed2 = Observe(truth2, body2).altitude;

    const LatLon assumed1 = Destination(truth1, v.offsetBearing1, v.offsetMiles1 / 60.0);
    const LatLon assumed2 = Destination(truth2, v.offsetBearing2, v.offsetMiles2 / 60.0);
    const AltAz computed1 = Observe(assumed1, body1);
    const AltAz computed2 = Observe(assumed2, body2);
    // Intercepts in miles, positive toward the body.
    const double a1 = (observed1 - computed1.altitude) * 60.0;
    const double a2 = (observed2 - computed2.altitude) * 60.0;

    const double t1 = 10.0;
    const RunningFix fix =
        SolveRunningFix(t1, t1 + v.hours, assumed1.lon, assumed1.lat, assumed2.lon, assumed2.lat,
                        v.course, v.speed, computed1.azimuth, computed2.azimuth, a1, a2);
    EXPECT_LT(DistanceMiles({fix.fixLat, fix.fixLon}, truth2), 0.1)
        << v.what << ": fix " << fix.fixLat << ", " << fix.fixLon << " truth " << truth2.lat << ", "
        << truth2.lon;
    EXPECT_GT(fix.fixLon, -180.0);
    EXPECT_LE(fix.fixLon, 180.0);
}

INSTANTIATE_TEST_SUITE_P(
    Voyages, SphericalTruth,
    ::testing::Values(
        Voyage{
            "mid-Pacific, sun then moon", {35.5, -144.5}, 90, 12, 1.5, 320, 230, 45, 30, 7, 200, 9},
        Voyage{"equator, steaming north", {0.2, 10.0}, 0, 15, 1.0, 80, 350, 50, 90, 10, 270, 10},
        Voyage{"southern ocean", {-44.0, 120.0}, 225, 10, 1.8, 40, 130, 40, 0, 8, 135, 6},
        Voyage{
            "near 45 north, westbound", {44.5, -30.0}, 280, 8, 2.4, 170, 260, 60, 310, 10, 45, 10},
        Voyage{"across the date line eastward",
               {10.0, -179.9},
               90,
               12,
               1.5,
               30,
               300,
               45,
               270,
               9,
               90,
               9},
        Voyage{"across the date line westward",
               {-20.0, 179.95},
               270,
               16,
               1.2,
               200,
               110,
               35,
               90,
               8,
               270,
               8},
        Voyage{"no run between the sights", {25.0, 60.0}, 45, 0, 3.0, 100, 200, 55, 10, 5, 190, 5},
        Voyage{"second sight first", {5.0, -75.0}, 180, 10, -1.0, 60, 170, 45, 0, 4, 0, 4}),
    testing::NameRow());

TEST(SphericalTruthAcrossTheDateLine, APositionMisplacedByTheWholeWorldNoLonger) {
    // Assumed positions at 179.5 E and 179.5 W: one degree apart, not 359.
    const LatLon truth{0.0, 180.0};
    const LatLon body1 = Destination(truth, 90, 40);
    const LatLon body2 = Destination(truth, 0, 40);
    const LatLon assumed1{0.0, 179.9};
    const LatLon assumed2{0.0, -179.9};
    const AltAz c1 = Observe(assumed1, body1);
    const AltAz c2 = Observe(assumed2, body2);
    const double a1 = (Observe(truth, body1).altitude - c1.altitude) * 60;
    const double a2 = (Observe(truth, body2).altitude - c2.altitude) * 60;
    const RunningFix fix = SolveRunningFix(0, 0, assumed1.lon, assumed1.lat, assumed2.lon,
                                           assumed2.lat, 0, 0, c1.azimuth, c2.azimuth, a1, a2);
    EXPECT_LT(DistanceMiles({fix.fixLat, fix.fixLon}, truth), 0.1)
        << fix.fixLat << ", " << fix.fixLon;
}

}  // namespace
}  // namespace quorvel
