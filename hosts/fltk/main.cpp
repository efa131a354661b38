// The Linux window's entry point: the host, the game and its window live here for the whole run.
#include <FL/Fl.H>

#include "hosts/fltk/fltk_canvas.h"
#include "hosts/fltk/fltk_host.h"
#include "hosts/fltk/game_window.h"
#include "ui/frmQuintoz.h"

int main() {
  const fltkhost::Fonts fonts;
  fltkhost::FltkHost host(fonts);
  frmQuintoz game(host);
  fltkhost::GameWindow window(game, fonts);
  host.attach(window);
  // The start-up asks for the players before the window first appears.
  game.form.load();
  // Nothing is typed after the names: without an input context, FLTK stops reopening the input
  // method (and parsing the keyboard's compose table again) each time a dialog closes, which
  // would raise the game's peak memory for no use.
  Fl::disable_im();
  window.show();
  // The game ends the process itself, from "Quit Now?" or a declined "Play Again?".
  return Fl::run();
}
