#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "control_table.h"
#include "fix_entries.h"

namespace quorvel {

// Which control fills which field of the record the Calculate Fix command
// reads. Both front-ends, the tests and the fuzzer take the fields from here.
struct TextBinding {
    std::size_t control;  // row in the control table
    std::string FixEntries::*field;
};

struct OptionBinding {
    std::size_t control;
    OptionState FixEntries::*field;
};

// The twelve entry boxes, in the order the command reads them.
inline constexpr std::array<TextBinding, 12> kTextBindings{{
    {ControlIndex("Time1"), &FixEntries::Time1},
    {ControlIndex("Time2"), &FixEntries::Time2},
    {ControlIndex("Long1"), &FixEntries::Long1},
    {ControlIndex("Lat1"), &FixEntries::Lat1},
    {ControlIndex("Long2"), &FixEntries::Long2},
    {ControlIndex("Lat2"), &FixEntries::Lat2},
    {ControlIndex("course"), &FixEntries::course},
    {ControlIndex("speed"), &FixEntries::speed},
    {ControlIndex("Zn1"), &FixEntries::Zn1},
    {ControlIndex("Zn2"), &FixEntries::Zn2},
    {ControlIndex("A1"), &FixEntries::A1},
    {ControlIndex("A2"), &FixEntries::A2},
}};

// The command reads one button of each pair; its partner only completes it.
inline constexpr std::array<OptionBinding, 6> kOptionBindings{{
    {ControlIndex("West1"), &FixEntries::West1},
    {ControlIndex("North1"), &FixEntries::North1},
    {ControlIndex("West2"), &FixEntries::West2},
    {ControlIndex("North2"), &FixEntries::North2},
    {ControlIndex("A1_A"), &FixEntries::A1_A},
    {ControlIndex("A2_A"), &FixEntries::A2_A},
}};

// What a front-end answers of its controls, each named by its row.
class ControlReader {
public:
    // The text of an entry box, UTF-8, exactly as typed.
    virtual std::string text(std::size_t control) const = 0;
    // Whether an option button is selected, however the toolkit says so.
    virtual bool isSelected(std::size_t control) const = 0;

protected:
    ~ControlReader() = default;
};

// The only way a button's state enters the record: -1 selected, 0 clear.
// Anything else (Win32 says 1 for a checked button) would let the command
// complement the north flag into a nonzero value and turn north into south.
constexpr OptionState OptionStateOf(bool selected) {
    return selected ? kSelected : kClear;
}

// The record from the controls as they stand.
FixEntries ReadEntries(const ControlReader& controls);

// The record as the window starts: the table's texts and selections.
FixEntries StartingEntries();

}  // namespace quorvel
