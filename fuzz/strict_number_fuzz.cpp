#include <cmath>
#include <cstdlib>

#include "fuzz_input.h"
#include "run_time_error.h"
#include "strict_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const quorvel::RegionalSettings region = quorvel::fuzz::RegionFromByte(data[0]);
    try {
        if (!std::isfinite(
                quorvel::WholeNumber(quorvel::fuzz::AsText(data + 1, size - 1), region))) {
            std::abort();
        }
    } catch (const quorvel::RunTimeError& error) {
        if (error.number() != quorvel::ErrorNumber::Overflow &&
            error.number() != quorvel::ErrorNumber::TypeMismatch) {
            std::abort();
        }
    }
    return 0;
}
