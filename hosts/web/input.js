// The game's input from the page: mouse, touch and keys on the canvas, queued until the game
// asks for the next event, so that those made while the game waits are acted on after it, in
// order; the tool tip; and the drag of the desktop window by its body (qzLayout says whether
// the board may move). A touch is a press at once, with no delay; a finger held still shows
// the tool tip of what it rests on, as a resting mouse pointer does, and the game forgets the
// press, so lifting the finger does nothing. page.js adds the listeners and says when a dialog
// is open.
var qzInput = (function () {
  'use strict';

  var TOOL_TIP_DELAY_MS = 500;
  var LONG_PRESS_MS = 500;
  var LONG_PRESS_SLOP = 10;  // CSS pixels a held finger may wander

  // The input event kinds by name, as the game declares them before it shows its window.
  var EVENT = {};
  function eventKind(name, value) { EVENT[name] = value; }

  var doc = document;
  var canvas = doc.getElementById('quintoz-surface');
  var tip = doc.getElementById('quintoz-tip');

  var state = { ended: false, shown: false, dialogOpen: function () { return false; } };
  var queue = [];
  var waiting = null;  // the game's wake-up call while it waits for an event
  var drag = null;     // the pointer and window positions where a window drag began
  var lastPointer = { x: 0, y: 0, buttons: 0 };
  var pressedAt = { x: 0, y: 0 };  // where the held button went down
  var press = null;    // the finger held on the board: its timer, and whether its tip shows

  function push(event) {
    if (state.ended) return;
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

  function endPress() {
    if (press) clearTimeout(press.timer);
    press = null;
  }
  function startPress(e) {
    endPress();
    var p = devicePoint(e);
    press = { x: e.clientX, y: e.clientY, tip: false };
    press.timer = setTimeout(function () {
      press.tip = true;
      push([EVENT.LongPress, p[0], p[1], 0, 0, 0]);
    }, LONG_PRESS_MS);
  }

  function onPointerDown(e) {
    var button = gameButton(e.button);
    if (!state.shown || button === 0) return;
    e.preventDefault();
    canvas.focus({ preventScroll: true });
    canvas.setPointerCapture(e.pointerId);
    lastPointer = { x: e.clientX, y: e.clientY, buttons: e.buttons };
    pressedAt = { x: e.clientX, y: e.clientY };
    hideTip();
    if (e.pointerType === 'touch') startPress(e);
    var p = devicePoint(e);
    push([EVENT.PointerDown, p[0], p[1], button, 0, 0]);
  }
  function onPointerMove(e) {
    lastPointer = { x: e.clientX, y: e.clientY, buttons: e.buttons };
    if (press && !press.tip && Math.hypot(e.clientX - press.x, e.clientY - press.y) >
        LONG_PRESS_SLOP) {
      endPress();
    }
    if (drag) {
      if ((e.buttons & 1) === 0) {
        drag = null;
      } else {
        qzLayout.placeWindow(drag.left + e.clientX - drag.x, drag.top + e.clientY - drag.y);
        return;
      }
    }
    var p = devicePoint(e);
    push([EVENT.PointerMove, p[0], p[1], e.buttons & 7, 0, 0]);
  }
  function onPointerUp(e) {
    var button = gameButton(e.button);
    lastPointer = { x: e.clientX, y: e.clientY, buttons: e.buttons };
    var longPressed = press && press.tip;
    endPress();
    if (button === 1) drag = null;
    if (button === 0) return;
    // A finger that only asked what lay under it takes its tip away.
    if (longPressed) hideTip();
    var p = devicePoint(e);
    push([EVENT.PointerUp, p[0], p[1], button, 0, 0]);
  }
  // A cancelled touch lets go of whatever it pressed without clicking it.
  function onPointerCancel() {
    endPress();
    drag = null;
    push([EVENT.PointerUp, -1, -1, 1, 0, 0]);
  }
  function onPointerLeave() {
    if (press) return;
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
    if (!state.shown || state.dialogOpen() || state.ended) return;
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
    if (drag || (lastPointer.buttons & 1) === 0 || !qzLayout.draggable()) return;
    var position = qzLayout.position();
    drag = { x: pressedAt.x, y: pressedAt.y, left: position.left, top: position.top };
    qzLayout.placeWindow(drag.left + lastPointer.x - drag.x, drag.top + lastPointer.y - drag.y);
    queue = queue.filter(function (event) { return event[0] !== EVENT.PointerMove; });
  }

  // ---- Tool tips: shown when the pointer rests over a control that has one, and at once
  // for a finger held on it.
  var tipTimer = 0;
  function toolTip(s, x, y, w, h) {
    hideTip();
    if (s === '') return;
    tipTimer = setTimeout(function () {
      tipTimer = 0;
      if (state.ended || state.dialogOpen()) return;
      tip.textContent = s;
      tip.hidden = false;
      // The area comes in device pixels; the tip stays on the screen, above the area when
      // there is no room below it (the corner buttons of a board that fills a phone).
      var r = canvas.getBoundingClientRect(), css = r.width / canvas.width;
      var left = Math.min(r.left + x * css, innerWidth - tip.offsetWidth - 2);
      var top = r.top + (y + h) * css + 4;
      if (top + tip.offsetHeight > innerHeight) top = r.top + y * css - tip.offsetHeight - 4;
      tip.style.left = Math.round(window.scrollX + Math.max(0, left)) + 'px';
      tip.style.top = Math.round(window.scrollY + Math.max(0, top)) + 'px';
      canvas.setAttribute('aria-describedby', tip.id);
    }, press && press.tip ? 0 : TOOL_TIP_DELAY_MS);
  }
  function hideTip() {
    if (tipTimer) clearTimeout(tipTimer);
    tipTimer = 0;
    tip.hidden = true;
    canvas.removeAttribute('aria-describedby');
  }

  // The game has ended: nothing more is queued.
  function end() {
    state.ended = true;
    endPress();
    hideTip();
    queue = [];
    waiting = null;
  }

  return {
    EVENT: EVENT, eventKind: eventKind, state: state, push: push, nextEvent: nextEvent,
    onPointerDown: onPointerDown, onPointerMove: onPointerMove, onPointerUp: onPointerUp,
    onPointerCancel: onPointerCancel, onPointerLeave: onPointerLeave, onKey: onKey,
    dragWindow: dragWindow, toolTip: toolTip, hideTip: hideTip, end: end,
  };
})();
