#include <array>
#include <cstdlib>
#include <string>

#include "calculate_fix.h"
#include "fuzz_input.h"
#include "run_time_error.h"

// The input is: one byte of region, one byte of option states, then the
// twelve entry texts separated by newlines (missing ones are empty).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const quorvel::RegionalSettings region = quorvel::fuzz::RegionFromByte(data[0]);
    const std::uint8_t options = data[1];
    std::string_view rest = quorvel::fuzz::AsText(data + 2, size - 2);

    std::array<std::string, 12> texts;
    for (std::string& text : texts) {
        const std::size_t end = rest.find('\n');
        text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    quorvel::FixEntries e;
    e.Time1 = texts[0];
    e.Time2 = texts[1];
    e.Long1 = texts[2];
    e.Lat1 = texts[3];
    e.Long2 = texts[4];
    e.Lat2 = texts[5];
    e.course = texts[6];
    e.speed = texts[7];
    e.Zn1 = texts[8];
    e.Zn2 = texts[9];
    e.A1 = texts[10];
    e.A2 = texts[11];
    const auto state = [options](int bit) {
        return (options >> bit) & 1 ? quorvel::kSelected : quorvel::kClear;
    };
    e.West1 = state(0);
    e.North1 = state(1);
    e.West2 = state(2);
    e.North2 = state(3);
    e.A1_A = state(4);
    e.A2_A = state(5);

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
