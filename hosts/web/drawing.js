// Drawing on the game's canvas, in its device pixels: the game has scaled and placed
// everything already (the window core). It keeps the canvas's drawing state, the fonts'
// measures and the pictures converted from the game's memory, and marks the canvas with the
// fingerprint of what it shows.
var qzDrawing = (function () {
  'use strict';

  var doc = document;
  var canvas = doc.getElementById('quintoz-surface');
  var ctx = canvas.getContext('2d', { alpha: false });
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

  // Called by the game when it takes the scale: the backing store gets its size in device
  // pixels, which blanks it until the game paints.
  function sizeCanvas(w, h) {
    if (canvas.width !== w) canvas.width = w;
    if (canvas.height !== h) canvas.height = h;
  }

  return {
    paintBegin: paintBegin, clipPush: clipPush, clipPop: clipPop, fill: fill, text: text,
    textWidth: textWidth, image: image, forgetPictures: forgetPictures, windowIcon: windowIcon,
    focusRect: focusRect, markPainted: markPainted, sizeCanvas: sizeCanvas,
  };
})();
