// The roll sound. Browsers let a page play sound only after the player has touched it, so the
// audio context is made at the first press or key (unlock); until then the roll is silent.
var qzSound = (function () {
  'use strict';

  var soundBytes = null, audio = null, rollBuffer = null, rollSource = null;
  var ended = false;

  function load(ptr, bytes) {
    soundBytes = HEAPU8.slice(ptr, ptr + bytes);
  }
  function unlock() {
    if (audio || !soundBytes || ended) return;
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      audio = new Context();
    } catch (e) {
      return;
    }
    audio.decodeAudioData(soundBytes.buffer.slice(0)).then(function (b) { rollBuffer = b; },
                                                           function () {});
  }
  function stop() {
    if (!rollSource) return;
    try {
      rollSource.stop();
    } catch (e) { /* it had ended already */ }
    rollSource = null;
  }
  function play() {
    stop();
    if (!audio || !rollBuffer) return;
    if (audio.state === 'suspended') audio.resume().catch(function () {});
    var source = audio.createBufferSource();
    source.buffer = rollBuffer;
    source.connect(audio.destination);
    source.onended = function () { if (rollSource === source) rollSource = null; };
    source.start();
    rollSource = source;
  }
  // The game has ended: silent for good.
  function end() {
    ended = true;
    stop();
    if (audio) audio.close().catch(function () {});
  }

  return { load: load, unlock: unlock, play: play, end: end };
})();
