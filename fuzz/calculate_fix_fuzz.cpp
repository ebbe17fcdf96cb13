#include <cstdlib>
#include <string>

#include "calculate_fix.h"
#include "entry_binding.h"
#include "fuzz_input.h"
#include "run_time_error.h"

// The input is: one byte of region, one byte of option states, then the
// twelve entry texts separated by newlines, in the order the command reads
// them (missing ones are empty).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const quorvel::RegionalSettings region = quorvel::fuzz::RegionFromByte(data[0]);
    const std::uint8_t options = data[1];
    std::string_view rest = quorvel::fuzz::AsText(data + 2, size - 2);

    quorvel::FixEntries e;
    for (const quorvel::TextBinding& binding : quorvel::kTextBindings) {
        const std::size_t end = rest.find('\n');
        e.*binding.field = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    // As the window hands them over: every state is -1 or 0.
    for (std::size_t bit = 0; bit < quorvel::kOptionBindings.size(); ++bit) {
        e.*quorvel::kOptionBindings[bit].field = quorvel::OptionStateOf((options >> bit) & 1);
    }

    try {
        const std::string fix = quorvel::Command1_Click(e, region);
        if (!(fix.ends_with(" N") || fix.ends_with(" S"))) {
            std::abort();
        }
    } catch (const quorvel::RunTimeError&) {
        // Every one of the four errors is a proper end.
    }
    return 0;
}
