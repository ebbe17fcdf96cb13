// The manual page's list of error reports against the program's own: each
// report, heading and wording exactly as the window shows them, has an
// entry of its own. And the page as man shows it breaks no word at a line
// end, at any terminal width.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// The built page as man shows it on a terminal so many columns wide, line by
// line; UTF-8, so a hyphen groff adds reads U+2010, not "-".
std::vector<std::string> Shown(int width) {
    const std::string command = "env LC_ALL=C.UTF-8 MANWIDTH=" + std::to_string(width) +
                                " MAN_KEEP_FORMATTING= " QUORVEL_MAN " -l " QUORVEL_BUILT_PAGE
                                " 2>&1";
    std::vector<std::string> lines;
    FILE* man = popen(command.c_str(), "r");
    if (man == nullptr) {
        return lines;
    }
    std::string line;
    for (int c = std::fgetc(man); c != EOF; c = std::fgetc(man)) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    pclose(man);
    return lines;
}

// Spaces collapsed: the words as they follow each other.
std::string Flowed(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            text += word + ' ';
        }
    }
    return text;
}

class ManualPageAtWidth : public testing::TestWithParam<int> {};

TEST_P(ManualPageAtWidth, BreaksNoWordAtALineEnd) {
    const std::vector<std::string> lines = Shown(GetParam());
    ASSERT_GT(lines.size(), 20u) << "man showed no page";
    // Wide enough that no paragraph wraps: every word as the page writes it.
    const std::string whole = Flowed(Shown(1000));
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_FALSE(line.ends_with("\u2010")) << "line " << i + 1 << ": " << line;
        if (line.ends_with("-")) {
            // A break after a hyphen of the page's own ("degree-minute") is
            // fine; one that cuts a word in two is not.
            const std::string last = line.substr(line.find_last_of(' ') + 1);
            std::istringstream next(lines[i + 1]);
            std::string first;
            next >> first;
            EXPECT_NE(whole.find(' ' + last + first + ' '), std::string::npos)
                << "line " << i + 1 << ": " << line << " / " << lines[i + 1];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, ManualPageAtWidth, testing::Range(30, 101));

}  // namespace
