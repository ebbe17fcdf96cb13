// The one binding of controls to the record, and the one way a button's state
// enters it.

#include "entry_binding.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "calculate_fix.h"
#include "calculate_step.h"
#include "regions.h"
#include "starting_fix.h"
#include "worked_example.h"

namespace quorvel {
namespace {

// Each field of the record, under its own name, written out apart from the
// binding so that a field bound twice, or not at all, shows.
struct Field {
    const char* name;
    std::string FixEntries::*text = nullptr;
    OptionState FixEntries::*option = nullptr;
};
const Field kFields[] = {
    {"Time1", &FixEntries::Time1},
    {"Time2", &FixEntries::Time2},
    {"Long1", &FixEntries::Long1},
    {"West1", nullptr, &FixEntries::West1},
    {"Lat1", &FixEntries::Lat1},
    {"North1", nullptr, &FixEntries::North1},
    {"Long2", &FixEntries::Long2},
    {"West2", nullptr, &FixEntries::West2},
    {"Lat2", &FixEntries::Lat2},
    {"North2", nullptr, &FixEntries::North2},
    {"course", &FixEntries::course},
    {"speed", &FixEntries::speed},
    {"Zn1", &FixEntries::Zn1},
    {"Zn2", &FixEntries::Zn2},
    {"A1", &FixEntries::A1},
    {"A2", &FixEntries::A2},
    {"A1_A", nullptr, &FixEntries::A1_A},
    {"A2_A", nullptr, &FixEntries::A2_A},
};

// Every box holds its own name; one button, or none, is selected.
class NamedControls final : public ControlReader {
public:
    explicit NamedControls(std::string_view selected = {}) : selected_(selected) {}
    std::string text(std::size_t control) const override { return kForm1Controls[control].name; }
    bool isSelected(std::size_t control) const override {
        return kForm1Controls[control].name == selected_;
    }

private:
    std::string_view selected_;
};

TEST(EntryBinding, FillsEachTextFieldFromTheBoxOfItsName) {
    const FixEntries record = ReadEntries(NamedControls());
    for (const Field& f : kFields) {
        if (f.text != nullptr) {
            EXPECT_EQ(record.*f.text, f.name);
        }
    }
}

TEST(EntryBinding, FillsEachOptionStateFromTheButtonOfItsName) {
    for (const Field& selected : kFields) {
        if (selected.option == nullptr) {
            continue;
        }
        const FixEntries record = ReadEntries(NamedControls(selected.name));
        for (const Field& f : kFields) {
            if (f.option != nullptr) {
                // -1 exactly, never 1: the command complements the north flag.
                EXPECT_EQ(record.*f.option, f.name == selected.name ? -1 : 0)
                    << f.name << " with " << selected.name << " selected";
            }
        }
    }
}

TEST(EntryBinding, KeepsNorthNorthWhateverTheToolkitSaysForSelected) {
    // Win32 says 1 for a checked button. Taken as it is, the complement of 1
    // is nonzero and the selected N would be read as south.
    FixEntries raw = StartingEntries();
    raw.North1 = raw.North2 = 1;
    EXPECT_TRUE(Command1_Click(raw, testing::kDecimalPoint).ends_with(" S"));

    EXPECT_EQ(OptionStateOf(true), kSelected);
    EXPECT_EQ(OptionStateOf(false), kClear);
    EXPECT_EQ(CalculateFix(StartingEntries(), testing::kDecimalPoint).fix, testing::kStartingFix);
}

TEST(EntryBinding, StartsWithTheWorkedExampleOfTheCalculationTests) {
    // The calculation's tests work through these sights by hand, and the
    // README tells them as the window's start: a change of either shows here.
    const FixEntries start = StartingEntries();
    const FixEntries worked = testing::WorkedExample();
    for (const TextBinding& b : kTextBindings) {
        EXPECT_EQ(start.*b.field, worked.*b.field) << kForm1Controls[b.control].name;
    }
    for (const OptionBinding& b : kOptionBindings) {
        EXPECT_EQ(start.*b.field, worked.*b.field) << kForm1Controls[b.control].name;
    }
}

TEST(CalculateStep, ReportsTheErrorAndNoFix) {
    FixEntries entries = StartingEntries();
    entries.Zn2 = entries.Zn1;
    const FixOutcome outcome = CalculateFix(entries, testing::kDecimalPoint);
    ASSERT_TRUE(outcome.error.has_value());
    EXPECT_EQ(outcome.fix, "");
    EXPECT_EQ(outcome.error->number(), ErrorNumber::DivisionByZero);
    EXPECT_EQ(ErrorReportText(*outcome.error),
              ErrorReportText(RunTimeError(ErrorNumber::DivisionByZero)));
    EXPECT_STREQ(kErrorReportTitle, "Quorvel");
}

}  // namespace
}  // namespace quorvel
