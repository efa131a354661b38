#pragma once

class Fl_Window;

namespace fltkhost {

// What the game's windows ask of the desktop's window manager, beyond what FLTK asks.

// Called once the game window is on screen: FLTK asks that a window without a border be left
// off the taskbar, and window managers then leave it out of Alt+Tab and of the windows they
// give the keyboard to. The game window is the program's main window: it asks to be listed.
void listOnTaskbar(Fl_Window& window);

// Called as the game window first shows and as each dialog over it closes: asks the window
// manager to give the window the keyboard, as the answer to the key or click that led here,
// once the game waits in its loop again with no dialog open. The window must outlive the call.
// Without a window manager nothing happens (the keyboard follows the pointer there).
void askForKeyboard(Fl_Window& window);

}  // namespace fltkhost
