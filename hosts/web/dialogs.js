// The page's dialogs: page elements with the desktop's texts, titles, buttons and defaults.
// While one is open the rest of the page is inert and whoever opened it waits for its answer.
// The page template holds this script inline, before the game's, so that the page can ask the
// game's first question while the game is still loading (start.js); the game asks all the
// others through it too (page.js). Buttons are named in English and shown in the page's
// language (language.js).
var quintozDialogs = (function () {
  'use strict';
  var doc = document;
  var count = 0;  // numbers the dialogs' element ids

  // WebKitGTK names Shift+Tab's key "Unidentified" (GTK's left tab); its code is still Tab.
  function isTab(e) { return e.key === 'Tab' || e.code === 'Tab'; }

  // On a phone the on-screen keyboard covers the bottom of the screen, and some browsers leave
  // the page its whole height: an open dialog keeps to the part still seen (the visual
  // viewport). Returns what stops it.
  function keepInView(dialog) {
    var view = window.visualViewport;
    if (!view) return function () {};
    var place = function () {
      var covered = view.height < window.innerHeight - 1;
      var top = view.offsetTop + Math.max(0, (view.height - dialog.offsetHeight) / 2);
      dialog.style.top = covered ? top + 'px' : '';
      dialog.style.bottom = covered ? 'auto' : '';
      dialog.style.margin = covered ? '0 auto' : '';
    };
    view.addEventListener('resize', place);
    view.addEventListener('scroll', place);
    place();
    return function () {
      view.removeEventListener('resize', place);
      view.removeEventListener('scroll', place);
    };
  }

  // Opens a dialog and returns a promise of answers[i](text typed) for the button i pressed
  // (Enter presses the focused button or the default one; answers.escape and answers.letters
  // answer Escape and letter keys). The promise's dismiss() closes it with no answer.
  function open(title, message, buttons, defaultIndex, input, answers) {
    var dismiss = null;
    var answered = new Promise(function (resolve) {
      var id = 'quintoz-dialog-' + (++count);
      var dialog = doc.createElement('dialog');
      dialog.className = 'quintoz-dialog' + (input !== null ? ' quintoz-input' : '');
      // Named by its title, as a desktop dialog is. An input box is described by its text too.
      // Orca 43 speaks a dialog's description only when it names the dialog on the way to the
      // focus, which it skips for a message box (the browser has already put its reading point
      // inside the dialog by then), while Orca 48 reads a message box's name with its text
      // ("Exit Quit Now?"): so a message box's text describes each of its buttons alone, and
      // is itself left out of what a screen reader reads, and the question is spoken once,
      // with the button that has the focus.
      dialog.setAttribute('role', 'dialog');
      dialog.setAttribute('aria-modal', 'true');
      dialog.setAttribute('aria-labelledby', id + '-title');
      if (input !== null) dialog.setAttribute('aria-describedby', id + '-text');
      var heading = doc.createElement('div');
      heading.className = 'quintoz-dialog-title';
      heading.id = id + '-title';
      heading.textContent = title;
      var body = doc.createElement('p');
      body.className = 'quintoz-dialog-text';
      body.id = id + '-text';
      body.textContent = message.replace(/\r\n?/g, '\n');
      if (input === null) body.setAttribute('aria-hidden', 'true');
      var row = doc.createElement('div');
      row.className = 'quintoz-dialog-buttons';
      var elements = buttons.map(function (label) {
        var b = doc.createElement('button');
        b.type = 'button';
        b.textContent = quintozLanguage.tr(label);
        if (input === null) b.setAttribute('aria-describedby', id + '-text');
        row.appendChild(b);
        return b;
      });
      dialog.appendChild(heading);
      dialog.appendChild(body);
      dialog.appendChild(row);
      var field = null;
      if (input !== null) {
        field = doc.createElement('input');
        field.type = 'text';
        field.value = input;
        field.setAttribute('aria-labelledby', id + '-text');
        field.spellcheck = false;
        field.autocomplete = 'off';
        dialog.appendChild(field);
      }
      var focusables = (field ? [field] : []).concat(elements);
      var first = field || elements[defaultIndex];

      var done = false;
      var stopKeeping = null;
      function finish(answer) {
        if (done) return;
        done = true;
        stopKeeping();
        doc.removeEventListener('focusin', keepFocus, true);
        // The page behind a modal dialog leaves the accessibility tree while the dialog is open
        // and comes back when it closes, and Orca in Chromium then reads whatever a live region
        // holds as if it were new. All of it was said before the dialog opened, so it goes
        // before the page comes back.
        Array.prototype.forEach.call(doc.querySelectorAll('[aria-live]'), function (region) {
          region.textContent = '';
        });
        dialog.close();
        dialog.remove();
        if (answer) resolve(answer(field ? field.value : ''));
      }
      function keepFocus(e) {
        if (!dialog.contains(e.target)) first.focus();
      }
      elements.forEach(function (b, i) {
        b.addEventListener('click', function () { finish(answers[i]); });
      });
      dialog.addEventListener('cancel', function (e) { e.preventDefault(); });
      dialog.addEventListener('keydown', function (e) {
        var at = focusables.indexOf(doc.activeElement);
        if (isTab(e)) {
          e.preventDefault();
          var n = focusables.length;
          focusables[((at < 0 ? 0 : at) + (e.shiftKey ? n - 1 : 1)) % n].focus();
        } else if (e.key === 'Enter') {
          e.preventDefault();
          var pressed = elements.indexOf(doc.activeElement);
          finish(answers[pressed >= 0 ? pressed : defaultIndex]);
        } else if (e.key === 'Escape') {
          e.preventDefault();
          if (answers.escape) finish(answers.escape);
        } else if (!field && answers.letters && answers.letters[e.key.toLowerCase()]) {
          e.preventDefault();
          finish(answers.letters[e.key.toLowerCase()]);
        }
      });
      // Inside the page's main landmark, with the rest of its content.
      (doc.getElementById('quintoz-main') || doc.body).appendChild(dialog);
      dialog.showModal();
      stopKeeping = keepInView(dialog);
      doc.addEventListener('focusin', keepFocus, true);
      first.focus();
      if (field) field.select();
      dismiss = function () { finish(null); };
    });
    answered.dismiss = dismiss;
    return answered;
  }

  // An input box with OK and Cancel: resolves with the text typed, or '' when cancelled.
  function inputBox(prompt, title, defaultText) {
    var accept = function (typed) { return typed; };
    var cancel = function () { return ''; };
    var answers = [accept, cancel];
    answers.escape = cancel;
    return open(title, prompt, ['OK', 'Cancel'], 0, defaultText, answers);
  }

  return { open: open, inputBox: inputBox, isTab: isTab };
})();
