#include <cmath>
#include <cstdlib>

#include "fuzz_input.h"
#include "lenient_number.h"
#include "run_time_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        if (!std::isfinite(quorvel::LeadingNumber(quorvel::fuzz::AsText(data, size)))) {
            std::abort();
        }
    } catch (const quorvel::RunTimeError& error) {
        if (error.number() != quorvel::ErrorNumber::Overflow) {
            std::abort();
        }
    }
    return 0;
}
