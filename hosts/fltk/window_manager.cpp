#include "hosts/fltk/window_manager.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <array>
#include <vector>

namespace fltkhost {

namespace {

// A request to the window manager about a window, sent to the root window as the window
// manager protocol (EWMH) asks.
void ask(Fl_Window& window, const char* request, const std::array<long, 5>& data) {
  if (!window.shown()) return;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = fl_xid(&window);
  message.xclient.message_type = XInternAtom(fl_display, request, False);
  message.xclient.format = 32;
  std::copy(data.begin(), data.end(), message.xclient.data.l);
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &message);
  XFlush(fl_display);
}

// What a window's property of 32-bit items of this type lists (atoms, windows); nothing when
// the window has no such property.
std::vector<unsigned long> listOf(Display* display, Window window, Atom property, Atom type) {
  Atom found = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  const int status = XGetWindowProperty(display, window, property, 0, 1024, False, type, &found,
                                        &format, &count, &left, &data);
  if (status == Success && found == type && format == 32 && data != nullptr) {
    // Xlib hands 32-bit items over as longs.
    const auto* listed = reinterpret_cast<const unsigned long*>(data);
    items.assign(listed, listed + count);
  }
  if (data != nullptr) XFree(data);
  return items;
}

// Xlib calls this after each request while the game window is being shown. FLTK writes the
// skip-taskbar mark just before it maps a borderless window, with no hook between the two; the
// newest window FLTK made and has not shown yet is that window, and the moment the mark is on
// it, it comes off again, before the map request is even queued.
int takeOffSkipTaskbar(Display* display) {
  Fl_Window* newest = Fl::first_window();
  if (newest == nullptr || newest->visible() || newest->parent() != nullptr) return 0;
  const Window made = fl_xid(newest);
  // What is asked below must not call back here.
  XSetAfterFunction(display, nullptr);
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom skip = XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False);
  std::vector<unsigned long> atoms = listOf(display, made, state, XA_ATOM);
  const auto marked = std::find(atoms.begin(), atoms.end(), skip);
  if (marked == atoms.end()) {
    XSetAfterFunction(display, takeOffSkipTaskbar);
    return 0;
  }
  atoms.erase(marked);
  if (atoms.empty()) {
    XDeleteProperty(display, made, state);
  } else {
    XChangeProperty(display, made, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()),
                    static_cast<int>(atoms.size()));
  }
  return 0;
}

// _NET_WM_MOVERESIZE's directions, its button and where the request comes from.
constexpr long kMove = 8;
constexpr long kCancel = 11;
constexpr long kLeft = 1;
constexpr long kFromApplication = 1;

}  // namespace

ListedOnTaskbar::ListedOnTaskbar() {
  fl_open_display();
  previous_ = XSetAfterFunction(fl_display, takeOffSkipTaskbar);
}

ListedOnTaskbar::~ListedOnTaskbar() {
  XSetAfterFunction(fl_display, previous_);
}

void askForKeyboard(Fl_Window& window) {
  // Asked once the game is back in its loop, and only if no other dialog has opened meanwhile
  // (the reset that follows "Start New Game?" asks its questions at once).
  Fl::add_timeout(
      0,
      [](void* target) {
        if (Fl::modal() != nullptr) return;
        ask(*static_cast<Fl_Window*>(target), "_NET_ACTIVE_WINDOW",
            {kFromApplication, static_cast<long>(fl_event_time), 0, 0, 0});
      },
      &window);
}

bool windowManagerMoves() {
  const Window root = RootWindow(fl_display, fl_screen);
  // A window manager that has gone leaves its list behind; the window it names for its check
  // goes with it.
  const Atom check = XInternAtom(fl_display, "_NET_SUPPORTING_WM_CHECK", False);
  if (listOf(fl_display, root, check, XA_WINDOW).size() != 1) return false;
  const auto supported =
      listOf(fl_display, root, XInternAtom(fl_display, "_NET_SUPPORTED", False), XA_ATOM);
  const Atom moveResize = XInternAtom(fl_display, "_NET_WM_MOVERESIZE", False);
  return std::find(supported.begin(), supported.end(), moveResize) != supported.end();
}

void handMoveToWindowManager(Fl_Window& window, int x, int y) {
  // The window manager must be able to take the pointer the press gave this program.
  XUngrabPointer(fl_display, fl_event_time);
  ask(window, "_NET_WM_MOVERESIZE", {x, y, kMove, kLeft, kFromApplication});
}

void cancelMoveByWindowManager(Fl_Window& window, int x, int y) {
  ask(window, "_NET_WM_MOVERESIZE", {x, y, kCancel, kLeft, kFromApplication});
}

}  // namespace fltkhost
