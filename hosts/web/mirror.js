// The game's accessibility tree mirrored into the page, for screen readers and other assistive
// technologies: one invisible element per control, laid over the canvas at the control's place,
// with its WAI-ARIA role, name and state, and a polite live region for the announcements. It
// runs once in every instance of the game, next to page.js, and owns the mirror layer and the
// live region (made on first use, emptied by each new instance).
//
// Nothing a sighted player sees or does changes: the layer is transparent and lets every
// pointer event through to the canvas. Keys go to the game as before (page.js listens on the
// window), so Space on a mirrored control does what it does on the desktop. An assistive
// technology's click on an element, or its moving the focus to one, reaches the game as a
// click on, or the focus on, that control; the game's focus moves the page's focus along.
var qzMirror = (function () {
  'use strict';

  // The game declares the event kinds by name; the page keeps them.
  var EVENT = qzPage.EVENT;
  var ROLES = ['button', 'checkbox', null, 'group'];

  var doc = document;
  var frame = doc.getElementById('quintoz-window');

  function made(id, parent, tag, setUp) {
    var e = doc.getElementById(id);
    if (!e) {
      e = doc.createElement(tag);
      e.id = id;
      setUp(e);
      parent.appendChild(e);
    }
    e.textContent = '';
    return e;
  }
  var layer = made('quintoz-mirror', frame, 'div', function (e) {
    e.style.cssText = 'position:absolute;left:0;top:0;width:100%;height:100%;opacity:0;' +
                      'pointer-events:none;overflow:hidden;line-height:normal;font-size:12px';
  });
  // In the page's main landmark, with the rest of its content.
  var main = doc.getElementById('quintoz-main') || doc.body;
  var live = made('quintoz-live', main, 'div', function (e) {
    e.setAttribute('role', 'status');
    e.setAttribute('aria-live', 'polite');
    // A status is atomic unless told otherwise, and a reader that honours it (Orca 48) reads the
    // whole history again with each new entry: each entry is read alone.
    e.setAttribute('aria-atomic', 'false');
    e.style.cssText = 'position:absolute;width:1px;height:1px;overflow:hidden;' +
                      'clip:rect(0 0 0 0);white-space:nowrap;margin:-1px;padding:0;border:0';
  });
  // The live region keeps the latest announcements for review, until a dialog closes (dialogs.js
  // empties it then) or it holds LIVE_ENTRIES of them: more than one player's whole game.
  var LIVE_ENTRIES = 100;
  // The sentences that come less than ENTRY_MS apart make one entry, a line each ending with a
  // full stop before the next, so that a change the game tells in several sentences (a commit,
  // then the turn change it starts, a slice of the game's timed wait apart) is read in one go
  // and in order: Chromium tells of entries added together in any order, and Orca in Firefox
  // reads only the last of them. The entry also waits until the mirror's own text has been
  // still for ENTRY_MS: Orca 48 drops a text change that comes within a tenth of a second of
  // another one of the page, unless a plain live section makes it.
  var ENTRY_MS = 150;
  var entry = null;       // the entry being filled
  var entryTimer = null;  // adds it
  function addEntrySoon() {
    clearTimeout(entryTimer);
    entryTimer = setTimeout(addEntry, ENTRY_MS);
  }

  var elements = new Map();  // node id -> element
  var gameFocus = 0;         // the id the game last said has the focus
  var incoming = null;       // the tree being received

  function element(node) {
    var e = elements.get(node.id);
    var role = ROLES[node.role];
    if (e && e.qzRole === node.role) return e;
    if (e) e.remove();
    e = doc.createElement('div');
    e.qzRole = node.role;
    e.dataset.control = node.id;
    e.style.cssText = 'position:absolute;margin:0;padding:0;overflow:hidden';
    if (role) e.setAttribute('role', role);
    if (role === 'button' || role === 'checkbox') {
      e.tabIndex = -1;
      e.addEventListener('click', function (ev) {
        ev.preventDefault();
        qzPage.queueEvent([EVENT.ClickControl, 0, 0, 1, node.id, 0]);
      });
      e.addEventListener('focus', function () {
        if (node.id !== gameFocus) qzPage.queueEvent([EVENT.FocusControl, 0, 0, 0, node.id, 0]);
      });
      // Once the focus has gone on, so that a reader takes no rename of the control it is
      // leaving for news; and also when the window loses the keyboard, which leaves the
      // element the active one.
      e.addEventListener('blur', function () {
        setTimeout(function () { name(e, e.qzName, true); }, 0);
      });
    }
    elements.set(node.id, e);
    return e;
  }

  // A button's new name is told in the live region, after what changed it ("Rolled 1, 2, 3, 3,
  // 4. Ann roll! 2 rolls left"). The focused button takes it when the focus leaves it: Orca 48
  // in Chromium says a new name of the focus at once, so the rolls left came before the faces
  // and twice, while Firefox and Orca 43 say none. qzName keeps the game's name meanwhile.
  function name(e, text, leaving) {
    e.qzName = text;
    if (!leaving && e.getAttribute('role') === 'button' && doc.activeElement === e &&
        e.hasAttribute('aria-label')) {
      return;
    }
    if (e.getAttribute('aria-label') !== text) e.setAttribute('aria-label', text);
  }

  function place(e, node, within) {
    var pct = function (v, of) { return (of > 0 ? (100 * v) / of : 0) + '%'; };
    e.style.left = pct(node.x - within.x, within.w);
    e.style.top = pct(node.y - within.y, within.h);
    e.style.width = pct(node.w, within.w);
    e.style.height = pct(node.h, within.h);
  }

  function begin(w, h, focusedId) {
    incoming = { w: w, h: h, focusedId: focusedId, nodes: [] };
  }
  function node(id, parentId, role, name, checked, x, y, w, h) {
    incoming.nodes.push({ id: id, parentId: parentId, role: role, name: name, checked: checked,
                          x: x, y: y, w: w, h: h });
  }

  function end() {
    var tree = incoming;
    incoming = null;
    var byId = new Map();
    tree.nodes.forEach(function (n) { byId.set(n.id, n); });
    var window_ = { x: 0, y: 0, w: tree.w, h: tree.h };
    var children = new Map();  // parent element -> its elements in order
    children.set(layer, []);
    var touched = false;  // the page's text changed
    tree.nodes.forEach(function (n) {
      touched = touched || !elements.has(n.id);
      var e = element(n);
      var parentNode = byId.get(n.parentId);
      var parent = parentNode ? elements.get(parentNode.id) : layer;
      place(e, n, parentNode || window_);
      var role = ROLES[n.role];
      if (role) {
        name(e, n.name);
      } else if (e.textContent !== n.name) {
        e.textContent = n.name;
        touched = true;
      }
      if (role === 'checkbox') e.setAttribute('aria-checked', n.checked ? 'true' : 'false');
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(e);
      if (!children.has(e)) children.set(e, []);
    });
    elements.forEach(function (e, id) {
      if (!byId.has(id)) {
        e.remove();
        elements.delete(id);
        touched = true;
      }
    });
    if (touched && entry) addEntrySoon();
    // Elements move only when their order changed, as moving one takes its focus away.
    children.forEach(function (list, parent) {
      var now = Array.prototype.filter.call(parent.children, function (c) {
        return c.dataset.control !== undefined;
      });
      var same = now.length === list.length && now.every(function (c, i) { return c === list[i]; });
      if (!same) list.forEach(function (c) { parent.appendChild(c); });
    });
    gameFocus = tree.focusedId;
    followGameFocus();
  }

  // The page's focus follows the game's, unless a dialog or another part of the page has it.
  function followGameFocus() {
    var e = elements.get(gameFocus);
    var active = doc.activeElement;
    if (!e || active === e || doc.querySelector('dialog[open]')) return;
    if (active && active !== doc.body && active.tagName !== 'CANVAS' && !layer.contains(active)) {
      return;
    }
    e.focus({ preventScroll: true });
  }

  // The page gives the canvas the focus when it is pressed and when a dialog closes; the
  // control the game has focused takes it over, so a screen reader goes on reading that.
  var canvas = doc.getElementById('quintoz-surface');
  if (canvas) {
    // A game started again in the same page replaces the ended one's listener.
    if (canvas.qzMirrorFocus) canvas.removeEventListener('focus', canvas.qzMirrorFocus);
    canvas.qzMirrorFocus = function () { followGameFocus(); };
    canvas.addEventListener('focus', canvas.qzMirrorFocus);
  }

  function announce(text) {
    if (entry) {
      entry.lastChild.appendData('.');
      entry.appendChild(doc.createElement('br'));
    } else {
      entry = doc.createElement('div');
    }
    entry.appendChild(doc.createTextNode(text));
    addEntrySoon();
  }
  function addEntry() {
    live.appendChild(entry);
    entry = null;
    while (live.childElementCount > LIVE_ENTRIES) live.removeChild(live.firstElementChild);
  }

  return { begin: begin, node: node, end: end, announce: announce };
})();
