#pragma once

#include <span>
#include <string>
#include <string_view>

#include "control_table.h"

namespace quorvel {

// The window as the page's own HTML, written at build time from the control
// table, so that it paints before the program has loaded and reads with
// scripts off; the program then only attaches to it. Plain C++, no browser,
// so it builds and is tested on any host. The rows are the table's, or any
// table of the same shape.

// The <main> element: the caption bar and every control in tab order, with
// its starting text or selection. The command button is marked unavailable
// until the program has attached.
std::string Form1Markup(std::span<const ControlRow> rows, std::string_view caption);

// A style sheet placing each control, since the page's content security
// policy allows no style attributes.
std::string Form1Geometry(std::span<const ControlRow> rows, int clientWidthTwips,
                          int clientHeightTwips);

// Text as HTML, in an element or in a double-quoted attribute.
std::string EscapeHtml(std::string_view text);

}  // namespace quorvel
