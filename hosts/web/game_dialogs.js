// The game's dialogs, asked through dialogs.js (in the page template): the answers go back
// into the game's memory. While one is open the window's tool tip is hidden and keys are not
// the game's (hooks given by page.js); when it closes the canvas has the focus again.
var qzGameDialogs = (function () {
  'use strict';

  var encoder = new TextEncoder();
  var answerBytes = null;
  var isOpen = false;
  var hooks = { opened: function () {}, closed: function () {} };

  function dialog(answered) {
    hooks.opened();
    isOpen = true;
    return answered.then(function (answer) {
      isOpen = false;
      hooks.closed();
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

  return {
    inputBox: inputBox, takeAnswer: takeAnswer, messageBox: messageBox,
    isOpen: function () { return isOpen; },
    setHooks: function (opened, closed) { hooks = { opened: opened, closed: closed }; },
  };
})();
