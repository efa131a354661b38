// The page's side of the browser front end. It runs once in every instance of the game (it is
// placed inside the instance's factory, after the parts it puts together: layout.js, input.js,
// drawing.js, game_dialogs.js, sound.js and saving.js), shows and takes down the game's
// window, listens to the page for the parts, and is what the game's imports call
// (library_quintoz.js).
var qzPage = (function () {
  'use strict';

  var doc = document;
  var frame = doc.getElementById('quintoz-window');
  var canvas = doc.getElementById('quintoz-surface');
  var decoder = new TextDecoder('utf-8');
  var input = qzInput, EVENT = qzInput.EVENT;

  // Every listener this instance added, so that end() can take them all away again.
  var listeners = [];
  function listen(target, type, handler, options) {
    target.addEventListener(type, handler, options);
    listeners.push([target, type, handler, options]);
  }

  function string(ptr, bytes) {
    return bytes > 0 ? decoder.decode(HEAPU8.subarray(ptr, ptr + bytes)) : '';
  }

  // ---- The board's shape and scale, as the game was last told them: when the layout
  // changes either (a rotation, a narrower page, another screen), the game is asked to draw
  // again, sharp from its geometry.
  var told = { shape: -1, scale: 0 };
  function laidOut() {
    if (input.state.shown && (qzLayout.shape() !== told.shape ||
                              qzLayout.deviceScale() !== told.scale)) {
      input.push([EVENT.Rescale, 0, 0, 0, 0, 0]);
    }
  }
  function boardChoice() {
    told.shape = qzLayout.shape();
    return told.shape;
  }
  function deviceScale() { return qzLayout.deviceScale(); }
  function sizeCanvas(w, h) {
    told.scale = qzLayout.deviceScale();
    qzDrawing.sizeCanvas(w, h);
  }

  function showWindow(w, h) {
    qzLayout.setShape(0, w, h);
    qzLayout.show();
    frame.hidden = false;
    input.state.shown = true;
    canvas.focus({ preventScroll: true });
  }

  qzGameDialogs.setHooks(input.hideTip, function () {
    if (input.state.shown) canvas.focus({ preventScroll: true });
  });
  input.state.dialogOpen = qzGameDialogs.isOpen;

  // The kept game could not be replayed: this instance goes away unseen and start.js begins a
  // new game.
  function replayFailed(why) {
    takeDown();
    if (Module.onReplayFailed) Module.onReplayFailed(why);
  }

  // ---- The end: the window goes away and the page template's ended notice takes over.
  function end() {
    takeDown();
    if (Module.onEnded) Module.onEnded();
  }
  function takeDown() {
    input.end();
    qzSound.end();
    qzSaving.end();
    qzLayout.stop();
    listeners.forEach(function (l) { l[0].removeEventListener(l[1], l[2], l[3]); });
    listeners = [];
    input.state.shown = false;
    frame.hidden = true;
  }

  listen(canvas, 'pointerdown', input.onPointerDown);
  listen(canvas, 'pointermove', input.onPointerMove);
  listen(canvas, 'pointerup', input.onPointerUp);
  listen(canvas, 'pointercancel', input.onPointerCancel);
  listen(canvas, 'pointerleave', input.onPointerLeave);
  listen(canvas, 'contextmenu', function (e) { e.preventDefault(); });
  listen(window, 'keydown', qzSound.unlock, true);
  listen(window, 'keydown', input.onKey);
  listen(window, 'keyup', input.onKey);
  listen(window, 'pointerdown', qzSound.unlock, true);
  listen(window, 'resize', qzLayout.layout);
  qzLayout.start(laidOut);

  return {
    string: string, eventKind: input.eventKind, paintBegin: qzDrawing.paintBegin,
    clipPush: qzDrawing.clipPush, clipPop: qzDrawing.clipPop, fill: qzDrawing.fill,
    text: qzDrawing.text, textWidth: qzDrawing.textWidth, image: qzDrawing.image,
    forgetPictures: qzDrawing.forgetPictures, windowIcon: qzDrawing.windowIcon,
    focusRect: qzDrawing.focusRect, markPainted: qzDrawing.markPainted,
    showWindow: showWindow, boardShape: qzLayout.setShape, boardChoice: boardChoice,
    deviceScale: deviceScale, sizeCanvas: sizeCanvas, toolTip: input.toolTip,
    dragWindow: input.dragWindow, soundLoad: qzSound.load, soundPlay: qzSound.play,
    nextEvent: input.nextEvent, inputBox: qzGameDialogs.inputBox,
    takeAnswer: qzGameDialogs.takeAnswer, messageBox: qzGameDialogs.messageBox, end: end,
    savedGameBytes: qzSaving.savedGameBytes, takeSavedGame: qzSaving.takeSavedGame,
    saveGame: qzSaving.saveGame, forgetGame: qzSaving.forgetGame, replayFailed: replayFailed,
    // mirror.js queues the events of assistive technologies by the kinds' names.
    EVENT: EVENT, queueEvent: input.push,
  };
})();
