#pragma once

#include <cmath>

#include "run_time_error.h"

// Every arithmetic step of the calculation goes through these, so that an
// overflow, or a result that is not a number, ends the calculation with the
// matching run-time error at the step where it happened instead of spreading
// an infinity into the fix.
namespace quorvel::checked {

inline double Finite(double x) {
    if (!std::isfinite(x)) {
        throw RunTimeError(ErrorNumber::Overflow);
    }
    return x;
}

inline double Add(double a, double b) {
    return Finite(a + b);
}
inline double Sub(double a, double b) {
    return Finite(a - b);
}
inline double Mul(double a, double b) {
    return Finite(a * b);
}

// A zero divisor is division by zero even when the dividend is zero too.
inline double Div(double a, double b) {
    if (b == 0.0) {
        throw RunTimeError(ErrorNumber::DivisionByZero);
    }
    return Finite(a / b);
}

inline double Cos(double radians) {
    return Finite(std::cos(radians));
}
inline double Sin(double radians) {
    return Finite(std::sin(radians));
}
inline double Tan(double radians) {
    return Finite(std::tan(radians));
}

}  // namespace quorvel::checked
