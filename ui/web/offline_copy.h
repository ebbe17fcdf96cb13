#pragma once

namespace quorvel {

// Asks the browser to keep the page's files (sw.js, the service worker), so
// that after the first visit the page opens from its own copy at once, on
// any link or none, and to keep that copy when storage runs short. Only
// where the browser allows service workers: https, or http on localhost.
void KeepOfflineCopy();

}  // namespace quorvel
