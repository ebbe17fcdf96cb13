#include "running_fix.h"

#include <cmath>

#include "checked_arithmetic.h"
#include "run_time_error.h"

namespace quorvel {
namespace {

using namespace checked;

// The ten-digit value the fix has always been computed with. With it, a line
// of position that runs exactly north-south has a very large but finite
// slope, so vertical lines need no special case.
constexpr double kPi = 3.141592654;
constexpr double kMilesPerDegree = 60.0;

// Multiply by pi first, then divide by 180: the order fixes the last bit.
double Radians(double degrees) {
    return Div(Mul(degrees, kPi), 180.0);
}

// Lines of position are parallel when their azimuths differ by a multiple of
// 180 degrees. The ten-digit pi keeps the two slopes from being exactly equal
// then, and the "intersection" would land hundreds of millions of degrees
// away; report such lines as the equal-azimuth case is reported.
bool AreParallel(double zn1, double zn2) {
    const double difference = zn1 - zn2;
    return std::isfinite(difference) && std::fmod(difference, 180.0) == 0.0;
}

}  // namespace

RunningFix SolveRunningFix(double t1, double t2, double lon1, double lat1, double lon2, double lat2,
                           double course, double speed, double zn1, double zn2, double a1,
                           double a2) {
    // Across the 180th meridian the two assumed positions are close together,
    // not most of the way round the earth apart.
    const double lonApart = Sub(lon2, lon1);
    if (std::fabs(lonApart) > 180.0) {
        lon2 = Add(lon1, std::remainder(lonApart, 360.0));
    }

    const double lonM = Div(Add(lon2, lon1), 2.0);
    const double latM = Div(Add(lat2, lat1), 2.0);
    const double k = Cos(Radians(latM));

    double x1 = Mul(Mul(Sub(lon1, lonM), k), kMilesPerDegree);
    double y1 = Mul(Sub(lat1, latM), kMilesPerDegree);
    const double x2 = Mul(Mul(Sub(lon2, lonM), k), kMilesPerDegree);
    const double y2 = Mul(Sub(lat2, latM), kMilesPerDegree);

    // Advance the first assumed position by the run; a negative time
    // difference moves it backwards along the course.
    const double dist = Mul(Sub(t2, t1), speed);
    const double thC = Sub(90.0, course);
    x1 = Add(Mul(Cos(Radians(thC)), dist), x1);
    y1 = Add(Mul(Sin(Radians(thC)), dist), y1);

    // Bearings become plane angles counter-clockwise from east.
    const double th1 = Sub(90.0, zn1);
    const double th2 = Sub(90.0, zn2);

    const double p1x = Add(Mul(Cos(Radians(th1)), a1), x1);
    const double p1y = Add(Mul(Sin(Radians(th1)), a1), y1);
    const double p2x = Add(Mul(Cos(Radians(th2)), a2), x2);
    const double p2y = Add(Mul(Sin(Radians(th2)), a2), y2);

    // Each line of position runs at right angles to its azimuth.
    const double phi1 = Add(th1, 90.0);
    const double phi2 = Add(th2, 90.0);
    const double m1 = Tan(Radians(phi1));
    const double m2 = Tan(Radians(phi2));

    const double b1 = Sub(p1y, Mul(p1x, m1));
    const double b2 = Sub(p2y, Mul(p2x, m2));

    const double rise = Sub(b2, b1);
    if (AreParallel(zn1, zn2)) {
        throw RunTimeError(ErrorNumber::DivisionByZero);
    }
    const double X = Div(rise, Sub(m1, m2));
    const double Y = Add(Mul(m1, X), b1);

    RunningFix fix;
    fix.fixLon = Add(Div(Div(X, Cos(Radians(latM))), kMilesPerDegree), lonM);
    fix.fixLat = Add(Div(Y, kMilesPerDegree), latM);

    // Never more than 180 degrees of longitude: 181 W is 179 E.
    if (fix.fixLon > 180.0 || fix.fixLon <= -180.0) {
        fix.fixLon = std::remainder(fix.fixLon, 360.0);
        if (fix.fixLon <= -180.0) {
            fix.fixLon = 180.0;
        }
    }
    return fix;
}

}  // namespace quorvel
