#pragma once

namespace quorvel {

// Asks the browser to keep the page's files (sw.js, the service worker), so
// the page loads and calculates with no connection after the first visit.
// Only where the browser allows service workers: https, or http on localhost.
void KeepOfflineCopy();

}  // namespace quorvel
