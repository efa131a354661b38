// The game in progress. start.js keeps it in the site's storage and hands this instance the one
// kept when the page loaded, already checked to be this release's and whole; the game writes
// itself down after every input, and this passes it on until the game has ended.
var qzSaving = (function () {
  'use strict';

  var encoder = new TextEncoder();
  var savedBytes = Module.savedGame ? encoder.encode(Module.savedGame) : null;
  var ended = false;

  function savedGameBytes() { return savedBytes ? savedBytes.length : 0; }
  function takeSavedGame(out) {
    if (savedBytes) HEAPU8.set(savedBytes, out);
    savedBytes = null;
  }
  function saveGame(text) { if (!ended && Module.keepGame) Module.keepGame(text); }
  function forgetGame() { if (Module.forgetGame) Module.forgetGame(); }

  return {
    savedGameBytes: savedGameBytes, takeSavedGame: takeSavedGame, saveGame: saveGame,
    forgetGame: forgetGame, end: function () { ended = true; },
  };
})();
