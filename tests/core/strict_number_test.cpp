#include "strict_number.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "error_number_of.h"

#include <string>

#include "run_time_error.h"

namespace quorvel {
namespace {

const RegionalSettings kEnglish{".", ","};
const RegionalSettings kGerman{",", "."};
// A decimal separator of two bytes in UTF-8 (U+066B ARABIC DECIMAL SEPARATOR).
const RegionalSettings kArabic{"\xD9\xAB", "\xD9\xAC"};

struct WholeCase {
    const char* text;
    const RegionalSettings* region;
    double expected;  // used when error is 0
    int error;
    std::string name() const { return text; }
};

class WholeNumberReads : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeNumberReads, OnlyATextThatIsWhollyANumber) {
    const WholeCase& c = GetParam();
    if (c.error == 0) {
        EXPECT_EQ(WholeNumber(c.text, *c.region), c.expected) << '"' << c.text << '"';
        return;
    }
    EXPECT_EQ(testing::ErrorNumberOf([&] { WholeNumber(c.text, *c.region); }), c.error)
        << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Hours, WholeNumberReads,
    ::testing::Values(WholeCase{"14", &kEnglish, 14.0, 0}, WholeCase{" 1 ", &kEnglish, 1.0, 0},
                      WholeCase{"-1", &kEnglish, -1.0, 0}, WholeCase{"+2", &kEnglish, 2.0, 0},
                      WholeCase{"1.5", &kEnglish, 1.5, 0}, WholeCase{"1e1", &kEnglish, 10.0, 0},
                      WholeCase{"1,5", &kGerman, 1.5, 0},
                      WholeCase{"1\xD9\xAB"
                                "5",
                                &kArabic, 1.5, 0},
                      WholeCase{"1e-400", &kEnglish, 0.0, 0},
                      // not a number in the user's region
                      WholeCase{"", &kEnglish, 0, 13}, WholeCase{"  ", &kEnglish, 0, 13},
                      WholeCase{"x", &kEnglish, 0, 13}, WholeCase{"1x", &kEnglish, 0, 13},
                      WholeCase{"1 2", &kEnglish, 0, 13}, WholeCase{"1e", &kEnglish, 0, 13},
                      WholeCase{"1.5", &kGerman, 0, 13}, WholeCase{"1,5", &kEnglish, 0, 13},
                      WholeCase{"1,000", &kEnglish, 0, 13}, WholeCase{"inf", &kEnglish, 0, 13},
                      WholeCase{"nan", &kEnglish, 0, 13}, WholeCase{"0x10", &kEnglish, 0, 13},
                      WholeCase{"2pm", &kEnglish, 0, 13}, WholeCase{".", &kEnglish, 0, 13},
                      // a text that is not a number is reported as such, however large
                      WholeCase{"1e400x", &kEnglish, 0, 13},
                      // a number beyond the double range
                      WholeCase{"1e400", &kEnglish, 0, 6}, WholeCase{"-2e308", &kEnglish, 0, 6}),
    testing::NameRow());

}  // namespace
}  // namespace quorvel
