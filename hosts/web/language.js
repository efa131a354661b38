// The page's language: the first of the browser's languages (navigator.languages, best first)
// that the game has a catalogue for, English when none has. The document's lang says it, so
// that screen readers read the page in it, and the page's own words (its dialogs' buttons, the
// notice when the game has ended) are in it. The page template holds this script inline, first
// of the page's scripts; make_page.cmake writes in, for each language of po/LINGUAS, the game's
// first question as the game asks it in that language and the page's words from its catalogue.
var quintozLanguage = (function () {
  'use strict';
  var LANGUAGES = /* QUINTOZ-LANGUAGES */ {};
  // The single-file page's compiled catalogues, in hexadecimal by language; the site's are files.
  var CATALOGUES = /* QUINTOZ-CATALOGUES */ {};

  // A browser's tag ("de-DE", "pt-BR", "zh-Hans-CN") as gettext names the language and its
  // country ("de_DE", "pt_BR", "zh_CN"), tried with the country and then without it, as the
  // desktop programs choose.
  function candidates(tag) {
    var parts = String(tag).split(/[-_]/);
    var language = parts[0].toLowerCase(), country = '';
    parts.slice(1).forEach(function (part) {
      if (part.length === 2 && !country) country = part.toUpperCase();
      if (part.length === 4 && language === 'zh' && !country) {
        country = part.toLowerCase() === 'hans' ? 'CN' : 'TW';
      }
    });
    return country ? [language + '_' + country, language] : [language];
  }
  function choose(tags) {
    for (var i = 0; i < tags.length; ++i) {
      var tried = candidates(tags[i]);
      if (tried[tried.length - 1] === 'en') return '';
      for (var j = 0; j < tried.length; ++j) {
        if (Object.prototype.hasOwnProperty.call(LANGUAGES, tried[j])) return tried[j];
      }
    }
    return '';
  }

  var wanted = navigator.languages && navigator.languages.length ? navigator.languages
                                                                  : [navigator.language || ''];
  var code = choose(wanted);
  var chosen = LANGUAGES[code] || { question: null, words: {} };
  document.documentElement.lang = code ? code.replace('_', '-') : 'en';
  // The site has a manifest for each language, so that the installed game describes itself in
  // the page's; the single-file page has none. Its link is made here, once the language is
  // known, and not written in the page: Chromium may fetch a written one before this runs, and
  // then keep it though the link changes.
  if (/* QUINTOZ-MANIFESTS */ false) {
    var manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = code ? 'manifest-' + code + '.webmanifest' : 'manifest.webmanifest';
    document.head.appendChild(manifest);
  }

  // The page's words in its language; English as written when the catalogue has none.
  function tr(text) {
    return Object.prototype.hasOwnProperty.call(chosen.words, text) ? chosen.words[text] : text;
  }

  function bytes(hex) {
    var out = new Uint8Array(hex.length / 2);
    for (var i = 0; i < out.length; ++i) out[i] = parseInt(hex.substr(2 * i, 2), 16);
    return out;
  }

  // code: the catalogue's code ("de", "pt_BR"), "" for English; question: the game's first
  // question in it (null for English, which start.js holds); catalogue: the compiled catalogue
  // the page carries, or null where the site holds it.
  return { code: code, question: chosen.question, tr: tr,
           catalogue: CATALOGUES[code] ? bytes(CATALOGUES[code]) : null };
})();
