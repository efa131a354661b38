#include "hosts/fltk/window_manager.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace fltkhost {

namespace {

// A request to the window manager about a window, sent to the root window as the window
// manager protocol (EWMH) asks.
void ask(Fl_Window& window, const char* request, long a, long b, long c) {
  if (!window.shown()) return;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = fl_xid(&window);
  message.xclient.message_type = XInternAtom(fl_display, request, False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = a;
  message.xclient.data.l[1] = b;
  message.xclient.data.l[2] = c;
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &message);
  XFlush(fl_display);
}

}  // namespace

void listOnTaskbar(Fl_Window& window) {
  constexpr long kRemove = 0;
  ask(window, "_NET_WM_STATE", kRemove,
      static_cast<long>(XInternAtom(fl_display, "_NET_WM_STATE_SKIP_TASKBAR", False)), 0);
}

void askForKeyboard(Fl_Window& window) {
  // Asked once the game is back in its loop, and only if no other dialog has opened meanwhile
  // (the reset that follows "Start New Game?" asks its questions at once).
  Fl::add_timeout(
      0,
      [](void* target) {
        if (Fl::modal() != nullptr) return;
        constexpr long kFromApplication = 1;
        ask(*static_cast<Fl_Window*>(target), "_NET_ACTIVE_WINDOW", kFromApplication,
            static_cast<long>(fl_event_time), 0);
      },
      &window);
}

}  // namespace fltkhost
