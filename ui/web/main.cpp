// The page's program: the window, and the offline copy of the page.

#include "form1.h"
#include "offline_copy.h"

namespace {

void Attach() {
    // Lives as long as the page: the runtime stays after main returns and
    // runs the click handler.
    static quorvel::Form1 form;
    quorvel::KeepOfflineCopy();
}

}  // namespace

int main() {
    quorvel::WhenPageParsed(&Attach);
    return 0;
}
