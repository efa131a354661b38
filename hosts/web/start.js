// Starts the game, and starts it again from its first questions after it has ended. The page
// template holds it inline (make_page.cmake puts it there, after dialogs.js and before the
// game's script), so that the game starts with no further request; on the served site it also
// registers the service worker that keeps the site for playing offline.
//
// It also keeps the game in progress in the site's storage, as the game writes it down after
// every input (the lines quintoz-script replays, between a line naming the release and a line
// with their checksum), and hands a kept game to the next instance, which replays it instead of
// asking the first question.
(function () {
  'use strict';
  // The game's first question: its prompt, title and default answer, which make_page.cmake
  // asks of the game itself while it makes the page. The page asks it at once, while the game's script
  // and WebAssembly load and compile, and the game takes the answer when it asks (page.js). In
  // another language than English it is that language's (language.js).
  var question = quintozLanguage.question || /* QUINTOZ-FIRST-PROMPT */ null;
  var tr = quintozLanguage.tr;
  // This build's release; a game kept by another one is not replayed.
  var RELEASE = /* QUINTOZ-RELEASE */ '';
  var KEY = 'quintoz-game';

  // Storage can be missing or refused (a privacy setting): the game then plays unkept.
  function storage() {
    try {
      return window.localStorage || null;
    } catch (e) {
      return null;
    }
  }
  // FNV-1a over the UTF-16 code units: tells a kept game cut short or changed by hand.
  function checksum(text) {
    var h = 0x811c9dc5;
    for (var i = 0; i < text.length; ++i) {
      h ^= text.charCodeAt(i);
      h = Math.imul(h, 0x01000193) >>> 0;
    }
    return ('0000000' + h.toString(16)).slice(-8);
  }
  function keepGame(lines) {
    var s = storage();
    if (!s) return;
    var kept = '# Quintoz ' + RELEASE + '\n' + lines;
    try {
      s.setItem(KEY, kept + '# end ' + checksum(kept) + '\n');
    } catch (e) {
      // Full or refused: the last game kept would no longer be this one.
      forgetGame();
    }
  }
  function forgetGame() {
    var s = storage();
    try {
      if (s) s.removeItem(KEY);
    } catch (e) { /* nothing kept then */ }
  }
  function warnAndForget(why) {
    console.warn('Quintoz starts a new game: the saved game ' + why + '.');
    forgetGame();
  }
  // The kept game's lines, or null; a damaged one is forgotten with one warning.
  function keptGame() {
    var s = storage(), text = null;
    try {
      text = s ? s.getItem(KEY) : null;
    } catch (e) { /* as if none */ }
    if (text === null) return null;
    var m = /^(# Quintoz (.*)\n[\s\S]*)# end ([0-9a-f]{8})\n$/.exec(text);
    if (!m) {
      warnAndForget('is unreadable or cut short');
    } else if (m[2] !== RELEASE) {
      warnAndForget('was played on another release (' + m[2] + ')');
    } else if (checksum(m[1]) !== m[3]) {
      warnAndForget('has been changed');
    } else {
      return m[1];
    }
    return null;
  }

  function ask() {
    return question && {
      prompt: question.prompt, title: question.title, defaultText: question['default'],
      answered: quintozDialogs.inputBox(question.prompt, question.title, question['default']),
    };
  }
  var kept = keptGame();
  // Asked in a task of its own, right after the one that reads the page: not after the first
  // frame, which would show it a frame later.
  var firstPrompt = null;
  function askFirst() {
    if (!firstPrompt) firstPrompt = ask();
    return firstPrompt;
  }
  if (!kept) setTimeout(askFirst, 0);

  // The site names its script with the release's content hash (quintoz.js?v=HASH); the
  // WebAssembly and the catalogue are fetched under the same name, so that a new release never
  // mixes with an old one in a cache. The single-file page fetches nothing.
  var release = /* QUINTOZ-QUERY */ '';
  // The game's catalogue in the page's language, fetched while the game loads: only the one the
  // page speaks. The single-file page carries them all (language.js); English needs none.
  var catalogue = (function () {
    var code = quintozLanguage.code;
    if (!code) return Promise.resolve(null);
    if (quintozLanguage.catalogue) return Promise.resolve(quintozLanguage.catalogue);
    return fetch('quintoz-' + code + '.mo' + release).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.arrayBuffer();
    }).then(function (bytes) { return new Uint8Array(bytes); }, function (error) {
      console.warn('Quintoz plays in English: its ' + code + ' catalogue did not load (' +
                   error + ').');
      return null;
    });
  })();

  function start(asked, saved) {
    catalogue.then(function (bytes) { startWith(bytes, asked, saved); });
  }
  function startWith(bytes, asked, saved) {
    var ended = document.getElementById('quintoz-ended');
    var failed = document.getElementById('quintoz-failed');
    createQuintoz({
      catalogue: bytes,
      firstPrompt: asked,
      savedGame: saved,
      keepGame: keepGame,
      forgetGame: forgetGame,
      locateFile: function (path, prefix) { return prefix + path + release; },
      onEnded: function () {
        ended.hidden = false;
        document.getElementById('quintoz-again').focus();
      },
      onReplayFailed: function (why) {
        warnAndForget('could not be replayed (' + why + ')');
        start(ask(), null);
      },
      onAbort: function (what) {
        if (asked) asked.answered.dismiss();
        document.getElementById('quintoz-window').hidden = true;
        failed.textContent = tr('Quintoz could not run in this browser: %s').replace('%s', what);
        failed.hidden = false;
      },
    });
  }

  // The game's script comes after this one (deferred on the site), so it is there once the
  // page has been read.
  function ready() {
    document.getElementById('quintoz-ended-text').textContent = tr('Quintoz has ended.');
    var again = document.getElementById('quintoz-again');
    again.textContent = tr('Play again');
    again.addEventListener('click', function () {
      document.getElementById('quintoz-ended').hidden = true;
      start(null, null);
    });
    // The game's loading and compiling wait until the page has shown the question.
    if (!kept) {
      requestAnimationFrame(function () {
        setTimeout(function () { start(askFirst(), null); }, 0);
      });
    } else {
      start(null, kept);
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
