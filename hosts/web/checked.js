// Only in checked-site/, the page built with emscripten's assertions on which the tests play
// every wait (build-web.sh --checked). Whatever stops the game there goes to the browser's
// console with its stack, whose WebAssembly frames carry their names: when a wait unwinds
// through a function that asyncify_functions.txt does not list, Asyncify's assertions trap in
// that very function, which the stack then names first. Without this a trap while the game
// starts up would pass in silence inside emscripten's start-up, and the browser would report
// the others without their stack.
Module['quit'] = function (status, toThrow) {
  if (toThrow instanceof Error) console.error('Quintoz stopped: ' + toThrow.stack);
  throw toThrow;
};
if (!window.quintozReportsStops) {
  // Once for the page, which makes a new instance of the game for each "Play again".
  window.quintozReportsStops = true;
  var report = function (error) {
    if (error instanceof Error) console.error('Quintoz stopped: ' + error.stack);
  };
  window.addEventListener('error', function (e) { report(e.error); });
  window.addEventListener('unhandledrejection', function (e) { report(e.reason); });
}
