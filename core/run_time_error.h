#pragma once

#include <stdexcept>
#include <string>

namespace quorvel {

// The four run-time errors a calculation can end with. The numbers and
// messages are the ones navigators know from the original program's reports.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5,  // a sight time without a colon
    Overflow = 6,              // a number or result beyond the double range
    DivisionByZero = 11,       // parallel lines of position
    TypeMismatch = 13,         // the hours of a sight time are not a number
};

// Ends a calculation with no partial result; carries the error's number and
// the host's wording of it.
class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(ErrorNumber number);

    ErrorNumber number() const noexcept { return number_; }
    int code() const noexcept { return static_cast<int>(number_); }
    // "Type mismatch", "Overflow", ... as the report shows it.
    std::string message() const { return what(); }

private:
    ErrorNumber number_;
};

// The host's wording of an error number.
const char* ErrorMessage(ErrorNumber number) noexcept;

}  // namespace quorvel
