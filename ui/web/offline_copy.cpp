#include "offline_copy.h"

#include <emscripten/val.h>

namespace quorvel {

void KeepOfflineCopy() {
    using emscripten::val;
    const val container = val::global("navigator")["serviceWorker"];
    if (container.isUndefined()) {
        return;
    }
    container.call<val>("register", val("sw.js"));
}

}  // namespace quorvel
