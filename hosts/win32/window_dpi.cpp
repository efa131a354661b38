#include "hosts/win32/window_dpi.h"

namespace win32 {

UINT windowDpi(HWND window) {
  // Looked up rather than linked, so that the program still starts on Windows versions that lack
  // it (before Windows 10's anniversary update).
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace win32
