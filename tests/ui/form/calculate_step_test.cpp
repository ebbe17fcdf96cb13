// The click as every front-end runs it: what it reads from the front-end and
// what it hands back, with a front-end made of plain data.

#include "calculate_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "starting_fix.h"

namespace quorvel {
namespace {

// Controls as plain data, starting as the table has them, and a record of
// everything the click asked of the front-end.
class PlainFrontEnd final : public FrontEnd {
public:
    PlainFrontEnd() {
        for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
            texts[i] = kForm1Controls[i].text;
            selected[i] = kForm1Controls[i].extra == Extra::Selected;
        }
        texts[ControlIndex("FixLL")] = "fix of the last click";
    }

    std::string text(std::size_t control) const override { return texts[control]; }
    bool isSelected(std::size_t control) const override { return selected[control]; }
    RegionalSettings regionalSettings() const override { return region; }
    void setFixText(const std::string& fix) override {
        texts[ControlIndex("FixLL")] = fix;
        ++fixesSet;
    }
    void showErrorReport(const RunTimeError& error) override {
        reports.push_back(ErrorReportText(error));
    }

    std::array<std::string, kForm1Controls.size()> texts;
    std::array<bool, kForm1Controls.size()> selected{};
    RegionalSettings region{".", ","};
    int fixesSet = 0;
    std::vector<std::string> reports;
};

struct ClickCase {
    const char* name;
    std::function<void(PlainFrontEnd&)> change;
    std::string fix;                    // what the fix box shows afterwards
    std::optional<std::string> report;  // none: no report
};

// The starting sights' fix with another decimal separator.
std::string StartingFixWith(char separator) {
    std::string fix = testing::kStartingFix;
    std::replace(fix.begin(), fix.end(), '.', separator);
    return fix;
}

std::string Report(ErrorNumber number) {
    return ErrorReportText(RunTimeError(number));
}

// The fixes are the starting sights' 144 deg 32.1 min W, 35 deg 34.7 min N,
// written with the separators the front-end gives.
const ClickCase kClickCases[] = {
    {"fix in the region's notation", [](PlainFrontEnd&) {}, testing::kStartingFix, std::nullopt},
    {"region asked at the click",
     [](PlainFrontEnd& f) {
         f.region = {"'", "."};
     },
     StartingFixWith('\''), std::nullopt},
    // Both intercepts toward: 145.700451 W, 35.230278 N in degrees.
    {"selections read from the controls",
     [](PlainFrontEnd& f) {
         f.selected[ControlIndex("A2_A")] = false;
         f.selected[ControlIndex("A2_T")] = true;
     },
     "145.420 W,  35.138 N", std::nullopt},
    {"entries read from the controls, not the table",
     [](PlainFrontEnd& f) { f.texts[ControlIndex("Zn2")] = "340"; }, "fix of the last click",
     Report(ErrorNumber::DivisionByZero)},
    {"first fault met is the one reported",
     [](PlainFrontEnd& f) {
         f.texts[ControlIndex("Time2")] = "x:30";
         f.texts[ControlIndex("Time1")] = "130";
     },
     "fix of the last click", Report(ErrorNumber::InvalidProcedureCall)},
};

class ClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickTest, SetsTheFixOrShowsTheReportAndTouchesNothingElse) {
    const ClickCase& c = GetParam();
    PlainFrontEnd frontEnd;
    c.change(frontEnd);
    const auto before = frontEnd.texts;

    ClickCalculateFix(frontEnd);

    EXPECT_EQ(frontEnd.texts[ControlIndex("FixLL")], c.fix);
    EXPECT_EQ(frontEnd.fixesSet, c.report ? 0 : 1);
    if (c.report) {
        EXPECT_EQ(frontEnd.reports, std::vector<std::string>{*c.report});
    } else {
        EXPECT_TRUE(frontEnd.reports.empty());
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i != ControlIndex("FixLL")) {
            EXPECT_EQ(frontEnd.texts[i], before[i]) << kForm1Controls[i].name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Click, ClickTest, ::testing::ValuesIn(kClickCases),
                         [](const ::testing::TestParamInfo<ClickCase>& row) {
                             std::string name;
                             for (const char* p = row.param.name; *p != '\0'; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace quorvel
