// Prints one piece of the page as the build splices it in: the window's
// title, its markup or its geometry.

#include <cstdio>
#include <string>
#include <string_view>

#include "control_table.h"
#include "form1_markup.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    const std::string_view piece = argc == 2 ? argv[1] : "";
    std::string out;
    if (piece == "title") {
        // A line of its own: Node's stdout shows only whole lines.
        out = EscapeHtml(kCaption) + "\n";
    } else if (piece == "markup") {
        out = Form1Markup(kForm1Controls, kCaption);
    } else if (piece == "geometry") {
        out = Form1Geometry(kForm1Controls, kClientWidthTwips, kClientHeightTwips);
    } else {
        std::fputs("usage: write_form1 title|markup|geometry\n", stderr);
        return 2;
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}
