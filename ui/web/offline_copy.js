// The page's offline copy: its service worker, and the browser asked to keep
// what it stores.
mergeInto(LibraryManager.library, {
  quorvel_keep_offline_copy: function () {
    if (!('serviceWorker' in navigator)) {
      return;
    }
    const keep = function () {
      // sw.js past the HTTP cache at every update check, so a new build is
      // seen at the first open with a connection, whatever the host's
      // headers. Refused for a page opened from disk: it then calculates as
      // ever, only without a copy.
      navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'}).catch(function () {});
      // So that the browser does not drop the copy when space runs short;
      // each browser decides (see the README).
      if (navigator.storage && navigator.storage.persist) {
        navigator.storage.persist();
      }
    };
    // A page leaving for good says so: WebKit lists a closed page among the
    // worker's clients for a while, which would keep its copy until a later
    // open. (A page kept for the back button, persisted, is not leaving.)
    window.addEventListener('pagehide', function (event) {
      const worker = navigator.serviceWorker.controller;
      if (!event.persisted && worker !== null) {
        worker.postMessage('leaving');
      }
    });
    // After the page's load: the first visit's own downloads and its first
    // rendering come before the worker's.
    if (document.readyState === 'complete') {
      keep();
    } else {
      window.addEventListener('load', keep, {once: true});
    }
  },
});
