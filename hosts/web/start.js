// Starts the game, and starts it again from its first questions after it has ended. The page
// template holds it inline (make_page.cmake puts it there, after dialogs.js and before the
// game's script), so that the game starts with no further request; on the served site it also
// registers the service worker that keeps the site for playing offline.
(function () {
  'use strict';
  // The game's first question: its text, title and default answer, which make_page.cmake
  // copies here from the game's start-up. The page asks it at once, while the game's script
  // and WebAssembly load and compile, and the game takes the answer when it asks (page.js).
  var question = /* QUINTOZ-FIRST-PROMPT */ null;
  var firstPrompt = question && {
    prompt: question[0], title: question[1], defaultText: question[2],
    answered: quintozDialogs.inputBox(question[0], question[1], question[2]),
  };

  function start(asked) {
    var ended = document.getElementById('quintoz-ended');
    var failed = document.getElementById('quintoz-failed');
    // The site names its script with the release's content hash (quintoz.js?v=HASH); the
    // WebAssembly is fetched under the same name, so that a new release never mixes with an
    // old one in a cache.
    var script = document.querySelector('script[src^="quintoz.js"]');
    var release = script ? script.getAttribute('src').replace(/^[^?]*/, '') : '';
    createQuintoz({
      firstPrompt: asked,
      locateFile: function (path, prefix) { return prefix + path + release; },
      onEnded: function () {
        ended.hidden = false;
        document.getElementById('quintoz-again').focus();
      },
      onAbort: function (what) {
        if (asked) asked.answered.dismiss();
        document.getElementById('quintoz-window').hidden = true;
        failed.textContent = 'Quintoz could not run in this browser: ' + what;
        failed.hidden = false;
      },
    });
  }

  // The game's script comes after this one (deferred on the site), so it is there once the
  // page has been read.
  function ready() {
    document.getElementById('quintoz-again').addEventListener('click', function () {
      document.getElementById('quintoz-ended').hidden = true;
      start(null);
    });
    // The game's loading and compiling wait until the page has shown the question.
    if (firstPrompt) {
      requestAnimationFrame(function () { setTimeout(start, 0, firstPrompt); });
    } else {
      start(null);
    }
    // Pages opened from disk have no service workers; the single-file page is one of them.
    var served = document.querySelector('script[src^="quintoz.js"]');
    if (served && 'serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
      navigator.serviceWorker.register('sw.js').catch(function (error) {
        // Without it the page still plays; it only will not load offline.
        console.warn('Quintoz will not play offline: ' + error);
      });
    }
  }
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', ready);
  } else {
    ready();
  }
})();
