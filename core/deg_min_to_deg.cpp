#include "deg_min_to_deg.h"

#include <cmath>

#include "checked_arithmetic.h"

namespace quorvel {

double DegMinToDeg(double value, OptionState negate) {
    using namespace checked;
    const double degrees = Finite(std::trunc(value));
    // Times 100 first, then divided by 60: the order fixes the last bit.
    const double minutesAsDegrees = Div(Mul(Sub(value, degrees), 100.0), 60.0);
    const double result = Add(degrees, minutesAsDegrees);
    return negate != 0 ? -result : result;
}

}  // namespace quorvel
