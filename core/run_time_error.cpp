#include "run_time_error.h"

namespace quorvel {

const char* ErrorMessage(ErrorNumber number) noexcept {
    switch (number) {
        case ErrorNumber::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::DivisionByZero:
            return "Division by zero";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
    }
    return "Application-defined or object-defined error";
}

RunTimeError::RunTimeError(ErrorNumber number)
    : std::runtime_error(ErrorMessage(number)), number_(number) {}

}  // namespace quorvel
