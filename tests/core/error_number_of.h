#pragma once

#include "run_time_error.h"

namespace quorvel::testing {

// The number of the run-time error a call ends with, or 0 when it returns.
template <typename Call>
int ErrorNumberOf(Call&& call) {
    try {
        call();
    } catch (const RunTimeError& error) {
        return error.code();
    }
    return 0;
}

}  // namespace quorvel::testing
