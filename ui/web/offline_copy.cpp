#include "offline_copy.h"

// The page's side (offline_copy.js).
extern "C" void quorvel_keep_offline_copy();

namespace quorvel {

void KeepOfflineCopy() {
    quorvel_keep_offline_copy();
}

}  // namespace quorvel
