#include "offline_copy.h"

#include <emscripten/val.h>

namespace quorvel {

void KeepOfflineCopy() {
    using emscripten::val;
    const val navigator = val::global("navigator");
    const val container = navigator["serviceWorker"];
    if (container.isUndefined()) {
        return;
    }
    // sw.js past the HTTP cache at every update check, so a new build is
    // seen at the first open with a connection, whatever the host's headers.
    val options = val::object();
    options.set("updateViaCache", "none");
    container.call<val>("register", val("sw.js"), options);
    // So that the browser does not drop the copy when space runs short;
    // each browser decides (see the README).
    const val storage = navigator["storage"];
    if (!storage.isUndefined() && !storage["persist"].isUndefined()) {
        storage.call<val>("persist");
    }
}

}  // namespace quorvel
