// The page's markup from a small table of its own, where the window's table
// would not show a fault: texts that need escaping, rows out of tab order, a
// label with a lower TabIndex than any control that takes the focus.

#include "form1_markup.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace quorvel {
namespace {

using enum ControlKind;
using enum Weight;
using enum Extra;

// clang-format off
constexpr ControlRow kRows[] = {
    {"Note",  Label,         nullptr, "a < b & \"c\"",  0, 600, 300, 255, 0, Normal, None,     nullptr},
    {"Head",  Label,         nullptr, "Head",           0,   0, 300, 255, 1, Bold,   None,     nullptr},
    {"Pair",  Frame,         nullptr, "",             900,   0, 495, 585, 9, Bold,   None,     nullptr},
    {"Right", OptionButton,  "Pair",  "R",              0, 240, 495, 315, 5, Bold,   None,     "Side right"},
    {"Left",  OptionButton,  "Pair",  "L",             15,   0, 615, 255, 4, Bold,   Selected, "Side left"},
    {"Entry", TextBox,       nullptr, "say \"hi\"",   300,   0, 975, 285, 2, Normal, None,     "Entry & more"},
    {"Out",   TextBox,       nullptr, "",             300, 900, 975, 285, 3, Bold,   Output,   "Out"},
    {"Go",    CommandButton, nullptr, "Go",          1500, 900, 975, 525, 6, Bold,   None,     nullptr},
};
// clang-format on

std::string Markup() {
    return Form1Markup(kRows, "Sun & Stars");
}

// The opening tag of the element with this id.
std::string TagOf(const std::string& markup, const std::string& id) {
    const std::size_t at = markup.find("id=\"" + id + "\"");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = markup.rfind('<', at);
    return markup.substr(start, markup.find('>', at) - start + 1);
}

TEST(Form1Markup, EscapesTextsInElementsAndAttributes) {
    const std::string markup = Markup();
    for (const char* written : {
             ">a &lt; b &amp; &quot;c&quot;</span>",        // a label's text
             "value=\"say &quot;hi&quot;\"",                // an entry's starting text
             ">Entry &amp; more</label>",                   // an entry's heading
             "<h1 class=\"caption\">Sun &amp; Stars</h1>",  // the caption
         }) {
        EXPECT_NE(markup.find(written), std::string::npos) << written;
    }
    EXPECT_EQ(markup.find("a < b"), std::string::npos);
    EXPECT_EQ(EscapeHtml("<&>\"'"), "&lt;&amp;&gt;&quot;'");
}

TEST(Form1Markup, WritesControlsInTabOrderWithEachFrameAroundItsButtons) {
    const std::string markup = Markup();
    std::vector<std::string> ids;
    const std::regex id("id=\"(\\w+)\"");
    for (auto m = std::sregex_iterator(markup.begin(), markup.end(), id);
         m != std::sregex_iterator(); ++m) {
        ids.push_back((*m)[1]);
    }
    // The frame stands where its first button does, and holds both.
    EXPECT_EQ(ids, (std::vector<std::string>{"Note", "Head", "Entry", "Out", "Pair", "Left",
                                             "Right", "Go"}));
    const std::size_t open = markup.find(TagOf(markup, "Pair"));
    const std::string frame = markup.substr(open, markup.find("</div>", open) - open);
    EXPECT_NE(frame.find("id=\"Left\""), std::string::npos);
    EXPECT_NE(frame.find("id=\"Right\""), std::string::npos);
    EXPECT_NE(frame.find("role=\"radiogroup\" aria-label=\"Side\""), std::string::npos);
}

TEST(Form1Markup, MarksTheStartingSelectionTheOutputAndTheFirstFocus) {
    struct Case {
        const char* id;
        const char* attribute;
        bool present;
    };
    const std::string markup = Markup();
    for (const Case& c : {
             Case{"Left", " checked", true},
             Case{"Right", " checked", false},
             Case{"Out", " readonly", true},
             Case{"Entry", " readonly", false},
             // The lowest TabIndex that takes the focus, not the labels'.
             Case{"Entry", " autofocus", true},
             Case{"Note", " autofocus", false},
             Case{"Out", " autofocus", false},
             // Unavailable until the program has attached to it.
             Case{"Go", " aria-disabled=\"true\"", true},
         }) {
        const std::string tag = TagOf(markup, c.id);
        ASSERT_FALSE(tag.empty()) << c.id;
        EXPECT_EQ(tag.find(c.attribute) != std::string::npos, c.present)
            << c.id << c.attribute << " in " << tag;
    }
}

}  // namespace
}  // namespace quorvel
