// The Linux window's entry point: the host, the game and its window live here for the whole run.
#include <FL/Fl.H>
#include <FL/x.H>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "hosts/atk/atk_bridge.h"
#include "hosts/core/display_scale.h"
#include "hosts/fltk/command_line.h"
#include "hosts/fltk/fltk_canvas.h"
#include "hosts/fltk/fltk_host.h"
#include "hosts/fltk/game_window.h"
#include "i18n/catalogues.h"
#include "ui/frmQuintoz.h"

namespace {

// The scale of the window and its dialogs: from QUINTOZ_SCALE, or else from the density the
// desktop publishes in the X server's Xft.dpi resource. Opens the display to read it.
double windowScale() {
  fl_open_display();
  const char* resources = XResourceManagerString(fl_display);
  const char* setting = std::getenv("QUINTOZ_SCALE");
  const windowcore::ScaleChoice choice =
      windowcore::chooseScale(resources != nullptr ? resources : "", setting);
  if (choice.settingIgnored) {
    std::fprintf(stderr, "quintoz: ignoring QUINTOZ_SCALE=%s: it is not a number from %g to %g\n",
                 setting, windowcore::kMinScale, windowcore::kMaxScale);
  }
  return choice.scale;
}

}  // namespace

int main(int argc, char** argv) {
  // Options are answered before FLTK is touched, so that they work without a display.
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  // They are written with stdio: iostreams would double the program's size for two lines.
  const fltkhost::CommandLineAnswer answer = fltkhost::answerCommandLine(arguments);
  if (answer.status) {
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return *answer.status;
  }
  // The sound thread's few allocations need no memory arena of their own.
  mallopt(M_ARENA_MAX, 1);
  const double scale = windowScale();
  const fltkhost::Fonts fonts;
  fltkhost::FltkHost host(fonts, scale);
  // The language as the desktop's gettext programs choose it, from LANGUAGE and the locale.
  frmQuintoz game(host, i18n::systemCatalogue());
  fltkhost::GameWindow window(game, fonts, scale);
  // Screen readers reach the window and its dialogs through ATK; the bridge loads itself from
  // the loop once the first prompt is up, and not at all with NO_AT_BRIDGE=1.
  fltkhost::Accessibility accessibility(game.form, window, window.core());
  window.afterPaint([&accessibility] { accessibility.painted(); });
  host.attach(window, &accessibility);
  // The start-up asks for the players before the window first appears.
  game.form.load();
  // The prompts leave freed memory behind (the input method is opened again, as a test, each
  // time one closes); hand its pages back before the window starts using memory of its own.
  // Their input context closed with the last of them (dialogs.cpp).
  malloc_trim(0);
  window.show();
  accessibility.windowShown();
  // The game ends the process itself, from "Quit Now?" or a declined "Play Again?".
  return Fl::run();
}
