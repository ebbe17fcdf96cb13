#include "calculate_fix.h"

#include <cmath>

#include "checked_arithmetic.h"
#include "deg_min_to_deg.h"
#include "lenient_number.h"
#include "number_format.h"
#include "running_fix.h"
#include "time_to_hours.h"

namespace quorvel {
namespace {

// The fix coordinate (its absolute value) in degree-minute notation with
// three decimals.
std::string DegMinText(double degrees, const RegionalSettings& region) {
    using namespace checked;
    const double whole = Finite(std::trunc(degrees));
    // 0.6 itself, not a division by 100 and a multiplication by 60: the
    // constant fixes the last bit of the written minutes.
    const double degMin = Add(whole, Mul(Sub(degrees, whole), 0.6));
    std::string text = FixedText(degMin, 3);
    // Minutes that round to 60 at the written precision carry into the
    // degrees: 35.99999 degrees is 36 degrees 00.0 minutes, never 35 60.0.
    if (text.ends_with(".600")) {
        text = FixedText(Add(whole, 1.0), 3);
    }
    return InUsersNotation(text, region);
}

}  // namespace

std::string Command1_Click(const FixEntries& entries, const RegionalSettings& region) {
    // The entries are read in this order, so of several faults the first one
    // met is the one reported.
    const double t1 = TimeToHours(entries.Time1, region);
    const double t2 = TimeToHours(entries.Time2, region);

    // West longitudes and south latitudes are negative: the north flag is
    // complemented, so a selected north button (-1) negates nothing.
    const double lon1 = DegMinToDeg(LeadingNumber(entries.Long1), entries.West1);
    const double lat1 =
        DegMinToDeg(LeadingNumber(entries.Lat1), static_cast<OptionState>(~entries.North1));
    const double lon2 = DegMinToDeg(LeadingNumber(entries.Long2), entries.West2);
    const double lat2 =
        DegMinToDeg(LeadingNumber(entries.Lat2), static_cast<OptionState>(~entries.North2));

    const double course = LeadingNumber(entries.course);
    const double speed = LeadingNumber(entries.speed);
    const double zn1 = LeadingNumber(entries.Zn1);
    const double zn2 = LeadingNumber(entries.Zn2);
    double a1 = LeadingNumber(entries.A1);
    double a2 = LeadingNumber(entries.A2);
    if (entries.A1_A != 0) {
        a1 = -a1;
    }
    if (entries.A2_A != 0) {
        a2 = -a2;
    }

    const RunningFix fix =
        SolveRunningFix(t1, t2, lon1, lat1, lon2, lat2, course, speed, zn1, zn2, a1, a2);

    // Exactly 0 (or -0) is east and north.
    std::string text = DegMinText(std::fabs(fix.fixLon), region);
    text += fix.fixLon < 0.0 ? " W,  " : " E,  ";
    text += DegMinText(std::fabs(fix.fixLat), region);
    text += fix.fixLat < 0.0 ? " S" : " N";
    return text;
}

}  // namespace quorvel
