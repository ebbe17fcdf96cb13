// The page's program: the window, and the offline copy of the page. The page
// runs it once its HTML has been parsed (a deferred script), so the window
// is all there.

#include "form1.h"
#include "offline_copy.h"

int main() {
    // Lives as long as the page: the runtime stays after main returns and
    // runs the click handler.
    static quorvel::Form1 form;
    quorvel::KeepOfflineCopy();
    return 0;
}
