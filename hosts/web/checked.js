// Only in checked-site/, the page built with emscripten's assertions on which the tests play
// every wait (build-web.sh --checked). Whatever stops the game in its WebAssembly goes to the
// browser's console with its stack, whose frames carry the functions' names: when a wait
// unwinds through a function that asyncify_functions.txt does not list, Asyncify's assertions
// trap in that very function, which the stack then names first. Emscripten itself would let a
// trap while main first runs (the start-up's questions, a saved game's replay) pass in
// silence, and the browser reports the others without their stack. So the page instantiates
// the WebAssembly here and reports each error that leaves one of its functions.
Module['instantiateWasm'] = function (imports, receiveInstance) {
  var report = function (error) {
    if (error instanceof Error && !error.quintozReported) {
      error.quintozReported = true;
      console.error('Quintoz stopped: ' + error.stack);
    }
  };
  var url = Module['locateFile'] ? Module['locateFile']('quintoz.wasm', '') : 'quintoz.wasm';
  WebAssembly.instantiateStreaming(fetch(url, { credentials: 'same-origin' }), imports)
      .then(function (result) {
        var exports = {};
        Object.keys(result.instance.exports).forEach(function (name) {
          var inner = result.instance.exports[name];
          exports[name] = typeof inner !== 'function' ? inner : function () {
            try {
              return inner.apply(this, arguments);
            } catch (error) {
              report(error);
              throw error;
            }
          };
        });
        receiveInstance({ exports: exports }, result.module);
      })
      .catch(report);  // a module that would not load, or what emscripten let through
  return {};
};
