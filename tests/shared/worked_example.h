#pragma once

#include "fix_entries.h"

namespace quorvel::testing {

// Two sights worked through by hand: times 1:00:00 and 1:02:30, assumed
// positions 35 N 145 18' W and 35 N 144 50' W, course 090 at 20 knots,
// azimuths 340 and 240, intercepts 20 toward and 30 away. They are the
// entries the window starts with, written out here so that the calculation's
// tests need nothing of the window.
inline FixEntries WorkedExample() {
    FixEntries e;
    e.Time1 = "1:00:00";
    e.Time2 = "1:02:30";
    e.Long1 = "145.18";
    e.West1 = kSelected;
    e.Lat1 = "35";
    e.North1 = kSelected;
    e.Long2 = "144.50";
    e.West2 = kSelected;
    e.Lat2 = "35";
    e.North2 = kSelected;
    e.course = "90";
    e.speed = "20";
    e.Zn1 = "340";
    e.Zn2 = "240";
    e.A1 = "20";
    e.A2 = "30";
    e.A1_A = kClear;
    e.A2_A = kSelected;
    return e;
}

}  // namespace quorvel::testing
