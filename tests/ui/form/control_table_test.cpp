// The screen-reader names in the control table, against what each button's
// caption means.

#include "control_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "option_meaning.h"

namespace quorvel {
namespace {

// The sight whose row a frame sits in: that of the nearer row label, "1" or "2".
int SightOf(const ControlRow& frame) {
    const ControlRow& first = kForm1Controls[ControlIndex("Label2")];
    const ControlRow& second = kForm1Controls[ControlIndex("Label3")];
    const ControlRow& nearer =
        std::abs(frame.top - first.top) <= std::abs(frame.top - second.top) ? first : second;
    return std::string_view(nearer.text) == "1" ? 1 : 2;
}

TEST(ControlTable, EachOptionButtonIsNamedForWhatItsCaptionMeans) {
    int buttons = 0;
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        const ControlRow& row = kForm1Controls[i];
        if (row.kind != ControlKind::OptionButton) {
            continue;
        }
        ++buttons;
        ASSERT_NE(row.accessibleName, nullptr) << row.name;
        const ControlRow& frame = kForm1Controls[*ContainerRow(i)];
        EXPECT_EQ(testing::NameMismatch(row.text, SightOf(frame), row.accessibleName), "")
            << row.name << ": \"" << row.accessibleName << '"';
    }
    EXPECT_EQ(buttons, 12);
}

}  // namespace
}  // namespace quorvel
