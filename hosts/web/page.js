// The page's side of the browser front end. It runs once in every instance of the game (it is
// placed inside the instance's factory), owns the canvas drawing state, the queue of input
// events the game has not taken yet, the dialogs, the tool tip, the roll sound and the window's
// position in the page, and finds its elements by the ids the page template gives them.
var qzPage = (function () {
  'use strict';

  // The input event kinds by name, as the game declares them before it shows its window.
  var EVENT = {};
  function eventKind(name, value) { EVENT[name] = value; }
  var TOOL_TIP_DELAY_MS = 500;

  var doc = document;
  var frame = doc.getElementById('quintoz-window');
  var canvas = doc.getElementById('quintoz-surface');
  var tip = doc.getElementById('quintoz-tip');
  var ctx = canvas.getContext('2d', { alpha: false });
  var decoder = new TextDecoder('utf-8');
  var encoder = new TextEncoder();

  // Set by end(): the game has finished and this instance must do nothing more.
  var ended = false;
  // Every listener this instance added, so that end() can take them all away again.
  var listeners = [];
  function listen(target, type, handler, options) {
    target.addEventListener(type, handler, options);
    listeners.push([target, type, handler, options]);
  }

  function string(ptr, bytes) {
    return bytes > 0 ? decoder.decode(HEAPU8.subarray(ptr, ptr + bytes)) : '';
  }

  // ---- Size, scale and place of the game's window in the page.
  var gameWidth = canvas.width, gameHeight = canvas.height;
  var fit = 1;    // CSS pixels per game pixel: below 1 when the page is narrower than the game
  var scale = 0;  // device pixels per game pixel, as the game was last told
  var shown = false;
  var position = null;  // the window's top left corner in the page, once shown

  function pageWidth() { return doc.documentElement.clientWidth; }
  function pageHeight() { return Math.max(doc.documentElement.clientHeight, window.innerHeight); }

  function placeWindow(left, top) {
    var w = gameWidth * fit, h = gameHeight * fit;
    position = {
      left: Math.round(Math.max(0, Math.min(left, pageWidth() - w))),
      top: Math.round(Math.max(0, Math.min(top, pageHeight() - h))),
    };
    frame.style.left = position.left + 'px';
    frame.style.top = position.top + 'px';
  }

  // Fits the window to the page's width; when that or the screen's density changes the scale,
  // the game is asked to draw again at the new one, sharp from its geometry.
  function layout() {
    fit = Math.min(1, Math.max(0.2, (pageWidth() - 16) / gameWidth));
    canvas.style.width = gameWidth * fit + 'px';
    canvas.style.height = gameHeight * fit + 'px';
    if (shown && deviceScale() !== scale) push([EVENT.Rescale, 0, 0, 0, 0, 0]);
    if (position) placeWindow(position.left, position.top);
  }
  function deviceScale() { return fit * (window.devicePixelRatio || 1); }
  // Called by the game when it takes the scale: the backing store gets its size in device
  // pixels, which blanks it until the game paints.
  function sizeCanvas(w, h) {
    scale = deviceScale();
    if (canvas.width !== w) canvas.width = w;
    if (canvas.height !== h) canvas.height = h;
  }

  // A change of density alone (the page moved to another screen, or zoomed) fires no resize:
  // a media query on the current density says when it stops matching.
  var density = null;
  function watchDensity() {
    if (density) density.query.removeEventListener('change', density.changed);
    if (ended || !window.matchMedia) return;
    density = {
      query: window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)'),
      changed: function () {
        layout();
        watchDensity();
      },
    };
    density.query.addEventListener('change', density.changed);
  }

  function showWindow(w, h) {
    gameWidth = w;
    gameHeight = h;
    layout();
    if (!position) placeWindow((pageWidth() - w * fit) / 2, 16);
    frame.hidden = false;
    shown = true;
    canvas.focus({ preventScroll: true });
  }

  // ---- Drawing, in the canvas's device pixels: the game has scaled everything already.
  var clipDepth = 0;
  var colours = new Map();
  var fonts = new Map();
  var pictures = new Map();

  function colour(rgb) {
    var c = colours.get(rgb);
    if (c === undefined) {
      c = 'rgb(' + ((rgb >> 16) & 255) + ',' + ((rgb >> 8) & 255) + ',' + (rgb & 255) + ')';
      colours.set(rgb, c);
    }
    return c;
  }

  // What the canvas shows, as the game's fingerprint of the form: tests read it from outside.
  function markPainted(text) {
    canvas.dataset.painted = text;
  }

  function paintBegin() {
    while (clipDepth > 0) clipPop();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.imageSmoothingEnabled = false;
    ctx.textBaseline = 'alphabetic';
    ctx.textAlign = 'left';
  }
  function clipPush(x, y, w, h) {
    ctx.save();
    ctx.beginPath();
    ctx.rect(x, y, w, h);
    ctx.clip();
    ++clipDepth;
  }
  function clipPop() {
    if (clipDepth === 0) return;
    ctx.restore();
    --clipDepth;
  }
  function fill(x, y, w, h, rgb) {
    ctx.fillStyle = colour(rgb);
    ctx.fillRect(x, y, w, h);
  }

  // A font with its measures: the ascent and descent centre a line in its box as the desktop
  // does.
  function font(families, pixels, bold) {
    var key = families + '|' + pixels + '|' + bold;
    var f = fonts.get(key);
    if (f === undefined) {
      f = { css: (bold ? 'bold ' : '') + pixels + 'px ' + families };
      ctx.font = f.css;
      var m = ctx.measureText('Hg');
      f.ascent = m.fontBoundingBoxAscent !== undefined ? m.fontBoundingBoxAscent : pixels * 0.905;
      f.descent = m.fontBoundingBoxDescent !== undefined ? m.fontBoundingBoxDescent
                                                         : pixels * 0.212;
      fonts.set(key, f);
    }
    return f;
  }
  function measure(f, s) {
    ctx.font = f.css;
    return ctx.measureText(s).width;
  }
  function textWidth(s, families, pixels, bold) {
    return Math.round(measure(font(families, pixels, bold), s));
  }
  function text(x, y, w, h, s, families, pixels, bold, rgb, align) {
    var f = font(families, pixels, bold);
    var width = Math.round(measure(f, s));
    var left = x;
    if (align === 1) left += Math.trunc((w - width) / 2);
    if (align === 2) left += w - width;
    clipPush(x, y, w, h);
    ctx.fillStyle = colour(rgb);
    ctx.fillText(s, left, Math.round(y + (h - (f.ascent + f.descent)) / 2 + f.ascent));
    clipPop();
  }

  // A picture as a canvas of its own, made from the game's RGB pixels.
  function pictureCanvas(w, h, rgb) {
    var picture = doc.createElement('canvas');
    picture.width = w;
    picture.height = h;
    var pc = picture.getContext('2d');
    var data = pc.createImageData(w, h);
    var from = HEAPU8.subarray(rgb, rgb + w * h * 3), to = data.data;
    for (var i = 0, j = 0; i < from.length; i += 3, j += 4) {
      to[j] = from[i];
      to[j + 1] = from[i + 1];
      to[j + 2] = from[i + 2];
      to[j + 3] = 255;
    }
    pc.putImageData(data, 0, 0);
    return picture;
  }
  // Pictures are converted once, the first time they are drawn, and drawn at their own size.
  function image(x, y, w, h, rgb) {
    var picture = pictures.get(rgb);
    if (picture === undefined) {
      picture = pictureCanvas(w, h, rgb);
      pictures.set(rgb, picture);
    }
    ctx.drawImage(picture, x, y);
  }
  function forgetPictures() { pictures.clear(); }
  // The page's icon is the window's, drawn by the game at the window's scale.
  function windowIcon(w, h, rgb) {
    var link = doc.querySelector('link[rel="icon"]');
    if (link) link.href = pictureCanvas(w, h, rgb).toDataURL('image/png');
  }

  function focusRect(x, y, w, h) {
    ctx.fillStyle = '#000';
    for (var px = x; px < x + w; px += 2) {
      ctx.fillRect(px, y, 1, 1);
      ctx.fillRect(px, y + h - 1, 1, 1);
    }
    for (var py = y; py < y + h; py += 2) {
      ctx.fillRect(x, py, 1, 1);
      ctx.fillRect(x + w - 1, py, 1, 1);
    }
  }

  // ---- Input. Events wait in the queue until the game asks for the next one, so that those
  // made while the game waits are acted on after it, in order.
  var queue = [];
  var waiting = null;  // the game's wake-up call while it waits for an event
  var answerBytes = null;
  var dialogOpen = false;
  var drag = null;     // the pointer and window positions where a window drag began
  var lastPointer = { x: 0, y: 0, buttons: 0 };
  var pressedAt = { x: 0, y: 0 };  // where the held button went down

  function push(event) {
    if (ended) return;
    var last = queue[queue.length - 1];
    // Only the latest of several moves in a row matters.
    if (event[0] === EVENT.PointerMove && last && last[0] === EVENT.PointerMove &&
        last[3] === event[3]) {
      queue[queue.length - 1] = event;
    } else {
      queue.push(event);
    }
    if (waiting) {
      var wake = waiting;
      waiting = null;
      wake();
    }
  }

  function nextEvent(fields, wakeUp) {
    var deliver = function () {
      var event = queue.shift();
      HEAP32.set(event, fields >> 2);
      wakeUp(event[0]);
    };
    if (queue.length > 0) {
      deliver();
    } else {
      waiting = deliver;
    }
  }

  // The pointer in the canvas's device pixels.
  function devicePoint(e) {
    var r = canvas.getBoundingClientRect();
    return [Math.floor((e.clientX - r.left) * canvas.width / r.width),
            Math.floor((e.clientY - r.top) * canvas.height / r.height)];
  }
  // The browser numbers the buttons 0 left, 1 middle, 2 right; the game's mask is 1, 4, 2.
  function gameButton(button) { return [1, 4, 2][button] || 0; }

  function onPointerDown(e) {
    unlockSound();
    var button = gameButton(e.button);
    if (!shown || button === 0) return;
    e.preventDefault();
    canvas.focus({ preventScroll: true });
    canvas.setPointerCapture(e.pointerId);
    lastPointer = { x: e.clientX, y: e.clientY, buttons: e.buttons };
    pressedAt = { x: e.clientX, y: e.clientY };
    hideTip();
    var p = devicePoint(e);
    push([EVENT.PointerDown, p[0], p[1], button, 0, 0]);
  }
  function onPointerMove(e) {
    lastPointer = { x: e.clientX, y: e.clientY, buttons: e.buttons };
    if (drag) {
      if ((e.buttons & 1) === 0) {
        drag = null;
      } else {
        placeWindow(drag.left + e.clientX - drag.x, drag.top + e.clientY - drag.y);
        return;
      }
    }
    var p = devicePoint(e);
    push([EVENT.PointerMove, p[0], p[1], e.buttons & 7, 0, 0]);
  }
  function onPointerUp(e) {
    var button = gameButton(e.button);
    lastPointer = { x: e.clientX, y: e.clientY, buttons: e.buttons };
    if (button === 1) drag = null;
    if (button === 0) return;
    var p = devicePoint(e);
    push([EVENT.PointerUp, p[0], p[1], button, 0, 0]);
  }
  // A cancelled touch lets go of whatever it pressed without clicking it.
  function onPointerCancel() {
    drag = null;
    push([EVENT.PointerUp, -1, -1, 1, 0, 0]);
  }
  function onPointerLeave() {
    hideTip();
    push([EVENT.PointerLeave, 0, 0, 0, 0, 0]);
  }

  var isTab = quintozDialogs.isTab;

  // The game's key codes: Space, Tab, capitals for letters, digits from either row.
  function gameKey(e) {
    if (e.key === ' ' || e.code === 'Space') return 32;
    if (isTab(e)) return 9;
    if (e.key.length === 1 && /[a-z0-9]/i.test(e.key)) return e.key.toUpperCase().charCodeAt(0);
    return null;
  }
  function onKey(e) {
    unlockSound();
    if (!shown || dialogOpen || ended) return;
    var t = e.target;
    if (t && t !== canvas && /^(BUTTON|INPUT|TEXTAREA|SELECT|A)$/.test(t.tagName)) return;
    var key = gameKey(e);
    if (key === null) return;
    if (!e.ctrlKey && !e.altKey && !e.metaKey) e.preventDefault();
    var shift = (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    push([e.type === 'keydown' ? EVENT.KeyDown : EVENT.KeyUp, 0, 0, 0, key, shift]);
  }

  // Called by the game when the left button alone moves over the bare surface: the window
  // follows the pointer until the button is let go, the point pressed staying under it.
  function dragWindow() {
    if (drag || (lastPointer.buttons & 1) === 0 || !position) return;
    drag = { x: pressedAt.x, y: pressedAt.y, left: position.left, top: position.top };
    placeWindow(drag.left + lastPointer.x - drag.x, drag.top + lastPointer.y - drag.y);
    queue = queue.filter(function (event) { return event[0] !== EVENT.PointerMove; });
  }

  // ---- Tool tips: shown when the pointer rests over a control that has one.
  var tipTimer = 0;
  function toolTip(s, x, y, w, h) {
    hideTip();
    if (s === '') return;
    tipTimer = setTimeout(function () {
      tipTimer = 0;
      if (ended || dialogOpen) return;
      tip.textContent = s;
      tip.hidden = false;
      // The area comes in device pixels.
      var r = canvas.getBoundingClientRect(), css = r.width / canvas.width;
      tip.style.left = Math.round(window.scrollX + r.left + x * css) + 'px';
      tip.style.top = Math.round(window.scrollY + r.top + (y + h) * css + 4) + 'px';
      canvas.setAttribute('aria-describedby', tip.id);
    }, TOOL_TIP_DELAY_MS);
  }
  function hideTip() {
    if (tipTimer) clearTimeout(tipTimer);
    tipTimer = 0;
    tip.hidden = true;
    canvas.removeAttribute('aria-describedby');
  }

  // ---- Dialogs (dialogs.js, in the page template): while one is open the window's tool tip is
  // hidden and keys are not the game's; when it closes the canvas has the focus again.
  function dialog(answered) {
    hideTip();
    dialogOpen = true;
    return answered.then(function (answer) {
      dialogOpen = false;
      if (shown) canvas.focus({ preventScroll: true });
      return answer;
    });
  }

  // While the game loads, the page asks the game's first question itself (start.js). The
  // game's first input box takes that dialog's answer instead of asking again, provided it is
  // the same question; a page built with another one is a fault the browser tests report.
  var firstPrompt = Module.firstPrompt || null;
  function askedAlready(prompt, title, defaultText) {
    var early = firstPrompt;
    firstPrompt = null;
    if (!early) return null;
    if (early.prompt === prompt && early.title === title && early.defaultText === defaultText) {
      return early.answered;
    }
    early.answered.dismiss();
    console.error('The page asked ' + JSON.stringify(early.prompt) + ' before the game, which asks ' +
                  JSON.stringify(prompt));
    return null;
  }

  // Resolves with the answer's length in UTF-8 bytes; the game then copies it with takeAnswer.
  function inputBox(prompt, title, defaultText) {
    var answered = askedAlready(prompt, title, defaultText) ||
                   quintozDialogs.inputBox(prompt, title, defaultText);
    return dialog(answered).then(function (typed) {
      answerBytes = encoder.encode(typed);
      return answerBytes.length;
    });
  }
  function takeAnswer(out) {
    if (answerBytes) HEAPU8.set(answerBytes, out);
    answerBytes = null;
  }

  // Resolves with 0 for OK, 1 for Yes and 2 for No.
  function messageBox(message, title, yesNo, defaultNo) {
    var constant = function (v) { return function () { return v; }; };
    if (!yesNo) {
      var ok = [constant(0)];
      ok.escape = ok[0];
      return dialog(quintozDialogs.open(title, message, ['OK'], 0, null, ok));
    }
    var answers = [constant(1), constant(2)];
    answers.letters = { y: answers[0], n: answers[1] };
    return dialog(quintozDialogs.open(title, message, ['Yes', 'No'], defaultNo ? 1 : 0, null,
                                      answers));
  }

  // ---- The roll sound. Browsers let a page play sound only after the player has touched it,
  // so the audio context is made at the first press or key; until then the roll is silent.
  var soundBytes = null, audio = null, rollBuffer = null, rollSource = null;

  function soundLoad(ptr, bytes) {
    soundBytes = HEAPU8.slice(ptr, ptr + bytes);
  }
  function unlockSound() {
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
  function stopSound() {
    if (!rollSource) return;
    try {
      rollSource.stop();
    } catch (e) { /* it had ended already */ }
    rollSource = null;
  }
  function soundPlay() {
    stopSound();
    if (!audio || !rollBuffer) return;
    if (audio.state === 'suspended') audio.resume().catch(function () {});
    var source = audio.createBufferSource();
    source.buffer = rollBuffer;
    source.connect(audio.destination);
    source.onended = function () { if (rollSource === source) rollSource = null; };
    source.start();
    rollSource = source;
  }

  // ---- The game in progress. start.js keeps it in the site's storage and hands this instance
  // the one kept when the page loaded, already checked to be this release's and whole.
  var savedBytes = Module.savedGame ? encoder.encode(Module.savedGame) : null;
  function savedGameBytes() { return savedBytes ? savedBytes.length : 0; }
  function takeSavedGame(out) {
    if (savedBytes) HEAPU8.set(savedBytes, out);
    savedBytes = null;
  }
  function saveGame(text) { if (!ended && Module.keepGame) Module.keepGame(text); }
  function forgetGame() { if (Module.forgetGame) Module.forgetGame(); }
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
    ended = true;
    hideTip();
    stopSound();
    if (audio) audio.close().catch(function () {});
    listeners.forEach(function (l) { l[0].removeEventListener(l[1], l[2], l[3]); });
    watchDensity();
    listeners = [];
    queue = [];
    waiting = null;
    shown = false;
    frame.hidden = true;
  }

  listen(canvas, 'pointerdown', onPointerDown);
  listen(canvas, 'pointermove', onPointerMove);
  listen(canvas, 'pointerup', onPointerUp);
  listen(canvas, 'pointercancel', onPointerCancel);
  listen(canvas, 'pointerleave', onPointerLeave);
  listen(canvas, 'contextmenu', function (e) { e.preventDefault(); });
  listen(window, 'keydown', onKey);
  listen(window, 'keyup', onKey);
  listen(window, 'pointerdown', unlockSound, true);
  listen(window, 'resize', layout);
  watchDensity();

  return {
    string: string, eventKind: eventKind, paintBegin: paintBegin, clipPush: clipPush,
    clipPop: clipPop, fill: fill, text: text, textWidth: textWidth, image: image,
    forgetPictures: forgetPictures, windowIcon: windowIcon, focusRect: focusRect,
    markPainted: markPainted,
    showWindow: showWindow, deviceScale: deviceScale, sizeCanvas: sizeCanvas, toolTip: toolTip,
    dragWindow: dragWindow, soundLoad: soundLoad, soundPlay: soundPlay, nextEvent: nextEvent,
    inputBox: inputBox, takeAnswer: takeAnswer, messageBox: messageBox, end: end,
    savedGameBytes: savedGameBytes, takeSavedGame: takeSavedGame, saveGame: saveGame,
    forgetGame: forgetGame, replayFailed: replayFailed,
    // mirror.js queues the events of assistive technologies by the kinds' names.
    EVENT: EVENT, queueEvent: push,
  };
})();
