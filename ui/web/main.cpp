// The page's program: the window, and the offline copy of the page.

#include <emscripten/val.h>

#include "form1.h"
#include "offline_copy.h"

int main() {
    // Lives as long as the page: the runtime stays after main returns and
    // runs the click handler.
    static quorvel::Form1 form(emscripten::val::global("document"));
    quorvel::KeepOfflineCopy();
    return 0;
}
