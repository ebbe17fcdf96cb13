#include "control_table.h"

#include <algorithm>

namespace quorvel {
namespace {

// Every position must land on a whole pixel, or the grid would drift. (The
// iterator algorithms: emscripten's libc++ has no std::ranges ones.)
static_assert(std::all_of(kForm1Controls.begin(), kForm1Controls.end(), [](const ControlRow& c) {
    return c.left % kTwipsPerPixel == 0 && c.top % kTwipsPerPixel == 0 &&
           c.width % kTwipsPerPixel == 0 && c.height % kTwipsPerPixel == 0;
}));
static_assert(kForm1Controls.size() == 50);

// A container must already exist when a control is put into it.
static_assert([] {
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        if (kForm1Controls[i].container != nullptr && !ContainerRow(i)) {
            return false;
        }
    }
    return true;
}());

}  // namespace
}  // namespace quorvel
