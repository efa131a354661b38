#pragma once

class Fl_Window;
struct _XDisplay;

namespace fltkhost {

// What the game's windows ask of the desktop's window manager, beyond what FLTK asks.

// Made around the game window's first show. FLTK marks a window without a border to be left
// off the taskbar (_NET_WM_STATE_SKIP_TASKBAR) between creating it and mapping it; window
// managers then also leave it out of Alt+Tab, and some (i3) never take the mark back on
// request. The game window is the program's main window: while this lives, the window FLTK
// shows is mapped without the mark, so it is listed from its first map. Shows nothing itself.
class ListedOnTaskbar {
 public:
  ListedOnTaskbar();
  ~ListedOnTaskbar();
  ListedOnTaskbar(const ListedOnTaskbar&) = delete;
  ListedOnTaskbar& operator=(const ListedOnTaskbar&) = delete;

 private:
  int (*previous_)(_XDisplay*);
};

// Called as the game window first shows and as each dialog over it closes: asks the window
// manager to give the window the keyboard, as the answer to the key or click that led here,
// once the game waits in its loop again with no dialog open. The window must outlive the call.
// Without a window manager nothing happens (the keyboard follows the pointer there).
void askForKeyboard(Fl_Window& window);

// Called when a drag of the window by its body begins. True when the window manager moves
// windows for the programs that ask it to (_NET_WM_MOVERESIZE among what it supports): it
// then moves the window as it moves its own, with its snapping and its keyboard.
bool windowManagerMoves();

// Called with the left button down and the pointer at (x, y) on the screen, where the window
// already stands as the drag wants it: the window manager moves the window from here until
// the button is released. The caller gets no release of that button.
void handMoveToWindowManager(Fl_Window& window, int x, int y);

// Called when the release came before the window manager took the pointer: the move it would
// start now ends at once, and the window stays where it is.
void cancelMoveByWindowManager(Fl_Window& window, int x, int y);

}  // namespace fltkhost
