// A bare FLTK window of the game's first prompt's size, with one button and the prompt's
// title, to put the game's start-up time, memory and size next to the toolkit's own floor.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

int main(int argc, char** argv) {
  Fl_Window window(655, 336, "Number of Players");
  Fl_Button button(280, 150, 95, 36, "OK");
  window.end();
  window.show(argc, argv);
  return Fl::run();
}
