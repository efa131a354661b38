// Where the game's board stands in the page and how large it is drawn. It stands on its own:
// it reads only the page template's elements and the browser's media queries, and tells its
// user through onChange after each layout, to draw again if the shape or the scale changed.
//
// With a mouse the board is the desktop window: its own size, shrunk to a narrow page, placed
// once and then dragged by its body. On a touch screen, in the installed app and in a page the
// player made full screen it fills the screen instead: of the shapes the game knows, the one
// drawn largest in the part of the screen clear of a notch, scaled up as well as down, centred,
// and never dragged.
var qzLayout = (function () {
  'use strict';

  var MARGIN = 16;  // CSS pixels kept around the desktop window in a narrow page
  var FILL = ['(pointer: coarse)', '(display-mode: standalone)', '(display-mode: fullscreen)'];

  var doc = document;
  var frame = doc.getElementById('quintoz-window');
  var canvas = doc.getElementById('quintoz-surface');
  var onChange = function () {};

  var shapes = [[canvas.width, canvas.height]];  // each shape's size in layout pixels
  var shape = 0;       // the shape laid out now
  var fit = 1;         // CSS pixels per layout pixel
  var filling = false;
  var position = null; // the desktop window's top left corner in the page, once placed

  // WebKitGTK matches no display mode for a page in full screen: it asks the document.
  function fillsScreen() {
    if (doc.fullscreenElement) return true;
    return !!window.matchMedia && FILL.some(function (q) { return window.matchMedia(q).matches; });
  }
  function pageWidth() { return doc.documentElement.clientWidth; }
  function pageHeight() { return Math.max(doc.documentElement.clientHeight, window.innerHeight); }

  // The viewport clear of the safe-area insets, from an element the template insets by them.
  function safeArea() {
    var safe = doc.getElementById('quintoz-safe');
    var r = safe ? safe.getBoundingClientRect() : null;
    if (!r || r.width <= 0 || r.height <= 0) {
      return { left: 0, top: 0, width: pageWidth(), height: window.innerHeight };
    }
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  }

  function size() { return shapes[shape] || shapes[0]; }

  function placeWindow(left, top) {
    var w = size()[0] * fit, h = size()[1] * fit;
    position = {
      left: Math.round(Math.max(0, Math.min(left, pageWidth() - w))),
      top: Math.round(Math.max(0, Math.min(top, pageHeight() - h))),
    };
    frame.style.left = position.left + 'px';
    frame.style.top = position.top + 'px';
  }

  // Called on every change of the page's size, the screen's density or the kind of pointer.
  function layout() {
    filling = fillsScreen();
    doc.documentElement.classList.toggle('quintoz-fill', filling);
    var area = safeArea();
    if (filling && shapes.length > 1) {
      fit = 0;
      for (var s = 1; s < shapes.length; ++s) {
        var f = Math.min(area.width / shapes[s][0], area.height / shapes[s][1]);
        if (f > fit) {
          fit = f;
          shape = s;
        }
      }
      // A page with no room at all (hidden, or in an empty frame) keeps a board to draw.
      if (!(fit > 0)) fit = 1;
    } else {
      shape = 0;
      fit = Math.min(1, Math.max(0.2, (pageWidth() - MARGIN) / shapes[0][0]));
    }
    var w = size()[0] * fit, h = size()[1] * fit;
    canvas.style.width = w + 'px';
    canvas.style.height = h + 'px';
    if (filling) {
      frame.style.left = Math.round(area.left + (area.width - w) / 2) + 'px';
      frame.style.top = Math.round(area.top + (area.height - h) / 2) + 'px';
    } else if (position) {
      placeWindow(position.left, position.top);
    }
    onChange();
  }

  // Called once the game has told its shapes, when its window first shows.
  function show() {
    layout();
    if (!filling && !position) placeWindow((pageWidth() - shapes[0][0] * fit) / 2, MARGIN);
  }

  function deviceScale() { return fit * (window.devicePixelRatio || 1); }

  // The desktop window is dragged by its body; a board that fills the screen stays put.
  function draggable() { return !filling && position !== null; }

  // A change of density alone (the page moved to another screen, or zoomed) fires no resize:
  // a media query on the current density says when it stops matching. So do the queries of
  // the kind of pointer, which change when a tablet's keyboard and touch pad come and go.
  var watched = [];
  function unwatch() {
    watched.forEach(function (w) { w[0].removeEventListener('change', w[1]); });
    watched = [];
    doc.removeEventListener('fullscreenchange', layout);
  }
  function watch() {
    unwatch();
    doc.addEventListener('fullscreenchange', layout);
    if (!window.matchMedia) return;
    var queries = FILL.concat(['(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)']);
    queries.forEach(function (q) {
      var m = window.matchMedia(q), changed = function () {
        layout();
        watch();
      };
      m.addEventListener('change', changed);
      watched.push([m, changed]);
    });
  }

  return {
    setShape: function (s, w, h) { shapes[s] = [w, h]; },
    shape: function () { return shape; },
    start: function (changed) {
      onChange = changed;
      watch();
    },
    stop: unwatch,
    layout: layout,
    show: show,
    deviceScale: deviceScale,
    draggable: draggable,
    position: function () { return position; },
    placeWindow: placeWindow,
    filling: function () { return filling; },
  };
})();
