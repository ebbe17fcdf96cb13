#include "display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace quorvel {
namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// Qt takes X unless told otherwise, or unless a Wayland session may give it
// a compositor to use instead.
bool QtWouldUseX(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform") {
            return false;
        }
    }
    const std::string_view platform = Variable("QT_QPA_PLATFORM");
    if (!platform.empty()) {
        return platform.starts_with("xcb");
    }
    return Variable("WAYLAND_DISPLAY").empty();
}

}  // namespace

std::string UnreachableDisplay(int argc, const char* const argv[]) {
    if (!QtWouldUseX(argc, argv)) {
        return {};
    }
    const std::string program = argc > 0 ? argv[0] : "quorvel";
    const std::string way = "; to run it without a desktop, start it as: xvfb-run -a " + program;
    const std::string display(Variable("DISPLAY"));
    if (display.empty()) {
        return "Quorvel cannot open its window: no X display is set (DISPLAY is empty)" + way;
    }
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (answers) {
        return {};
    }
    return "Quorvel cannot open its window: no X server answers on display " + display + way;
}

}  // namespace quorvel
