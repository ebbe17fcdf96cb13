#pragma once

namespace quorvel {

// A position in signed decimal degrees: longitude positive east, latitude
// positive north.
struct RunningFix {
    double fixLon = 0.0;
    double fixLat = 0.0;
};

// The running fix at the time of the second sight: the first line of
// position is advanced along the course by the run between the sights and
// crossed with the second, on a flat chart centred between the two assumed
// positions (mid-latitude plane sailing).
//
// Times in hours; positions in decimal degrees; course and azimuths in
// degrees true; speed in knots; intercepts in miles, positive toward the
// body. Assumed positions on either side of the 180th meridian are taken the
// short way round, and the fix longitude is given above -180 up to 180.
//
// Throws RunTimeError: DivisionByZero when the lines of position are
// parallel (azimuths equal or differing by a multiple of 180 degrees),
// Overflow when a step goes beyond the double range.
RunningFix SolveRunningFix(double t1, double t2, double lon1, double lat1, double lon2, double lat2,
                           double course, double speed, double zn1, double zn2, double a1,
                           double a2);

}  // namespace quorvel
