#pragma once

#include <string>

namespace quorvel {

// Why the window cannot open on the X server the environment names, as one
// sentence for the terminal with the way round it; empty when the server
// answers, or when Qt is to use another platform than X (Wayland, offscreen,
// one named with -platform), which then reports for itself. Asked before the
// application object is made, since Qt's own report of a missing X server
// ends in an abort and the advice to reinstall.
std::string UnreachableDisplay(int argc, const char* const argv[]);

}  // namespace quorvel
