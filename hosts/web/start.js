// Starts the game, and starts it again from its first questions after it has ended. The page
// template holds it inline (make_page.cmake puts it there), so that the game starts with no
// further request; on the served site it also registers the service worker that keeps the site
// for playing offline.
(function () {
  'use strict';
  var ended = document.getElementById('quintoz-ended');
  var failed = document.getElementById('quintoz-failed');
  // The site names its script with the release's content hash (quintoz.js?v=HASH); the
  // WebAssembly is fetched under the same name, so that a new release never mixes with an old
  // one in a cache.
  var script = document.querySelector('script[src^="quintoz.js"]');
  var release = script ? script.getAttribute('src').replace(/^[^?]*/, '') : '';
  function start() {
    createQuintoz({
      locateFile: function (path, prefix) { return prefix + path + release; },
      onEnded: function () {
        ended.hidden = false;
        document.getElementById('quintoz-again').focus();
      },
      onAbort: function (what) {
        document.getElementById('quintoz-window').hidden = true;
        failed.textContent = 'Quintoz could not run in this browser: ' + what;
        failed.hidden = false;
      },
    });
  }
  document.getElementById('quintoz-again').addEventListener('click', function () {
    ended.hidden = true;
    start();
  });
  start();
  // Pages opened from disk have no service workers; the single-file page is one of them.
  if (script && 'serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('sw.js').catch(function (error) {
      // Without it the page still plays; it only will not load offline.
      console.warn('Quintoz will not play offline: ' + error);
    });
  }
})();
