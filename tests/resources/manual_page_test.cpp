// The manual page's list of error reports against the program's own: each
// report, heading and wording exactly as the window shows them, has an
// entry of its own.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "run_time_error.h"

namespace {

using quorvel::ErrorNumber;
using quorvel::RunTimeError;

std::string Page() {
    std::ifstream in(QUORVEL_MANUAL_PAGE);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ManualPageReport : public testing::TestWithParam<ErrorNumber> {};

TEST_P(ManualPageReport, IsAnEntryWordedAsTheWindowShowsIt) {
    const RunTimeError error(GetParam());
    // An entry is the report in bold on a line of its own, then what it means.
    const std::string entry =
        "\n*Run-time error '" + std::to_string(error.code()) + "': " + error.message() + "*\n\t";
    EXPECT_NE(Page().find(entry), std::string::npos)
        << "no entry in " QUORVEL_MANUAL_PAGE ":" << entry;
}

INSTANTIATE_TEST_SUITE_P(Reports, ManualPageReport,
                         testing::Values(ErrorNumber::InvalidProcedureCall, ErrorNumber::Overflow,
                                         ErrorNumber::DivisionByZero, ErrorNumber::TypeMismatch),
                         [](const auto& row) {
                             return "error_" + std::to_string(static_cast<int>(row.param));
                         });

}  // namespace
