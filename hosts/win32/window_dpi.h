#pragma once

#include <windows.h>

namespace win32 {

// Called by the game window when it is created: the density, in dots per inch, of the monitor
// the window is on (the system's density on Windows versions before per-monitor awareness).
// Changes nothing.
UINT windowDpi(HWND window);

}  // namespace win32
